// Tests of column statistics, profiles and the column-against-column scores.
#include "align/profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "align/alpha.h"
#include "align/columnPairScores.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

struct ColumnStats {
    FCOUNT counts[MAX_ALPHA];
    FCOUNT start, end, extend, occ, LL, LG, GL, GG;
};

// The statistics of one column, a walk down its rows: the oracle of ProfileCountsFromMSA, which
// must add the same terms in the same order.
ColumnStats StatsOf(const MSA& a, unsigned col, bool normalize) {
    ColumnStats s{};
    FCOUNT gapWeight = 0, letterTotal = 0;
    const unsigned last = a.GetColCount() - 1;
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        const WEIGHT w = a.GetSeqWeight(row);
        const char c = a.GetChar(row, col);
        // Before column 0 every row counts as having a letter.
        const bool gapBefore = col > 0 && a.IsGap(row, col - 1);
        const bool gapAfter = col < last && a.IsGap(row, col + 1);
        if (IsGapChar(c)) {
            gapWeight += w;
            if (!gapBefore) s.start += w;
            if (!gapAfter) s.end += w;
            if (col > 0 && col < last && gapBefore && gapAfter) s.extend += w;
            (gapBefore ? s.GG : s.LG) += w;
            continue;
        }
        (gapBefore ? s.GL : s.LL) += w;
        if (IsWildcardChar(c)) {
            SpreadWildcard(CharToLetterEx(c), w, s.counts);
        } else {
            s.counts[CharToLetter(c)] += w;
            letterTotal += w;
        }
    }
    s.occ = 1 - gapWeight;
    if (normalize && letterTotal > 0)
        for (unsigned letter = 0; letter < g_AlphaSize; ++letter) s.counts[letter] /= letterTotal;
    return s;
}

// The symmetric double sum over letter pairs that the sorted, pre-multiplied form must equal.
double PairSum(const ProfPos& a, const ProfPos& b) {
    double s = 0;
    for (unsigned x = 0; x < 20; ++x)
        for (unsigned y = 0; y < 20; ++y) s += double(a.fcCounts[x]) * b.fcCounts[y] * (*g_ptrScoreMatrix)[x][y];
    return s;
}

using Profile = ProteinScoringTest<SEQWEIGHT_None>;

}  // namespace

TEST_F(Profile, ColumnStatisticsByHand) {
    MSA a;
    MakeMSA(a, {"A-C", "AA-", "-AC", "AAC"});
    a.SetUniformWeights();

    const ColumnStats c0 = StatsOf(a, 0, true);
    EXPECT_FLOAT_EQ(c0.occ, 0.75f);
    EXPECT_FLOAT_EQ(c0.counts[CharToLetter('A')], 1.0f);
    EXPECT_FLOAT_EQ(c0.start, 0.25f);  // a gap in column 0 starts there
    EXPECT_FLOAT_EQ(c0.end, 0.25f);
    EXPECT_EQ(c0.extend, 0.0f);
    // Before column 0 every row has a letter.
    EXPECT_FLOAT_EQ(c0.LL, 0.75f);
    EXPECT_FLOAT_EQ(c0.LG, 0.25f);
    EXPECT_EQ(c0.GL, 0.0f);
    EXPECT_EQ(c0.GG, 0.0f);

    const ColumnStats c1 = StatsOf(a, 1, false);
    EXPECT_FLOAT_EQ(c1.counts[CharToLetter('A')], 0.75f);  // not normalised
    EXPECT_FLOAT_EQ(c1.LL, 0.5f);
    EXPECT_FLOAT_EQ(c1.LG, 0.25f);
    EXPECT_FLOAT_EQ(c1.GL, 0.25f);
    EXPECT_FLOAT_EQ(c1.start, 0.25f);
    EXPECT_FLOAT_EQ(c1.end, 0.25f);

    const ColumnStats c2 = StatsOf(a, 2, true);
    EXPECT_FLOAT_EQ(c2.end, 0.25f);  // the last column: every gap ends there
    EXPECT_FLOAT_EQ(c2.GL, 0.25f);
    EXPECT_FLOAT_EQ(c2.LG, 0.25f);
}

