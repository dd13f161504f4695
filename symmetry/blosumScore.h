// BLOSUM62 scores of alignment columns, by which chain matching accepts or rejects a column.
#pragma once

class MSA;

namespace blo {

// Letters of the table in index order: A-Z without J and O.
inline constexpr int kLetterCount = 23;
inline constexpr char kLetters[kLetterCount + 1] = "ABCDEFGHIKLMNPQRSTVWXYZ";

// BLOSUM62 over kLetters (half bits). B scores as D, Z as E, X -1 against everything.
extern const int kBlosum62[kLetterCount][kLetterCount];

// Score given to a pair in which either character is a gap ('-' or '.').
inline constexpr double kGapScore = -9.0;

// Table index of a letter (either case); U takes T's index. -1 for J, O and anything that is not
// a letter.
int letterIndex(char c);

// Score of two residue characters; characters without an index score as X (-1).
int pairScore(char a, char b);

// Score of the characters of rows row1 and row2 in one column of the alignment: kGapScore when
// either is a gap, else pairScore.
double BlosumScoreCol(const MSA& msa, unsigned column, unsigned row1, unsigned row2);

}  // namespace blo
