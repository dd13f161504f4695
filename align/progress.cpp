// Progress lines of the engine on its progress stream (standard error), silent while g_bQuiet.
#include "align/progress.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "align/diagnostics.h"
#include "align/memUse.h"
#include "align/params.h"
#include "align/textUtils.h"
#include "align/timeLimit.h"

namespace {

FILE* progressStream;  // no initialiser of its own: initProgressStream sets it before main
time_t startTime = 0;
unsigned iteration = 0;
char progressDesc[32];
char inputFileName[32];
unsigned lastTotal = 0;
bool lastLineDone = false;
size_t lastDoneDescLength = 0;

FILE* Stream() { return progressStream ? progressStream : stderr; }

}  // namespace

void initProgressStream() { progressStream = stderr; }

void ClearProgressState() {
    startTime = 0;
    iteration = 0;
    progressDesc[0] = 0;
    inputFileName[0] = 0;
    lastTotal = 0;
    lastLineDone = false;
    lastDoneDescLength = 0;
}

void SetProgressDesc(const char* text) { snprintf(progressDesc, sizeof(progressDesc), "%s", text); }

void SetInputFileName(const char* path) { NameFromPath(path, inputFileName, sizeof(inputFileName)); }

void SetStartTime() { startTime = time(nullptr); }

time_t GetStartTime() { return startTime; }

void SetIter(unsigned iter) { iteration = iter; }

void IncIter() { ++iteration; }

void SetMaxIters(unsigned) {}

const char* ElapsedTimeAsStr() {
    return SecsToStr(static_cast<unsigned long>(time(nullptr) - startTime));
}

void Progress(const char* format, ...) {
    CheckMaxTime();
    if (g_bQuiet) return;
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    FILE* f = Stream();
    fprintf(f, "%8.8s  %12s  %s", ElapsedTimeAsStr(), MemToStr(GetMemUseMB()), text.c_str());
    fprintf(f, "\n");
    fflush(f);
}

void ProgressStepLine(unsigned step, unsigned total) {
    const double percent = total == 0 ? 100.0 : (static_cast<double>(step) + 1) * 100.0 / total;
    FILE* f = Stream();
    fprintf(f, "%8.8s  %12s  Iter %3u  %6.2f%%  %s", ElapsedTimeAsStr(), MemToStr(GetMemUseMB()), iteration,
            percent, progressDesc);
    // Blank out the tail of a longer description left by the previous completed line.
    if (lastLineDone) {
        const size_t length = strlen(progressDesc);
        for (size_t i = length; i < lastDoneDescLength; ++i) fputc(' ', f);
        lastLineDone = false;
    }
    fprintf(f, "\r");
    fflush(f);
    lastTotal = total;
}

void Progress(unsigned step, unsigned total) {
    CheckMaxTime();
    if (g_bQuiet) return;
    ProgressStepLine(step, total);
}

void ProgressStepsDone() {
    CheckMaxTime();
    if (g_bVerbose)
        Log("Elapsed time %8.8s  Peak memory use %12s  Iteration %3u %s\n", ElapsedTimeAsStr(),
            MemToStr(GetPeakMemUseMB()), iteration, progressDesc);
    if (g_bQuiet) return;
    ProgressStepLine(lastTotal - 1, lastTotal);
    FILE* f = Stream();
    fprintf(f, "\n");
    fflush(f);
    lastLineDone = true;
    lastDoneDescLength = strlen(progressDesc);
}

void SetSeqStats(unsigned seqCount, unsigned minLength, unsigned maxLength, unsigned avgLength) {
    CheckMaxTime();
    if (!g_bQuiet) {
        FILE* f = Stream();
        fprintf(f, "%s %u seqs, lengths min %u, max %u, avg %u\n", inputFileName, seqCount, minLength, maxLength,
                avgLength);
        fflush(f);
    }
    if (g_bVerbose) Log("%u seqs, max length %u, avg  length %u\n", seqCount, maxLength, avgLength);
}
