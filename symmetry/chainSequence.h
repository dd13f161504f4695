// The residue sequence of a chain as chain matching sees it.
#pragma once

#include <string>

class cMolecule;

// One-letter codes of the chain's residues: each segment's residues in residue-number order,
// segments in order; 'x' stands for a residue name outside the residue tables.
std::string chainSequence(const cMolecule& chain);

// False for a sequence with no letter other than 'x' (the empty sequence included): such a
// chain has nothing that sequence alignment could match.
bool hasKnownResidue(const std::string& sequence);
