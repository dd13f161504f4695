// Diagonals: long runs of matched positions of two profiles, found by k-mer lookup, kept when
// compatible, and used to restrict global profile alignment to the rectangles between them.
#pragma once

class PWPath;
struct ProfPos;

// Positions startA .. startA + length - 1 of A matched one to one with startB .. of B (0-based).
// Two diagonals lie on the same diagonal when startB - startA is equal.
struct Diag {
    unsigned m_uStartPosA;
    unsigned m_uStartPosB;
    unsigned m_uLength;
};

// A fixed array of diagonals inside the object (no allocation per entry).
class DiagList {
public:
    static constexpr unsigned MAX_DIAGS = 1024;

    // A 1025th diagonal ends the process.
    void Add(const Diag& d);
    void Add(unsigned startA, unsigned startB, unsigned length);
    void Clear() { m_uCount = 0; }
    unsigned GetCount() const { return m_uCount; }
    // An index at or beyond the count ends the process.
    const Diag& Get(unsigned i) const;
    void Copy(const DiagList& list);
    // The runs of consecutive 'M' edges of the path at least g_uMinDiagLength long.
    void FromPath(const PWPath& path);
    // By start in A, ascending; equal starts keep their order.
    void Sort();
    // Kept for the callers that check it; the list does not track its order.
    bool IsSorted() const { return true; }
    // Of a list sorted by start in A, keeps the diagonals that can all lie on one alignment
    // path: of two that conflict the much shorter one goes (both when neither is four times
    // the other), then any remaining pair that crosses or is incompatible goes.
    void DeleteIncompatible();
    // Some listed diagonal lies on d's diagonal and shares an A position with it.
    bool NonZeroIntersection(const Diag& d) const;
    void LogMe() const;

private:
    unsigned m_uCount = 0;
    Diag m_Diags[MAX_DIAGS];
};

// On the same diagonal: the A positions the two share; otherwise 0.
unsigned DiagOverlap(const Diag& d1, const Diag& d2);
// Positions shared by the two A ranges (B ranges), whatever the diagonals.
unsigned DiagOverlapA(const Diag& d1, const Diag& d2);
unsigned DiagOverlapB(const Diag& d1, const Diag& d2);
// Sharing A positions is compatible only on the same diagonal; otherwise the B ranges must
// not share a position.
bool DiagCompatible(const Diag& d1, const Diag& d2);
// On the same diagonal, the gap between d1's end and the later start (0 when they overlap);
// meaningful when d1 comes first. Different diagonals: 0.
unsigned DiagBreak(const Diag& d1, const Diag& d2);
// Leaves the list as it is (diagonals are not merged).
void MergeDiags(DiagList& list);

// DP regions: the pieces of a diagonal-restricted alignment, each a diagonal taken as matched
// or a rectangle left to dynamic programming.

enum DPREGIONTYPE { DPREGIONTYPE_Diag = 1, DPREGIONTYPE_Rect = 2 };

// A diagonal uses m_uLengthA as its length; m_uLengthB belongs to rectangles only.
struct DPRegion {
    unsigned m_Type;
    unsigned m_uStartPosA;
    unsigned m_uStartPosB;
    unsigned m_uLengthA;
    unsigned m_uLengthB;
};

// A fixed array of regions inside the object.
class DPRegionList {
public:
    static constexpr unsigned MAX_REGIONS = 1024;

    // A 1025th region ends the process.
    void Add(const DPRegion& r);
    void Clear() { m_uCount = 0; }
    unsigned GetCount() const { return m_uCount; }
    const DPRegion& Get(unsigned i) const;
    // Cells of DP in the rectangles.
    unsigned GetDPArea() const;
    void LogMe() const;

private:
    unsigned m_uCount = 0;
    DPRegion m_Regions[MAX_REGIONS];
};

// Appends regions covering the whole lenA x lenB matrix: around each diagonal of the list (in
// list order, sorted and compatible) a rectangle, the diagonal less g_uDiagMargin positions at
// each end, and a final rectangle to the corner. A margin above half of g_uMinDiagLength, or a
// diagonal that does not lie after the one before it inside the matrix, ends the process.
void DiagListToDPRegionList(const DiagList& list, DPRegionList& regions, unsigned lenA, unsigned lenB);

// Finding diagonals.

// Clears the list, then adds the runs of at least g_uMinDiagLength positions whose residue
// groups (6 amino-acid groups) agree in A and B, found by indexing the 5-mers of the longer
// profile (the last occurrence of each) and scanning the shorter one; the scan resumes after
// each run. Profiles under 12 positions give none. Needs the amino alphabet.
void FindDiags(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, DiagList& list);
// The same for nucleotides: 4 groups (the letters), 7-mers, profiles of at least 23
// positions. Needs the DNA or RNA alphabet.
void FindDiagsNuc(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, DiagList& list);

// Alignment restricted to the rectangles between diagonals.

// Appends to path a global alignment of A and B: the compatible diagonals (FindDiags or
// FindDiagsNuc by alphabet) are taken as matched, less g_uDiagMargin positions at each end,
// and GlobalAlignNoDiags aligns each rectangle between them. The profiles are left unchanged.
// Returns 0.
float GlobalAlignDiags(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, PWPath& path);
// With g_bVerbose and g_bDiags: logs the share of DP area that the diagonals saved, over every
// call so far (not a number when there was none).
void ListDiagSavings();
// Both area counters back to 0, as at the start of the process.
void ResetDiagSavings();
