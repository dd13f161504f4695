// Objective scores: how good an alignment is, by the method g_ObjScore names; the judge of every
// refinement trial.
#pragma once

#include "align/engineTypes.h"

struct ProfPos;
class MSA;

// The score of the alignment, or of its two row groups against each other, by g_ObjScore
// (SPM: XP up to 100 rows, SPF beyond). SP, PS and SPF set the whole alignment's weights and
// score all rows; DP and XP copy the two groups (row indexes) out, weight each group by the
// method in force and score one against the other. Only the weight record of msa changes.
SCORE ObjScore(const MSA& msa, const unsigned rowsA[], unsigned countA, const unsigned rowsB[], unsigned countB);
// True when ObjScore of this alignment scores the whole alignment and nothing else: it reads
// only the letters, the row order and the weights that SetMSAWeightsCorvid gives (which do not
// depend on the tree split here), and sets no global. Such a score of an unchanged alignment
// need not be computed twice.
bool ObjScoreIsOfWholeAlignment(const MSA& msa);
// The same with the groups given as sequence ids.
SCORE ObjScoreIds(const MSA& msa, const unsigned idsA[], unsigned countA, const unsigned idsB[], unsigned countB);

// Weighted sum over row pairs of letter and gap scores (weights already set). Also sets
// g_SPScoreLetters and g_SPScoreGaps. columnScores, when given, are cleared and stay 0.
SCORE ObjScoreSP(const MSA& msa, SCORE columnScores[]);
// Weighted sum over the pairs of a row of a and a row of b (equal lengths, weights set).
SCORE ObjScoreXP(const MSA& a, const MSA& b);
// Profile of a against profile of b, column by column (equal lengths).
SCORE ObjScoreDP(const MSA& a, const MSA& b, SCORE columnScores[]);
SCORE ObjScoreDP_Profs(const ProfPos* A, const ProfPos* B, unsigned length, SCORE columnScores[]);
// Every row against the alignment's own profile (LE scoring only).
SCORE ObjScorePS(const MSA& msa, SCORE columnScores[]);
// Sum of pairs from per-column letter and gap-state frequencies, linear in rows per column.
SCORE ObjScoreSPDimer(const MSA& msa);
