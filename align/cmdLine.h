// The command line saved for the engine's log and reports.
#pragma once

// Joins the arguments with single blanks; any length is kept whole.
void SaveCmdLine(int argc, char* argv[]);
const char* GetCmdLine();
