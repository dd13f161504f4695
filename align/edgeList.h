// EdgeList: a growable list of node pairs (the work lists of tree rooting).
#pragma once

#include <vector>

class EdgeList {
public:
    EdgeList() = default;
    virtual ~EdgeList();

    void Clear();
    void Add(unsigned a, unsigned b);
    // Room for 512 more edges.
    void Expand();
    unsigned GetCount() const { return m_uCount; }
    void GetEdge(unsigned i, unsigned* a, unsigned* b) const;
    void Copy(const EdgeList& other);
    // "a->b" per edge, separated by blanks, through Log.
    void LogMe() const;

private:
    unsigned m_uCount = 0;
    unsigned m_uCacheSize = 0;
    std::vector<unsigned> m_uNode1;
    std::vector<unsigned> m_uNode2;
};
