// Test support: small PDB texts of CA-only chains, and the engine stand-ins that let a test
// choose the alignment the chain matching receives.
#pragma once

#include <string>
#include <vector>

#include "geometry/cVector3.h"

class MSA;
class SeqVect;

namespace chainPdb {

struct sChain {
    char id;
    std::string sequence;            // one-letter codes; '?' gives the unknown residue "UNK"
    std::vector<cVector3> positions;  // one CA per residue; empty: a generated strand
};

// ATOM records (one CA per residue, serials counted from 1 across chains), TER after every
// chain, END.
std::string text(const std::vector<sChain>& chains);

// A strand of n CA atoms 3.8 Å apart, starting at `start`.
std::vector<cVector3> strand(int n, const cVector3& start);

// Engine stand-in for tests: rows (one per input sequence, gaps included) are taken from
// fakeRows, in row order fakeRowOrder (row r holds sequence fakeRowOrder[r]; empty: input order).
// Every call is counted.
extern std::vector<std::string> fakeRows;
extern std::vector<unsigned> fakeRowOrder;
extern int fakeCalls;
void fakeEngine(SeqVect& v, MSA& a);

}  // namespace chainPdb
