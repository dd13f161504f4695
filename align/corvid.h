// The engine's entry points: unaligned sequences in, one multiple alignment out, with the
// process-wide parameters; and the leading-methionine substitution around them.
#pragma once

class MSA;
class SeqVect;

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
// v as FASTA to g_pstrOutFileName: how a lone sequence is "aligned".
void WriteLoneSequence(const SeqVect& v);

// With the amino alphabet: replaces a leading 'M' or 'm' of every sequence by 'X' and
// remembers the ids it changed (ids must be set and below the sequence count). Each call
// replaces the marks of the one before.
void MHackStart(SeqVect& v);
// Puts 'M' back at the first residue of every remembered row of a, then forgets the marks.
void MHackEnd(MSA& a);
