// cPDBSegment: listing of the residue map.
#include "structure/cPDBSegment.h"

#include <cstdio>

void cPDBSegment::print() const {
  for (const auto& [number, letter] : residues) std::printf("%d %c\n", number, letter);
}
