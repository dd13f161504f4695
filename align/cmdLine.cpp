// The command line saved for the engine's log and reports.
#include "align/cmdLine.h"

#include <string>

namespace {

std::string savedCmdLine;

}  // namespace

void SaveCmdLine(int argc, char* argv[]) {
    savedCmdLine.clear();
    for (int i = 0; i < argc; ++i) {
        if (i > 0) savedCmdLine += ' ';
        savedCmdLine += argv[i];
    }
}

const char* GetCmdLine() { return savedCmdLine.c_str(); }
