// cSequence: the residue range and missing residues of one chain, as the PDB reader sees them.
#pragma once

#include <list>

struct cSequence {
  int firstResidue = 0;  // the smaller of the first atom's residue number and the first missing one
  int lastResidue = 0;   // the larger of the last atom's residue number and the last missing one
  int offset = 0;        // 1 - firstResidue: turns residue numbers into positions from 1
  bool firstFromAtoms = false;  // firstResidue came from an atom record, not the missing list
  bool lastFromAtoms = false;
  std::list<int> missingResidues;  // residue numbers from REMARK 465, in file order
};
