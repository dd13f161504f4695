// Substitution-matrix files: a header line of column letters, then one row of numbers per letter.
#pragma once

#include "align/scoreMatrix.h"

class TextFile;

// Reads the matrix into a 32 x 32 table owned by the reader (valid until the next call),
// indexed by amino-acid letter number; entries of letters outside the 20 amino acids and
// entries not given are 0. Lines starting with '#' are comments. An asymmetric matrix is
// warned about once; an entry that is not a finite number (nan, inf) ends the process with a
// message naming the file and line.
PTR_SCOREMATRIX ReadMx(TextFile& file);
