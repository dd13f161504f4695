// The engine's fatal-error path, warnings and optional log file.
#include "align/diagnostics.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "align/engineStartup.h"
#include "align/progress.h"
#include "align/textUtils.h"

namespace {

// The engine's start-up before main. It lives here because every stage of the engine reports
// through Quit, so this file is linked into every program that uses the engine.
struct EngineStartup {
    EngineStartup() {
        initEngineGlobals();
        initProgressStream();
    }
} engineStartup;

std::string logFileName;  // empty: Log writes nothing
bool logAppend = false;
FILE* logFile = nullptr;

// The formatted text: in buffer where it fits, else in spill. Quit and Log format this way so
// that the usual message needs nothing from the heap, which may be what ran out.
const char* FormatText(char (&buffer)[1024], std::string& spill, const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int n = vsnprintf(buffer, sizeof(buffer), format, copy);
    va_end(copy);
    if (n >= 0 && static_cast<size_t>(n) < sizeof(buffer)) return buffer;
    spill = VFormat(format, args);
    return spill.c_str();
}

}  // namespace

void SetListFileName(const char* name, bool bAppend) {
    std::string newName = name ? name : "";
    if (logFile && newName != logFileName) {
        fclose(logFile);
        logFile = nullptr;
    }
    logFileName = newName;
    logAppend = bAppend;
}

void Log(const char* format, ...) {
    if (logFileName.empty()) return;
    if (!logFile) {
        logFile = fopen(logFileName.c_str(), logAppend ? "a" : "w");
        if (!logFile) {
            perror(logFileName.c_str());
            exit(1);
        }
    }
    char buffer[1024];
    std::string spill;
    va_list args;
    va_start(args, format);
    const char* text = FormatText(buffer, spill, format, args);
    va_end(args);
    if (fputs(text, logFile) != EOF && fflush(logFile) == 0) return;
    // Logging stops first, so that Quit's own log lines do not come back here.
    const int e = errno;
    const std::string name = logFileName;
    fclose(logFile);
    logFile = nullptr;
    logFileName.clear();
    Quit("Cannot write log file '%s' errno=%d %s", name.c_str(), e, strerror(e));
}

void Quit(const char* format, ...) {
    char buffer[1024];
    std::string spill;
    va_list args;
    va_start(args, format);
    const char* text = FormatText(buffer, spill, format, args);
    va_end(args);
    fprintf(stderr, "\n*** ERROR ***  %s\n", text);
    Log("\n*** FATAL ERROR ***  ");
    Log("%s\n", text);
    Log("Stopped %s\n", GetTimeAsStr());
    exit(2);
}

void Warning(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    fprintf(stderr, "\n*** WARNING *** %s\n", text.c_str());
    Log("\n*** WARNING ***  %s\n", text.c_str());
}

const char* GetTimeAsStr() {
    static char buffer[32];
    time_t now = time(nullptr);
    const char* text = asctime(localtime(&now));
    snprintf(buffer, sizeof(buffer), "%.24s", text ? text : "");
    return buffer;
}

void Call_MY_ASSERT(const char* file, int line, const char* text) {
    Quit("%s(%d): MY_ASSERT(%s)", file, line, text);
}

bool Verbose() { return true; }
void chkmem(const char*) {}
void Break() {}
