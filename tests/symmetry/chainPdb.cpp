#include "tests/symmetry/chainPdb.h"

#include <cstdio>
#include <map>

#include "align/msa.h"
#include "align/seqVect.h"

namespace chainPdb {

namespace {

const std::map<char, const char*>& residueNames() {
    static const std::map<char, const char*> names = {
        {'A', "ALA"}, {'R', "ARG"}, {'N', "ASN"}, {'D', "ASP"}, {'C', "CYS"}, {'Q', "GLN"}, {'E', "GLU"},
        {'G', "GLY"}, {'H', "HIS"}, {'I', "ILE"}, {'L', "LEU"}, {'K', "LYS"}, {'M', "MET"}, {'F', "PHE"},
        {'P', "PRO"}, {'S', "SER"}, {'T', "THR"}, {'W', "TRP"}, {'Y', "TYR"}, {'V', "VAL"}, {'?', "UNK"}};
    return names;
}

}  // namespace

std::vector<cVector3> strand(int n, const cVector3& start) {
    std::vector<cVector3> positions;
    for (int i = 0; i < n; ++i) positions.push_back(start + cVector3(3.8 * i, 0.5 * (i % 2), 0.0));
    return positions;
}

std::string text(const std::vector<sChain>& chains) {
    std::string out;
    char line[100];
    int serial = 1;
    for (const sChain& chain : chains) {
        const std::vector<cVector3> positions =
            chain.positions.empty() ? strand(static_cast<int>(chain.sequence.size()), cVector3(0.0)) : chain.positions;
        for (std::size_t i = 0; i < chain.sequence.size(); ++i) {
            const cVector3& p = positions[i];
            std::snprintf(line, sizeof line, "ATOM  %5d  CA  %3s %c%4d    %8.3f%8.3f%8.3f  1.00  0.00           C  \n",
                          serial++, residueNames().at(chain.sequence[i]), chain.id, static_cast<int>(i + 1), p.x, p.y,
                          p.z);
            out += line;
        }
        out += "TER\n";
    }
    out += "END\n";
    return out;
}

std::vector<std::string> fakeRows;
std::vector<unsigned> fakeRowOrder;
int fakeCalls = 0;

void fakeEngine(SeqVect& v, MSA& a) {
    ++fakeCalls;
    const unsigned n = v.Length();
    MSA::SetIdCount(n);
    for (unsigned i = 0; i < n; ++i) v.SetSeqId(i, i);
    const unsigned columns = n > 0 ? static_cast<unsigned>(fakeRows.at(0).size()) : 0;
    a.SetSize(n, columns);
    for (unsigned row = 0; row < n; ++row) {
        const unsigned id = fakeRowOrder.empty() ? row : fakeRowOrder.at(row);
        a.SetSeqId(row, id);
        for (unsigned col = 0; col < columns; ++col) a.SetChar(row, col, fakeRows.at(id).at(col));
    }
}

}  // namespace chainPdb
