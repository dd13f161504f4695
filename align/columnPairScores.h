// The column-against-column scores of two profiles that the profile dynamic programming reads.
#pragma once

#include <vector>

#include "align/engineTypes.h"

struct ProfPos;

// scores[i * lengthB + j] = ScoreProfPos2(A[i], B[j]) under g_PPScore (LE, SP, SV or SPN; any
// other value ends the process). Columns that agree in every field the score reads get the
// same scores, so each distinct column of one side is scored once and its row (or column) of
// the table copied to its repeats; a profile of one or a few sequences has few distinct columns.
void ColumnPairScores(const ProfPos* A, unsigned lengthA, const ProfPos* B, unsigned lengthB,
                      std::vector<SCORE>& scores);
