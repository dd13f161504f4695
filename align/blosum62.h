// The BLOSUM62 substitution matrix in the engine's amino-acid letter order, for the score distance.
#pragma once

constexpr unsigned BLOSUM62_SIZE = 20;
// Half-bit units; rows and columns by letter number A C D E F G H I K L M N P Q R S T V W Y.
extern const int BLOSUM62[BLOSUM62_SIZE][BLOSUM62_SIZE];
// The expected score of a random pair of residues under BLOSUM62.
constexpr double BLOSUM62_Expected = -0.5209;
