// Tests of the profile dynamic programming: optimality against exhaustive enumeration, terminal
// gaps, tie rules and the traceback.
#include "align/nwSmall.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "align/alignTwoMSAs.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// The score of a path under the gap model: a gap run pays the open score of its first column,
// the extension for every further column and the close score of its last column, except a run
// that ends the alignment, which pays no close score. A one-column A pays its own open and
// close on a match in the first cell (the engine's rule for that case).
double PathScore(const ProfPos* A, unsigned m, const ProfPos* B, unsigned n, const std::string& types) {
    const double e = g_scoreGapExtend;
    double score = 0;
    unsigned i = 0, j = 0;
    for (size_t k = 0; k < types.size();) {
        const char t = types[k];
        if (t == 'M') {
            score += ScoreProfPos2(A[i], B[j]);
            if (m == 1 && k == 0) score += double(A[0].scoreGapOpen) + A[0].scoreGapClose;
            ++i;
            ++j;
            ++k;
            continue;
        }
        size_t len = 0;
        while (k + len < types.size() && types[k + len] == t) ++len;
        const ProfPos* P = t == 'D' ? A : B;
        unsigned& pos = t == 'D' ? i : j;
        score += P[pos].scoreGapOpen + double(len - 1) * e;
        if (k + len < types.size()) score += P[pos + len - 1].scoreGapClose;
        pos += static_cast<unsigned>(len);
        k += len;
    }
    EXPECT_EQ(i, m);
    EXPECT_EQ(j, n);
    return score;
}

// Every global path with at least one match in which no gap in one profile directly follows a
// gap in the other.
void EnumeratePaths(unsigned m, unsigned n, const std::function<void(const std::string&)>& visit) {
    std::string types;
    std::function<void(unsigned, unsigned, bool)> walk = [&](unsigned i, unsigned j, bool anyMatch) {
        if (i == m && j == n) {
            if (anyMatch) visit(types);
            return;
        }
        const char last = types.empty() ? 'M' : types.back();
        if (i < m && j < n) {
            types.push_back('M');
            walk(i + 1, j + 1, true);
            types.pop_back();
        }
        if (i < m && last != 'I') {
            types.push_back('D');
            walk(i + 1, j, anyMatch);
            types.pop_back();
        }
        if (j < n && last != 'D') {
            types.push_back('I');
            walk(i, j + 1, anyMatch);
            types.pop_back();
        }
    };
    walk(0, 0, false);
}

std::string TypesOf(const PWPath& path) {
    std::string s;
    for (unsigned i = 0; i < path.GetEdgeCount(); ++i) s += path.GetEdge(i).cType;
    return s;
}

// A synthetic column for SP scoring: one letter with frequency 1 (letter index), scores
// against the letters 0 and 1 as given, gap scores 0.
ProfPos Column(unsigned letter, float score0, float score1) {
    ProfPos p{};
    p.fcCounts[letter] = 1;
    SortCounts(p.fcCounts, p.uSortOrder);
    p.AAScores[0] = score0;
    p.AAScores[1] = score1;
    p.fOcc = 1;
    return p;
}

using NWSmallTest = ProteinScoringTest<SEQWEIGHT_None>;

}  // namespace

