// The one place where the symmetry stages end the process on a fatal input problem.
#pragma once

#include <functional>
#include <iosfwd>
#include <string_view>

// Work a fatal end must still do before the process ends (writing the results of the groups
// already reported); an empty function clears it. It runs once: a failure inside it ends the
// process on its own message.
void setFatalEndAction(std::function<void()> action);
// Writes the text and a line end (flushed) on the stream, runs the fatal-end action, then ends
// the process with status 1.
[[noreturn]] void endRun(std::ostream& out, std::string_view text);
// Flushes standard output (both the C and the C++ stream); when anything written to it was lost
// (a full disk, a closed pipe) says so on standard error, runs the fatal-end action and ends the
// process with status 1.
void checkStandardOutput();
