// MSF (GCG) output: a header with per-row checksums and weights, then blocks of 50 columns.
#include <algorithm>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/seqWeights.h"
#include "align/textFile.h"

namespace {

constexpr unsigned BLOCK = 50;
// Letters are printed in groups of this many.
constexpr unsigned GROUP = 10;
constexpr unsigned MAX_NAME = 62;
// MSF marks gaps with '.'; the checksum is taken over the row as printed.
constexpr char MSF_GAP = '.';

char MsfChar(char c) { return IsGapChar(c) ? MSF_GAP : c; }

// The name up to its first blank or tab, at most MAX_NAME characters.
std::string MsfName(const char* name) {
    std::string text(name ? name : "");
    text = text.substr(0, text.find_first_of(" \t"));
    if (text.size() > MAX_NAME) text.resize(MAX_NAME);
    return text;
}

}  // namespace

unsigned MSA::GetGCGCheckSum(unsigned row) const {
    CheckRow(row, "GetGCGCheckSum");
    unsigned sum = 0;
    for (unsigned col = 0; col < m_uColCount; ++col)
        sum = (sum + static_cast<unsigned char>(MsfChar(m_szSeqs[row][col])) * (col % 57 + 1)) % 10000;
    return sum;
}

void MSA::ToMSFFile(TextFile& file, const char* comment) {
    SetMSAWeightsCorvid(*this);

    file.PutString("PileUp\n");
    if (comment != nullptr)
        file.PutFormat("Comment: %s\n", comment);
    else
        file.PutString("\n");
    const char type = g_Alpha == ALPHA_DNA || g_Alpha == ALPHA_RNA ? 'N' : 'P';
    file.PutFormat("  MSF: %u  Type: %c  Check: 0000  ..\n\n", m_uColCount, type);

    std::vector<std::string> names(m_uSeqCount);
    size_t width = 0;
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        names[row] = MsfName(m_szNames[row]);
        width = std::max(width, names[row].size());
    }
    for (std::string& name : names) name.resize(width, ' ');

    for (unsigned row = 0; row < m_uSeqCount; ++row)
        file.PutFormat(" Name: %s  Len: %u  Check: %5u  Weight: %g\n", names[row].c_str(), m_uColCount,
                       GetGCGCheckSum(row), GetSeqWeight(row));
    file.PutString("\n//\n");

    for (unsigned start = 0; start < m_uColCount; start += BLOCK) {
        const unsigned end = std::min(start + BLOCK, m_uColCount);
        file.PutString("\n");
        for (unsigned row = 0; row < m_uSeqCount; ++row) {
            std::string line = names[row] + "   ";
            for (unsigned col = start; col < end; ++col) {
                if (col % GROUP == 0) line += ' ';
                line += MsfChar(m_szSeqs[row][col]);
            }
            file.PutString((line + "\n").c_str());
        }
    }
}