TEST_F(Profile, GapExtensionNeedsGapsOnBothSides) {
    MSA a;
    MakeMSA(a, {"A---C", "AAAAC"});
    a.SetUniformWeights();
    EXPECT_EQ(StatsOf(a, 1, true).extend, 0.0f);
    EXPECT_FLOAT_EQ(StatsOf(a, 2, true).extend, 0.5f);
    EXPECT_EQ(StatsOf(a, 3, true).extend, 0.0f);
}

TEST_F(Profile, WildcardsSpreadTheirWeightButNotTheLetterTotal) {
    MSA a;
    MakeMSA(a, {"AAA", "XBZ"});
    a.SetUniformWeights();
    const ColumnStats x = StatsOf(a, 0, true);
    EXPECT_FLOAT_EQ(x.counts[CharToLetter('A')], (0.5f + 0.5f / 20) / 0.5f);
    EXPECT_FLOAT_EQ(x.counts[CharToLetter('W')], (0.5f / 20) / 0.5f);
    const ColumnStats b = StatsOf(a, 1, false);
    EXPECT_FLOAT_EQ(b.counts[CharToLetter('D')], 0.25f);
    EXPECT_FLOAT_EQ(b.counts[CharToLetter('N')], 0.25f);
    const ColumnStats z = StatsOf(a, 2, false);
    EXPECT_FLOAT_EQ(z.counts[CharToLetter('E')], 0.25f);
    EXPECT_FLOAT_EQ(z.counts[CharToLetter('Q')], 0.25f);

    SetAlpha(ALPHA_DNA);
    MSA n;
    MakeMSA(n, {"X", "N"});
    n.SetUniformWeights();
    const ColumnStats nx = StatsOf(n, 0, false);
    EXPECT_FLOAT_EQ(nx.counts[CharToLetter('A')], 0.25f + 0.5f / 20);
    EXPECT_FLOAT_EQ(nx.counts[CharToLetter('C')], 0.5f / 20);
}

TEST_F(Profile, LetterWeightAboveOneEndsTheRun) {
    MSA a;
    MakeMSA(a, {"A", "C"});
    a.SetSeqWeight(0, 0.7f);
    a.SetSeqWeight(1, 0.7f);
    ProfPos prof[1] = {};
    FCOUNT start[1], end[1];
    EXPECT_QUIT(ProfileCountsFromMSA(a, true, prof, start, end), "wTotal=1.4\n");
    ClearAlphaTables();
    EXPECT_QUIT(ProfileCountsFromMSA(a, true, prof, start, end), "Alphabet 0 not supported");
}

TEST_F(Profile, ColumnsOfProfileFromMSA) {
    MSA a;
    MakeMSA(a, {"AC-", "A--", "AI-"});
    std::unique_ptr<ProfPos[]> prof(ProfileFromMSA(a));
    EXPECT_FLOAT_EQ(a.GetSeqWeight(0), 1.0f / 3);  // the weights are set by the method in force

    const ProfPos& p0 = prof[0];
    EXPECT_FALSE(p0.bAllGaps);
    EXPECT_FLOAT_EQ(p0.fcCounts[CharToLetter('A')], 1.0f);
    EXPECT_EQ(p0.uSortOrder[0], CharToLetter('A'));
    EXPECT_EQ(p0.uResidueGroup, 0u);
    EXPECT_FLOAT_EQ(p0.fcStartOcc, 1.0f);
    EXPECT_FLOAT_EQ(p0.scoreGapOpen, -1.45f);
    EXPECT_FLOAT_EQ(p0.scoreGapClose, -1.45f);
    for (unsigned x = 0; x < 20; ++x) EXPECT_FLOAT_EQ(p0.AAScores[x], (*g_ptrScoreMatrix)[x][CharToLetter('A')]);

    // C and I are in different residue groups.
    EXPECT_EQ(prof[1].uResidueGroup, RESIDUE_GROUP_MULTIPLE);
    EXPECT_FLOAT_EQ(prof[1].fcStartOcc, 1.0f - 1.0f / 3);

    const ProfPos& gaps = prof[2];
    EXPECT_TRUE(gaps.bAllGaps);
    EXPECT_EQ(gaps.fOcc, 0.0f);
    EXPECT_EQ(gaps.uResidueGroup, RESIDUE_GROUP_MULTIPLE);
    for (unsigned x = 0; x < 20; ++x) EXPECT_EQ(gaps.fcCounts[x], 0.0f);
    // Under LE nothing in common scores a fixed -2.5, not minus infinity.
    EXPECT_EQ(ScoreProfPos2(gaps, p0), -2.5f);
    EXPECT_EQ(ScoreProfPos2(p0, gaps), -2.5f);
}

