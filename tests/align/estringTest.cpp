// Tests of edit strings: conversion from and to paths, composition and application.
#include "align/estring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "align/msa.h"
#include "align/pwPath.h"
#include "align/seq.h"
#include "tests/align/alignTestUtil.h"

namespace {

std::vector<int> Runs(const int* es) { return std::vector<int>(es, es + LengthEstring(es) + 1); }

std::string Apply(const std::vector<int>& es, const std::string& text) {
    char* out = EstringOpStr(es.data(), text.c_str());
    std::string s(out);
    delete[] out;
    return s;
}

// A random edit string that copies exactly length symbols, runs of alternating sign.
std::vector<int> RandomEstring(std::mt19937& rng, unsigned length) {
    std::uniform_int_distribution<int> run(1, 4);
    std::uniform_int_distribution<int> coin(0, 1);
    std::vector<int> es;
    bool positive = coin(rng) == 1;
    unsigned left = length;
    while (left > 0) {
        if (positive) {
            const int n = std::min<int>(run(rng), static_cast<int>(left));
            es.push_back(n);
            left -= static_cast<unsigned>(n);
        } else {
            es.push_back(-run(rng));
        }
        positive = !positive;
    }
    if (coin(rng)) es.push_back(-run(rng));
    es.push_back(0);
    return es;
}

unsigned OutputLength(const std::vector<int>& es) {
    unsigned n = 0;
    for (int r : es) n += static_cast<unsigned>(r < 0 ? -r : r);
    return n;
}

}  // namespace

using Estring = EngineTest;

TEST_F(Estring, PathToEstringsOfTheWorkedExample) {
    PWPath p;
    p.FromStr("MDDIM");
    int *a = nullptr, *b = nullptr;
    PathToEstrings(p, &a, &b);
    EXPECT_EQ(Runs(a), (std::vector<int>{3, -1, 1, 0}));
    EXPECT_EQ(Runs(b), (std::vector<int>{1, -2, 2, 0}));
    PWPath back;
    EstringsToPath(a, b, back);
    back.AssertEqual(p);
    delete[] a;
    delete[] b;

    PWPath empty;
    PathToEstrings(empty, &a, &b);
    EXPECT_EQ(Runs(a), std::vector<int>{0});
    delete[] a;
    delete[] b;
}

TEST_F(Estring, EstringsToPathRejectsInconsistentSides) {
    PWPath p;
    const int a[] = {2, 0}, b[] = {1, 0};
    EXPECT_QUIT(EstringsToPath(a, b, p), "EstringsToPath: the second edit string is shorter than the first");
    const int c[] = {1, 0}, d[] = {2, 0};
    EXPECT_QUIT(EstringsToPath(c, d, p), "EstringsToPath: the second edit string is longer than the first");
    const int e[] = {1, -1, 0}, f[] = {1, -1, 0};
    EXPECT_QUIT(EstringsToPath(e, f, p), "EstringsToPath: gap on both sides at column 1");
}

TEST_F(Estring, CompositionEqualsApplyingBothInTurn) {
    const unsigned seed = TestSeed(3);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (unsigned trial = 0; trial < 200; ++trial) {
        const std::string source = RandomProtein(rng, 1 + trial % 9);
        const std::vector<int> es1 = RandomEstring(rng, static_cast<unsigned>(source.size()));
        const std::vector<int> es2 = RandomEstring(rng, OutputLength(es1));
        const unsigned capacity = LengthEstring(es1.data()) + LengthEstring(es2.data()) + 1;
        std::vector<int> product(capacity);
        MulEstrings(es1.data(), es2.data(), product.data(), capacity);
        ASSERT_EQ(Apply(product, source), Apply(es2, Apply(es1, source))) << trial;
        // Runs of one sign are merged.
        for (unsigned i = 1; i < LengthEstring(product.data()); ++i)
            ASSERT_NE(product[i] > 0, product[i - 1] > 0) << trial;
    }
}

TEST_F(Estring, CompositionChecksItsInputsAndItsOutputSize) {
    const int es1[] = {2, -1, 1, 0};  // 4 symbols out
    const int tooLong[] = {5, 0};
    int result[8];
    EXPECT_QUIT(MulEstrings(es1, tooLong, result, 8),
                "MulEstrings: the second edit string copies 5 symbols, the first produces 4");
    const int es2[] = {-1, 1, -1, 3, 0};
    EXPECT_QUIT(MulEstrings(es1, es2, result, 3), "MulEstrings: result does not fit 3 ints");
    MulEstrings(es1, es2, result, 8);
    EXPECT_EQ(Runs(result), (std::vector<int>{-1, 1, -1, 1, -1, 1, 0}));
}

TEST_F(Estring, ApplyingChecksTheSourceLength) {
    Seq in;
    in.FromString("ACDE", "x");
    in.SetId(0);
    const int es[] = {-2, 2, -1, 2, 0};
    Seq out;
    EstringOp(es, in, out);
    EXPECT_EQ(std::string(out.begin(), out.end()), "--AC-DE");
    EXPECT_STREQ(out.GetName(), "x");
    EXPECT_FALSE(out.IdSet());

    MSA::SetIdCount(1);
    MSA a;
    EstringOp(es, in, a);
    EXPECT_EQ(RowText(a, 0), "--AC-DE");
    EXPECT_EQ(a.GetSeqId(0), 0u);

    const int shortEs[] = {3, 0};
    EXPECT_QUIT(EstringOp(shortEs, in, out), "EstringOp: edit string copies 3 symbols, the source has 4");
    EXPECT_QUIT(EstringOpStr(shortEs, "AB"), "EstringOpStr: edit string copies 3 symbols, the source has 2");
    Seq noId;
    noId.FromString("ACDE", "y");
    EXPECT_QUIT(EstringOp(es, noId, a), "Seq::GetId, id not set");
}
