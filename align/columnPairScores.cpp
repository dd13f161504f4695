// ColumnPairScores: the score table of two profiles, each distinct column scored once.
#include "align/columnPairScores.h"

#include <cstdint>
#include <cstring>

#include "align/diagnostics.h"
#include "align/params.h"
#include "align/profile.h"

namespace {

// What a score reads of its first column a: the letters of a's sort order with their
// frequencies, up to and including the first absent one (the walk of SortedSum), and fOcc.
// What it reads of its second column b: AAScores of the letters and fOcc. Columns equal in
// these bits give bit-identical scores against any other column.
unsigned WalkLength(const ProfPos& a) {
    const unsigned count = g_AlphaSize < MAX_ALPHA ? g_AlphaSize : MAX_ALPHA;
    unsigned k = 0;
    while (k < count) {
        if (a.fcCounts[a.uSortOrder[k]] == 0) return k + 1;
        ++k;
    }
    return k;
}

std::uint32_t Bits(float x) {
    std::uint32_t u;
    memcpy(&u, &x, sizeof u);
    return u;
}

std::uint64_t Mix(std::uint64_t h, std::uint32_t x) { return (h ^ x) * 0x100000001B3ull; }

bool SameFirst(const ProfPos& a, const ProfPos& b) {
    if (Bits(a.fOcc) != Bits(b.fOcc)) return false;
    const unsigned n = WalkLength(a);
    if (n != WalkLength(b)) return false;
    for (unsigned k = 0; k < n; ++k) {
        const unsigned x = a.uSortOrder[k];
        if (x != b.uSortOrder[k] || Bits(a.fcCounts[x]) != Bits(b.fcCounts[x])) return false;
    }
    return true;
}

std::uint64_t HashFirst(const ProfPos& a) {
    std::uint64_t h = Mix(0xCBF29CE484222325ull, Bits(a.fOcc));
    const unsigned n = WalkLength(a);
    for (unsigned k = 0; k < n; ++k) {
        const unsigned x = a.uSortOrder[k];
        h = Mix(Mix(h, x), Bits(a.fcCounts[x]));
    }
    return h;
}

bool SameSecond(const ProfPos& a, const ProfPos& b) {
    if (Bits(a.fOcc) != Bits(b.fOcc)) return false;
    for (unsigned x = 0; x < g_AlphaSize; ++x)
        if (Bits(a.AAScores[x]) != Bits(b.AAScores[x])) return false;
    return true;
}

std::uint64_t HashSecond(const ProfPos& a) {
    std::uint64_t h = Mix(0xCBF29CE484222325ull, Bits(a.fOcc));
    for (unsigned x = 0; x < g_AlphaSize; ++x) h = Mix(h, Bits(a.AAScores[x]));
    return h;
}

// first[i] = the lowest column equal to column i; returns the number of distinct columns.
template <bool (*Same)(const ProfPos&, const ProfPos&), std::uint64_t (*Hash)(const ProfPos&)>
unsigned Distinct(const ProfPos* P, unsigned length, std::vector<unsigned>& first) {
    unsigned size = 1;
    while (size < 2 * length) size *= 2;
    std::vector<unsigned> slots(size, NO_INDEX);
    first.resize(length);
    unsigned distinct = 0;
    for (unsigned i = 0; i < length; ++i) {
        for (std::uint64_t h = Hash(P[i]);; ++h) {
            unsigned& slot = slots[h & (size - 1)];
            if (slot == NO_INDEX) {
                slot = i;
                first[i] = i;
                ++distinct;
                break;
            }
            if (Same(P[slot], P[i])) {
                first[i] = slot;
                break;
            }
        }
    }
    return distinct;
}

// The second side's letters must be those the first side's walk can name.
bool LettersInAlphabet(const ProfPos* P, unsigned length) {
    for (unsigned i = 0; i < length; ++i) {
        const unsigned n = WalkLength(P[i]);
        for (unsigned k = 0; k < n; ++k)
            if (P[i].uSortOrder[k] >= g_AlphaSize) return false;
    }
    return true;
}

template <SCORE (*Score)(const ProfPos&, const ProfPos&)>
void Fill(const ProfPos* A, unsigned m, const ProfPos* B, unsigned n, std::vector<SCORE>& scores) {
    scores.resize(static_cast<size_t>(m) * n);
    std::vector<unsigned> firstA, firstB;
    const unsigned distinctA = Distinct<SameFirst, HashFirst>(A, m, firstA);
    const unsigned distinctB = LettersInAlphabet(A, m) ? Distinct<SameSecond, HashSecond>(B, n, firstB) : n;
    if (static_cast<size_t>(distinctA) * n <= static_cast<size_t>(m) * distinctB || firstB.empty()) {
        for (unsigned i = 0; i < m; ++i) {
            SCORE* row = scores.data() + static_cast<size_t>(i) * n;
            if (firstA[i] != i) {
                memcpy(row, scores.data() + static_cast<size_t>(firstA[i]) * n, n * sizeof(SCORE));
                continue;
            }
            for (unsigned j = 0; j < n; ++j) row[j] = Score(A[i], B[j]);
        }
        return;
    }
    for (unsigned i = 0; i < m; ++i) {
        SCORE* row = scores.data() + static_cast<size_t>(i) * n;
        for (unsigned j = 0; j < n; ++j) row[j] = firstB[j] == j ? Score(A[i], B[j]) : row[firstB[j]];
    }
}

}  // namespace

void ColumnPairScores(const ProfPos* A, unsigned lengthA, const ProfPos* B, unsigned lengthB,
                      std::vector<SCORE>& scores) {
    switch (g_PPScore) {
        case PPSCORE_LE: Fill<ScoreProfPos2LA>(A, lengthA, B, lengthB, scores); break;
        case PPSCORE_SP:
        case PPSCORE_SV: Fill<ScoreProfPos2SP>(A, lengthA, B, lengthB, scores); break;
        case PPSCORE_SPN: Fill<ScoreProfPos2SPN>(A, lengthA, B, lengthB, scores); break;
        default: Quit("Invalid g_PPScore");
    }
}
