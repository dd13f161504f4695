// Memory and machine figures of the engine, read from /proc; they never fail.
#pragma once

#include <cstddef>
#include <new>

// Current virtual size in MB from /proc/<pid>/statm: -1 when the file cannot be opened, 0 when
// nothing can be read (with one warning per process).
double GetMemUseMB();
// The same reading; the highest figure seen so far.
double GetPeakMemUseMB();
// The same reading; raises the peak and returns the current figure.
double CheckMemUse();
// VmSize of /proc/self/status (the process's virtual size now) in MB; -1 when it cannot be
// read. Reads into a buffer on the stack: it serves when memory has run out.
double GetVirtualSizeMB();
// MemTotal of /proc/meminfo in MB (1 MB = 10^6 bytes); 500 when it cannot be read.
double GetRAMSizeMB();
// The CPUGHZ environment variable, else 2.5.
double GetCPUGHz();
// "" for a negative figure, else the peak (raised to mb) as "<n> MB(<percent of RAM>%)".
const char* MemToStr(double mb);

// A running account of bytes allocated and released, logged line by line.
void MemPlus(size_t bytes, const char* text);
void MemMinus(size_t bytes, const char* text);

// Ends the run through Quit with "Out of memory: <step> needs <n> MB", the step formatted from
// stepFormat and bytes what it asked for. Where a failure is caught without knowing the size
// asked for (bytes < 0), what is known: "Out of memory: <step>: an allocation was refused with
// <n> MB in use", the virtual size noted when the allocation was refused (see below), else the
// size now. Nothing of it takes memory from the heap.
[[noreturn]] void QuitOutOfMemory(double bytes, const char* stepFormat, ...) __attribute__((format(printf, 2, 3)));
// The bytes of QuitOutOfMemory for a failure caught where the size asked for is not known.
constexpr double UNKNOWN_BYTES = -1;

// While one lives, an allocation that operator new cannot make notes the process's virtual size
// before std::bad_alloc is thrown (as it would be without): once the exception has unwound the
// stages that held memory, the size is no longer what it was when the allocation was refused.
class RefusedAllocationNote {
public:
    RefusedAllocationNote();
    ~RefusedAllocationNote();
    RefusedAllocationNote(const RefusedAllocationNote&) = delete;
    RefusedAllocationNote& operator=(const RefusedAllocationNote&) = delete;

private:
    std::new_handler m_Previous;
};
