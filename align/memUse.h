// Memory and machine figures of the engine, read from /proc; they never fail.
#pragma once

#include <cstddef>

// Current virtual size in MB from /proc/<pid>/statm: -1 when the file cannot be opened, 0 when
// nothing can be read (with one warning per process).
double GetMemUseMB();
// The same reading; the highest figure seen so far.
double GetPeakMemUseMB();
// The same reading; raises the peak and returns the current figure.
double CheckMemUse();
// MemTotal of /proc/meminfo in MB (1 MB = 10^6 bytes); 500 when it cannot be read.
double GetRAMSizeMB();
// The CPUGHZ environment variable, else 2.5.
double GetCPUGHz();
// "" for a negative figure, else the peak (raised to mb) as "<n> MB(<percent of RAM>%)".
const char* MemToStr(double mb);

// A running account of bytes allocated and released, logged line by line.
void MemPlus(size_t bytes, const char* text);
void MemMinus(size_t bytes, const char* text);
