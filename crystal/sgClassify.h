// Classification of a completed group: crystal system, unique axis, generators, point group,
// the rebuilt Hall symbol and its check against the settings table.
#pragma once

#include "crystal/sgRecord.h"

// Crystal system, unique axis and extra information; the crystal system, 0 with a message when
// it cannot be determined, or -1 on a corrupt list.
int FindXtalSystem(T_SgRecord* sg);
// Generators (generatorList, nGenerator) and point group of a record whose crystal system is
// known; 0, or -1 with a message.
int FindGenerators(T_SgRecord* sg);
// Rebuilds HallSymbol (and originShift) from the generators; 0 or -1.
int BuildHSym(T_SgRecord* sg);
// Checks the rebuilt Hall symbol against the settings table and sets ccMx; 0 or -1.
int MatchTabSgNameAndSetCCMx(T_SgRecord* sg);
