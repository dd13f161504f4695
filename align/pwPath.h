// PWPath: a pairwise alignment of two profiles (or alignments) as a list of M, D and I edges,
// its text file form, and the comparison of two paths.
#pragma once

#include <memory>

class MSA;
class TextFile;

// One column of the joined alignment: 'M' a column of A with a column of B, 'D' a column of A
// against a gap, 'I' a gap against a column of B. The prefix lengths count the columns of A
// and B used up to and including this edge.
struct PWEdge {
    char cType;
    unsigned uPrefixLengthA;
    unsigned uPrefixLengthB;

    bool Equal(const PWEdge& e) const {
        return cType == e.cType && uPrefixLengthA == e.uPrefixLengthA && uPrefixLengthB == e.uPrefixLengthB;
    }
};

// Copies are deep: each path owns its own edge array.
class PWPath {
public:
    PWPath() = default;
    virtual ~PWPath() = default;
    PWPath(const PWPath& other) { Copy(other); }
    PWPath& operator=(const PWPath& other) {
        if (this != &other) Copy(other);
        return *this;
    }

    void Clear();
    // Room for n more edges (the edges are kept).
    void ExpandPath(unsigned n);
    // The array grows by 200 edges at first and then doubles. A traceback appends its edges
    // from the end of the path into room made for all of them beforehand (ExpandPath), then
    // reverses them once.
    void AppendEdge(const PWEdge& e);
    void AppendEdge(char type, unsigned prefixA, unsigned prefixB);
    // The edges in the opposite order.
    void Reverse();

    unsigned GetEdgeCount() const { return m_uEdgeCount; }
    // No range check: i must be below the edge count.
    const PWEdge& GetEdge(unsigned i) const { return m_Edges[i]; }
    unsigned GetMatchCount() const;
    unsigned GetInsertCount() const;
    unsigned GetDeleteCount() const;

    void Copy(const PWPath& other);
    bool Equal(const PWPath& other) const;
    // As Equal; a difference is logged and ends the process.
    void AssertEqual(const PWPath& other) const;
    // Each edge after the first must advance the prefix lengths as its type says.
    void Validate() const;
    void LogMe() const;

    // One edge per column of two alignments of equal length (none where both are all gaps).
    void FromMSAPair(const MSA& a, const MSA& b);
    // One edge per character of a string of 'M', 'D' and 'I'.
    void FromStr(const char* text);

    // "Path", "edges <n>", one "<index> <type> <prefixA> <prefixB>" line per edge, "//".
    void ToFile(TextFile& file) const;
    void FromFile(TextFile& file);

private:
    void Grow(unsigned n);

    unsigned m_uEdgeCount = 0;
    unsigned m_uArraySize = 0;
    std::unique_ptr<PWEdge[]> m_Edges;
};

// The edges that the two paths do not share: indexes into p1 and into p2. The index arrays
// must hold as many entries as their path has edges.
void DiffPaths(const PWPath& p1, const PWPath& p2, unsigned edges1[], unsigned* count1, unsigned edges2[],
               unsigned* count2);
// Runs DiffPaths on two fixed paths (a smoke test of the walk).
void TestDiffPaths();
