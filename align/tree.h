// Tree: the engine's binary guide tree, rooted or unrooted, nodes as indexes into parallel arrays.
#pragma once

#include <memory>
#include <vector>

#include "align/engineTypes.h"
#include "align/enums.h"

class Clust;
class TextFile;

// Tokens of the Newick reader (names from Tree::NTTStr).
enum NEWICK_TOKEN_TYPE {
    NTT_Unknown = 0,
    NTT_Lparen = 1,
    NTT_Rparen = 2,
    NTT_Colon = 3,
    NTT_Comma = 4,
    NTT_Semicolon = 5,
    NTT_String = 6,
    NTT_SingleQuotedString = 7,  // a quoted text that ran to the end of the file
    NTT_DoubleQuotedString = 8,
    NTT_Comment = 9,  // a comment that ran to the end of the file
};

// Every node has up to three neighbour slots. In a rooted tree slot 1 is the parent (NO_INDEX
// at the root), slot 2 the left child and slot 3 the right child; a rooted tree with L leaves
// has 2L - 1 nodes. In an unrooted tree an internal node uses all three slots and a leaf only
// slot 1; it has 2L - 2 nodes. Each edge is stored at both ends with the same length and
// has-length flag. Accessors taking a node index do not range-check it; callers pass valid
// nodes. Every structural fault ends the process through Quit, most after a LogMe dump.
class Tree {
public:
    Tree() = default;
    virtual ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // Construction and storage.
    // Frees names and arrays: no nodes, no capacity, unrooted, root 0.
    void Clear();
    // Allocates every per-node array with capacity entries, all in the fresh-node state.
    void InitCache(unsigned capacity);
    // Capacity + 100; new entries get leaf id 0xFFFFFFFF and no name.
    void ExpandCache();
    // One node (node 0), the root.
    void CreateRooted();
    // Two leaves joined by an edge of the given length (node count 2).
    void CreateUnrooted(double length);
    // Gives node two new children n, n + 1 (n = old node count) at length 0; returns n.
    unsigned AppendBranch(unsigned node);
    // A rooted tree of 2 * leafCount - 1 nodes: leaves 0 .. leafCount - 1, internal node k is
    // node leafCount + k with children left[k], right[k] (node indexes); the root is node
    // leafCount + root.
    void Create(unsigned leafCount, unsigned root, const unsigned left[], const unsigned right[],
                const float leftLength[], const float rightLength[], const unsigned leafIds[],
                const char* const leafNames[]);
    // The finished clustering, node for node; the root is its last node.
    void FromClust(const Clust& c);
    void Copy(const Tree& tree);

    void SetLeafName(unsigned node, const char* name);
    void SetLeafId(unsigned node, unsigned id);
    // Null for internal nodes and unnamed leaves.
    const char* GetLeafName(unsigned node) const;
    unsigned GetLeafId(unsigned node) const;

    unsigned GetNodeCount() const { return m_uNodeCount; }
    bool IsRooted() const { return m_bRooted; }
    unsigned GetRootNodeIndex() const { return m_uRootNodeIndex; }
    unsigned GetParent(unsigned node) const { return m_uNeighbor[0][node]; }
    unsigned GetLeft(unsigned node) const { return m_uNeighbor[1][node]; }
    unsigned GetRight(unsigned node) const { return m_uNeighbor[2][node]; }
    // Exactly one slot in use, or the only node of a one-node tree.
    bool IsLeaf(unsigned node) const;
    bool IsRoot(unsigned node) const { return m_bRooted && node == m_uRootNodeIndex; }
    unsigned GetLeafCount() const;

    // Edges.
    bool IsEdge(unsigned a, unsigned b) const;
    // Slot 0, 1 or 2 (neighbour 1, 2 or 3).
    unsigned GetNeighbor(unsigned node, unsigned slot) const;
    // Slot (0..2) holding nbr, slot 1 tested first; NO_INDEX when none does.
    unsigned GetNeighborSubscript(unsigned node, unsigned nbr) const;
    // First / second neighbour in slot order that is neither NO_INDEX nor excluded.
    unsigned GetFirstNeighbor(unsigned node, unsigned excluded) const;
    unsigned GetSecondNeighbor(unsigned node, unsigned excluded) const;
    // The length of edge a-b; ends the process when a-b is not an edge or has no length.
    double GetEdgeLength(unsigned a, unsigned b) const;
    // False when a-b is not an edge.
    bool HasEdgeLength(unsigned a, unsigned b) const;
    // Sets the length on both ends of edge a-b.
    void SetEdgeLength(unsigned a, unsigned b, double length);
    unsigned GetLeafParent(unsigned leaf) const;
    // The i-th leaf in node order.
    unsigned LeafIndexToNodeIndex(unsigned leafIndex) const;
    // The first leaf named exactly name.
    unsigned GetLeafNodeIndex(const char* name) const;
    // The lowest-numbered internal node; NO_INDEX when there is none.
    unsigned GetAnyNonLeafNode() const;
    // Leaves on b's side of edge a-b; *sum adds the lengths of their terminal edges.
    unsigned GetLeafCountUnrooted(unsigned a, unsigned b, double* sum) const;

