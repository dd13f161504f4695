// The engine's named options: a table of flags and a table of values, looked up by name.
#include "align/options.h"

#include <strings.h>

#include <cmath>
#include <cstdlib>

#include "align/diagnostics.h"

FlagOptRow FlagOptTable[] = {
    {"LE", false},         {"SP", false},        {"SV", false},        {"SPN", false},
    {"Core", false},       {"NoCore", false},    {"Diags1", false},    {"Diags2", false},
    {"Diags", false},      {"Quiet", false},     {"MSF", false},       {"Verbose", false},
    {"Anchors", false},    {"NoAnchors", false}, {"Refine", false},    {"RefineW", false},
    {"SW", false},         {"Profile", false},   {"PPScore", false},   {"ClusterOnly", false},
    {"Brenner", false},    {"Dimer", false},     {"clw", false},       {"clwstrict", false},
    {"HTML", false},       {"Version", false},   {"Stable", false},    {"Group", false},
    {"FASTA", false},      {"ProfDB", false},    {"PAS", false},       {"PHYI", false},
    {"PHYS", false},       {"TomHydro", false},  {"MakeTree", false},
};
static_assert(sizeof(FlagOptTable) / sizeof(FlagOptTable[0]) == FLAG_OPT_COUNT);

ValueOptRow ValueOptTable[] = {
    {"in", nullptr},              {"in1", nullptr},             {"in2", nullptr},
    {"out", nullptr},             {"MaxIters", nullptr},        {"MaxHours", nullptr},
    {"GapOpen", nullptr},         {"GapOpen2", nullptr},        {"GapExtend", nullptr},
    {"GapExtend2", nullptr},      {"GapAmbig", nullptr},        {"Center", nullptr},
    {"SmoothScoreCeil", nullptr}, {"MinBestColScore", nullptr}, {"MinSmoothScore", nullptr},
    {"ObjScore", nullptr},        {"SmoothWindow", nullptr},    {"RefineWindow", nullptr},
    {"FromWindow", nullptr},      {"ToWindow", nullptr},        {"SaveWindow", nullptr},
    {"WindowOffset", nullptr},    {"FirstWindow", nullptr},     {"AnchorSpacing", nullptr},
    {"Log", nullptr},             {"LogA", nullptr},            {"MaxTrees", nullptr},
    {"SUEFF", nullptr},           {"Distance", nullptr},        {"Distance1", nullptr},
    {"Distance2", nullptr},       {"Weight", nullptr},          {"Weight1", nullptr},
    {"Weight2", nullptr},         {"Cluster", nullptr},         {"Cluster1", nullptr},
    {"Cluster2", nullptr},        {"Root1", nullptr},           {"Root2", nullptr},
    {"Tree1", nullptr},           {"Tree2", nullptr},           {"UseTree", nullptr},
    {"UseTree_NoWarn", nullptr},  {"DiagLength", nullptr},      {"DiagMargin", nullptr},
    {"DiagBreak", nullptr},       {"Hydro", nullptr},           {"HydroFactor", nullptr},
    {"SPScore", nullptr},         {"SeqType", nullptr},         {"MaxMB", nullptr},
    {"ComputeWeights", nullptr},  {"MaxSubFam", nullptr},       {"ScoreFile", nullptr},
    {"TermGaps", nullptr},        {"FASTAOut", nullptr},        {"CLWOut", nullptr},
    {"CLWStrictOut", nullptr},    {"HTMLOut", nullptr},         {"MSFOut", nullptr},
    {"PHYIOut", nullptr},         {"PHYSOut", nullptr},         {"Matrix", nullptr},
    {"DistMx1", nullptr},         {"DistMx2", nullptr},         {"Weight", nullptr},
};
static_assert(sizeof(ValueOptTable) / sizeof(ValueOptTable[0]) == VALUE_OPT_COUNT);

bool FlagOpt(const char* name) {
    for (const FlagOptRow& row : FlagOptTable)
        if (strcasecmp(row.pstrName, name) == 0) return row.bSet;
    Quit("FlagOpt(%s) invalid", name);
}

const char* ValueOpt(const char* name) {
    for (const ValueOptRow& row : ValueOptTable)
        if (strcasecmp(row.pstrName, name) == 0) return row.pstrValue;
    Quit("ValueOpt(%s) invalid", name);
}

void FloatOptInRange(const char* name, float& param, double low, double high) {
    const char* text = ValueOpt(name);
    if (!text) return;
    // Checked in double: a value beyond single precision has no float to be cast to.
    const double value = strtod(text, nullptr);
    if (!std::isfinite(value)) Quit("Invalid parameter -%s %s", name, text);
    if (value < low || value > high)
        Quit("Invalid parameter -%s %s: outside the accepted range %g to %g", name, text, low, high);
    param = static_cast<float>(value);
}

void ClearOptionTables() {
    for (FlagOptRow& row : FlagOptTable) row.bSet = false;
    for (ValueOptRow& row : ValueOptTable) {
        delete[] row.pstrValue;
        row.pstrValue = nullptr;
    }
}
