// Rooting of guide trees: keep the clustering root, or re-root at the middle of the longest
// leaf-to-leaf path or where the mean leaf distances of the two sides balance.
#pragma once

#include "align/enums.h"

class Tree;

// Pseudo keeps the root of a rooted tree; MidLongestSpan and MinAvgLeafDist delete it and place
// a new one (a one-node tree stays as it is). The tree must be rooted.
void FixRoot(Tree& tree, ROOT method);
// The edge node1-node2 of an unrooted tree with at least 2 nodes where the root goes, and the
// lengths of the new edges root-node1 and root-node2. Every edge must have a length.
void FindRoot(const Tree& tree, unsigned* node1, unsigned* node2, double* length1, double* length2, ROOT method);
// Raises every edge length below minLength to minLength.
void ApplyMinEdgeLength(Tree& tree, double minLength);
