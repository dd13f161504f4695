// Progressive alignment: sequences joined pairwise up a rooted guide tree, children first.
#pragma once

struct ProgNode;
class MSA;
class SeqVect;
class Tree;

// Every leaf is the one-row alignment of sequence (leaf id); every internal node aligns its
// left child's alignment (rows first) with its right child's. out is the root's alignment.
// Leaf ids must be 0 .. N-1, each once.
void ProgressiveAlign(const SeqVect& v, const Tree& tree, MSA& out);
// The same by merging profiles (ClustalW leaf weights), keeping every node's profile, path and
// edit strings; out is built from the composed edit strings (MakeRootMSA, or
// MakeRootMSABrenner with g_bBrenner). Returns the node array (new[], 2N - 1 nodes): the
// caller releases each node with DeleteProgNode and then the array.
ProgNode* ProgressiveAlignE(const SeqVect& v, const Tree& tree, MSA& out);
// The final alignment of the profile-merging path: per leaf, its edit strings composed up to
// the root and applied to its sequence. Leaves in depth-first order, or in node order with
// g_bStable. The composed edit string of each leaf is kept in its node (m_EstringL).
void MakeRootMSA(const SeqVect& v, const Tree& tree, ProgNode* nodes, MSA& out);
// The same by aligning each sequence, gaps forbidden inside it, to the root profile.
void MakeRootMSABrenner(const SeqVect& v, const Tree& tree, ProgNode* nodes, MSA& out);
