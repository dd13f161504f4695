// DCDError: thrown by the DCD reader for a file it cannot open or cannot read safely.
#pragma once

#include <stdexcept>

// The message names the file, the record and the offending value; callers print it and
// decide whether the run can go on.
class DCDError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The file ends inside a frame whose records, as far as they go, are sound: a trajectory still
// being written, or one whose writer stopped mid-frame. The frames before it are whole.
class DCDIncompleteFrame : public DCDError {
public:
  using DCDError::DCDError;
};
