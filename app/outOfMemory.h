// Ending a run whose memory ran out with a message that names the stage.
#pragma once

class cInfo;

// From this call on, a std::bad_alloc that no stage catches ends the process with
// "Error: memory ran out in the stage ..." on standard error (the stage whose title the report
// printed last), the work of the fatal end (the results of the groups already reported) and
// status 1, instead of the standard abort. Every other uncaught exception keeps the standard
// end. The report must live until the process ends.
void endRunWhenMemoryRunsOut(const cInfo& report);
