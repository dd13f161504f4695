// Sub-family alignment: the guide tree cut into sub-families (the largest subtrees with at most
// a given number of leaves), the outside aligner on the sequences of one, and the -pas command
// that joins their alignments along the tree.
#pragma once

class MSA;
class SeqVect;
class Tree;

// subfams (room for one entry per leaf) receives the sub-family roots, *count their number:
// nothing for a one-node tree or a leaf root, otherwise as SubFamRecurse from the root.
void SubFam(const Tree& tree, unsigned maxLeaves, unsigned subfams[], unsigned* count);
// Returns the number of leaves below node and appends the sub-family roots found there: a
// node whose subtree has at most maxLeaves leaves while its parent's has more (so a lone leaf
// under a too-large node is one), or the root when the whole tree fits, in which case the list
// must be empty. Children come left first, and the roots found inside a too-large node's
// children come before its own fitting children. maxLeaves 0 finds none.
unsigned SubFamRecurse(const Tree& tree, unsigned node, unsigned maxLeaves, unsigned subfams[], unsigned* count);
// Sets flags[n] for every node n strictly below node.
void MarkSubtreeNodes(const Tree& tree, unsigned node, char flags[]);

// out = the alignment that the outside aligner "probcons" (found on PATH) makes of the
// sequences of the leaves below node (v's sequences by the leaves' ids), each row carrying the
// id of the sequence with its name. Its input and output files live in a private directory
// under TMPDIR (else /tmp), removed on every path, also when the process ends early. An
// aligner that is missing, fails, or returns other rows than it was given ends the process.
void AlignSubFam(SeqVect& v, const Tree& tree, unsigned node, MSA& out);

// The -pas command: the sequences of g_pstrInFileName are aligned progressively for a guide
// tree, the tree of that alignment is cut into sub-families of at most g_uMaxSubFamCount
// leaves, each is aligned by the outside aligner and they are joined up the tree by
// profile-profile alignment; the result goes to g_pstrOutFileName in the format chosen by the
// output flags. A lone sequence is written as FASTA.
void ProgAlignSubFams();
