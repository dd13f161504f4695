// The two places where chain clustering needs the sequence alignment of the chains. The
// chain-preparation stage, which owns the alignment engine and the final multiple alignment,
// provides these bodies; until then clustering runs on geometry alone.
#include <vector>

#include "symmetry/cSym.h"

// To be provided by chain preparation: S = 0, then for every column k of the final multiple
// alignment in which the rows of chains i and j (found from chainIndices through the
// alignment's sequence-id lookup) are not both gaps, S -= the BLOSUM column score of the two
// rows. A column with a gap in exactly one row counts too (its score is -9).
double cSym::sequenceTerm(int /*i*/, int /*j*/) { return 0.0; }

// To be provided by chain preparation: one alignment call over the cluster's chains, which
// replaces each chain's aligned residues and aligned atoms (CA only).
void cSym::realignCluster(std::vector<cMolecule*>& /*clusterChains*/) {}
