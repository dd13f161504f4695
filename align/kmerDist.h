// K-mer distances: how unalike two unaligned sequences are, from the short words they share.
#pragma once

class DistFunc;
class SeqVect;

// Each routine sets df's count to the number of sequences and stores one float per pair
// (i, j), i > j; all but DistKbit20_3 first set (i, j) = 0 for j <= i. Word counters are
// 8-bit and wrap modulo 256, as in every k-mer table of the engine.

// Shared 6-mers over the six residue groups (residueGroup.h); distances in [0, 3]: 0 when one
// sequence's 6-mers all occur in the other, 3 when nothing is shared (or a sequence is
// shorter than 6).
void DistKmer6_6(const SeqVect& v, DistFunc& df);
// The same over nucleotides (A, C, G, T/U and one group for everything else); DNA or RNA only.
void DistKmer4_6(const SeqVect& v, DistFunc& df);
// 1 - the fraction of shared 4-mers of the 20 letters; 0.99 when nothing is shared (or a
// sequence is shorter than 4).
void FastDistKmer(const SeqVect& v, DistFunc& df);
// 1 - the fraction of shared letter triples (counted with multiplicity) of the shorter
// sequence; 1.0 when nothing is shared or a sequence has fewer than 3 letters.
void DistKmer20_3(const SeqVect& v, DistFunc& df);
// The number of distinct letter triples present in both sequences divided by the shorter
// length (0 for an empty sequence). A similarity, not a distance.
void DistKbit20_3(const SeqVect& v, DistFunc& df);

// 4-mer helpers over letter numbers (0..19); counts are 160,000 byte counters.
constexpr unsigned KMER4_TABLE_SIZE = 160000;
void CountKmers(const unsigned char* letters, unsigned length, unsigned char counts[]);
// Counts B's 4-mers locally, then adds min(B's count, countsA) once per distinct 4-mer of A.
unsigned CommonKmerCount(const unsigned char* lettersA, unsigned lengthA, const unsigned char countsA[],
                         const unsigned char* lettersB, unsigned lengthB);
// The four letters of a 4-mer index, in one static buffer.
const char* KmerToStr(unsigned index);