TEST_F(NWSmallTest, PathIsOptimalAmongAllPathsOnSmallProfiles) {
    const unsigned seed = TestSeed(2024);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<unsigned> length(1, 6), rows(1, 3);
    const TERMGAPS policies[] = {TERMGAPS_Half, TERMGAPS_Full, TERMGAPS_Ext};
    const float extensions[] = {0.0f, -0.4f};
    unsigned cases = 0;
    for (unsigned trial = 0; trial < 60; ++trial) {
        g_TermGaps = policies[trial % 3];
        g_scoreGapExtend = extensions[(trial / 3) % 2];
        const unsigned m = length(rng), n = length(rng);
        MSA a, b;
        MakeMSA(a, RandomRows(rng, rows(rng), m, 0.3));
        MakeMSA(b, RandomRows(rng, rows(rng), n, 0.3));
        std::unique_ptr<ProfPos[]> pa(ProfileFromMSA(a)), pb(ProfileFromMSA(b));
        PWPath path;
        NWSmall(pa.get(), m, pb.get(), n, path);
        // The profiles now hold the terminal-gap scores the alignment used.
        path.Validate();
        ASSERT_GT(path.GetEdgeCount(), 0u);
        const PWEdge& last = path.GetEdge(path.GetEdgeCount() - 1);
        ASSERT_EQ(last.uPrefixLengthA, m);
        ASSERT_EQ(last.uPrefixLengthB, n);

        double best = -1e30;
        std::string bestTypes;
        EnumeratePaths(m, n, [&](const std::string& types) {
            const double s = PathScore(pa.get(), m, pb.get(), n, types);
            if (s > best) {
                best = s;
                bestTypes = types;
            }
        });
        const double got = PathScore(pa.get(), m, pb.get(), n, TypesOf(path));
        ASSERT_NEAR(got, best, 1e-4 * (1 + std::fabs(best)))
            << "trial " << trial << ": " << m << " x " << n << " got " << TypesOf(path) << ", best " << bestTypes;
        ++cases;
    }
    EXPECT_EQ(cases, 60u);
}

TEST_F(NWSmallTest, LeadingAndTrailingGaps) {
    // B's middle three columns match A exactly; the rest of B hangs over both ends.
    MSA a, b;
    MakeMSA(a, {"WCW"});
    MakeMSA(b, {"AAWCWAA"});
    PWPath path;
    MSA out;
    AlignTwoMSAs(a, b, out, path, false, false);
    EXPECT_EQ(TypesOf(path), "IIMMMII");
    // Leading gap edges have prefix length 0 on the gapped side.
    EXPECT_EQ(path.GetEdge(0).uPrefixLengthA, 0u);
    EXPECT_EQ(path.GetEdge(1).uPrefixLengthA, 0u);
    EXPECT_EQ(RowText(out, 0), "--WCW--");
    EXPECT_EQ(RowText(out, 1), "AAWCWAA");

    // Locked on the left, no path may start with a gap.
    AlignTwoMSAs(a, b, out, path, true, false);
    EXPECT_EQ(path.GetEdge(0).cType, 'M');
    EXPECT_EQ(path.GetEdge(0).uPrefixLengthA, 1u);
}

TEST_F(NWSmallTest, OneColumnProfiles) {
    MSA a, b;
    MakeMSA(a, {"W"});
    MakeMSA(b, {"W"});
    std::unique_ptr<ProfPos[]> pa(ProfileFromMSA(a)), pb(ProfileFromMSA(b));
    PWPath path;
    NWSmall(pa.get(), 1, pb.get(), 1, path);
    EXPECT_EQ(TypesOf(path), "M");
    EXPECT_EQ(path.GetEdge(0).uPrefixLengthA, 1u);

    PWPath none;
    EXPECT_QUIT(NWSmall(pa.get(), 0, pb.get(), 1, none), "Internal error, NWSmall: length=0");
    // Both sides locked with one column against three: no path is allowed, yet one comes back.
    MSA c;
    MakeMSA(c, {"WAW"});
    MSA out;
    AlignTwoMSAs(a, c, out, path, true, true);
    path.Validate();
    EXPECT_EQ(out.GetSeqCount(), 2u);
}

TEST_F(NWSmallTest, EndStateTies) {
    g_PPScore = PPSCORE_SP;
    g_scoreCenter = 0;
    g_TermGaps = TERMGAPS_Full;
    // Equal M and D at the end: M.
    ProfPos A1[] = {Column(0, 0, 0), Column(0, 0, 0)};
    ProfPos B1[] = {Column(0, 1, 1)};
    PWPath path;
    NWSmall(A1, 2, B1, 1, path);
    EXPECT_EQ(TypesOf(path), "DM");
    // Equal D and I above M: D.
    ProfPos A2[] = {Column(0, 0, 0), Column(1, 0, 0)};
    ProfPos B2[] = {Column(0, 5, 1), Column(0, 1, -10)};
    NWSmall(A2, 2, B2, 2, path);
    EXPECT_EQ(TypesOf(path), "IMD");
}

