// Tree comparison: the subtrees two rooted trees over the same leaf ids have in common.
#pragma once

class Tree;

// Both trees rooted with the same node count N; leaf ids 0 .. L-1 (L = (N + 1) / 2). diffs
// becomes the old tree's shape above the largest subtrees that the new tree also has (same
// leaves, formed by the same sibling merges); each such subtree is one leaf of diffs, and
// idToDiffsLeaf[id] is the diffs leaf that holds sequence id. Identical trees give a
// one-node diffs with every id at node 0. diffs has no names, ids or lengths.
void DiffTrees(const Tree& oldTree, const Tree& newTree, Tree& diffs, unsigned idToDiffsLeaf[]);
// nodeMap[n] for every node n of tree1: the node of tree2 with exactly the same leaf set
// (built bottom-up through sibling merges), or NO_INDEX.
void DiffTreesE(const Tree& tree1, const Tree& tree2, unsigned nodeMap[]);
