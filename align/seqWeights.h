// Sequence weighting by the current method: the process-wide guide tree and its ClustalW
// weight vector, and the weights of an alignment about to be profiled.
#pragma once

#include "align/engineTypes.h"
#include "align/enums.h"

class MSA;
class Tree;

// Records (a copy of) the current guide tree; with the ClustalW method in force also computes
// the ClustalW weight of every leaf, stored by the leaf's sequence id so that alignments
// whose rows are in any order get the right weights.
void SetCorvidTree(const Tree& tree);
// Sets the alignment's weights by the method in force (GetSeqWeightMethod).
void SetMSAWeightsCorvid(MSA& msa);
// Each row gets the ClustalW weight of its sequence id; total 1.
void SetClustalWWeightsCorvid(MSA& msa);
// Three-way weights split at g_uTreeSplitNode1-g_uTreeSplitNode2 of the current tree, by row
// id, total 1; position-based Henikoff weights while no split is set.
void SetThreeWayWeightsCorvid(MSA& msa);
WEIGHT GetCorvidSeqWeightById(unsigned id);
// Leaves of the current guide tree (0 when none is set): the sequence ids it can weight.
unsigned GetCorvidTreeLeafCount();
// ClustalW and ThreeWay need a guide tree.
bool TreeNeededForWeighting(SEQWEIGHT method);
// Forgets the current tree and weight vector (start-of-process state).
void ResetCorvidWeights();