TEST_F(NWSmallTest, InteriorTiesPreferMThenDThenI) {
    // Free gaps and few distinct scores make equal predecessors of a match cell; the order M,
    // D, I decides them, and every alignment the engine makes depends on it.
    g_PPScore = PPSCORE_SP;
    g_scoreCenter = 0;
    g_TermGaps = TERMGAPS_Full;
    g_scoreGapExtend = 0;
    struct sCase {
        std::vector<ProfPos> A, B;
        const char* path;
    };
    const ProfPos zero0 = Column(0, 0, 0), zero1 = Column(1, 0, 0);
    const std::vector<sCase> cases = {
        // M equal to D (and to I): M.
        {{Column(0, -10, 1), zero0, Column(0, 5, 1), Column(0, 5, 5), Column(0, -10, 0)}, {zero1, zero0, zero0, zero0},
         "DMMMM"},
        // M equal to I: M.
        {{Column(0, 1, 0), Column(0, 0, 1)}, {zero1, zero0, zero1, zero1}, "IIMM"},
        // D equal to I, both above M: D.
        {{zero0, zero1, zero0}, {Column(0, -10, 5), Column(0, 5, -10), Column(0, 5, 5)}, "IMDM"},
    };
    for (sCase c : cases) {
        PWPath path;
        NWSmall(c.A.data(), static_cast<unsigned>(c.A.size()), c.B.data(), static_cast<unsigned>(c.B.size()), path);
        EXPECT_EQ(TypesOf(path), c.path);
    }
}

TEST_F(NWSmallTest, TerminalGapPolicies) {
    auto profile = [] {
        std::vector<ProfPos> p(3);
        for (ProfPos& c : p) c.scoreGapOpen = c.scoreGapClose = -1.5f;
        return p;
    };
    std::vector<ProfPos> p = profile();
    SetTermGaps(p.data(), 3);  // Half
    EXPECT_EQ(p[0].scoreGapOpen, 0.0f);
    EXPECT_EQ(p[2].scoreGapClose, 0.0f);
    EXPECT_EQ(p[0].scoreGapClose, -1.5f);
    g_TermGaps = TERMGAPS_Ext;
    p = profile();
    p[2].scoreGapClose = MINUS_INFINITY;
    SetTermGaps(p.data(), 3);
    EXPECT_EQ(p[0].scoreGapOpen, 1.5f);
    EXPECT_EQ(p[2].scoreGapClose, MINUS_INFINITY);
    p = profile();
    SetTermGaps(p.data(), 1);  // one column: only its open score
    EXPECT_EQ(p[0].scoreGapOpen, 1.5f);
    EXPECT_EQ(p[0].scoreGapClose, -1.5f);
    g_TermGaps = TERMGAPS_Full;
    p = profile();
    SetTermGaps(p.data(), 3);
    EXPECT_EQ(p[0].scoreGapOpen, -1.5f);
    g_TermGaps = TERMGAPS_Undefined;
    EXPECT_QUIT(SetTermGaps(p.data(), 3), "Invalid g_TermGaps");
    SetTermGaps(p.data(), 0);
}

TEST_F(NWSmallTest, TracebackFaults) {
    std::vector<char> cells(9, 0);
    char* rows[] = {&cells[0], &cells[3], &cells[6]};
    PWPath path;
    EXPECT_QUIT(BitTraceBack(rows, 1, 0, 'M', path), "BitTraceBack MA=0");
    EXPECT_QUIT(BitTraceBack(rows, 0, 1, 'D', path), "BitTraceBack DA=0");
    EXPECT_QUIT(BitTraceBack(rows, 1, 0, 'I', path), "BitTraceBack IB=0");
    EXPECT_QUIT(BitTraceBack(rows, 1, 1, 'X', path), "Huh?");
    cells[4] = 3;
    EXPECT_QUIT(BitTraceBack(rows, 1, 1, 'M', path), "Huh!?");
    // Bit 4 of a D cell means "opened from M".
    cells[4] = 0;
    cells[7] = 4;
    BitTraceBack(rows, 2, 1, 'D', path);
    EXPECT_EQ(TypesOf(path), "MD");
}
