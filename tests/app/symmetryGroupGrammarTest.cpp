#include "app/symmetryGroupGrammar.h"

#include <gtest/gtest.h>

namespace {
const char* kArgument = "Error in symmetry group argument";
const char* kOrder = "Error in symmetry group order";
const char* kName = "Error in symmetry group name";

std::string describe(const std::string& arg) {
    sGroupArgument parsed = parseSymmetryGroup(arg);
    return parsed.group ? parsed.group->getDescription() : std::string(parsed.error);
}
}  // namespace

TEST(parseSymmetryGroup, ValidGroups) {
    EXPECT_EQ(describe("c3"), "c3");
    EXPECT_EQ(describe("d2"), "d2");
    EXPECT_EQ(describe("c12"), "c12");
    EXPECT_EQ(describe("t"), "t");
    EXPECT_EQ(describe("o"), "o");
    EXPECT_EQ(describe("i"), "i");
    EXPECT_EQ(describe("-c3"), "c3");
    EXPECT_EQ(describe("--c3"), "c3");
    EXPECT_EQ(describe("c1000"), "c1000");
}

TEST(parseSymmetryGroup, NumbersAfterCubicLettersAreReadAndIgnored) {
    sGroupArgument t = parseSymmetryGroup("t5");
    ASSERT_TRUE(t.group);
    EXPECT_EQ(t.group->order, 12);
    EXPECT_EQ(t.group->getDescription(), "t");
    EXPECT_STREQ(parseSymmetryGroup("tx").error, kOrder);
    EXPECT_STREQ(parseSymmetryGroup("i99999999999999999999").error, kOrder);
}

TEST(parseSymmetryGroup, BadOrders) {
    for (const char* arg : {"c", "c0", "c-2", "d", "d0", "c3x", "c1", "d1", "c1001",
                            "c2147483648", "c99999999999999999999", "d-1"})
        EXPECT_STREQ(parseSymmetryGroup(arg).error, kOrder) << arg;
}

TEST(parseSymmetryGroup, BadArgumentsAndNames) {
    EXPECT_STREQ(parseSymmetryGroup("").error, kArgument);
    EXPECT_STREQ(parseSymmetryGroup("-").error, kArgument);
    EXPECT_STREQ(parseSymmetryGroup("--").error, kArgument);
    EXPECT_STREQ(parseSymmetryGroup("C3").error, kName);
    EXPECT_STREQ(parseSymmetryGroup("x3").error, kName);
    EXPECT_STREQ(parseSymmetryGroup("h").error, kName);
    EXPECT_STREQ(parseSymmetryGroup("h3").error, kName);
    // the letter of "---c3" is the third dash, and "c3" is no order
    EXPECT_STREQ(parseSymmetryGroup("---c3").error, kOrder);
}

TEST(parseSymmetryGroup, GroupFields) {
    sGroupArgument d = parseSymmetryGroup("d4");
    ASSERT_TRUE(d.group);
    EXPECT_EQ(d.group->order, 4);
    EXPECT_EQ(d.group->chainsPerAssembly, 8);
    EXPECT_EQ(d.group->cosine, 0.0);
    sGroupArgument o = parseSymmetryGroup("o");
    ASSERT_TRUE(o.group);
    EXPECT_EQ(o.group->chainsPerAssembly, 24);
    EXPECT_EQ(o.group->cosine, 0.816496580927726);
}
