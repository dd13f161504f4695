// The fixed data of the self-tests (defined constexpr so that they are checked while compiling).
#include "align/frontend/selfTest.h"

// Ultrametric: UPGMA joins 0-1 at height 1, 2-3 at 2, the pairs at 7 and leaf 4 at 10.
constexpr float TestDist[TEST_DIST_COUNT][TEST_DIST_COUNT] = {
    //  0   1   2   3   4
    {0, 2, 14, 14, 20},   // 0
    {2, 0, 14, 14, 20},   // 1
    {14, 14, 0, 4, 20},   // 2
    {14, 14, 4, 0, 20},   // 3
    {20, 20, 20, 20, 0},  // 4
};

// a copies 440 letters into 524 columns; b spreads those 524 over 653.
constexpr int TestEstringA[TEST_ESTRING_A_RUNS + 1] = {106, -77, 56, -2, 155, -3, 123, -2, 0};
constexpr int TestEstringB[TEST_ESTRING_B_RUNS + 1] = {50, -36, 34, -3, 12, -6, 1, -6, 18, -17, 60, -5, 349, -56, 0};
// Worked out by hand: b's runs cut across a's (18 = 9 letters + 9 gaps of a's 77; 60 all gaps;
// 349 = 8 gaps + 56 + 2 + 155 + 3 + 123 + 2), adjacent gap runs merged.
constexpr int TestEstringAB[TEST_ESTRING_AB_RUNS + 1] = {50, -36, 34,  -3, 12,  -6,  1, -6, 9,
                                                         -99, 56, -2, 155, -3, 123, -58, 0};

// Every edit string holds exactly its runs and the terminator.
static_assert(TestEstringA[TEST_ESTRING_A_RUNS] == 0 && TestEstringA[TEST_ESTRING_A_RUNS - 1] != 0);
static_assert(TestEstringB[TEST_ESTRING_B_RUNS] == 0 && TestEstringB[TEST_ESTRING_B_RUNS - 1] != 0);
static_assert(TestEstringAB[TEST_ESTRING_AB_RUNS] == 0 && TestEstringAB[TEST_ESTRING_AB_RUNS - 1] != 0);
static_assert([] {
    for (unsigned i = 0; i < TEST_DIST_COUNT; ++i)
        for (unsigned j = 0; j < TEST_DIST_COUNT; ++j)
            if (TestDist[i][j] != TestDist[j][i] || (i == j) != (TestDist[i][j] == 0)) return false;
    return true;
}(), "TestDist must be a symmetric distance table");
