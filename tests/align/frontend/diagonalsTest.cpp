// Tests of diagonals: the list and its pair tests, DP regions, the finders against a
// brute-force search, and the diagonal-restricted global alignment.
#include "align/frontend/diagonals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "align/alignTwoMSAs.h"
#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

using Diags = std::vector<std::tuple<unsigned, unsigned, unsigned>>;
using Finder = void (*)(const ProfPos*, unsigned, const ProfPos*, unsigned, DiagList&);

DiagList Make(const Diags& diags) {
    DiagList list;
    for (const auto& [a, b, length] : diags) list.Add(a, b, length);
    return list;
}

Diags Contents(const DiagList& list) {
    Diags out;
    for (unsigned i = 0; i < list.GetCount(); ++i)
        out.emplace_back(list.Get(i).m_uStartPosA, list.Get(i).m_uStartPosB, list.Get(i).m_uLength);
    return out;
}

// The profile of a one-row alignment.
struct Profile {
    explicit Profile(const std::string& letters) : length(static_cast<unsigned>(letters.size())) {
        MakeMSA(msa, {letters});
        P.reset(ProfileFromMSA(msa));
    }
    bool Same(unsigned i, const Profile& b, unsigned j) const {
        return P[i].uResidueGroup == b.P[j].uResidueGroup && P[i].uResidueGroup != RESIDUE_GROUP_MULTIPLE;
    }
    MSA msa;
    std::unique_ptr<ProfPos[]> P;
    unsigned length;
};

Diags Find(Finder finder, const Profile& A, const Profile& B) {
    DiagList list;
    finder(A.P.get(), A.length, B.P.get(), B.length, list);
    Diags out = Contents(list);
    std::sort(out.begin(), out.end());
    return out;
}

// Every run of equal residue groups that cannot be extended either way, at least minLength.
Diags BruteForce(const Profile& A, const Profile& B, unsigned minLength) {
    Diags out;
    for (unsigned i = 0; i < A.length; ++i)
        for (unsigned j = 0; j < B.length; ++j) {
            if (!A.Same(i, B, j) || (i > 0 && j > 0 && A.Same(i - 1, B, j - 1))) continue;
            unsigned n = 0;
            while (i + n < A.length && j + n < B.length && A.Same(i + n, B, j + n)) ++n;
            if (n >= minLength) out.emplace_back(i, j, n);
        }
    return out;
}

using DiagonalsTest = EngineTest;

TEST_F(DiagonalsTest, ListSortAndIncompatibleDiagonals) {
    DiagList list = Make({{5, 0, 1}, {3, 1, 1}, {3, 2, 1}, {1, 3, 1}});
    list.Sort();
    EXPECT_EQ(Contents(list), (Diags{{1, 3, 1}, {3, 1, 1}, {3, 2, 1}, {5, 0, 1}}));
    const std::pair<Diags, Diags> cases[] = {
        {{{0, 10, 100}, {50, 0, 20}}, {{0, 10, 100}}},  // conflict: only the much shorter goes
        {{{0, 10, 100}, {50, 0, 30}}, {}},              // neither four times the other: both go
        {{{0, 0, 30}, {20, 20, 30}}, {{0, 0, 30}, {20, 20, 30}}},  // overlapping on one diagonal
        {{{0, 50, 30}, {40, 60, 30}}, {}},                         // B ranges overlap
        {{{0, 50, 30}, {40, 0, 30}}, {}},                          // crossing
        {{{0, 0, 30}, {40, 45, 30}, {80, 90, 5}}, {{0, 0, 30}, {40, 45, 30}, {80, 90, 5}}},
    };
    for (const auto& [in, kept] : cases) {
        list = Make(in);
        list.DeleteIncompatible();
        EXPECT_EQ(Contents(list), kept);
    }
    // d1, d2, overlap, overlap of A, of B, compatible, break
    const std::tuple<Diag, Diag, unsigned, unsigned, unsigned, bool, unsigned> pairs[] = {
        {{0, 0, 10}, {5, 5, 10}, 5, 5, 5, true, 0},       {{0, 0, 10}, {20, 20, 10}, 0, 0, 0, true, 10},
        {{0, 5, 10}, {5, 0, 10}, 0, 5, 5, false, 0},      {{0, 20, 10}, {20, 0, 10}, 0, 0, 0, true, 0},
        {{0, 20, 10}, {12, 25, 10}, 0, 0, 5, false, 0},
    };
    for (const auto& [d1, d2, overlap, overlapA, overlapB, compatible, gap] : pairs) {
        const DiagList one = Make({{d1.m_uStartPosA, d1.m_uStartPosB, d1.m_uLength}});
        EXPECT_EQ(std::make_tuple(DiagOverlap(d1, d2), DiagOverlapA(d1, d2), DiagOverlapB(d1, d2),
                                  DiagCompatible(d1, d2), DiagBreak(d1, d2), one.NonZeroIntersection(d2)),
                  std::make_tuple(overlap, overlapA, overlapB, compatible, gap, overlap > 0))
            << d2.m_uStartPosA << "," << d2.m_uStartPosB;
    }
    PWPath path;
    path.FromStr("MMMDMMMMIM");
    g_uMinDiagLength = 3;
    list.FromPath(path);
    EXPECT_EQ(Contents(list), (Diags{{0, 0, 3}, {4, 3, 4}}));
    EXPECT_QUIT(list.Get(2), "DiagList::Get(2), count=2");
    for (unsigned i = 2; i < DiagList::MAX_DIAGS; ++i) list.Add(i, i, 1);
    EXPECT_QUIT(list.Add(0, 0, 1), "DiagList::Add, overflow 1024");
}

