// State the engine sets before main: the marker NaN constant and the heap-break baseline.
#include "align/engineStartup.h"

#include <unistd.h>

#include <bit>
#include <cstdint>

#include "align/params.h"

void* ptrStartBreak;  // no initialiser of its own: it is set by initEngineGlobals before main

void initEngineGlobals() {
    g_dNAN = GetNAN();
    ptrStartBreak = sbrk(0);
}

double GetNAN() { return std::bit_cast<double>(std::uint64_t{0x00000000FFFFFFFFull}); }
