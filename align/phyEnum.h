// Enumeration of a tree's edges and of the leaf bipartitions they define.
#pragma once

// Where an enumeration stands; start with a default-constructed state.
struct PhyEnumEdgeState {
    bool m_bInit = false;
    unsigned m_uNodeIndex1 = 0;
    unsigned m_uNodeIndex2 = 0;
};

class Tree;

// Each call delivers the next edge (node, its slot-1 neighbour) in post order, skipping the
// root of a rooted tree; false when there are no more (or the tree has fewer than 2 nodes).
bool PhyEnumEdges(const Tree& tree, PhyEnumEdgeState& state);
// The same in mirrored post order (right subtree first).
bool PhyEnumEdgesR(const Tree& tree, PhyEnumEdgeState& state);
// Each call delivers the two leaf sets on either side of the next edge; in a rooted tree the
// edge from the root to its right child is skipped (both root edges give one bipartition).
bool PhyEnumBiParts(const Tree& tree, PhyEnumEdgeState& state, unsigned leaves1[], unsigned* count1,
                    unsigned leaves2[], unsigned* count2);
