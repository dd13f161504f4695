// cCrystallography: access to the unterminated space-group text of the cell record.
#include "crystal/cCrystallography.h"

#include <cstring>

std::string cCrystallography::spaceGroupText() const {
  // The text fills all eleven characters when the record does, so strlen could run past it.
  const void* nul = std::memchr(spaceGroupName, '\0', sizeof spaceGroupName);
  const std::size_t n = nul ? static_cast<const char*>(nul) - spaceGroupName : sizeof spaceGroupName;
  return std::string(spaceGroupName, n);
}
