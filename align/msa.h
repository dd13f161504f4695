// MSA: one multiple alignment, rows of equal length with names, ids and weights.
#pragma once

#include "align/alpha.h"
#include "align/engineTypes.h"
#include "align/enums.h"

struct ClusterNode;
class ClusterTree;
class Seq;
class TextFile;
class Tree;

// '-' and '.' are gaps; anything else is a letter. Every accessor checks its indexes and ends
// the process on a bad one. Ids are optional: they exist once the process-wide id count is set
// (SetIdCount) and a row received one; an id slot without a row holds NO_INDEX. Weights are
// BTInsane (-9e29) until set.
class MSA {
public:
    MSA() = default;
    virtual ~MSA();
    MSA(const MSA&) = delete;
    MSA& operator=(const MSA&) = delete;

    // Construction, size and copies.
    // Releases everything; counts and capacities become 0.
    void Free();
    // n rows with room for cols columns, no columns in use; ids and weights unset.
    void SetSize(unsigned seqCount, unsigned colCount);
    void SetSeqCount(unsigned seqCount);
    void FromSeq(const Seq& s);
    void Copy(const MSA& b);
    // b's row j letters and name into row i.
    void CopySeq(unsigned i, const MSA& b, unsigned j);
    // The reading cache: takes ownership of both buffers (new[]; letters holds length + 1
    // bytes with a NUL at length). Every row must have the alignment's length.
    void AppendSeq(char* letters, unsigned length, char* name);
    void ExpandCache(unsigned capacity, unsigned length);
    void DeleteSeq(unsigned row);
    void DeleteCol(unsigned col);
    void DeleteColumns(unsigned col, unsigned count);
    void CopyCol(unsigned fromCol, unsigned toCol);

    unsigned GetSeqCount() const { return m_uSeqCount; }
    unsigned GetColCount() const { return m_uColCount; }

    // Letters and columns. The hot accessors are inline (below the class) with their checks.
    char GetChar(unsigned row, unsigned col) const;
    bool IsGap(unsigned row, unsigned col) const;
    bool IsWildcard(unsigned row, unsigned col) const;
    // Letter number (< 20); anything else ends the process.
    unsigned GetLetter(unsigned row, unsigned col) const;
    // Extended letter number: letters, wildcards above 19, gaps 23.
    unsigned GetLetterEx(unsigned row, unsigned col) const;
    static bool IsLegalLetter(unsigned letter) { return letter < 20; }
    // col may be the column capacity: then every row grows by 500 columns filled with '?'.
    void SetChar(unsigned row, unsigned col, char c);
    char* GetSeqBuffer(unsigned row);
    const char* GetSeqBuffer(unsigned row) const;
    bool IsGapColumn(unsigned col) const;
    bool IsEmptyCol(unsigned col) const { return IsGapColumn(col); }
    bool ColumnHasGap(unsigned col) const;
    bool HasGap() const;
    // Non-gap characters of the row in columns 0 .. col.
    unsigned GetCharCount(unsigned row, unsigned col) const;
    unsigned GetSeqLength(unsigned row) const;
    // Fraction of rows without a gap in the column (NaN without rows).
    float GetOcc(unsigned col) const;
    unsigned UniqueResidueTypes(unsigned col) const;
    // The row without gaps, upper case, named like the row, id not set.
    void GetSeq(unsigned row, Seq& s) const;
    static bool SeqsEq(const MSA& a, unsigned i, const MSA& b, unsigned j);

    // Names.
    void SetSeqName(unsigned row, const char* name);
    // Null until set.
    const char* GetSeqName(unsigned row) const;
    bool GetSeqIndex(const char* name, unsigned* index) const;

    // Ids. The process-wide id count is fixed by the first call and may not grow.
    static void SetIdCount(unsigned count);
    static unsigned GetIdCount() { return m_uIdCount; }
    // Forgets the id count, for test fixtures that need a fresh process state.
    static void ResetIdCount() { m_uIdCount = 0; }
    void SetSeqId(unsigned row, unsigned id);
    unsigned GetSeqId(unsigned row) const;
    bool HasIds() const { return m_SeqIndexToId != nullptr; }
    // The row that holds sequence id; an id without a row ends the process.
    unsigned GetSeqIndex(unsigned id) const;
    bool GetSeqIndex(unsigned id, unsigned* index) const;

    // Weights.
    WEIGHT GetSeqWeight(unsigned row) const;
    void SetSeqWeight(unsigned row, WEIGHT w);
    WEIGHT GetTotalSeqWeight() const;
    bool WeightsSet() const;
    void UnWeight();
    void NormalizeWeights(WEIGHT total);
    [[noreturn]] void CalcWeights() const;
    [[noreturn]] unsigned AlignedColIndexToColIndex(unsigned col) const;

