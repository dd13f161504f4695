// Kept paths between blocks of identical rows: a key stands for everything the dynamic
// programming reads, the engine gives the same rows with and without them, and a changed
// parameter or lock is never answered with a path kept under another.
#include "align/identicalRowPaths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "align/alignTwoMSAs.h"
#include "align/alpha.h"
#include "align/corvid.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"
#include "align/scoreMatrix.h"
#include "align/seqVect.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// What the dynamic programming reads of a profile, as bytes: per column the gap scores, the
// occupancy, the sort order, the frequencies and the letter scores.
std::string DynamicProgrammingInput(const MSA& a) {
    const unsigned length = a.GetColCount();
    std::unique_ptr<ProfPos[]> prof(ProfileFromMSA(a));
    std::string bytes;
    auto put = [&bytes](const void* p, size_t n) { bytes.append(static_cast<const char*>(p), n); };
    for (unsigned col = 0; col < length; ++col) {
        const ProfPos& pp = prof[col];
        put(&pp.scoreGapOpen, sizeof(SCORE));
        put(&pp.scoreGapClose, sizeof(SCORE));
        put(&pp.fOcc, sizeof(FCOUNT));
        put(pp.uSortOrder, g_AlphaSize * sizeof(unsigned));
        put(pp.fcCounts, g_AlphaSize * sizeof(FCOUNT));
        put(pp.AAScores, g_AlphaSize * sizeof(SCORE));
    }
    return bytes;
}

void Copies(MSA& a, const std::string& row, unsigned count) { MakeMSA(a, std::vector<std::string>(count, row)); }

class IdenticalRowPaths : public ProteinScoringTest<SEQWEIGHT_None> {
protected:
    void SetUp() override {
        ProteinScoringTest::SetUp();
        SetIdenticalRowPathsEnabled(true);
    }
    void TearDown() override { SetIdenticalRowPathsEnabled(true); }
};

}  // namespace

