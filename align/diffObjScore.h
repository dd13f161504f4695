// Per-column letter scores, the gap part of the sum of pairs, and the score difference of two
// alignments (used to find anchor columns and by windowed refinement).
#pragma once

#include "align/engineTypes.h"

class MSA;
class PWPath;

// The weighted sum over unordered pairs of distinct rows of the substitution scores of the
// proper letters in column col (weights set); 0 without rows or without letter weight.
SCORE ScoreColLetters(const MSA& msa, unsigned col);
// ScoreColLetters of every column.
void GetLetterScores(const MSA& msa, SCORE scores[]);
// Weighted sum over row pairs of ScoreSeqPairGaps; the column list does not change it.
SCORE ScoreGaps(const MSA& msa, const unsigned columns[], unsigned count);
// (gaps of b - gaps of a) + (letter scores of b over columnsB - those of a over columnsA); the
// paths are not read.
SCORE DiffObjScore(const MSA& a, const PWPath& pathA, const unsigned columnsA[], unsigned countA, const MSA& b,
                   const PWPath& pathB, const unsigned columnsB[], unsigned countB);
