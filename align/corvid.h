// The engine's entry points: unaligned sequences in, one multiple alignment out, with the
// process-wide parameters; and the leading-methionine substitution around them.
#pragma once

#include <string>

class MSA;
class SeqVect;
class Tree;
struct ProgNode;

// Aligns the sequences of v into a (empty on entry, owned by the caller): alphabet from
// g_SeqType (invalid letters become the wildcard), ids 0 .. n-1 in v's order (the row of
// sequence i is a.GetSeqIndex(i)), a first residue 'M' or 'm' of protein input replaced by
// 'X', guide tree (from the sequences or the user tree file), progressive alignment, then,
// unless g_uMaxIters is 1 or there are only two sequences, tree refinement and anchored
// vertical (or horizontal) refinement. One sequence is written as FASTA to
// g_pstrOutFileName and a stays untouched; none ends the process. The first call fixes the
// process-wide id count: a later call with more sequences ends the process. Deterministic:
// the same input gives the same alignment call after call.
void DoMultipleCorvid(SeqVect& v, MSA& a);
// The same pipeline without user tree, tree files, weight output and refinement.
void DoPairwiseCorvid(SeqVect& v, MSA& a);

// The first stages of DoMultipleCorvid, which the engine program's commands repeat: no
// sequences end the process; the alphabet from g_SeqType (Auto guesses) with invalid letters
// repaired; the scoring set-up, with the matrix file g_pstrMatrixFileName (under CORVID_MXPATH
// when that is set) when one is named; iteration 1 and the length statistics; the id count
// fixed at v's size and ids 0 .. n-1.
void PrepareSequences(SeqVect& v);
// The path under which a matrix file name is opened: under CORVID_MXPATH when that is set.
std::string MatrixFilePath(const char* name);
// v as FASTA to g_pstrOutFileName: how a lone sequence is "aligned".
void WriteLoneSequence(const SeqVect& v);

// The stages of DoMultipleCorvid that the engine program's commands share, in pipeline order.
// The node array of the profile-merging path (ProgressiveAlignE), released with its holder.
class ProgNodes {
public:
    ProgNodes() = default;
    ~ProgNodes();
    ProgNodes(const ProgNodes&) = delete;
    ProgNodes& operator=(const ProgNodes&) = delete;
    // Takes the array of count nodes (releasing the one held before).
    void Take(ProgNode* nodes, unsigned count);
    // Releases every node and the array.
    void Release();
    ProgNode* Get() const { return m_Nodes; }

private:
    ProgNode* m_Nodes = nullptr;
    unsigned m_uCount = 0;
};
// The length statistics of v (SetSeqStats), iteration 1 and the first stage's diagonal switch.
void ReportSeqStats(const SeqVect& v);
// Progressive alignment of v along tree into a: ProgressiveAlignE, keeping its nodes, with
// g_bLow, else ProgressiveAlign. a becomes the alignment that the time limit saves.
void AlignProgressively(const SeqVect& v, const Tree& tree, MSA& a, ProgNodes& nodes);
// The first-stage guide tree of v (TreeFromSeqVect; the distances dumped to distMxFile when
// given) as the weighting tree, and the progressive alignment along it.
void AlignAlongFirstTree(const SeqVect& v, Tree& tree, MSA& a, ProgNodes& nodes, const char* distMxFile);
// The tree stage: iteration 2 with the second stage's diagonal switch, then RefineTree, or with
// g_bLow RefineTreeE (skipped when g_uMaxTreeRefineIters is 0). tree receives the refined tree.
void RefineGuideTree(MSA& a, const SeqVect& v, Tree& tree, const ProgNodes& nodes);
// The last stage: the second weighting method for tree, then anchored vertical refinement
// (horizontal without g_bAnchors) of g_uMaxIters - 2 passes (none below 2).
void RefineAlignment(MSA& a, const Tree& tree);

// With the amino alphabet: replaces a leading 'M' or 'm' of every sequence by 'X' and
// remembers the ids it changed (ids must be set and below the sequence count). Each call
// replaces the marks of the one before.
void MHackStart(SeqVect& v);
// Puts 'M' back at the first residue of every remembered row of a, then forgets the marks.
void MHackEnd(MSA& a);
