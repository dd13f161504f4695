// The column-against-column scores of two profiles that the profile dynamic programming reads,
// served one row of the first profile at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "align/engineTypes.h"

struct ProfPos;

// Columns that agree in every field a score reads get the same scores, so the columns of each
// profile are sorted into classes and each pair of classes is scored once: a profile of one or
// a few sequences has few classes. The score of A's column i against B's column j is
// ScoreProfPos2(A[i], B[j]) under g_PPScore (LE, SP, SV or SPN), bit for bit, found at
// GetRow(i)[GetClassesB()[j]], or at GetRow(i)[j] where GetClassesB() is null (B's columns are
// then scored one by one: too few of them repeat to pay for the look-up).
//
// Memory is linear in the two lengths: a row holds one score per class of B, and the rows of
// A's repeated classes are kept for their next use only as far as the cache budget reaches
// (rows beyond it are scored again when they come back).
class ColumnPairScores {
public:
    // The default cache budget: this many floats per column of the two profiles.
    static constexpr size_t CACHE_FLOATS_PER_COLUMN = 64;

    // Sorts both profiles' columns into classes; the profiles must stay unchanged while rows are
    // read. cacheFloats bounds the kept rows (default: CACHE_FLOATS_PER_COLUMN x (lengthA +
    // lengthB)). An unknown g_PPScore ends the process.
    void Init(const ProfPos* A, unsigned lengthA, const ProfPos* B, unsigned lengthB,
              size_t cacheFloats = SIZE_MAX);
    // Scores of A's column i against each class of B (valid until the next GetRow or Init).
    const SCORE* GetRow(unsigned i);
    // The class of each column of B, or null when every column is its own class.
    const unsigned* GetClassesB() const { return m_ClassB.empty() ? nullptr : m_ClassB.data(); }
    // The most an Init of profiles of these lengths holds, with the default cache budget.
    static size_t GetMaxBytes(unsigned lengthA, unsigned lengthB);

private:
    // B's columns are read by class when the classes number at most 7/8 of the columns.
    static constexpr size_t BY_CLASS_NUMERATOR = 7, BY_CLASS_DENOMINATOR = 8;

    typedef void (ColumnPairScores::*FillFn)(unsigned i, SCORE* row) const;
    template <SCORE (*Score)(const ProfPos&, const ProfPos&), bool BY_CLASS>
    void FillRow(unsigned i, SCORE* row) const;
    template <SCORE (*Score)(const ProfPos&, const ProfPos&)>
    static FillFn ChooseFill(bool byClass);

    const ProfPos* m_A = nullptr;
    const ProfPos* m_B = nullptr;
    FillFn m_Fill = nullptr;
    unsigned m_uClassCountB = 0;
    std::vector<unsigned> m_ClassA;          // class of each column of A
    std::vector<unsigned> m_ClassB;          // class of each column of B (empty: none)
    std::vector<unsigned> m_FirstOfClassB;   // the column of B scored for each class
    std::vector<unsigned> m_SlotOfClassA;    // cache slot of each class of A, or NO_INDEX
    std::vector<bool> m_SlotFilled;          // per slot: its row has been scored
    std::vector<SCORE> m_Cache;              // the kept rows, slot by slot
    std::vector<SCORE> m_Row;                // a row that is not kept
    std::vector<unsigned> m_HashSlots;       // open-addressing table of the class search
};
