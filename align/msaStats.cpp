// MSA statistics (identity, occupancy, conservation), alphabet guessing and repair, log dump.
#include <cctype>
#include <limits>
#include <string>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/residueGroup.h"
#include "align/textUtils.h"

namespace {

// Only the first 100 non-gap characters decide; more than 94 % of them must be nucleotides.
constexpr unsigned GUESS_SAMPLE = 100;
constexpr unsigned GUESS_MIN_PERCENT = 94;

char Upper(char c) { return static_cast<char>(toupper(static_cast<unsigned char>(c))); }

// Ambiguity codes do not count towards the consensus.
bool IsConsensusWildcard(char c) {
    const char u = Upper(c);
    return u == 'X' || u == 'Z' || u == 'B';
}

// Columns where both rows hold a letter, and how many of those hold the same letter (case
// ignored).
struct IdentityCount {
    unsigned same = 0;
    unsigned both = 0;
};

IdentityCount CountIdentities(const char* rowA, const char* rowB, unsigned colCount) {
    IdentityCount n;
    for (unsigned col = 0; col < colCount; ++col) {
        const char a = rowA[col];
        const char b = rowB[col];
        if (IsGapChar(a) || IsGapChar(b)) continue;
        ++n.both;
        if (Upper(a) == Upper(b)) ++n.same;
    }
    return n;
}

}  // namespace

float MSA::GetOcc(unsigned col) const {
    unsigned letters = 0;
    for (unsigned row = 0; row < m_uSeqCount; ++row)
        if (!IsGap(row, col)) ++letters;
    if (m_uSeqCount == 0) return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(letters) / static_cast<float>(m_uSeqCount);
}

unsigned MSA::UniqueResidueTypes(unsigned col) const {
    bool seen[MAX_ALPHA] = {};
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        const char c = GetChar(row, col);
        if (IsGapChar(c) || IsWildcardChar(c)) continue;
        const unsigned letter = CharToLetter(c);
        if (letter < g_AlphaSize && letter < MAX_ALPHA) seen[letter] = true;
    }
    unsigned count = 0;
    for (bool s : seen)
        if (s) ++count;
    return count;
}

void MSA::GetPWID(unsigned i, unsigned j, double* pctId, unsigned* positions) const {
    CheckRow(i, "GetPWID");
    CheckRow(j, "GetPWID");
    const IdentityCount n = CountIdentities(m_szSeqs[i], m_szSeqs[j], m_uColCount);
    *positions = n.both;
    *pctId = n.both == 0 ? 0.0 : 100.0 * n.same / n.both;
}

double MSA::GetPctIdentityPair(unsigned i, unsigned j) const {
    CheckRow(i, "GetPctIdentityPair");
    CheckRow(j, "GetPctIdentityPair");
    const IdentityCount n = CountIdentities(m_szSeqs[i], m_szSeqs[j], m_uColCount);
    return n.both == 0 ? 0.0 : static_cast<double>(n.same) / n.both;
}

double MSA::GetPctGroupIdentityPair(unsigned i, unsigned j) const {
    CheckRow(i, "GetPctGroupIdentityPair");
    CheckRow(j, "GetPctGroupIdentityPair");
    unsigned same = 0, both = 0;
    for (unsigned col = 0; col < m_uColCount; ++col) {
        const char a = m_szSeqs[i][col];
        const char b = m_szSeqs[j][col];
        if (IsGapChar(a) || IsGapChar(b) || IsWildcardChar(a) || IsWildcardChar(b)) continue;
        // Characters outside the alphabet have no group.
        const unsigned la = CharToLetter(a);
        const unsigned lb = CharToLetter(b);
        if (la >= MAX_ALPHA || lb >= MAX_ALPHA) continue;
        ++both;
        if (ResidueGroup[la] == ResidueGroup[lb]) ++same;
    }
    return both == 0 ? 0.0 : static_cast<double>(same) / both;
}

float MSA::GetCons(unsigned col) const {
    unsigned counts[256] = {};
    bool any = false;
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        const char c = GetChar(row, col);
        if (IsGapChar(c) || IsConsensusWildcard(c)) continue;
        ++counts[static_cast<unsigned char>(Upper(c))];
        any = true;
    }
    if (!any) return 1.0f;
    unsigned most = 0;
    for (unsigned n : counts)
        if (n > most) most = n;
    return static_cast<float>(most) / static_cast<float>(m_uSeqCount);
}

float MSA::GetAvgCons() const {
    float sum = 0;
    unsigned columns = 0;
    for (unsigned col = 0; col < m_uColCount; ++col) {
        if (IsGapColumn(col)) continue;
        sum += GetCons(col);
        ++columns;
    }
    // An alignment with no letters has no conservation to average.
    return columns == 0 ? 0.0f : sum / static_cast<float>(columns);
}

ALPHA MSA::GuessAlpha() const {
    unsigned counted = 0, dna = 0, rna = 0;
    for (unsigned row = 0; row < m_uSeqCount && counted < GUESS_SAMPLE; ++row) {
        for (unsigned col = 0; col < m_uColCount && counted < GUESS_SAMPLE; ++col) {
            const char c = m_szSeqs[row][col];
            if (IsGapChar(c)) continue;
            ++counted;
            if (IsDNA(c)) ++dna;
            if (IsRNA(c)) ++rna;
        }
    }
    if (counted == 0) return ALPHA_Amino;
    if (rna * 100 / counted > GUESS_MIN_PERCENT) return ALPHA_RNA;
    if (dna * 100 / counted > GUESS_MIN_PERCENT) return ALPHA_DNA;
    return ALPHA_Amino;
}

void MSA::FixAlpha() {
    ClearInvalidLetterWarning();
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        for (unsigned col = 0; col < m_uColCount; ++col) {
            char& c = m_szSeqs[row][col];
            if (IsGapChar(c) || IsResidueChar(c)) continue;
            const char wildcard = GetWildcardChar();
            InvalidLetterWarning(c, wildcard);
            c = wildcard;
        }
    }
    ReportInvalidLetters();
}

void MSA::LogMe() const {
    if (m_uSeqCount == 0 || m_uColCount == 0) {
        Log("MSA empty\n");
        return;
    }
    constexpr unsigned BLOCK = 50;
    // Name (12), weight (8) and 3 blanks precede the letters; the rulers line up with them.
    const std::string margin(23, ' ');
    for (unsigned start = 0; start < m_uColCount; start += BLOCK) {
        const unsigned end = start + BLOCK < m_uColCount ? start + BLOCK : m_uColCount;
        std::string digits = margin, numbers = margin;
        for (unsigned col = start; col < end; ++col) digits += static_cast<char>('0' + col % 10);
        for (unsigned col = start; col < end; col += 10) numbers += Format("%-10u", col);
        Log("\n%s\n%s\n", digits.c_str(), numbers.c_str());
        for (unsigned row = 0; row < m_uSeqCount; ++row) {
            std::string line = Format("%12.12s", m_szNames[row] ? m_szNames[row] : "");
            line += m_Weights[row] != BTInsane ? Format(" (%5.3f)", m_Weights[row]) : std::string(8, ' ');
            line += "   ";
            line.append(m_szSeqs[row] + start, end - start);
            if (m_SeqIndexToId) line += Format(" [%5u]", m_SeqIndexToId[row]);
            Log("%s\n", line.c_str());
        }
    }
}
