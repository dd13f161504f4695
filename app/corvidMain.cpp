// Entry of corvid, the alignment engine as a program of its own: options from CORVID_CMDLINE and
// from the arguments, then one command (see align/frontend/commands.h).
#include <cstdio>
#include <cstdlib>
#include <new>

#include "align/frontend/commandLine.h"
#include "align/frontend/commands.h"
#include "align/memUse.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "align/textFile.h"

namespace {

// The scoring that commands working on protein take as they find it (-ppscore, -sw and the
// windows of -refinew set up only nucleotide scoring themselves). No alphabet is known before a
// command reads its input, so the choice of the flags is applied as for protein; nucleotide
// input switches to SPN in every command.
void SetUpStartingScoring() {
    const ALPHA alpha = g_Alpha;
    g_Alpha = ALPHA_Amino;
    SetPPScore(true);
    g_Alpha = alpha;
}

// operator new's handler outside the run's own (RefusedAllocationNote): a refused allocation ends
// the process at once. Thrown, std::bad_alloc would need memory of its own, and where none is left
// (a limit just above what loading the program takes) the process would abort instead.
void EndOutOfMemory() { QuitOutOfMemory(UNKNOWN_BYTES, "the run"); }

}  // namespace

int main(int argc, char** argv) {
    std::set_new_handler(EndOutOfMemory);
    ProcessArgStr(getenv("CORVID_CMDLINE"));
    ProcessArgVect(argc - 1, argv + 1);
    RefuseSameFiles();
    RefuseUnwritableOutputs();
    SetLogFile();
    SetParams();
    if (g_bVersion) {
        printf("corvid %s\n", QUORIX_VERSION);
        CloseStandardOutput();
        return 0;
    }
    if (MissingCommand()) {
        Credits();
        Usage();
        return 1;
    }
    SetUpStartingScoring();
    try {
        const RefusedAllocationNote note;
        Run();
    } catch (const std::bad_alloc&) {
        // The steps that know what they asked for have ended the run already.
        QuitOutOfMemory(UNKNOWN_BYTES, "the run");
    }
    // Results printed on standard output (-out -, -ppscore) are lost unless it takes them.
    CloseStandardOutput();
    return 0;
}
