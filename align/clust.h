// Clust: agglomerative clustering over all cluster pairs (neighbour joining or the UPGMA family).
#pragma once

#include <vector>

#include "align/engineTypes.h"
#include "align/enums.h"

class ClustSet;

// One node of the clustering: leaves 0 .. N-1, joins N .. 2N-2 in the order made.
struct ClustNode {
    unsigned m_uIndex = uInsane;
    unsigned m_uSize = uInsane;  // leaves below
    float m_dLength = BTInsane;  // branch length to the parent
    ClustNode* m_ptrLeft = nullptr;
    ClustNode* m_ptrRight = nullptr;
    ClustNode* m_ptrParent = nullptr;
    ClustNode* m_ptrNextCluster = nullptr;  // the list of clusters not yet joined
    ClustNode* m_ptrPrevCluster = nullptr;
    std::vector<unsigned> m_uLeafIndexes;  // leaves below, left subtree first
};

// Keeps the full triangular distance matrix over all 2N - 1 nodes and searches every pair of
// clusters for each join: O(N^3). Ties go to the first pair in list order (strict comparisons).
// The last node made, 2N - 2, is the root; Tree::FromClust turns the result into a tree.
class Clust {
public:
    Clust() = default;
    virtual ~Clust();
    Clust(const Clust&) = delete;
    Clust& operator=(const Clust&) = delete;

    // Runs the whole clustering of set's leaves (at least 2) by method.
    void Create(ClustSet& set, CLUSTER method);

    const ClustNode& GetNode(unsigned i) const;
    bool IsLeaf(unsigned i) const { return i < m_uLeafCount; }
    unsigned GetClusterSize(unsigned i) const;
    unsigned GetLeftIndex(unsigned i) const;
    unsigned GetRightIndex(unsigned i) const;
    float GetLength(unsigned i) const;
    unsigned GetLeafCount() const { return m_uLeafCount; }
    unsigned GetNodeCount() const { return m_uNodeCount; }
    unsigned GetClusterCount() const { return m_uClusterCount; }
    // 0 for a leaf.
    float GetHeight(unsigned i) const;
    const char* GetNodeName(unsigned i) const;
    // The set's id for a leaf, 0 otherwise.
    unsigned GetNodeId(unsigned i) const;
    // The k-th leaf below node.
    unsigned GetLeaf(unsigned node, unsigned k) const;
    // Walk of the clusters not yet joined; uInsane at the end.
    unsigned GetFirstCluster() const;
    unsigned GetNextCluster(unsigned i) const;

    // D(i, i) is 0; the diagonal has no storage.
    float GetDist(unsigned i, unsigned j) const;
    void SetDist(unsigned i, unsigned j, float dist);
    unsigned VectorIndex(unsigned i, unsigned j) const;
    void SetLeafCount(unsigned leafCount);

    // Neighbour-joining quantities: r(i) = sum of D(i, j) over the other clusters / (clusters - 2),
    // and the join metric of two clusters.
    float Calc_r(unsigned i) const;
    float ComputeMetric(unsigned i, unsigned j) const;
    // Mean over both children of (branch length + child height).
    float NodeHeight(unsigned i) const;

    void LogMe() const;

private:
    void CreateCluster();
    void ChooseJoin(unsigned* left, unsigned* right, float* leftLength, float* rightLength);
    void GetMinMetricBruteForce(unsigned* i, unsigned* j);
    void JoinNodes(unsigned left, unsigned right, float leftLength, float rightLength, unsigned join);
    float ComputeDist(unsigned join, unsigned other) const;
    void AddToClusterList(unsigned i);
    void DeleteFromClusterList(unsigned i);

    JOIN m_JoinStyle = JOIN_Undefined;
    LINKAGE m_CentroidStyle = LINKAGE_Undefined;
    std::vector<ClustNode> m_Nodes;
    unsigned m_uLeafCount = 0;
    unsigned m_uNodeCount = 0;
    unsigned m_uClusterCount = 0;
    unsigned m_uTriangularMatrixSize = 0;
    std::vector<float> m_dDist;
    ClustSet* m_ptrSet = nullptr;
    ClustNode* m_ptrClusterList = nullptr;
};
