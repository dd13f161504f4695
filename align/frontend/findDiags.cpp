// FindDiags and FindDiagsNuc: one k-mer scheme with two sets of constants.
#include "align/frontend/diagonals.h"

#include <algorithm>
#include <array>

#include "align/diagnostics.h"
#include "align/params.h"
#include "align/profile.h"

namespace {

// Group count, word length and the shortest profile searched. The key of the word at p weighs
// the groups g(p) .. g(p + k - 1) by the powers of the group count: amino acids lowest power
// first, nucleotides highest first. The key order decides which diagonals are found first, and
// with them the alignments, so each alphabet keeps its own.
struct WordScheme {
    unsigned groupCount;
    unsigned wordLength;
    unsigned minLength;
    bool highPowerFirst;
};
constexpr WordScheme AMINO_SCHEME{6, 5, 12, false};
constexpr WordScheme NUC_SCHEME{4, 7, 23, true};

constexpr unsigned AMINO_TABLE_SIZE = 7776;   // 6^5
constexpr unsigned NUC_TABLE_SIZE = 16384;    // 4^7
static_assert(AMINO_TABLE_SIZE == 6 * 6 * 6 * 6 * 6 && NUC_TABLE_SIZE == 1u << 14);

// The last start of each word in the indexed profile, -1 when none; reused by every call.
std::array<int, AMINO_TABLE_SIZE> aminoTable;
std::array<int, NUC_TABLE_SIZE> nucTable;

constexpr unsigned NO_KEY = 0xFFFFFFFFu;

// Residue group of a position; NO_KEY when the column has none (or one outside the scheme).
unsigned Group(const ProfPos* P, unsigned i, const WordScheme& s) {
    const unsigned g = P[i].uResidueGroup;
    return g < s.groupCount ? g : NO_KEY;
}

// The word's key, or NO_KEY when one of its groups is undefined.
unsigned Key(const ProfPos* P, unsigned p, const WordScheme& s) {
    unsigned key = 0, power = 1;
    for (unsigned k = 0; k < s.wordLength; ++k) {
        const unsigned g = Group(P, s.highPowerFirst ? p + s.wordLength - 1 - k : p + k, s);
        if (g == NO_KEY) return NO_KEY;
        key += g * power;
        power *= s.groupCount;
    }
    return key;
}

// Word starts 0 .. length - k - 1: the last possible start is not used.
unsigned WordStarts(unsigned length, const WordScheme& s) { return length - s.wordLength; }

template <size_t N>
void Find(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, DiagList& list, const WordScheme& s,
          std::array<int, N>& table) {
    list.Clear();
    if (lenA < s.minLength || lenB < s.minLength) return;
    // The longer profile is indexed and the shorter scanned; equal lengths index A.
    const bool aIsShorter = lenA < lenB;
    const ProfPos* L = aIsShorter ? PB : PA;
    const ProfPos* S = aIsShorter ? PA : PB;
    const unsigned lenL = aIsShorter ? lenB : lenA;
    const unsigned lenS = aIsShorter ? lenA : lenB;

    table.fill(-1);
    for (unsigned p = 0; p < WordStarts(lenL, s); ++p)
        if (const unsigned key = Key(L, p, s); key != NO_KEY) table[key] = int(p);

    for (unsigned p = 0; p < WordStarts(lenS, s);) {
        const unsigned key = Key(S, p, s);
        const int q = key == NO_KEY ? -1 : table[key];
        if (q < 0) {
            ++p;
            continue;
        }
        unsigned e = p + s.wordLength - 1, f = unsigned(q) + s.wordLength - 1;
        while (e + 1 < lenS && f + 1 < lenL && Group(S, e + 1, s) != NO_KEY &&
               Group(S, e + 1, s) == Group(L, f + 1, s)) {
            ++e;
            ++f;
        }
        const unsigned length = e - p + 1;
        if (length >= g_uMinDiagLength) {
            if (aIsShorter)
                list.Add(p, unsigned(q), length);
            else
                list.Add(unsigned(q), p, length);
        }
        p = e + 1;
    }
}

}  // namespace

void FindDiags(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, DiagList& list) {
    if (g_Alpha != ALPHA_Amino) Quit("FindDiags: requires amino acid alphabet");
    Find(PA, lenA, PB, lenB, list, AMINO_SCHEME, aminoTable);
}

void FindDiagsNuc(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, DiagList& list) {
    if (g_Alpha != ALPHA_DNA && g_Alpha != ALPHA_RNA) Quit("FindDiagsNuc: requires nucleo alphabet");
    Find(PA, lenA, PB, lenB, list, NUC_SCHEME, nucTable);
}