TEST_F(Profile, SortOrderAndResidueGroups) {
    FCOUNT f[20] = {};
    f[CharToLetter('L')] = 0.25f;
    f[CharToLetter('I')] = 0.25f;
    f[CharToLetter('V')] = 0.5f;
    unsigned order[20];
    SortCounts(f, order);
    EXPECT_EQ(order[0], CharToLetter('V'));
    EXPECT_EQ(order[1], CharToLetter('I'));  // the tie keeps letter order: I before L
    EXPECT_EQ(order[2], CharToLetter('L'));
    EXPECT_EQ(order[3], 0u);
    EXPECT_EQ(ResidueGroupFromFCounts(f), 1u);
    f[CharToLetter('A')] = 0.1f;
    EXPECT_EQ(ResidueGroupFromFCounts(f), RESIDUE_GROUP_MULTIPLE);
    const FCOUNT none[20] = {};
    EXPECT_EQ(ResidueGroupFromFCounts(none), RESIDUE_GROUP_MULTIPLE);

    SetAlpha(ALPHA_RNA);
    FCOUNT g[20] = {};
    g[2] = 1;
    EXPECT_EQ(ResidueGroupFromFCounts(g), 2u);
    g[3] = 1;
    EXPECT_EQ(ResidueGroupFromFCounts(g), RESIDUE_GROUP_MULTIPLE);
    ClearAlphaTables();
    EXPECT_QUIT(ResidueGroupFromFCounts(g), "ResidueGroupFromFCounts: bad alpha");
}

TEST_F(Profile, ColumnScoresEqualTheSymmetricPairSum) {
    const unsigned seed = TestSeed(11);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    MSA a, b;
    MakeMSA(a, RandomRows(rng, 5, 12, 0.3));
    MakeMSA(b, RandomRows(rng, 3, 12, 0.3));
    std::unique_ptr<ProfPos[]> pa(ProfileFromMSA(a)), pb(ProfileFromMSA(b));
    for (unsigned i = 0; i < 12; ++i) {
        const ProfPos& x = pa[i];
        const ProfPos& y = pb[i];
        const double sum = PairSum(x, y);
        if (sum == 0) continue;
        const double le = (std::log(sum) - g_scoreCenter) * x.fOcc * y.fOcc;
        EXPECT_NEAR(ScoreProfPos2(x, y), le, 1e-4);
        EXPECT_NEAR(ScoreProfPos2(y, x), le, 1e-4);
        EXPECT_NEAR(ScoreProfPos2SP(x, y), sum - g_scoreCenter, 1e-4);
        EXPECT_EQ(ScoreProfPos2NS(x, y), ScoreProfPos2SP(x, y));
        EXPECT_EQ(ScoreProfPos2LA(x, y), ScoreProfPos2(x, y));
    }
    g_PPScore = PPSCORE_Undefined;
    EXPECT_QUIT(ScoreProfPos2(pa[0], pb[0]), "Invalid g_PPScore");
}

