// The parameter listing written to the engine's log.
#pragma once

// Every parameter, one line each, label padded to 25 columns.
void ListParams();
// "(No limit)" without a time limit, else the limit as hh:mm:ss.
const char* MaxSecsToStr();
