// Test, TestEstrings, TestMulEstrings and the DistCalcTest distance source.
#include "align/frontend/selfTest.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "align/diagnostics.h"
#include "align/estring.h"
#include "align/tree.h"
#include "align/upgma2.h"

namespace {

unsigned LetterCount(const int* es) {
    unsigned count = 0;
    for (; *es != 0; ++es)
        if (*es > 0) count += static_cast<unsigned>(*es);
    return count;
}

// The edit string applied to a run of 'X' as long as its letter count (sized to fit, where a
// fixed buffer would overflow on long operands).
std::string OnLetters(const int* es) {
    const std::unique_ptr<char[]> text(EstringOpStr(es, std::string(LetterCount(es), 'X').c_str()));
    return text.get();
}

}  // namespace

void DistCalcTest::CalcDistRange(unsigned i, float dist[]) const {
    for (unsigned k = 0; k < i; ++k) dist[k] = TestDist[i][k];
}

void BuildTestTree(Tree& tree) {
    const DistCalcTest dc;
    UPGMA2(dc, tree, LINKAGE_Avg);
}

void Test() {
    SetListFileName(SELF_TEST_LOG, false);
    Tree tree;
    BuildTestTree(tree);
}

void TestEstrings() {
    SetListFileName(SELF_TEST_LOG, false);
    TestMulEstrings(TestEstringA, TestEstringB, TestEstringAB);
    exit(0);
}

bool TestMulEstrings(const int* a, const int* b, const int* expected) {
    const std::string s1 = OnLetters(a);
    const std::unique_ptr<char[]> s12(EstringOpStr(b, s1.c_str()));
    Log("%s * %s = %s\n", s1.c_str(), OnLetters(b).c_str(), s12.get());
    LogEstring(a);
    Log(" * ");
    LogEstring(b);
    Log(" = ");
    LogEstring(expected);
    Log("\n");

    // The product has at most the runs of both operands and its terminator.
    const unsigned capacity = LengthEstring(a) + LengthEstring(b) + 1;
    const std::unique_ptr<int[]> product(new int[capacity]);
    MulEstrings(a, b, product.get(), capacity);
    LogEstring(product.get());
    bool same = true;
    for (unsigned i = 0; same; ++i) {
        same = product[i] == expected[i];
        if (product[i] == 0) break;
    }
    if (!same) Log(" *ERROR* ");
    Log("\n");
    Log("%s\n", OnLetters(product.get()).c_str());
    Log("\n==========\n\n");
    return same;
}
