// Runs the quorix executable in a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct sProgramRun {
    int status = -1;  // exit status, or -1 when the child did not exit normally
    std::string out;
    std::string err;
};

// Path of the executable under test, from the QUORIX_EXE environment variable.
std::string quorixPath();
// With stdoutPath, the child's standard output goes to that file instead (run.out stays empty);
// with stdinPath, its standard input comes from that file.
sProgramRun runProgram(const std::vector<std::string>& args, const char* stdoutPath = nullptr,
                       const char* stdinPath = nullptr);

// Lines of a text, without their line ends.
std::vector<std::string> splitLines(const std::string& text);
