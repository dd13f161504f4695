// A trajectory given through a pipe (`-d <(zcat t.dcd.gz)`), made readable like a file.
#pragma once

class cParameters;

// A pipe can be read once, front to back, and tells no size, while every group tested reads the
// whole trajectory, measured first. When the trajectory path names a pipe, it is copied here,
// before any work, to an anonymous file in the temporary folder ($TMPDIR, else /tmp) that lasts
// as long as the run, and `trajectorySource` names that copy; messages keep the path given. A
// pipe that cannot be read, or a copy that cannot be written (a full disk), ends the run with a
// message on standard error and status 1. Any other path is left to the trajectory reader.
void keepPipedTrajectory(cParameters& parameters);
