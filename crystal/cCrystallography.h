// cCrystallography: the crystal cell of a PDB file (CRYST1) and its space-group record.
#pragma once

#include <string>

#include "crystal/sgRecord.h"
#include "geometry/cVector3.h"

// Plain block filled by the PDB reader and copied member-wise by its users. Every field
// starts zeroed and cleared, so a file without a cell record leaves a well-defined block.
// The symmetry-operator lists and their builder join this block with the space-group library.
class cCrystallography {
public:
  cVector3 cellLengths{0.0};  // a, b, c in Å
  cVector3 cellAngles{0.0};   // alpha, beta, gamma in radians
  // Columns 56-66 of the cell record, exactly as read: not NUL-terminated when all eleven
  // characters are used (the space-group builder reads at most the first ten).
  char spaceGroupName[11] = {};
  T_SgRecord sgRecord{};
  // Cartesian cell edges: a along x, b in the xy plane, c completing the cell (Å).
  cVector3 cellVectors[3] = {cVector3(0.0), cVector3(0.0), cVector3(0.0)};
  bool cellRead = false;   // a cell record was read
  bool spareFlag = false;  // nothing sets or reads it

  // The space-group text up to its first NUL and never past the eleventh character.
  std::string spaceGroupText() const;
};
