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
// standard error. A trajectory that cannot be read, is damaged or ends inside a frame ends the
// run with a message on standard error and status 1, after the lines of the frames read so
// far. The aligned atoms keep the last frame's coordinates.
void fitTrajectory(cSym& sym, cPointSymmetryGroup* group, const std::string& path);
