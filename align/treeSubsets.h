// Leaf sets and subtrees of a tree: leaves below a node, internal nodes by height, horizontal
// cuts into subtrees, and pruning to a tree of subtrees.
#pragma once

class Tree;

// Output arrays are the caller's, large enough for every leaf or node; counts are returned
// through the pointer.

// The leaves below node (node itself for a leaf or a one-node tree), left subtree first.
void GetLeaves(const Tree& tree, unsigned node, unsigned leaves[], unsigned* count);
// The same, leaving out the whole subtree of excluded.
void GetLeavesExcluding(const Tree& tree, unsigned node, unsigned excluded, unsigned leaves[], unsigned* count);
// ids[i] = leaf id of leaves[i].
void LeafIndexesToIds(const Tree& tree, const unsigned leaves[], unsigned count, unsigned ids[]);
// The (N - 1) / 2 internal nodes of a rooted tree by ascending height (ties in node order).
void GetInternalNodesInHeightOrder(const Tree& tree, unsigned nodes[]);
// Every non-root node n (in node order) with height(parent(n)) > height >= height(n): the
// subtrees that a horizontal line at that height cuts off.
void ClusterByHeight(const Tree& tree, double height, unsigned subtrees[], unsigned* count);
// wanted subtrees, made by splitting the listed subtree with the highest child until there are
// enough; every leaf (nodes 0 .. L-1) when wanted is at least the leaf count.
void ClusterBySubfamCount(const Tree& tree, unsigned wanted, unsigned subfams[], unsigned* count);
