// ClustalW sequence weights from a guide tree: each edge's length shared among the leaves below.
#pragma once

class Tree;

// One weight per leaf, by leaf index (the i-th leaf in node order): the sum over the edges from
// the leaf to the root of length / leaves below; a sum below 1e-4 counts as 1. Normalised to a
// total of 1. One leaf weighs 1 and two leaves 0.5 each (the only unrooted trees allowed).
void CalcClustalWWeights(const Tree& tree, float weights[]);
// The same weights by leaf id: weights[id] belongs to the leaf with that sequence id. The ids
// must be 0 .. L-1, each once.
void CalcClustalWWeightsByLeafId(const Tree& tree, float weights[]);
