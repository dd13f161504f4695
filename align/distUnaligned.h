// Distances between unaligned sequences by the chosen DISTANCE method.
#pragma once

#include "align/enums.h"

class DistFunc;
class SeqVect;

// Fills df with the distances of v's sequences (k-mer methods Kmer6_6, Kmer20_3, Kmer20_4,
// Kbit20_3, Kmer4_6; pairwise alignments PWKimura, PWScoreDist), then names every row after
// its sequence and gives it the sequence's id, which must be set.
void DistUnaligned(const SeqVect& v, DISTANCE d, DistFunc& df);
