// SetParams, SetLogFile and MissingCommand: the option tables into the engine's parameters.
#include "align/frontend/commandLine.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "align/diagnostics.h"
#include "align/memUse.h"
#include "align/options.h"
#include "align/params.h"

namespace {

void SetText(const char* option, const char*& param) {
    if (const char* value = ValueOpt(option)) param = value;
}

void SetFlag(const char* option, bool& param, bool value = true) {
    if (FlagOpt(option)) param = value;
}

// strtol into unsigned: -1 becomes 4294967295 (no limit), which command lines written for the
// engine rely on.
void SetUnsigned(const char* option, unsigned& param) {
    if (const char* value = ValueOpt(option)) param = static_cast<unsigned>(strtol(value, nullptr, 10));
}

// A given value that would make a later stage divide by zero or do nothing at all.
void RejectZero(const char* option, unsigned param) {
    const char* value = ValueOpt(option);
    if (value && param == 0) Quit("Invalid parameter -%s %s", option, value);
}

// The anchor search smooths column scores over a window centred on each column, so its width
// is an odd whole number; anything else would stop the run at the first anchor search.
void CheckOddWhole(const char* option, unsigned param) {
    const char* value = ValueOpt(option);
    if (!value) return;
    char* end = nullptr;
    errno = 0;
    strtol(value, &end, 10);
    if (end == value || *end != 0 || errno == ERANGE || param % 2 == 0)
        Quit("Invalid parameter -%s %s: needs an odd whole number", option, value);
}

template <typename E>
void SetEnum(const char* option, const EnumOpt* table, E& param) {
    const char* value = ValueOpt(option);
    if (!value) return;
    int found = 0;
    if (!FindEnumOpt(table, value, &found)) Quit("Invalid parameter -%s %s", option, value);
    param = static_cast<E>(found);
}

// Hours into whole seconds of single-precision arithmetic. Zero, negative and non-finite hours
// (beyond single precision included) leave the limit as it was (no limit by default); a limit
// beyond what the time check can compare as a signed time_t is clamped to the largest it can.
void SetMaxHours() {
    const char* value = ValueOpt("MaxHours");
    if (!value) return;
    const double given = strtod(value, nullptr);
    if (!std::isfinite(given) || given <= 0 || given > FLT_MAX) return;
    const float hours = static_cast<float>(given);
    const float secs = hours * 60 * 60;
    g_ulMaxSecs = secs < static_cast<float>(LONG_MAX) ? static_cast<unsigned long>(secs) : LONG_MAX;
}

void SetFileNames() {
    SetText("in", g_pstrInFileName);
    SetText("out", g_pstrOutFileName);
    SetText("FASTAOut", g_pstrFASTAOutFileName);
    SetText("ClwOut", g_pstrClwOutFileName);
    SetText("ClwStrictOut", g_pstrClwStrictOutFileName);
    SetText("HTMLOut", g_pstrHTMLOutFileName);
    SetText("PHYIOut", g_pstrPHYIOutFileName);
    SetText("PHYSOut", g_pstrPHYSOutFileName);
    SetText("MSFOut", g_pstrMSFOutFileName);
    SetText("in1", g_pstrFileName1);
    SetText("in2", g_pstrFileName2);
    SetText("Matrix", g_pstrMatrixFileName);
    SetText("SPScore", g_pstrSPFileName);
    // With both tree options the UseTree file is read, without the warning.
    SetText("UseTree_NoWarn", g_pstrUseTreeFileName);
    if (g_pstrUseTreeFileName) g_bUseTreeNoWarn = true;
    SetText("UseTree", g_pstrUseTreeFileName);
    SetText("ComputeWeights", g_pstrComputeWeightsFileName);
    SetText("ScoreFile", g_pstrScoreFileName);
    SetText("DistMx1", g_pstrDistMxFileName1);
    SetText("DistMx2", g_pstrDistMxFileName2);
}

// In this order, so that a later flag wins over an earlier one.
void SetFlags() {
    SetFlag("Core", g_bCatchExceptions, false);
    SetFlag("NoCore", g_bCatchExceptions, true);
    SetFlag("Diags1", g_bDiags1);
    SetFlag("Diags2", g_bDiags2);
    SetFlag("Diags", g_bDiags1);
    SetFlag("Diags", g_bDiags2);
    SetFlag("Anchors", g_bAnchors, true);
    SetFlag("NoAnchors", g_bAnchors, false);
    SetFlag("Quiet", g_bQuiet);
    SetFlag("Verbose", g_bVerbose);
    SetFlag("Version", g_bVersion);
    SetFlag("Stable", g_bStable, true);
    SetFlag("Group", g_bStable, false);
    SetFlag("Refine", g_bRefine);
    SetFlag("RefineW", g_bRefineW);
    SetFlag("ProfDB", g_bProfDB);
    SetFlag("SW", g_bSW);
    SetFlag("ClusterOnly", g_bClusterOnly);
    SetFlag("Profile", g_bProfile);
    SetFlag("PPScore", g_bPPScore);
    SetFlag("Brenner", g_bBrenner);
    SetFlag("Dimer", g_bDimer);
    SetFlag("MSF", g_bMSF);
    SetFlag("PHYI", g_bPHYI);
    SetFlag("PHYS", g_bPHYS);
    SetFlag("clw", g_bAln);
    SetFlag("HTML", g_bHTML);
    SetFlag("FASTA", g_bFASTA);
    SetFlag("PAS", g_bPAS);
    SetFlag("MakeTree", g_bMakeTree);
}

void SetNumbers() {
    SetUnsigned("MaxIters", g_uMaxIters);
    SetUnsigned("MaxTrees", g_uMaxTreeRefineIters);
    SetUnsigned("SmoothWindow", g_uSmoothWindowLength);
    SetUnsigned("RefineWindow", g_uRefineWindow);
    SetUnsigned("FromWindow", g_uWindowFrom);
    SetUnsigned("ToWindow", g_uWindowTo);
    SetUnsigned("SaveWindow", g_uSaveWindow);
    SetUnsigned("WindowOffset", g_uWindowOffset);
    SetUnsigned("AnchorSpacing", g_uAnchorSpacing);
    SetUnsigned("DiagLength", g_uMinDiagLength);
    SetUnsigned("DiagMargin", g_uDiagMargin);
    SetUnsigned("DiagBreak", g_uMaxDiagBreak);
    SetUnsigned("MaxSubFam", g_uMaxSubFamCount);
    SetUnsigned("Hydro", g_uHydrophobicRunLength);
    // The window width divides the column count, and without sub-families the sub-family
    // alignment would join leaves from children they do not have.
    RejectZero("RefineWindow", g_uRefineWindow);
    RejectZero("MaxSubFam", g_uMaxSubFamCount);
    CheckOddWhole("SmoothWindow", g_uSmoothWindowLength);

    SetFlag("TomHydro", g_bTomHydro);
    if (g_bTomHydro) g_uHydrophobicRunLength = 0;

    // SUEFF weighs the mean against the minimum of two distances when clusters join; outside
    // [0, 1] the joined distances grow with every join until they overflow.
    FloatOptInRange("SUEFF", g_dSUEFF, 0, 1);
    FloatOptInRange("HydroFactor", g_dHydroFactor);
}

// Weight1, Weight2, Cluster1 and Cluster2 come after Weight and Cluster, so they win.
void SetEnums() {
    SetEnum("ObjScore", OBJSCORE_Opts, g_ObjScore);
    SetEnum("TermGaps", TERMGAPS_Opts, g_TermGaps);
    SetEnum("Weight", SEQWEIGHT_Opts, g_SeqWeight1);
    SetEnum("Weight", SEQWEIGHT_Opts, g_SeqWeight2);
    SetEnum("Weight1", SEQWEIGHT_Opts, g_SeqWeight1);
    SetEnum("Weight2", SEQWEIGHT_Opts, g_SeqWeight2);
    SetEnum("Cluster", CLUSTER_Opts, g_Cluster1);
    SetEnum("Cluster", CLUSTER_Opts, g_Cluster2);
    SetEnum("Cluster1", CLUSTER_Opts, g_Cluster1);
    SetEnum("Cluster2", CLUSTER_Opts, g_Cluster2);
    SetEnum("Root1", ROOT_Opts, g_Root1);
    SetEnum("Root2", ROOT_Opts, g_Root2);
    SetEnum("SeqType", SEQTYPE_Opts, g_SeqType);
}

}  // namespace

