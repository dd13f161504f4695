// Tests of DCD: the record-marker check shared by the readers.
#include "libs/ReadDCD/DCD.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// The smallest concrete DCD: nothing to allocate.
class EmptyDCD : public DCD {
public:
  void alloc() override {}
};

}  // namespace

TEST(DCD, CheckFortranIOerrorPassesEqualMarkersAndEndsOnUnequalOnes) {
  EmptyDCD dcd;
  dcd.checkFortranIOerror("f", 1, 84, 84);
  dcd.checkFortranIOerror("f", 1, 0, 0);
  // Markers are unsigned here: a negative length read from a damaged file shows as such.
  EXPECT_EXIT(
      {
        ::dup2(STDERR_FILENO, STDOUT_FILENO);
        dcd.checkFortranIOerror("libs/ReadDCD/dcd_r", 150, 4294967295u, 20);
      },
      testing::ExitedWithCode(1),
      "^Error when reading data from dcd : quantities do not match.\n"
      "fortcheck1 = 4294967295 and fortcheck2 = 20\n"
      "in File libs/ReadDCD/dcd_r at Line 150\n$");
}
