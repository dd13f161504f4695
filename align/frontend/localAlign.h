// Local alignment of two alignments: Smith-Waterman over their profiles, the traceback, and the
// joined alignment with the unmatched ends carried over beside each other.
#pragma once

class MSA;
class PWPath;
struct ProfPos;

// The -sw command: aligns the alignments of -in1 and -in2 locally and writes the result to
// g_pstrOutFileName in the format chosen by the output flags. Uses the scoring in force
// (nucleotide input switches it to SPN).
void Local();

// The best local alignment of two profiles (each at least one column, else the process ends):
// ScoreProfPos2 for a match, a gap costs the gap-open score of its first column and the
// gap-close score of its last (extension is free), and a gap is always entered from and left
// to a match. Ties end the path at the first best cell by B position, then A position.
// Returns the score; path receives the M, D and I edges, first and last edge 'M'.
float SW(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, PWPath& path);
// Walks back from the best cell through the filled M, D and I matrices ((lenA + 1) x (lenB + 1)
// floats, cell (i, j) at j * (lenA + 1) + i), recomputing each cell's candidates; scores match
// within 0.1, and M before D before I before stopping breaks ties. A cell that no candidate
// explains ends the process ("TraceBack2: failed to match ...").
void TraceBackSW(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, const float* M,
                 const float* D, const float* I, unsigned bestI, unsigned bestJ, PWPath& path);

// out = a's rows (names, ids) above b's rows. The columns before the path and after it are
// copied as unaligned blocks: lower-case letters of both inputs side by side, each starting at
// the block's left edge, the shorter side padded with '.'; the path's columns follow the edges.
void AlignTwoMSAsGivenPathSW(const PWPath& path, const MSA& a, const MSA& b, MSA& out);
// Copies the next na columns of a (from *colA) and nb of b (from *colB) as one unaligned block
// at out's column *colOut, and advances the three positions.
void AppendUnalignedBlockSW(const MSA& a, unsigned* colA, unsigned na, const MSA& b, unsigned* colB, unsigned nb,
                            unsigned rowsA, unsigned rowsB, MSA& out, unsigned* colOut);