TEST_F(DiagonalsTest, RegionsCoverTheMatrix) {
    auto regions = [](const Diags& diags, unsigned lenA, unsigned lenB) {
        DPRegionList list;
        DiagListToDPRegionList(Make(diags), list, lenA, lenB);
        std::vector<std::vector<unsigned>> out;
        for (unsigned i = 0; i < list.GetCount(); ++i) {
            const DPRegion& r = list.Get(i);
            out.push_back({r.m_Type, r.m_uStartPosA, r.m_uStartPosB, r.m_uLengthA, r.m_uLengthB});
        }
        return out;
    };
    using R = std::vector<std::vector<unsigned>>;
    EXPECT_EQ(regions({{0, 0, 100}}, 100, 100), (R{{2, 0, 0, 5, 5}, {1, 5, 5, 90, 0}, {2, 95, 95, 5, 5}}));
    EXPECT_EQ(regions({{10, 20, 30}, {50, 70, 40}}, 100, 120),
              (R{{2, 0, 0, 15, 25}, {1, 15, 25, 20, 0}, {2, 35, 45, 20, 30}, {1, 55, 75, 30, 0},
                 {2, 85, 105, 15, 15}}));
    EXPECT_EQ(regions({}, 7, 9), (R{{2, 0, 0, 7, 9}}));
    g_uDiagMargin = 12;
    EXPECT_EQ(regions({{0, 0, 24}}, 30, 30).size(), 2u);
    g_uDiagMargin = 13;
    EXPECT_QUIT(regions({{0, 0, 24}}, 30, 30), "Invalid parameters, diagmargin=13 must be <= 2*diaglength=24");
    g_uDiagMargin = 5;
    EXPECT_QUIT_PREFIX(regions({{0, 0, 30}, {10, 40, 30}}, 100, 100), "DiagListToDPRegionList: diagonal 1 ");
    EXPECT_QUIT_PREFIX(regions({{0, 0, 30}}, 20, 100), "DiagListToDPRegionList: diagonal 0 ");
}

