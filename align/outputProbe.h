// Whether an output path can be written, asked before any work so that a run never ends after
// its work with nowhere to put the results.
#pragma once

#include <string>

// 0 when `path` can be opened for writing, else the errno that says why not. Nothing is
// truncated: an existing file is opened and closed as it is, and a missing one (the target of
// any symbolic links at the end of the path) is created and removed again. A named pipe is only
// asked for permission, since opening and closing it would end what its reader reads.
int OutputOpenError(const std::string& path);
