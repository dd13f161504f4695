// cPDBSegment: one chain as the PDB reader delimits it, with its CA residue sequence.
#pragma once

#include <map>

class cPDBSegment {
public:
  int firstAtom = 0;     // index of the first atom in the reader's atom array
  int atomCount = 0;
  int firstResidue = 0;  // residue number of the segment's first atom record
  int lastResidue = 0;   // residue number of its last atom record
  // Residue number to one-letter code, from the first kept CA atom of each residue number.
  std::map<int, char> residues;

  // "<number> <letter>" per residue, in residue-number order, on standard output.
  void print() const;
  // Aligns this segment's sequence ("A") with the other's ("B") through the alignment engine
  // and writes the alignment in ClustalW form to the file "toto" in the working directory
  // (defined in symmetry/segmentAlignment.cpp, which links the engine; the run never calls it).
  void align(const cPDBSegment* other) const;
};
