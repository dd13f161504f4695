// The one place where the symmetry stages end the process on a fatal input problem.
#pragma once

#include <iosfwd>
#include <string_view>

// Writes the text and a line end (flushed) on the stream, then ends the process with status 1.
[[noreturn]] void endRun(std::ostream& out, std::string_view text);
// Flushes standard output (both the C and the C++ stream); when anything written to it was lost
// (a full disk, a closed pipe) says so on standard error and ends the process with status 1.
void checkStandardOutput();
