// Hall symbols: the parser that adds the generators of a Hall symbol to a space-group record.
#pragma once

#include "crystal/sgRecord.h"

// Adds the generators of hall to sg (closing the group as it goes) and stores its origin shift.
// Success or failure shows in SgError; returns the number of characters read.
int ParseHallSymbol(const char* hall, T_SgRecord* sg);
