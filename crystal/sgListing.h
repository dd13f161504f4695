// Printed forms of space groups: an operation as a 4x4 matrix for computer-algebra systems,
// the listing of a group, and rows of the settings table.
#pragma once

#include <cstdio>

#include "crystal/sgRecord.h"

// Prints "label := matrix(4,4, [ ... 0,0,0,1]);" with rotation / FacRo and translation / FacTr.
void PrintCasRTMx(const T_RTMx* m, int FacRo, int FacTr, const char* label, FILE* fp);
// Prints point group, Laue group, crystal system, orders, seminvariants and (with F_Verbose)
// every listed operation, as a triplet with F_XYZ; 0, or -1 with a message.
int ListSgRecord(const T_SgRecord* sg, int F_XYZ, int F_Verbose, FILE* fp);
// Prints the full Hermann-Mauguin symbol of a row ('_' as space, or left out when space is 0)
// with ":1", ":2", ":H" or ":R"; returns the number of characters printed.
int PrintFullHM_SgName(const T_TabSgName* row, int space, FILE* fp);
// Prints a row as number:extension, Schoenflies symbol, Hermann-Mauguin symbols and Hall symbol,
// in columns when Style is set (no end of line); returns the number of characters printed.
int PrintTabSgNameEntry(const T_TabSgName* row, int Style, int space, FILE* fp);