TEST_F(Profile, SPNSumsOverTheFourMostFrequentLetters) {
    ProfPos a{}, b{};
    const char letters[] = "ACDEF";
    for (unsigned i = 0; i < 5; ++i) a.fcCounts[CharToLetter(letters[i])] = 0.2f + 0.01f * i;
    SortCounts(a.fcCounts, a.uSortOrder);
    for (unsigned x = 0; x < 20; ++x) b.AAScores[x] = 1;
    g_scoreCenter = 0;
    // A (the least frequent of the five) is left out.
    EXPECT_FLOAT_EQ(ScoreProfPos2SPN(a, b), 0.21f + 0.22f + 0.23f + 0.24f);
    EXPECT_FLOAT_EQ(ScoreProfPos2SP(a, b), 0.2f + 0.21f + 0.22f + 0.23f + 0.24f);
}

TEST_F(Profile, ScoresFromFreqsReproduceTheProfileOfAnAlignment) {
    const unsigned seed = TestSeed(5);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    MSA a;
    MakeMSA(a, RandomRows(rng, 6, 20, 0.35));
    std::unique_ptr<ProfPos[]> prof(ProfileFromMSA(a));
    std::unique_ptr<ProfPos[]> copy(new ProfPos[20]);
    for (unsigned i = 0; i < 20; ++i) {
        copy[i] = prof[i];
        copy[i].uSortOrder[0] = 99;
        copy[i].scoreGapOpen = copy[i].scoreGapClose = 0;
        copy[i].fOcc = 0;
    }
    // Gap open and close scores from the transitions (1 - LG, 1 - next GL) equal those from
    // the gap starts and ends; the occupancy LL + GL equals 1 - the gap weight.
    ProfScoresFromFreqs(copy.get(), 20);
    ExpectProfilesNear(copy.get(), prof.get(), 20);
    for (unsigned i = 0; i < 20; ++i) EXPECT_EQ(copy[i].uSortOrder[0], prof[i].uSortOrder[0]);
}

TEST_F(Profile, AssertProfsEqNamesTheFirstDifference) {
    MSA a;
    MakeMSA(a, {"ACD", "AC-"});
    std::unique_ptr<ProfPos[]> p(ProfileFromMSA(a)), q(ProfileFromMSA(a));
    EXPECT_QUIT(AssertProfsEq(p.get(), 3, q.get(), 2), "AssertProfsEq: lengths differ 3 2");
    q[1].LG = 0.5f;
    EXPECT_QUIT(AssertProfsEq(p.get(), 3, q.get(), 3), "AssertProfPosEq.LG");
    q[1].LG = p[1].LG;
    q[2].AAScores[4] += 1;
    EXPECT_QUIT(AssertProfsEq(p.get(), 3, q.get(), 3), "AssertProfPosEq j=4 AAScores[j]");
}

TEST_F(Profile, ConsensusCharacters) {
    ProfPos p{};
    EXPECT_EQ(ConsensusChar(p), '-');
    p.fcCounts[CharToLetter('W')] = 1;
    EXPECT_EQ(ConsensusChar(p), 'W');
    p.fcCounts[CharToLetter('C')] = 1;  // a tie goes to the lower letter, shown unaligned
    EXPECT_EQ(ConsensusChar(p), 'c');
}

