// The engine's time limit (g_ulMaxSecs) and the emergency save of the current alignment.
#pragma once

class MSA;

// Where and what SaveCurrentAlignment writes.
void SetOutputFileName(const char* name);
void SetCurrentAlignment(MSA& msa);
// Forgets the current alignment and the output name.
void ClearCurrentAlignment();

// With a limit set and more than g_ulMaxSecs seconds since the start time: logs, saves the
// current alignment and ends the process with status 0 (the saved alignment is the result).
void CheckMaxTime();
// Writes the current alignment as FASTA to the output name. Without an alignment or without a
// name it ends the process with status 2.
void SaveCurrentAlignment();
