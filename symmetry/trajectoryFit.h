// The axis fit of one group repeated for every frame of a DCD trajectory.
#pragma once

#include <string>

class cPointSymmetryGroup;
class cSym;

// Fits the group's axes on the structure's own coordinates, then on each frame of the
// trajectory in turn, printing sqrt(residual / total weight) (Å) for each on standard output.
// A frame's coordinates replace those of every aligned atom, the atom being found in the frame
// by the position of its record among the PDB file's ATOM and HETATM records (skipped records
// counted), as molecular-dynamics programs write a structure and its trajectory; serial numbers
// play no part (they count TER records too, and overflow beyond 99,999). A trajectory with
// fewer atoms than the file has records is refused; one with more is read with a warning on
// standard error. A trajectory that cannot be opened or whose header is damaged ends the run with
// a message on standard error and status 1. A file that ends inside its last frame, or holds only
// zero bytes from where a frame would start, is a warning on standard error (once per run): the
// complete frames before it are fitted as for a whole file. A damaged frame stops the fit, and
// the returned message says why the run must end once the results are reported; it is empty
// when no frame was damaged. The aligned atoms and the fit are left as the last frame fitted
// made them (the structure's own when no frame was). The file read is `source` when it is not
// empty (the copy of a piped trajectory), else `path`; messages name `path`.
// Ends the run (status 1) with "Error in trajectory <path>: <why>" on standard error.
[[noreturn]] void trajectoryFailure(const std::string& path, const std::string& why);

std::string fitTrajectory(cSym& sym, cPointSymmetryGroup* group, const std::string& path,
                          const std::string& source = "");
