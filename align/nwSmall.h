// Global profile-profile dynamic programming in linear score memory with a bit traceback.
#pragma once

struct ProfPos;
class PWPath;

// The best global path aligning profile A (lengthA columns) with profile B under
// ScoreProfPos2, position-specific affine gaps (each column's gap open and close scores,
// g_scoreGapExtend per further gap position) and the terminal-gap policy, which SetTermGaps
// writes into the first and last columns of both profiles first. Ties prefer M over D over I.
// Not re-entrant: the working rows and the traceback matrix (one byte per cell) are kept
// between calls and grow only when a longer pair arrives. Memory that cannot be had ends the
// run through Quit with the lengths and the bytes needed.
void NWSmall(ProfPos* A, unsigned lengthA, ProfPos* B, unsigned lengthB, PWPath& path);
// Both call NWSmall; the diagonal switch g_bDiags is not consulted.
void GlobalAlign(ProfPos* A, unsigned lengthA, ProfPos* B, unsigned lengthB, PWPath& path);
void GlobalAlignNoDiags(ProfPos* A, unsigned lengthA, ProfPos* B, unsigned lengthB, PWPath& path);

// g_TermGaps applied to the first column's gap open and the last column's gap close score:
// Full leaves them, Half makes them 0, Ext negates them. A forbidding score (MINUS_INFINITY)
// is never changed.
void SetTermGaps(ProfPos* P, unsigned length);

// The path ending in lastState at (lengthA, lengthB) of a traceback matrix whose byte (i, j)
// holds the state before M(i, j) in bits 0-1 (0 M, 1 D, 2 I), bit 2 (value 4) when D(i, j)
// opened from M and bit 3 (value 8) when I(i, j) opened from M.
void BitTraceBack(char** matrix, unsigned lengthA, unsigned lengthB, char lastState, PWPath& path);
