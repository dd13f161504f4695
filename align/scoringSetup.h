// Scoring set-up: the substitution matrix, gap penalties and anchor thresholds per score and
// alphabet; and the sequence-weighting method in force.
#pragma once

#include "align/enums.h"

// Derives the scoring parameters from g_PPScore and g_Alpha. When bRespectFlags, the first of
// the flags SP, LE, SV, SPN that is set chooses the score first. Nucleotide alphabets force
// SPN; SPN with amino acids falls back to LE. The value options (GapOpen, Center, Distance...)
// then override the derived values; one that is not a finite number ends the process
// ("Invalid parameter -%s %s").
void SetPPScore(bool bRespectFlags = true);
// g_PPScore := score, then SetPPScore(true).
void SetPPScore(PPSCORE score);

// The weighting method that sequence weighting applies now (Undefined at start).
void SetSeqWeightMethod(SEQWEIGHT method);
SEQWEIGHT GetSeqWeightMethod();
