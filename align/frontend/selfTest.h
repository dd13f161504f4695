// The engine's developer self-tests: a guide tree from a fixed five-leaf distance table, and the
// product of two fixed edit strings. No command runs them.
#pragma once

#include "align/distCalc.h"

class Tree;

// The log file of both self-tests, in the working directory, overwritten.
constexpr char SELF_TEST_LOG[] = "corvid_selftest.log";

// The distances of five leaves: 0 and 1 at 2, 2 and 3 at 4, the two pairs at 14, leaf 4 at 20
// from every other.
constexpr unsigned TEST_DIST_COUNT = 5;
extern const float TestDist[TEST_DIST_COUNT][TEST_DIST_COUNT];

// The operands of the edit-string test and their product (zero-terminated).
constexpr unsigned TEST_ESTRING_A_RUNS = 8;
constexpr unsigned TEST_ESTRING_B_RUNS = 14;
constexpr unsigned TEST_ESTRING_AB_RUNS = 16;
extern const int TestEstringA[TEST_ESTRING_A_RUNS + 1];
extern const int TestEstringB[TEST_ESTRING_B_RUNS + 1];
extern const int TestEstringAB[TEST_ESTRING_AB_RUNS + 1];

// A distance source over TestDist: ids 0 .. 4, every leaf named "name".
class DistCalcTest : public DistCalc {
public:
    void CalcDistRange(unsigned i, float dist[]) const override;
    unsigned GetCount() const override { return TEST_DIST_COUNT; }
    unsigned GetId(unsigned i) const override { return i; }
    const char* GetName(unsigned) const override { return "name"; }
};

// Logs to SELF_TEST_LOG, builds the test tree and releases it.
void Test();
// The test tree: the leaves of DistCalcTest clustered by UPGMA2 with average linkage.
void BuildTestTree(Tree& tree);
// Logs to SELF_TEST_LOG, runs TestMulEstrings on the test operands and their product, and ends
// the process with status 0.
[[noreturn]] void TestEstrings();
// Logs the two operands applied to runs of 'X' and their composition, the operands and the
// expected and computed products (MulEstrings), " *ERROR* " when those two differ, and the
// computed product applied to 'X's. Returns whether the products agree.
bool TestMulEstrings(const int* a, const int* b, const int* expected);