    // Post-order walks (children before parents, the root last): left subtree first, or with
    // R the right subtree first. NO_INDEX after the root.
    unsigned FirstDepthFirstNode() const;
    unsigned NextDepthFirstNode(unsigned node) const;
    unsigned FirstDepthFirstNodeR() const;
    unsigned NextDepthFirstNodeR(unsigned node) const;

    // Height of a node of a rooted tree: the mean over its two children of (length to the
    // child, negative counting 0) + the child's height; 0 for leaves. Cached until an edge
    // length or the tree's shape changes.
    double GetNodeHeight(unsigned node) const;

    // Diagnostics.
    void LogMe() const;
    void AssertAreNeighbors(unsigned a, unsigned b) const;
    void ValidateNode(unsigned node) const;
    void Validate() const;

    // Rooting (rootTree.cpp).
    // Joins the root's two children by one edge and deletes the root node.
    void UnrootByDeletingRoot();
    // Puts a new root on the edge chosen by FindRoot with the given method.
    void RootUnrootedTree(ROOT method);
    // Moves parent into slot 1 of node and of everything below it, recursively.
    void OrientParent(unsigned node, unsigned parent);

    // Newick files (newick.cpp). The reader takes "(A,B);" as a rooted tree and "(A,B,C);"
    // (three top-level groups) as an unrooted one; node 0 is the top group and every '(' adds
    // two nodes in reading order. Names may be quoted ('' inside single quotes is one quote),
    // [comments] are skipped, and whatever follows the final ';' is not read. Anything else
    // (a third member below the top level, a length that is not a number, a missing ')' or
    // ';') ends the process. The writers quote names that need it, so a tree written and read
    // back is the same tree.
    void FromFile(TextFile& file);
    void ToFile(TextFile& file) const;
    NEWICK_TOKEN_TYPE GetToken(TextFile& file, char* buffer, unsigned size) const;
    // Reads one group of at most two members into node; returns whether a length followed it.
    bool GetGroupFromFile(TextFile& file, unsigned node, double* length);
    unsigned UnrootFromFile();
    void ToFileNodeRooted(TextFile& file, unsigned node) const;
    void ToFileNodeUnrooted(TextFile& file, unsigned node, unsigned from) const;
    static const char* NTTStr(NEWICK_TOKEN_TYPE type);

    // This tree becomes source reduced to the given subtrees, each one leaf "Subfam_<k+1>"
    // (treeSubsets.cpp).
    void PruneTree(const Tree& source, const unsigned subfams[], unsigned count);

private:
    // An edge length or height that was never set.
    static constexpr double UNSET_LENGTH = -9e29;

    // Where the reader stands after a group: whether a third top-level group follows.
    bool GetGroupFromFileR(TextFile& file, unsigned node, double* length, bool top, bool* thirdGroup);
    // Puts node into the fresh-node state.
    void InitNode(unsigned node, unsigned leafId);
    // Links child below parent in the given slot (1 or 2) with an optional length.
    void LinkChild(unsigned parent, unsigned slot, unsigned child, double length, bool hasLength);
    void InvalidateHeights() const;
    unsigned UsedSlotCount(unsigned node) const;

    unsigned m_uNodeCount = 0;
    unsigned m_uCacheCount = 0;  // capacity of every per-node array
    std::vector<unsigned> m_uNeighbor[3];
    std::vector<double> m_dEdgeLength[3];
    std::vector<bool> m_bHasEdgeLength[3];
    mutable std::vector<double> m_dHeight;
    mutable std::vector<bool> m_bHasHeight;
    mutable bool m_bAnyHeightCached = false;
    std::vector<unsigned> m_Ids;
    std::vector<std::unique_ptr<char[]>> m_ptrName;
    bool m_bRooted = false;
    unsigned m_uRootNodeIndex = 0;
};