TEST_F(DiagonalsTest, FindersGiveTheMaximalRunsOfABruteForceSearch) {
    const struct {
        ALPHA alpha;
        std::string letters;
        Finder finder;
        unsigned k;
        std::string shortest;  // the shortest profile searched, its words all different
        const char* wrongAlphabet;
    } schemes[] = {
        {ALPHA_Amino, "ACDEFGHIKLMNPQRSTVWY", FindDiags, 5, "ACDEFGHIKLMN", "FindDiags: requires amino acid alphabet"},
        {ALPHA_DNA, "ACGT", FindDiagsNuc, 7, "ACGTAAGCTTGACCATGGTCAGT", "FindDiagsNuc: requires nucleo alphabet"},
    };
    std::mt19937 rng(TestSeed(7));
    for (const auto& s : schemes) {
        RestoreDefaultParams();
        SetAlpha(s.alpha);
        SetPPScore(true);
        SetSeqWeightMethod(SEQWEIGHT_None);
        auto random = [&](unsigned n) {
            std::string out;
            while (out.size() < n) out += s.letters[rng() % s.letters.size()];
            return out;
        };
        unsigned tested = 0;
        for (unsigned round = 0; tested < 5 && round < 3000; ++round) {
            // Shared runs of 30, 23 (too short) and 28 (crossing the others) in random flanks.
            // The search keeps the last occurrence of each word and resumes after every run, so
            // only inputs whose words match once, and nowhere by chance, have one right answer.
            const std::string r30 = random(30), r23 = random(23), r28 = random(28);
            // One draw per statement: the order of an expression's operands is the compiler's choice.
            std::string shortText = random(10) + r30;
            shortText += random(4) + r23;
            shortText += random(3) + r28;
            shortText += random(12);
            std::string longText = random(5) + r28;
            longText += random(17) + r30;
            longText += random(20) + r23;
            longText += random(10);
            const Profile S(shortText), L(longText);
            const Diags expected = BruteForce(S, L, g_uMinDiagLength);
            if (BruteForce(L, L, s.k).size() != 1 || BruteForce(S, L, s.k).size() != 3 || expected.size() != 2)
                continue;
            ++tested;
            EXPECT_EQ(Find(s.finder, S, L), expected) << "seed " << TestSeed(7);
            Diags mirrored;
            for (const auto& [a, b, n] : expected) mirrored.emplace_back(b, a, n);
            std::sort(mirrored.begin(), mirrored.end());
            EXPECT_EQ(Find(s.finder, L, S), mirrored);
        }
        EXPECT_EQ(tested, 5u);

        g_uMinDiagLength = 1;
        const Profile full(s.shortest), shorter(s.shortest.substr(1));
        EXPECT_EQ(Find(s.finder, full, full), (Diags{{0, 0, full.length}}));
        EXPECT_EQ(Find(s.finder, shorter, full), Diags{});
        SetAlpha(s.alpha == ALPHA_Amino ? ALPHA_DNA : ALPHA_Amino);
        EXPECT_QUIT(Find(s.finder, full, full), s.wrongAlphabet);
    }
}

class GlobalAlignDiagsTest : public ProteinScoringTest<SEQWEIGHT_None> {
protected:
    // The edge types of the path, checked complete; out receives the joined alignment.
    std::string Align(const std::string& a, const std::string& b, MSA& out) {
        Profile A(a), B(b);
        const std::string before(reinterpret_cast<const char*>(A.P.get()), a.size() * sizeof(ProfPos));
        PWPath path;
        EXPECT_EQ(GlobalAlignDiags(A.P.get(), A.length, B.P.get(), B.length, path), 0.0f);
        EXPECT_EQ(std::memcmp(before.data(), A.P.get(), before.size()), 0) << "profile A changed";
        path.Validate();
        const PWEdge& last = path.GetEdge(path.GetEdgeCount() - 1);
        EXPECT_TRUE(last.uPrefixLengthA == a.size() && last.uPrefixLengthB == b.size());
        AlignTwoMSAsGivenPath(path, A.msa, B.msa, out);
        std::string types;
        for (unsigned i = 0; i < path.GetEdgeCount(); ++i) types += path.GetEdge(i).cType;
        return types;
    }
};

TEST_F(GlobalAlignDiagsTest, AlignsAroundDiagonalsAndReportsTheSaving) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    g_bVerbose = g_bDiags = true;
    ResetDiagSavings();
    ListDiagSavings();  // no alignment yet: 0 / 0
    EXPECT_NE(log.read().find("nan"), std::string::npos) << log.read();

    // Words of residue groups that occur once each: one diagonal (0, 0, 100), so DP only fills
    // the two 5 x 5 corners.
    const std::string unique =
        "ACDEFGHIKLMNPQRSTVWYAADCCEGGHKKMNNPSSVVWAEDGCFHMKPNRQTSWVYIDALGKNHPCTAVEFLYRMSQIWGDKCHNAFVRLPTMWGSEQ";
    MSA out;
    ResetDiagSavings();
    EXPECT_EQ(Align(unique, unique, out), std::string(100, 'M'));
    ListDiagSavings();
    EXPECT_NE(log.read().find("DP area saved by diagonals 99.5%\n"), std::string::npos) << log.read();
    // Without a margin the rectangles at the ends of a diagonal can be empty or one-sided.
    g_uDiagMargin = 0;
    EXPECT_EQ(Align(unique, "W" + unique, out), "I" + std::string(100, 'M'));

    const std::vector<std::string> family = ProteinFamily(TestSeed(11), 2, 300, 0.05, 4);
    for (unsigned margin : {5u, 0u}) {
        g_uDiagMargin = margin;
        Align(family[0], family[1], out);
        EXPECT_EQ(Ungapped(out, 0) + Ungapped(out, 1), family[0] + family[1]);
    }
    const Profile P(unique);
    PWPath path;
    g_Alpha = ALPHA_Undefined;
    EXPECT_QUIT(GlobalAlignDiags(P.P.get(), P.length, P.P.get(), P.length, path), "GlobalAlignDiags: bad alpha");
}

}  // namespace