void SetParams() {
    SetMaxHours();
    SetFileNames();
    SetFlags();
    if (g_bStable) Quit("-stable not supported in this version of corvid");
    if (FlagOpt("clwstrict")) g_bAln = g_bClwStrict = true;
    SetNumbers();
    SetEnums();

    // From the values in force now, before SetPPScore derives the gap penalties.
    g_scoreGapAmbig = g_scoreGapOpen * g_scoreAmbigFactor;
    g_bLow = g_SeqWeight1 == SEQWEIGHT_ClustalW && (g_uMaxIters == 1 || g_SeqWeight2 == SEQWEIGHT_ClustalW);
    if (g_bDimer) g_bPrecompiledCenter = false;

    if (const char* maxMB = ValueOpt("MaxMB"))
        g_uMaxMB = static_cast<unsigned>(strtol(maxMB, nullptr, 10));
    else
        g_uMaxMB = static_cast<unsigned>(0.8 * GetRAMSizeMB());
}

void SetLogFile() {
    // Only this function names the log from options and it runs once, so the append flag is
    // still clear when -log alone is given.
    if (const char* name = ValueOpt("loga"))
        SetListFileName(name, true);
    else if (const char* name = ValueOpt("log"))
        SetListFileName(name, false);
}

bool MissingCommand() {
    // "-in -" names standard input; only an input named nowhere is missing.
    return strcmp(g_pstrInFileName, "-") == 0 && !ValueOpt("in") && !g_pstrFileName1 && !g_pstrSPFileName;
}
