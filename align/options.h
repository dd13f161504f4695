// The engine's named options: a table of flags and a table of values, looked up by name.
#pragma once

#include <cfloat>

// Names compare without regard to case. Only the engine's own command line fills these tables;
// in the symmetry program every flag reads false and every value null.
struct FlagOptRow {
    const char* pstrName;
    bool bSet;
};
struct ValueOptRow {
    const char* pstrName;
    char* pstrValue;  // owned copy (new[]), null when not given
};

constexpr unsigned FLAG_OPT_COUNT = 35;
constexpr unsigned VALUE_OPT_COUNT = 66;
extern FlagOptRow FlagOptTable[FLAG_OPT_COUNT];
// "Weight" stands twice (rows 32 and 66); lookups always find the first.
extern ValueOptRow ValueOptTable[VALUE_OPT_COUNT];

// The flag of the first row named name; no such row ends the process ("FlagOpt(%s) invalid").
bool FlagOpt(const char* name);
// The value of the first row named name, or null; no such row: "ValueOpt(%s) invalid".
const char* ValueOpt(const char* name);

// The value of the number option name, when given, into param (single precision). A text that
// does not read as a finite number ends the process with "Invalid parameter -<name> <text>"; a
// number outside [low, high] with the same words and the accepted range.
void FloatOptInRange(const char* name, float& param, double low = -FLT_MAX, double high = FLT_MAX);

// Clears every flag and releases every value.
void ClearOptionTables();
