// Tests of the engine's self-tests: the five-leaf test tree, the test distance source and the
// edit-string product.
#include "align/frontend/selfTest.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "align/diagnostics.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/structure/tempFile.h"

namespace {

// The self-tests log to a fixed name in the working directory; every test gets a directory of
// its own, so that tests running side by side do not share the file.
class SelfTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        previous = std::filesystem::current_path();
        char name[] = "/tmp/quorix_selftest_XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        directory = name;
        std::filesystem::current_path(directory);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(directory);
        EngineTest::TearDown();
    }

private:
    std::filesystem::path previous, directory;
};

TEST_F(SelfTest, FiveLeafTreeHeightsAndBranchLengths) {
    const DistCalcTest dc;
    float row[TEST_DIST_COUNT] = {-1, -1, -1, -1, -1};
    dc.CalcDistRange(0, row);  // nothing for row 0
    EXPECT_EQ(row[0], -1);
    dc.CalcDistRange(4, row);
    EXPECT_TRUE(row[0] == 20 && row[1] == 20 && row[2] == 20 && row[3] == 20 && row[4] == -1);

    // 0-1 join at height 1, 2-3 at 2, the pairs at 7 (mean distance 14), leaf 4 at 10.
    Tree tree;
    BuildTestTree(tree);
    ASSERT_EQ(tree.GetNodeCount(), 9u);
    const unsigned pair01 = tree.GetParent(0), pair23 = tree.GetParent(2), pairs = tree.GetParent(pair01);
    EXPECT_TRUE(tree.GetParent(1) == pair01 && tree.GetParent(3) == pair23 && tree.GetParent(pair23) == pairs);
    EXPECT_EQ(tree.GetParent(4), tree.GetRootNodeIndex());
    // node, height (leaves 0), length of the edge to the parent
    const std::tuple<unsigned, double, double> nodes[] = {{0, 0, 1},      {1, 0, 1},      {2, 0, 2},
                                                          {3, 0, 2},      {4, 0, 10},     {pair01, 1, 6},
                                                          {pair23, 2, 5}, {pairs, 7, 3}};
    for (const auto& [node, height, length] : nodes) {
        EXPECT_DOUBLE_EQ(tree.GetNodeHeight(node), height) << node;
        EXPECT_DOUBLE_EQ(tree.GetEdgeLength(node, tree.GetParent(node)), length) << node;
    }
    EXPECT_DOUBLE_EQ(tree.GetNodeHeight(tree.GetRootNodeIndex()), 10);
    EXPECT_TRUE(tree.GetLeafId(3) == 3 && !strcmp(tree.GetLeafName(3), "name"));
    ::Test();  // builds the same tree and logs nothing
    SetListFileName("", false);
    std::remove(SELF_TEST_LOG);
}

TEST_F(SelfTest, EditStringProduct) {
    // The product worked out by hand (selfTestData.cpp) is what MulEstrings computes.
    TempFile log;
    SetListFileName(log.c_str(), false);
    EXPECT_TRUE(TestMulEstrings(TestEstringA, TestEstringB, TestEstringAB));
    EXPECT_EQ(log.read().find(" *ERROR* "), std::string::npos);
    const int wrong[] = {50, -36, 0};
    EXPECT_FALSE(TestMulEstrings(TestEstringA, TestEstringB, wrong));
    SetListFileName("", false);
    EXPECT_NE(log.read().find("<50 -36 34 -3 12 -6 1 -6 9 -99 56 -2 155 -3 123 -58> *ERROR* "), std::string::npos);

    // TestEstrings ends the process with status 0, its log free of errors.
    EXPECT_EXIT(TestEstrings(), ::testing::ExitedWithCode(0), "");
    const std::string selfLog = readWholeFile(SELF_TEST_LOG);
    EXPECT_TRUE(selfLog.ends_with("\n==========\n\n") && selfLog.find("*ERROR*") == std::string::npos) << selfLog;
    std::remove(SELF_TEST_LOG);
}

}  // namespace
