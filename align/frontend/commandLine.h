// The engine program's command line: option words into the option tables, the tables into the
// engine's parameters, the log file, the usage and credits texts, and option text to the
// engine's enumerations (the reverse of the ...ToStr converters of enums.h).
#pragma once

#include "align/enums.h"

// Words are "-name" (a flag) or "-name value" (a value option); names ignore case and flags are
// matched first. A later value replaces an earlier one and is stored exactly as written, even
// when it begins with '-'. argv holds the words without the program name. A word without '-',
// an unknown name (followed by the usage text) or a value option without its value prints its
// message on standard error and ends the process with status 1.
void ProcessArgVect(int argc, char* argv[]);
// The text of CORVID_CMDLINE split at white space and passed to ProcessArgVect; null does
// nothing. More than 64 words end the process (status 2).
void ProcessArgStr(const char* text);
// One "<name> <0|1>" line per flag, in table order, through Log.
void ListFlagOpts();

// Copies the given options into the engine's parameters, in a fixed order (later flags win,
// Weight1/Weight2 and Cluster1/Cluster2 over Weight and Cluster, TomHydro over Hydro), then
// derives g_scoreGapAmbig, g_bLow and g_uMaxMB. Numbers that do not parse become 0. An unknown
// enumeration name, -stable without -group, -refinewindow 0 and -maxsubfam 0 end the process
// (status 2), as do a -sueff outside [0, 1], a -hydrofactor that is not a finite float and a
// -smoothwindow that is not an odd whole number. Non-positive or non-finite -maxhours leave the
// time limit alone.
void SetParams();
// Before any file is opened: two outputs (the main output, the extra outputs, the score file,
// the log, the tree, weights and distance-matrix files), or an output and an input, that name the
// same file (the same file on disk, however its path is written; standard streams and devices
// excepted) print "Options -<a> <file> and -<b> <file> name the same file" on standard error and
// end the process with status 1. So does an output that is the file standard output is
// redirected to, when the run may write there (an output named "-", -out not given, -ppscore):
// "Option -<a> <file> names the same file as the standard output".
void RefuseSameFiles();
// After RefuseSameFiles, before any file is opened: an output that cannot be opened for writing
// (through the symbolic links at the end of its path; nothing is created or truncated) prints
// "Cannot open -<a> <file> for writing: <the system's reason>" on standard error and ends the
// process with status 1.
void RefuseUnwritableOutputs();
// -loga <file> logs to file, appending; else -log <file>, overwriting; else nothing changes.
void SetLogFile();
// True when no input is named: -in is not given (-in - names standard input) and neither -in1
// nor -spscore is.
bool MissingCommand();

// The usage text, on standard error.
void Usage();
// The credits, on standard error, once per process.
void Credits();

// Each compares the text, ignoring case, with the names of its enumeration's option table and
// returns the value of the first match; no match ends the process ("Invalid value %s for type
// %s", status 2).
ALPHA StrToALPHA(const char* text);
SEQTYPE StrToSEQTYPE(const char* text);
ROOT StrToROOT(const char* text);
CLUSTER StrToCLUSTER(const char* text);
JOIN StrToJOIN(const char* text);
LINKAGE StrToLINKAGE(const char* text);
DISTANCE StrToDISTANCE(const char* text);
PPSCORE StrToPPSCORE(const char* text);
SEQWEIGHT StrToSEQWEIGHT(const char* text);
OBJSCORE StrToOBJSCORE(const char* text);
TERMGAPS StrToTERMGAPS(const char* text);
