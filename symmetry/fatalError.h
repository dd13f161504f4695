// The one place where the symmetry stages end the process on a fatal input problem.
#pragma once

#include <iosfwd>
#include <string_view>

// Writes the text and a line end (flushed) on the stream, then ends the process with status 1.
[[noreturn]] void endRun(std::ostream& out, std::string_view text);
