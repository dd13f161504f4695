// Letter and gap scores of two aligned rows, the terms of the sum-of-pairs objective scores.
#pragma once

#include "align/engineTypes.h"

class MSA;

// Both score row r of a against row s of b (alignments of equal length) over the columns from
// the first to the last where either row has a letter; none gives 0.
// Sum of substitution scores of the columns where both rows hold a proper letter.
SCORE ScoreSeqPairLetters(const MSA& a, unsigned r, const MSA& b, unsigned s);
// Gap opens (TermGapScore at the first scored column, g_scoreGapOpen elsewhere) and
// extensions of the gaps in either row, each row's gaps tracked separately; a gap still open
// at the last scored column is charged as terminal instead.
SCORE ScoreSeqPairGaps(const MSA& a, unsigned r, const MSA& b, unsigned s);
// The price of opening a terminal gap under g_TermGaps.
SCORE TermGapScore();
