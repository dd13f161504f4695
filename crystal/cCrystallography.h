// cCrystallography: the crystal cell of a PDB file (CRYST1), its space-group record and its
// Cartesian symmetry operators.
#pragma once

#include <string>
#include <vector>

#include "crystal/cSymmetryTransform.h"
#include "crystal/sgRecord.h"
#include "geometry/cVector3.h"

// Plain block filled by the PDB reader and copied member-wise by its users. Every field
// starts zeroed and cleared, so a file without a cell record leaves a well-defined block.
// The record and the operator lists are owned by value: a copy is deep and independent.
class cCrystallography {
public:
  cVector3 cellLengths{0.0};  // a, b, c in Å
  cVector3 cellAngles{0.0};   // alpha, beta, gamma in radians
  // Columns 56-66 of the cell record, exactly as read: not NUL-terminated when all eleven
  // characters are used (the space-group builder reads at most the first ten).
  char spaceGroupName[11] = {};
  // The same columns as the file writes them, before the reader renames the lattice letter H of
  // an old rhombohedral spelling to R: what messages about the file's space group quote.
  std::string writtenSpaceGroup;
  T_SgRecord sgRecord{};
  // Cartesian cell edges: a along x, b in the xy plane, c completing the cell (Å).
  cVector3 cellVectors[3] = {cVector3(0.0), cVector3(0.0), cVector3(0.0)};
  bool cellRead = false;   // a cell record was read
  bool spareFlag = false;  // nothing sets or reads it
  std::vector<cSymmetryTransform> symmetryOperators;  // built by createSymmetryOperators
  // Copied and destroyed with the block, never filled.
  std::vector<cSymmetryTransform> extraOperatorsA, extraOperatorsB, extraOperatorsC;

  // Builds sgRecord from the space-group text and appends one Cartesian operator per operation
  // of the group (the inversion of a centric group included, centring translations not) to
  // symmetryOperators, after printing the "nLoopInv = " and "SgRecord->nList = " lines. A text
  // the space-group library rejects builds nothing and leaves the list as it was (the library's
  // message stays in SgError). A rhombohedral group named without its axes takes those of the
  // cell. A cell that is no cell (lengths not positive or out of the range of ordinary numbers,
  // angles not inside 0-180 degrees, angles that do not close) or that the group's rotations do
  // not map onto itself builds nothing either, with a message on standard error. Needs spaceGroupName, cellLengths, cellAngles and
  // cellVectors. Returns 0.
  int createSymmetryOperators();

  // The space-group text up to its first NUL and never past the eleventh character.
  std::string spaceGroupText() const;
};
