// Tests of the end of a run whose memory ran out: a message naming the stage and status 1, in
// place of the standard abort.
#include "app/outOfMemory.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

#include "app/cInfo.h"
#include "tests/app/runProgram.h"
#include "tests/structure/tempFile.h"

namespace {

[[noreturn]] void throwBadAlloc() { throw std::bad_alloc(); }
[[noreturn]] void throwRuntimeError() { throw std::runtime_error("not memory"); }

// An exception leaving a noexcept function ends the process as an uncaught one would (the death
// test itself catches whatever its statement lets escape).
void stageThatThrows(void (*thrower)()) {
    static cInfo report(75);
    report.printInfo("Sequence alignment of chains");
    endRunWhenMemoryRunsOut(report);
    [thrower]() noexcept { thrower(); }();
}

}  // namespace

TEST(outOfMemory, UncaughtBadAllocEndsTheRunNamingTheStage) {
    EXPECT_EXIT(stageThatThrows(throwBadAlloc), testing::ExitedWithCode(1),
                "Error: memory ran out in the stage \"Sequence alignment of chains\"");
    EXPECT_EXIT(stageThatThrows(throwRuntimeError), testing::KilledBySignal(SIGABRT), "not memory");
}

TEST(outOfMemory, WholeRunUnderAnAddressSpaceLimit) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address-space limit";
#else
    // 2,000 one-residue chains: each of the three chain-by-chain tables takes 32 MB, more than
    // the 64 MB that the limit leaves.
    std::string pdb;
    for (int k = 0; k < 2000; ++k) {
        char line[96];
        std::snprintf(line, sizeof line, "ATOM  %5d  CA  ALA A   1    %8.3f   0.000   0.000  1.00  0.00\nTER\n", k + 1,
                      0.01 * k);
        pdb += line;
    }
    const cTempFile file(pdb);
    const sProgramRun run =
        runProgram({"/bin/sh", "-c", "ulimit -v 65536 && exec \"$0\" \"$@\"", quorixPath(), file.path(), "c2"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err, "Error: memory ran out in the stage \"Sequence alignment of chains\"\n");
    EXPECT_NE(run.out.find("=Sequence alignment of chains="), std::string::npos);  // the report is not lost
#endif
}
