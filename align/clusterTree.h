// ClusterTree: single-linkage clustering of alignment rows for the BLOSUM-style and GSC weights.
#pragma once

#include <vector>

class DistFunc;

// One node of a ClusterTree. Leaves have no children and index = alignment row.
struct ClusterNode {
    double m_dHeight = 0;  // distance at which the node was formed (0 for leaves)
    double m_dWeight = 0;  // the weight the GSC method distributes
    unsigned m_uIndex = 0;
    ClusterNode* m_ptrLeft = nullptr;
    ClusterNode* m_ptrRight = nullptr;
    ClusterNode* m_ptrParent = nullptr;
    ClusterNode* m_ptrNextDisjoint = nullptr;  // the list of clusters not yet joined
    ClusterNode* m_ptrPrevDisjoint = nullptr;

    // Leaves below (1 for a leaf).
    unsigned GetClusterSize() const;
    // Own height + the cluster weights of both children.
    double GetClusterWeight() const;
    // Own height - the child's height (0 without that child).
    double GetLeftBranchWeight() const;
    double GetRightBranchWeight() const;
    // Own height + the child's cluster weight (0 without that child).
    double GetLeftWeight() const;
    double GetRightWeight() const;
    // The i-th leaf below, left to right.
    const ClusterNode* GetClusterLeaf(unsigned i) const;
    void LogMe() const;
};

// 2N - 1 nodes for N leaves; the root is the last node.
class ClusterTree {
public:
    ClusterTree() = default;
    virtual ~ClusterTree();
    ClusterTree(const ClusterTree&) = delete;
    ClusterTree& operator=(const ClusterTree&) = delete;

    // Joins the two closest clusters (single linkage; the first closest pair in list order wins)
    // until one is left.
    void Create(const DistFunc& df);
    // Null for an empty tree.
    ClusterNode* GetRoot();
    const ClusterNode* GetRoot() const;
    unsigned GetNodeCount() const { return m_uNodeCount; }
    unsigned GetLeafCount() const { return m_uLeafCount; }
    void LogMe() const;

    void AddToDisjoints(ClusterNode* node);
    void DeleteFromDisjoints(ClusterNode* node);

private:
    unsigned m_uNodeCount = 0;
    unsigned m_uLeafCount = 0;
    std::vector<ClusterNode> m_Nodes;
    ClusterNode* m_ptrDisjoints = nullptr;
};