// The all-columns walk of a profile and the column-pair table of the alignment step must give
// bit for bit what the per-column and per-cell computations give.
TEST_F(Profile, CountsOfAllColumnsAndThePairTableEqualTheirOneAtATimeForms) {
    const unsigned seed = TestSeed(23);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::vector<std::string> rows = RandomRows(rng, 6, 15, 0.3);
    rows[1][4] = 'X';
    rows[2][7] = 'B';
    MSA a;
    MakeMSA(a, rows);
    a.SetUniformWeights();
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) a.SetSeqWeight(row, 1.0f + row);
    a.NormalizeWeights(1.0f);
    for (bool normalize : {false, true}) {
        std::vector<ProfPos> prof(a.GetColCount());
        std::vector<FCOUNT> start(a.GetColCount()), end(a.GetColCount());
        ProfileCountsFromMSA(a, normalize, prof.data(), start.data(), end.data());
        for (unsigned col = 0; col < a.GetColCount(); ++col) {
            const ColumnStats c = StatsOf(a, col, normalize);
            const ProfPos& p = prof[col];
            for (unsigned x = 0; x < MAX_ALPHA; ++x) EXPECT_EQ(p.fcCounts[x], c.counts[x]) << col;
            EXPECT_EQ(std::vector<FCOUNT>({p.fOcc, p.LL, p.LG, p.GL, p.GG, start[col], end[col]}),
                      std::vector<FCOUNT>({c.occ, c.LL, c.LG, c.GL, c.GG, c.start, c.end})) << col;
            EXPECT_EQ(p.bAllGaps, a.IsGapColumn(col)) << col;
        }
    }

    // A profile of one repeated sequence has few distinct columns; each side in turn is the
    // repeated one, under every column score. In the gapped one, columns of the same letters
    // differ in occupancy only (which LE scores read). Rows are scored again where no cache
    // room is left.
    MSA repeated, gapped;
    MakeMSA(repeated, {"AAAAACCCCCAAAAA"});
    MakeMSA(gapped, {"AAAAACCCCCAAAAA", "A-AAAC-CCCAA-AA"});
    std::unique_ptr<ProfPos[]> pa(ProfileFromMSA(a)), pr(ProfileFromMSA(repeated)), pg(ProfileFromMSA(gapped));
    for (PPSCORE score : {PPSCORE_LE, PPSCORE_SP, PPSCORE_SPN}) {
        g_PPScore = score;
        for (const auto& [x, y] : {std::pair{pa.get(), pr.get()}, std::pair{pr.get(), pa.get()},
                                   std::pair{pg.get(), pg.get()}}) {
            for (size_t cacheFloats : {size_t{0}, SIZE_MAX}) {
                ColumnPairScores scores;
                scores.Init(x, 15, y, 15, cacheFloats);
                const unsigned* classes = scores.GetClassesB();
                for (unsigned i = 0; i < 15; ++i) {
                    const SCORE* row = scores.GetRow(i);
                    for (unsigned j = 0; j < 15; ++j)
                        EXPECT_EQ(row[classes ? classes[j] : j], ScoreProfPos2(x[i], y[j]))
                            << score << " " << i << " " << j;
                }
            }
        }
    }
}

// A matrix of ones but for Y/Y = 5 (Y is the last letter) scores every column without Y alike:
// a column of Y differs from them in its Y score only, and its class must keep it apart.
TEST_F(Profile, ColumnClassesKeepTheLastLetterApart) {
    SCOREMATRIX ones;
    for (auto& row : ones)
        for (float& entry : row) entry = 1;
    ones[CharToLetter('Y')][CharToLetter('Y')] = 5;
    g_ptrScoreMatrix = &ones;
    g_PPScore = PPSCORE_SP;
    MSA a, b;
    MakeMSA(a, {"AYCYWYAY", "YYCAWYAA"});
    MakeMSA(b, {"AACCYYWY"});
    a.SetUniformWeights();
    b.SetUniformWeights();
    std::unique_ptr<ProfPos[]> pa(ProfileFromMSA(a)), pb(ProfileFromMSA(b));
    ColumnPairScores scores;
    scores.Init(pa.get(), 8, pb.get(), 8);
    const unsigned* classes = scores.GetClassesB();
    ASSERT_NE(classes, nullptr);  // two classes: Y and the rest
    EXPECT_EQ(classes[4], classes[7]);
    EXPECT_NE(classes[0], classes[4]);
    for (unsigned i = 0; i < 8; ++i) {
        const SCORE* row = scores.GetRow(i);
        for (unsigned j = 0; j < 8; ++j) EXPECT_EQ(row[classes[j]], ScoreProfPos2(pa[i], pb[j])) << i << " " << j;
    }
}
