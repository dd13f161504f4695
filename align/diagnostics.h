// The engine's fatal-error path, warnings and optional log file.
#pragma once

// Formats the message, prints "\n*** ERROR ***  <message>" on standard error, logs it and ends
// the process with exit status 2. The engine never returns an error to its caller.
[[noreturn]] void Quit(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Prints "\n*** WARNING *** <message>" on standard error, logs it and returns.
void Warning(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Appends to the log file; does nothing while no log file is named. A failed write ends the
// process (status 2) with a message naming the log file.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Names the log file (opened on the first Log, for appending when bAppend). An empty name turns
// logging off; a new name closes the file opened under the old one.
void SetListFileName(const char* name, bool bAppend);
// The local time as asctime gives it, without the newline (24 characters, one static buffer).
const char* GetTimeAsStr();

[[noreturn]] void Call_MY_ASSERT(const char* file, int line, const char* text);
inline void Call_MY_ASSERT(const char* file, int line, bool condition, const char* text) {
    if (!condition) Call_MY_ASSERT(file, line, text);
}
#define MY_ASSERT(exp) Call_MY_ASSERT(__FILE__, __LINE__, static_cast<bool>(exp), #exp)

// Kept for callers of the engine's debugging hooks: Verbose is always true, the others do nothing.
bool Verbose();
void chkmem(const char* text = nullptr);
void Break();