    // Weighting methods (msaWeights.cpp): each sets the weight of every row; the totals are 1
    // except for GSC and BLOSUM.
    void SetUniformWeights();
    // Per column, every row with letter x adds 1 / (distinct letters x rows with x); gaps and
    // amino wildcards do not count. All-gap rows get 0; when every row has 0 the weights are
    // uniform. One or two rows weigh 1 or 0.5 each.
    void SetHenikoffWeights();
    void CalcHenikoffWeightsCol(unsigned col);
    // Position-based: gaps and wildcards are a 21st symbol; a column of one symbol adds
    // nothing, otherwise a row adds 1 / (rows with its symbol).
    void SetHenikoffWeightsPB();
    void CalcHenikoffWeightsColPB(unsigned col);
    bool IsGapSeq(unsigned row) const;
    // Gerstein-Sonnhammer-Chothia weights over the single-linkage identity tree (not normalised).
    void SetGSCWeights();
    void SetSubtreeGSCWeight(ClusterNode* node);
    void SetSubtreeWeight2(const ClusterNode* node);
    // 1 / cluster size for clusters of rows cut from the single-linkage tree of 1 - identity at
    // 0.38 (identity above 0.62); returns the number of clusters. tree receives the clustering.
    unsigned CalcBLOSUMWeights(ClusterTree& tree);
    unsigned SetBLOSUMNodeWeight(const ClusterNode* node, double minHeight);
    void SetBLOSUMSubtreeWeight(const ClusterNode* node, double weight);
    // ClustalW weights of the tree's leaves into the rows with the leaves' ids (clustalWWeights.cpp).
    void SetClustalWWeights(const Tree& tree);
    // "Weights:", one line per row and the total, through Log.
    void ListWeights() const;

    // Statistics.
    void GetPWID(unsigned i, unsigned j, double* pctId, unsigned* positions) const;
    double GetPctIdentityPair(unsigned i, unsigned j) const;
    double GetPctGroupIdentityPair(unsigned i, unsigned j) const;
    float GetCons(unsigned col) const;
    float GetAvgCons() const;
    // Like SeqVect::GuessAlpha but RNA is tested before DNA.
    ALPHA GuessAlpha() const;
    void FixAlpha();
    void LogMe() const;

    // Files: FASTA (fasta.cpp); the other writers each in their own file (msaFiles.h).
    void FromFile(TextFile& file) { FromFASTAFile(file); }
    void FromFASTAFile(TextFile& file);
    void ToFASTAFile(TextFile& file) const;
    // ClustalW, with the strict header when g_bClwStrict is set.
    void ToAlnFile(TextFile& file) const;
    // MSF (GCG), gaps printed as '.'. Sets the weights first (SetMSAWeightsCorvid) and prints
    // them; the alignment's letters are left as they are. comment may be null.
    void ToMSFFile(TextFile& file, const char* comment = nullptr);
    // MSF checksum of the row as the MSF file prints it, gaps as '.'.
    unsigned GetGCGCheckSum(unsigned row) const;
    void ToPhySequentialFile(TextFile& file) const;
    void ToPhyInterleavedFile(TextFile& file) const;
    void ToHTMLFile(TextFile& file) const;
    // The format of the first output flag set among g_bMSF, g_bAln, g_bHTML, g_bPHYS and
    // g_bPHYI, FASTA when none is; then the score file when g_pstrScoreFileName is set.
    void ToFile(TextFile& file);

private:
    void AllocMSAArrays(unsigned seqCount, unsigned colCount);
    void CheckRow(unsigned row, const char* operation) const {
        if (row >= m_uSeqCount) BadRow(row, operation);
    }
    void CheckCell(unsigned row, unsigned col) const {
        if (row >= m_uSeqCount || col >= m_uColCount) BadCell(row, col);
    }
    // The failures of the checks, out of line: each ends the process.
    [[noreturn]] void BadRow(unsigned row, const char* operation) const;
    [[noreturn]] void BadCell(unsigned row, unsigned col) const;
    [[noreturn]] void BadLetter(unsigned row, unsigned col, char c, unsigned letter) const;
    [[noreturn]] void UnsetWeight() const;
    // SetChar at the column capacity (growing every row) or out of range.
    void SetCharSlow(unsigned row, unsigned col, char c);
    void AllocIdArrays();

    unsigned m_uSeqCount = 0;
    unsigned m_uColCount = 0;
    unsigned m_uColCapacity = 0;  // every row buffer holds m_uColCapacity + 1 bytes
    unsigned m_uRowCapacity = 0;  // rows allocated by the reading cache
    char** m_szSeqs = nullptr;
    char** m_szNames = nullptr;
    unsigned* m_IdToSeqIndex = nullptr;  // m_uIdCount entries
    unsigned* m_SeqIndexToId = nullptr;  // one per row
    WEIGHT* m_Weights = nullptr;

    static unsigned m_uIdCount;
};

inline char MSA::GetChar(unsigned row, unsigned col) const {
    CheckCell(row, col);
    return m_szSeqs[row][col];
}

inline bool MSA::IsGap(unsigned row, unsigned col) const { return IsGapChar(GetChar(row, col)); }

inline unsigned MSA::GetLetter(unsigned row, unsigned col) const {
    const char c = GetChar(row, col);
    const unsigned letter = CharToLetter(c);
    if (letter >= 20) BadLetter(row, col, c, letter);
    return letter;
}

inline void MSA::SetChar(unsigned row, unsigned col, char c) {
    if (row >= m_uSeqCount || col >= m_uColCapacity) return SetCharSlow(row, col, c);
    m_szSeqs[row][col] = c;
    if (col >= m_uColCount) m_uColCount = col + 1;
}

inline WEIGHT MSA::GetSeqWeight(unsigned row) const {
    CheckRow(row, "GetSeqWeight");
    const WEIGHT w = m_Weights[row];
    if (w == BTInsane) UnsetWeight();
    return w;
}
