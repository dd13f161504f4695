// Group completion: closing a set of Seitz matrices into a group, its normal form (origin shift,
// preferred translations, sorted list) and the final classification of a space-group record.
#pragma once

#include "crystal/sgRecord.h"

// Adds a matrix and closes the group under multiplication; 0 or -1.
int Add2ListSeitzMx(T_SgRecord* sg, const T_RTMx* m);
// Add2ListSeitzMx with the inversion at the origin.
int AddInversion2ListSeitzMx(T_SgRecord* sg);
// Adds the centring translations after the null vector; 0 or -1.
int AddLatticeTr2ListSeitzMx(T_SgRecord* sg, const T_LatticeInfo* lattice);
// 1 appended, 0 already present, -1 error. m's translation must be in 0..11.
int AppendSeitzMxIfNew(T_SgRecord* sg, const T_RTMx* m);
// 0 when the shift is zero, 1 after shifting, -1 on error.
int ApplyOriginShift(T_SgRecord* sg);
// Sorts the lists in place; List_iList receives nList indices. Errors go to SgError.
void SortSgRecordList(T_SgRecord* sg, int* List_iList);
// qsort comparison of two list indices of the record being sorted.
int CompareSgRecordListEntries(const int* a, const int* b);
// Index of the first entry with inverse 0 and the given order (sign compared when honorSign),
// reference axis and direction code (0: any); -1 when none.
int FindSeitzMx(const T_SgRecord* sg, int order, int honorSign, int refAxis, int dirCode);
// Closes, normalises and classifies the record and checks its rebuilt Hall symbol; 0 or -1.
int CompleteSgRecord(T_SgRecord* sg);
