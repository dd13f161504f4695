// UPGMA2: the engine's agglomerative clustering of the UPGMA family into a rooted guide tree.
#pragma once

#include "align/enums.h"

class DistCalc;
class Tree;

// Builds a rooted tree over dc's rows (leaf i = row i, with its name and id), joining the two
// nearest clusters at each step with the linkage Min, Avg, Max or Biased. Each slot keeps one
// nearest-neighbour candidate that is never recomputed after a join, so that a join costs one
// pass over the clusters; this cache decides which pair is joined and which child is left,
// and on non-ultrametric distances gives a different tree from textbook UPGMA. The root is
// node 2N - 2, the last join. One row gives a one-node tree; no rows, or a distance that is
// NaN or infinite, end the process.
void UPGMA2(const DistCalc& dc, Tree& tree, LINKAGE linkage);
