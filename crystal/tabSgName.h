// The settings table (the 530 standard settings of the 230 space groups) and the Schoenflies
// symbols of the space-group numbers.
#pragma once

#include "crystal/sgRecord.h"

// 530 rows in space-group-number order, then a row whose HallSymbol is null.
constexpr int nTabSgName = 530;
extern const T_TabSgName TabSgName[nTabSgName + 1];

// Indexed by space-group number (entry 0 null); '^' stands before the superscript ("D2^4").
constexpr int nSchoenfliesSymbols = 231;
extern const char* const SchoenfliesSymbols[nSchoenfliesSymbols];
