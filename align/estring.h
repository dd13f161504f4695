// Edit strings: one side of a pairwise path in run-length form, and their composition.
#pragma once

class MSA;
class PWPath;
class Seq;

// An edit string is a zero-terminated int array (new[]): a run n > 0 copies the next n symbols
// of the source, a run -n inserts n gaps. Adjacent runs of one sign are always merged. Applying
// one to a source requires its positive runs to add up to the source length; every operation
// below that applies or combines edit strings checks that and ends the process otherwise.

// The A side (M, D copy; I inserts) and the B side (M, I copy; D inserts) of the path.
void PathToEstrings(const PWPath& path, int** esA, int** esB);
// The path that the two sides describe. A position with a gap on both sides, or sides that do
// not describe the same number of columns, ends the process.
void EstringsToPath(const int* esA, const int* esB, PWPath& path);
// result = es1 followed by es2: applying result equals applying es1, then es2 to its output.
// es2 must consume exactly the output of es1. resultCapacity ints are available at result; the
// composition never needs more than the run counts of es1 and es2 plus one.
void MulEstrings(const int* es1, const int* es2, int* result, unsigned resultCapacity);

// out = in with the edits applied (letters and '-'); out keeps in's name, its id is unset.
void EstringOp(const int* es, const Seq& in, Seq& out);
// out = one row with the edits applied, in's name and id (the id must be set).
void EstringOp(const int* es, const Seq& in, MSA& out);
// A new zero-terminated string (new[]) with the edits applied to text.
char* EstringOpStr(const int* es, const char* text);

// Runs before the terminator.
unsigned LengthEstring(const int* es);
// A new array holding the runs and the terminator.
int* EstringNewCopy(const int* es);
// "<run run ...>" through Log.
void LogEstring(const int* es);
