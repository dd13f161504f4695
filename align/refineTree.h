// Tree refinement: a new guide tree from the alignment, and realignment of only the subtrees
// whose membership changed.
#pragma once

struct ProgNode;
class MSA;
class SeqVect;
class Tree;

// Up to g_uMaxTreeRefineIters rounds: a tree from the alignment (second-stage clustering,
// distance and rooting), DiffTrees against the current tree, and RealignDiffs while the number
// of changed groups keeps falling. tree receives the last tree built; msa the realignment.
void RefineTree(MSA& msa, Tree& tree);
// out = the alignment rebuilt along diffTree: each diffTree leaf is the sub-alignment of the
// sequence ids mapped to it (all-gap columns removed), internal nodes align their children.
void RealignDiffs(const MSA& msa, const Tree& diffTree, const unsigned idToDiffNode[], MSA& out);

// The same for the profile-merging path: one round; when the new tree's root has no
// counterpart in the old tree, nodes with a counterpart keep their profiles and edit strings
// and only the others are merged again. nodes is the array of ProgressiveAlignE.
void RefineTreeE(MSA& msa, const SeqVect& v, Tree& tree, ProgNode* nodes);
void RealignDiffsE(const MSA& msa, const SeqVect& v, const Tree& newTree, const Tree& oldTree,
                   const unsigned newToOld[], MSA& out, ProgNode* oldNodes);
