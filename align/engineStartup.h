// State the engine sets before main: the marker NaN constant and the heap-break baseline.
#pragma once

// The heap break (sbrk(0)) when the process started.
extern void* ptrStartBreak;

// Sets g_dNAN and ptrStartBreak. Runs before main (with initProgressStream); see diagnostics.cpp.
void initEngineGlobals();
// The double whose bit pattern is 0x00000000FFFFFFFF (a marker; it is not a NaN).
double GetNAN();
