// The axis fit of one group repeated for every frame of a DCD trajectory.
#pragma once

#include <string>

class cPointSymmetryGroup;
class cSym;

// Fits the group's axes on the structure's own coordinates, then on each frame of the
// trajectory in turn, printing sqrt(residual / total weight) (Å) for each on standard output.
// A frame's coordinates replace those of every aligned atom, the atom being found in the frame
// by its position in the file's atom list (serial number - 1). A trajectory that cannot be read,
// is damaged, ends inside a frame, or lacks an aligned atom ends the run with a message
// on standard error and status 1, after the lines of the frames read so far. The aligned
// atoms keep the last frame's coordinates.
void fitTrajectory(cSym& sym, cPointSymmetryGroup* group, const std::string& path);
