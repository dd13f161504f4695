// Run: one command of the engine program, chosen by its options.
#include <utility>

#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/frontend/diagonals.h"
#include "align/frontend/localAlign.h"
#include "align/frontend/refineW.h"
#include "align/frontend/subFamAlign.h"
#include "align/params.h"
#include "align/progress.h"
#include "align/timeLimit.h"

void Run() {
    SetStartTime();
    Log("Started %s\n", GetTimeAsStr());
    // The first command given runs: -refine wins over every other, -sw included.
    const std::pair<bool, void (*)()> commands[] = {
        {g_bRefine, Refine},   {g_bRefineW, DoRefineW},   {g_bProfDB, ProfDB},
        {g_bSW, Local},        {g_pstrSPFileName != nullptr, DoSP}, {g_bProfile, Profile},
        {g_bPPScore, PPScore}, {g_bPAS, ProgAlignSubFams}, {g_bMakeTree, DoMakeTree},
        {true, DoCorvid}};
    for (const auto& [given, command] : commands) {
        if (!given) continue;
        command();
        break;
    }
    // The command's alignments are gone: no save may find one of them.
    ClearCurrentAlignment();
    ListDiagSavings();
    Log("Finished %s\n", GetTimeAsStr());
}
