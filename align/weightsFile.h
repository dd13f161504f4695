// The sequence-weights file: one "name<TAB>weight" line per row.
#pragma once

class MSA;

// Creates the file (failure ends the process) and writes every row's name and weight; the
// weights must be set.
void OutWeights(const char* path, const MSA& msa);
