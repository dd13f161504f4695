// Free functions on alignments: row and column subsets, gap-column removal, comparisons.
#pragma once

class MSA;
class SeqVect;

// out gets one row per id, in list order: a's row of that id, with its name and id.
void MSASubsetByIds(const MSA& a, const unsigned ids[], unsigned idCount, MSA& out);
// out gets a's rows at the given indexes, with names and ids.
void MSAFromSeqSubset(const MSA& a, const unsigned rows[], unsigned rowCount, MSA& out);
// Rows first .. first + count - 1 with names and letters (no ids).
void MSAFromSeqRange(const MSA& a, unsigned first, unsigned count, MSA& out);
// Every row with name and id, columns first .. first + count - 1.
void MSAFromColRange(const MSA& a, unsigned first, unsigned count, MSA& out);
// v becomes one sequence per row: gaps removed, upper case, name, and the row's id if any.
void SeqVectFromMSA(const MSA& a, SeqVect& v);
void DeleteGappedCols(MSA& a);
// No gap in the column and every letter in the residue group of row 0's letter.
bool MSAColIsConservative(const MSA& a, unsigned col);
// Same row count, and every row of a equal to b's row of the same id (exactly, or ignoring
// case and gaps); a difference is logged and ends the process.
void AssertMSAEq(const MSA& a, const MSA& b);
void AssertMSAEqIgnoreCaseAndGaps(const MSA& a, const MSA& b);
