// The run's output paths, checked before any work is done.
#pragma once

class cParameters;

// Ends the run (message on standard error, status 1) when the output file or the JSON file
// names the same file as the other, as an input (the PDB file, the trajectory) or as standard
// output, or cannot be opened for writing (through the links at the end of its path). Nothing is truncated here: an existing file is opened and closed as it is,
// and a missing one is created and removed again, so that a run that ends before its results
// leaves every file as it found it.
void checkOutputPaths(const cParameters& parameters);
