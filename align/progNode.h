// ProgNode: the per-tree-node record of progressive alignment.
#pragma once

#include "align/engineTypes.h"
#include "align/msa.h"
#include "align/pwPath.h"

struct ProfPos;

// One record per guide-tree node, in an array indexed by node (2N - 1 nodes for N sequences),
// made with new[] and destroyed as a whole. The profile and the edit strings are used by the
// profile-merging path (ProgressiveAlignE) and its tree refinement only; they are owned by the
// record's holder and released with DeleteProgNode.
struct ProgNode {
    MSA m_MSA;                     // the node's alignment, emptied once its parent is aligned
    ProfPos* m_Prof = nullptr;     // the node's profile (new[])
    PWPath m_Path;                 // the path that joined the two children
    int* m_EstringL = nullptr;     // edit string of the first child's side (a leaf: its composed edits)
    int* m_EstringR = nullptr;     // edit string of the second child's side
    unsigned m_uLength = 0;        // columns of the node's alignment or profile
    WEIGHT m_Weight = 0;           // a leaf's ClustalW weight; an internal node's children's sum
};

// Releases the node's profile and edit strings and clears the pointers.
void DeleteProgNode(ProgNode& node);
// Aligns the two children's alignments into the node's (m_MSA and m_uLength) and empties the
// children's, which the node now holds.
void JoinChildMSAs(ProgNode& left, ProgNode& right, ProgNode& node);
