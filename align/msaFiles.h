// Alignment output beyond FASTA: the helpers that the ClustalW, MSF, PHYLIP and HTML writers
// share, the HTML colour classes and the per-column score file. The writers themselves are MSA
// members (msa.h), one format per source file: alnFile.cpp, msfFile.cpp, phyFile.cpp,
// htmlFile.cpp; MSA::ToFile (msaFiles.cpp) picks one by the output flags.
#pragma once

#include <string>
#include <vector>

class MSA;
class TextFile;

// The ClustalW layout, which the HTML page shares: blocks of 60 columns, each row's letters
// 6 blanks after its name field; names are cut at their first blank and to 32 characters.
constexpr unsigned CLW_BLOCK = 60;
constexpr unsigned CLW_NAME_GAP = 6;
constexpr unsigned CLW_MAX_NAME = 32;
// The name as ClustalW and HTML print it (null prints as empty).
std::string ClwName(const char* name);
// Width of their name field: the longest ClwName, widened to 10 when it is 9 or less.
unsigned ClwNameWidth(const MSA& msa);

// Writes count characters of text, each upper-cased.
void PutUpper(TextFile& file, const char* text, unsigned count);

// HTML colour class (0..3) of every character, indexed [row][column]: per column, a class from
// the mean BLOSUM62 score of all pairs of residues (3 at 3.0 or more, 1 at 0.2 or more, else 0),
// given to each residue that scores at least that mean against the column's most frequent
// residue; every other character gets 0. Class 2 is never produced.
void AssignColors(const MSA& msa, std::vector<std::vector<int>>& classes);

// Writes the mean substitution score of every column ("%10.3f  ", then the column's
// characters) to g_pstrScoreFileName.
void WriteScoreFile(const MSA& msa);
