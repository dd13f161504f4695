// The two builders of guide trees: from unaligned sequences and from the rows of an alignment.
#pragma once

#include "align/enums.h"

class MSA;
class SeqVect;
class Tree;

// Distances of the unaligned sequences (DistUnaligned), clustered by UPGMA2 with the linkage
// of the UPGMA family or by neighbour joining, then rooted by FixRoot. Leaf i is sequence i
// with its name and id. With distMxFile, the lower triangle of the distances is written there
// first, headed by the sequence count.
void TreeFromSeqVect(const SeqVect& v, Tree& tree, CLUSTER cluster, DISTANCE distance, ROOT root,
                     const char* distMxFile);
// The same from identity-based distances of the alignment's rows (leaf i is row i with its
// name and id). The dump is a lower triangle headed by the row count for the UPGMA family and
// a full square without a count for neighbour joining.
void TreeFromMSA(const MSA& a, Tree& tree, CLUSTER cluster, DISTANCE distance, ROOT root, const char* distMxFile);