TEST_F(IdenticalRowPaths, BlocksWithOneKeyGiveTheDynamicProgrammingTheSameInput) {
    // Uniform weights 1/k: the weight sums of k rows differ in their last bits from size to size.
    struct Case {
        ALPHA alpha;
        PPSCORE score;
        const char* row;
        bool oneKey;  // true: blocks of every size share one key
    };
    const Case cases[] = {
        {ALPHA_Amino, PPSCORE_LE, "ACDEFGHIKLMNPQRSTVWY", true},  // normalised letters only
        {ALPHA_Amino, PPSCORE_LE, "XACDEFGHIK", false},            // the engine's masked methionine
        {ALPHA_Amino, PPSCORE_LE, "ACBDEZFG", false},              // wildcards of two letters
        {ALPHA_Amino, PPSCORE_LE, "AC-DE.FG", false},              // gap columns
        {ALPHA_Amino, PPSCORE_SP, "ACDEFGHIKL", false},            // counts not normalised
        {ALPHA_DNA, PPSCORE_SPN, "ACGTNACXGT", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        SetAlpha(c.alpha);
        SetPPScore(c.score);
        std::map<std::string, std::string> inputByKey;
        std::map<std::string, unsigned> inputs;
        for (unsigned k = 1; k <= 12; ++k) {
            MSA a;
            Copies(a, c.row, k);
            std::string key;
            ASSERT_TRUE(IdenticalRowsBlockKey(a, key));
            const std::string input = DynamicProgrammingInput(a);
            ++inputs[input];
            const auto [it, added] = inputByKey.emplace(key, input);
            EXPECT_TRUE(added || it->second == input) << "rows " << k;
        }
        if (c.oneKey)
            EXPECT_EQ(inputByKey.size(), 1u);
        else
            EXPECT_GT(inputs.size(), 1u) << "the weight sums reach the input";
    }

    // Not blocks that the key can stand for.
    MSA a;
    MakeMSA(a, {"ACDE", "ACDF"});
    std::string key;
    EXPECT_FALSE(IdenticalRowsBlockKey(a, key));
    SetAlpha(ALPHA_DNA);
    Copies(a, "ACGE", 2);  // E is no nucleotide
    EXPECT_FALSE(IdenticalRowsBlockKey(a, key));
    EXPECT_TRUE(key.empty());
}

TEST_F(IdenticalRowPaths, EngineRowsAreTheSameWithAndWithoutKeptPaths) {
    std::mt19937 rng(TestSeed(30));
    const std::string chain = RandomProtein(rng, 90);
    const std::string other = Mutate(rng, chain, 0.2, 4);
    std::string masked = "M" + chain;
    masked[20] = 'B';
    masked[41] = 'X';
    masked[60] = 'Z';
    std::vector<std::string> family = ProteinFamily(TestSeed(31), 16, 80, 0.25, 3);
    for (unsigned i = 9; i < 13; ++i) family[i] = family[8];
    std::vector<std::string> two;
    for (unsigned i = 0; i < 12; ++i) two.push_back(i % 3 == 0 ? other : chain);

    struct Case {
        const char* name;
        PPSCORE score;
        std::vector<std::string> sequences;
    };
    const Case cases[] = {
        {"copies", PPSCORE_LE, std::vector<std::string>(12, chain)},
        {"copies with a methionine and wildcards", PPSCORE_LE, std::vector<std::string>(12, masked)},
        {"copies, sum-of-pairs score", PPSCORE_SP, std::vector<std::string>(12, chain)},
        {"two sequences", PPSCORE_LE, two},
        {"family with repeats", PPSCORE_LE, family},
    };
    auto align = [](const Case& c) {
        RestoreDefaultParams();
        MSA::ResetIdCount();
        g_PPScore = c.score;
        SeqVect v;
        MakeSeqVect(v, c.sequences);
        MSA a;
        DoMultipleCorvid(v, a);
        std::string rows;
        for (unsigned row = 0; row < a.GetSeqCount(); ++row)
            rows += std::to_string(a.GetSeqId(row)) + ":" + RowText(a, row) + "\n";
        return rows;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetIdenticalRowPathsEnabled(true);
        const std::string kept = align(c);
        const unsigned long reuses = IdenticalRowPathReuses();
        EXPECT_GT(reuses, 0u);
        // Nothing is carried from one call to the next: the same call reuses as often again.
        EXPECT_EQ(align(c), kept);
        EXPECT_EQ(IdenticalRowPathReuses(), 2 * reuses);
        SetIdenticalRowPathsEnabled(false);
        EXPECT_EQ(align(c), kept);
    }
}

TEST_F(IdenticalRowPaths, AChangedParameterOrLockIsAlignedAfresh) {
    // Each case gives the blocks a different path after than before; the path kept before must
    // not stand in for it.
    SCOREMATRIX matrix;  // the default matrix, which one case changes
    memcpy(matrix, *g_ptrScoreMatrix, sizeof matrix);
    struct Case {
        const char* name;
        std::function<void()> before, after;
        bool lockLeftAfter;
    };
    const auto none = [] {};
    const auto gapsPay = [] { g_scoreCenter = 100; };
    const Case cases[] = {
        {"gap open", none, [] { g_scoreGapOpen = 20; }, false},
        {"gap extension", none, [] { g_scoreGapExtend = 10; }, false},
        {"score centre", none, gapsPay, false},
        {"terminal gaps", [] { g_scoreCenter = 1.6f; }, [] { g_scoreCenter = 1.6f; g_TermGaps = TERMGAPS_Ext; }, false},
        {"score function", [] { g_scoreGapOpen = 4; }, [] { g_scoreGapOpen = 4; g_PPScore = PPSCORE_SP; }, false},
        {"substitution scores", none, [] { (*g_ptrScoreMatrix)[2][2] = 1e-6f; }, false},
        {"left lock", gapsPay, gapsPay, true},
    };
    MSA a, b;
    Copies(a, "ACDEFGHIKLMNPQRSTVWY", 3);
    Copies(b, "ACDEFGHIKLMNPQRSTVWY", 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RestoreDefaultParams();
        SetUpProteinScoring();
        SetSeqWeightMethod(SEQWEIGHT_None);
        SetIdenticalRowPathsEnabled(true);
        c.before();
        PWPath before, kept, fresh;
        AlignTwoMSAsPath(a, b, before, false, false);
        c.after();
        AlignTwoMSAsPath(a, b, kept, c.lockLeftAfter, false);
        SetIdenticalRowPathsEnabled(false);
        AlignTwoMSAsPath(a, b, fresh, c.lockLeftAfter, false);
        memcpy(*g_ptrScoreMatrix, matrix, sizeof matrix);
        EXPECT_FALSE(fresh.Equal(before)) << "the case changes nothing";
        EXPECT_TRUE(kept.Equal(fresh));
    }
}
