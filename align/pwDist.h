// Distances from pairwise alignments of the unaligned sequences (every pair aligned by the
// profile dynamic programming, Henikoff weights for the duration).
#pragma once

class DistFunc;
class SeqVect;

// Kimura distance of the identity of each aligned pair, stored for every pair i > j.
void DistPWKimura(const SeqVect& v, DistFunc& df);
// Score distance (protein only) of each aligned pair, stored for every pair i > j.
void DistPWScoreDist(const SeqVect& v, DistFunc& df);
