// Memory and machine figures of the engine, read from /proc; they never fail.
#include "align/memUse.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "align/diagnostics.h"

namespace {

double peakMemMB = 0;
// The virtual size in MB when operator new last could not allocate (under a note); -1 before.
double refusedAtMB = -1;

// Figures for the memory log lines; a reading of -1 (no /proc) prints as 0.
unsigned WholeMB(double mb) { return mb > 0 ? static_cast<unsigned>(mb) : 0u; }
double ramSizeMB = 0;  // cached once read successfully
unsigned long memAccount = 0;

// Reads up to size - 1 bytes of a small /proc file; -1 when it cannot be opened.
int ReadProcFile(const char* path, char* buffer, size_t size, int* readErrno) {
    int fd = open(path, O_RDONLY);
    if (fd < 0) return -1;
    ssize_t n = read(fd, buffer, size - 1);
    *readErrno = errno;
    close(fd);
    if (n < 0) n = 0;
    buffer[n] = 0;
    return static_cast<int>(n);
}

double ReadMemUseMB() {
    static std::string statmPath;
    static long pageSize = 0;
    static bool warned = false;
    if (statmPath.empty()) {
        char path[64];
        snprintf(path, sizeof(path), "/proc/%d/statm", static_cast<int>(getpid()));
        statmPath = path;
        pageSize = sysconf(_SC_PAGESIZE);
    }
    char buffer[64];
    int readErrno = 0;
    int n = ReadProcFile(statmPath.c_str(), buffer, sizeof(buffer), &readErrno);
    if (n < 0) return -1;
    if (n == 0) {
        if (!warned) {
            warned = true;
            Warning("*Warning* Cannot read %s errno=%d %s", statmPath.c_str(), readErrno, strerror(readErrno));
        }
        return 0;
    }
    double pages = strtod(buffer, nullptr);
    return pages * static_cast<double>(pageSize) / 1e6;
}

// operator new's handler under a RefusedAllocationNote: notes the size and gives up, as
// operator new does without a handler.
void NoteRefusedAllocation() {
    refusedAtMB = GetVirtualSizeMB();
    throw std::bad_alloc();
}

}  // namespace

double GetMemUseMB() { return ReadMemUseMB(); }

double GetPeakMemUseMB() {
    double mb = ReadMemUseMB();
    if (mb > peakMemMB) peakMemMB = mb;
    return peakMemMB;
}

double CheckMemUse() {
    double mb = ReadMemUseMB();
    if (mb > peakMemMB) peakMemMB = mb;
    return mb;
}

double GetVirtualSizeMB() {
    char buffer[4096];
    int readErrno = 0;
    if (ReadProcFile("/proc/self/status", buffer, sizeof(buffer), &readErrno) <= 0) return -1;
    const char* field = strstr(buffer, "VmSize:");
    if (!field) return -1;
    return strtod(field + strlen("VmSize:"), nullptr) * 1000 / 1e6;  // given in kB
}

RefusedAllocationNote::RefusedAllocationNote() : m_Previous(std::set_new_handler(NoteRefusedAllocation)) {}

RefusedAllocationNote::~RefusedAllocationNote() { std::set_new_handler(m_Previous); }

double GetRAMSizeMB() {
    if (ramSizeMB > 0) return ramSizeMB;
    static bool warnedOpen = false, warnedRead = false, warnedField = false;
    constexpr double FALLBACK_MB = 500;
    char buffer[1024];
    int readErrno = 0;
    errno = 0;
    int n = ReadProcFile("/proc/meminfo", buffer, sizeof(buffer), &readErrno);
    if (n < 0) {
        if (!warnedOpen) {
            warnedOpen = true;
            int e = errno;
            Warning("*Warning* Cannot open /proc/meminfo errno=%d %s", e, strerror(e));
        }
        return FALLBACK_MB;
    }
    if (n == 0) {
        if (!warnedRead) {
            warnedRead = true;
            Warning("*Warning* Cannot read /proc/meminfo errno=%d %s", readErrno, strerror(readErrno));
        }
        return FALLBACK_MB;
    }
    const char* field = strstr(buffer, "MemTotal: ");
    if (!field) {
        if (!warnedField) {
            warnedField = true;
            Warning("*Warning* 'MemTotal:' not found in /proc/meminfo");
        }
        return FALLBACK_MB;
    }
    // The figure is in kilobytes; in double, kB x 1000 / 10^6 cannot overflow.
    double kb = strtod(field + strlen("MemTotal: "), nullptr);
    ramSizeMB = kb * 1000.0 / 1e6;
    return ramSizeMB;
}

double GetCPUGHz() {
    const char* text = getenv("CPUGHZ");
    if (text) return atof(text);
    return 2.5;
}

const char* MemToStr(double mb) {
    static char buffer[64];
    if (mb < 0) return "";
    if (mb > peakMemMB) peakMemMB = mb;
    double percent = peakMemMB * 100.0 / GetRAMSizeMB();
    if (percent > 100) percent = 100;
    snprintf(buffer, sizeof(buffer), "%.0f MB(%.0f%%)", peakMemMB, percent);
    return buffer;
}

void MemPlus(size_t bytes, const char* text) {
    memAccount += bytes;
    Log("+%10u  %6u  %6u  %s\n", static_cast<unsigned>(bytes), WholeMB(GetMemUseMB()),
        static_cast<unsigned>(memAccount / 1000000), text);
}

void MemMinus(size_t bytes, const char* text) {
    memAccount -= bytes;
    Log("-%10u  %6u  %6u  %s\n", static_cast<unsigned>(bytes), WholeMB(GetMemUseMB()),
        static_cast<unsigned>(memAccount / 1000000), text);
}

void QuitOutOfMemory(double bytes, const char* stepFormat, ...) {
    char step[512];
    va_list args;
    va_start(args, stepFormat);
    vsnprintf(step, sizeof(step), stepFormat, args);
    va_end(args);
    if (bytes >= 0) {
        const double mb = bytes / 1e6;
        Quit(mb >= 1 ? "Out of memory: %s needs %.0f MB" : "Out of memory: %s needs %.2f MB", step, mb);
    }
    const double inUse = refusedAtMB >= 0 ? refusedAtMB : GetVirtualSizeMB();
    if (inUse < 0) Quit("Out of memory: %s", step);
    Quit("Out of memory: %s: an allocation was refused with %.0f MB in use", step, inUse);
}
