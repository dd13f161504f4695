// ColumnPairScores: the column pair scores of two profiles, each pair of column classes scored
// once, in memory linear in the profile lengths.
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

// classOf[i] = the class of column i, classes numbered in the order of their first column;
// firstOfClass (when given) receives each class's first column. hashSlots is working storage.
// Returns the number of classes.
template <bool (*Same)(const ProfPos&, const ProfPos&), std::uint64_t (*Hash)(const ProfPos&)>
unsigned Classify(const ProfPos* P, unsigned length, std::vector<unsigned>& hashSlots, std::vector<unsigned>& classOf,
                  std::vector<unsigned>* firstOfClass) {
    unsigned size = 1;
    while (size < 2 * length) size *= 2;
    hashSlots.assign(size, NO_INDEX);
    classOf.resize(length);
    if (firstOfClass) firstOfClass->clear();
    unsigned classCount = 0;
    for (unsigned i = 0; i < length; ++i) {
        for (std::uint64_t h = Hash(P[i]);; ++h) {
            unsigned& slot = hashSlots[h & (size - 1)];
            if (slot == NO_INDEX) {
                slot = i;
                classOf[i] = classCount++;
                if (firstOfClass) firstOfClass->push_back(i);
                break;
            }
            if (Same(P[slot], P[i])) {
                classOf[i] = classOf[slot];
                break;
            }
        }
    }
    return classCount;
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

}  // namespace

// The row filler for one column score, with B's columns taken by class or one by one.
template <SCORE (*Score)(const ProfPos&, const ProfPos&)>
ColumnPairScores::FillFn ColumnPairScores::ChooseFill(bool byClass) {
    return byClass ? &ColumnPairScores::FillRow<Score, true> : &ColumnPairScores::FillRow<Score, false>;
}

void ColumnPairScores::Init(const ProfPos* A, unsigned lengthA, const ProfPos* B, unsigned lengthB,
                            size_t cacheFloats) {
    m_A = A;
    m_B = B;
    const unsigned classCountA = Classify<SameFirst, HashFirst>(A, lengthA, m_HashSlots, m_ClassA, nullptr);
    m_uClassCountB = lengthB;
    if (LettersInAlphabet(A, lengthA))
        m_uClassCountB = Classify<SameSecond, HashSecond>(B, lengthB, m_HashSlots, m_ClassB, &m_FirstOfClassB);
    // Reading a score through B's class costs a load per cell: worth it only when it spares
    // enough scores.
    const bool byClass = static_cast<size_t>(m_uClassCountB) * BY_CLASS_DENOMINATOR <=
                         static_cast<size_t>(lengthB) * BY_CLASS_NUMERATOR;
    if (!byClass) {
        m_uClassCountB = lengthB;
        m_ClassB.clear();
        m_FirstOfClassB.clear();
    }
    switch (g_PPScore) {
        case PPSCORE_LE: m_Fill = ChooseFill<ScoreProfPos2LA>(byClass); break;
        case PPSCORE_SP:
        case PPSCORE_SV: m_Fill = ChooseFill<ScoreProfPos2SP>(byClass); break;
        case PPSCORE_SPN: m_Fill = ChooseFill<ScoreProfPos2SPN>(byClass); break;
        default: Quit("Invalid g_PPScore");
    }
    m_Row.resize(m_uClassCountB);

    // A class of A seen more than once keeps its row, classes in the order of their first
    // column, as long as the budget allows.
    if (cacheFloats == SIZE_MAX) cacheFloats = CACHE_FLOATS_PER_COLUMN * (static_cast<size_t>(lengthA) + lengthB);
    m_SlotOfClassA.assign(classCountA, 0);
    for (unsigned i = 0; i < lengthA; ++i) ++m_SlotOfClassA[m_ClassA[i]];
    const size_t slotLimit = m_uClassCountB == 0 ? 0 : cacheFloats / m_uClassCountB;
    unsigned slotCount = 0;
    for (unsigned& slot : m_SlotOfClassA) slot = slot > 1 && slotCount < slotLimit ? slotCount++ : NO_INDEX;
    m_SlotFilled.assign(slotCount, false);
    m_Cache.resize(static_cast<size_t>(slotCount) * m_uClassCountB);
}

const SCORE* ColumnPairScores::GetRow(unsigned i) {
    const unsigned slot = m_SlotOfClassA[m_ClassA[i]];
    if (slot == NO_INDEX) {
        (this->*m_Fill)(i, m_Row.data());
        return m_Row.data();
    }
    SCORE* row = m_Cache.data() + static_cast<size_t>(slot) * m_uClassCountB;
    if (!m_SlotFilled[slot]) {
        (this->*m_Fill)(i, row);
        m_SlotFilled[slot] = true;
    }
    return row;
}

template <SCORE (*Score)(const ProfPos&, const ProfPos&), bool BY_CLASS>
void ColumnPairScores::FillRow(unsigned i, SCORE* row) const {
    const ProfPos& a = m_A[i];
    for (unsigned k = 0; k < m_uClassCountB; ++k) row[k] = Score(a, m_B[BY_CLASS ? m_FirstOfClassB[k] : k]);
}

size_t ColumnPairScores::GetMaxBytes(unsigned lengthA, unsigned lengthB) {
    // Per column: its class, the class's first column or cache slot, the open-addressing table
    // (under four entries per column), a row entry, and the cache budget.
    return (static_cast<size_t>(lengthA) + lengthB) *
           (CACHE_FLOATS_PER_COLUMN * sizeof(SCORE) + 8 * sizeof(unsigned));
}
