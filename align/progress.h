// Progress lines of the engine on its progress stream (standard error), silent while g_bQuiet.
#pragma once

#include <ctime>

// Sets the progress stream to standard error. Runs before main (see diagnostics.cpp).
void initProgressStream();

// Start time 0, iteration 0, no description, no input name (the start-of-process state).
void ClearProgressState();

// Keeps the first 31 characters.
void SetProgressDesc(const char* text);
// Keeps the file name without directories and extension, at most 31 characters.
void SetInputFileName(const char* path);
void SetStartTime();
time_t GetStartTime();
void SetIter(unsigned iter);
void IncIter();
// Kept for the engine's call order; the iteration limit lives in g_uMaxIters.
void SetMaxIters(unsigned maxIters);
const char* ElapsedTimeAsStr();

// "<elapsed>  <memory>  <text>" and a newline.
void Progress(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A step line that the next one overwrites (ends with '\r').
void Progress(unsigned step, unsigned total);
void ProgressStepLine(unsigned step, unsigned total);
// Completes the current run of step lines with its last step and a newline.
void ProgressStepsDone();
void SetSeqStats(unsigned seqCount, unsigned minLength, unsigned maxLength, unsigned avgLength);
