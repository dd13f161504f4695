// Three-way (Gotoh) sequence weights over a guide tree read as unrooted.
#pragma once

class Tree;

// A rooted tree is read as unrooted: the root's two edges count as one edge whose length is
// their sum, and the root is never an argument.

// weights[leaf id] for every leaf, split at the edge nodeP-nodeQ (a root argument is replaced
// by its first neighbour seen from the other node). Every leaf receives the length of its own
// terminal edge. Leaf ids must be below the leaf count.
void CalcThreeWayWeights(const Tree& tree, unsigned nodeP, unsigned nodeQ, float weights[]);
// Three values per node (edgeWeights[node][slot]); the root's slots are left as they are.
void CalcThreeWayEdgeWeights(const Tree& tree, float** edgeWeights);
// Length of the edge r-a (negative counts 0) plus, below an internal a, x*y/(x + y) of the
// Gotoh lengths x, y of a's two other edges.
double GetGotohLength(const Tree& tree, unsigned r, unsigned a);
// Gotoh's three-way weight of the branch to a at the internal node r whose other neighbours
// are b and c; 1 when the lengths are too small to tell.
double GotohThreeWay(const Tree& tree, unsigned a, unsigned b, unsigned c, unsigned r);
