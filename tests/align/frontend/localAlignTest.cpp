// Tests of local alignment: Smith-Waterman scores and layouts against Biopython's local
// aligner (tests/data/align/sw_dna.txt), tie rules, several rows and the failures.
#include "align/frontend/localAlign.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

using Rows = std::vector<std::string>;

// SW of two alignments under the scoring in force; rows receives the joined alignment.
float LocalRows(const Rows& a, const Rows& b, Rows& rows) {
    MSA ma, mb, out;
    MakeMSA(ma, a);
    MakeMSA(mb, b);
    std::unique_ptr<ProfPos[]> PA(ProfileFromMSA(ma)), PB(ProfileFromMSA(mb));
    PWPath path;
    const float score = SW(PA.get(), ma.GetColCount(), PB.get(), mb.GetColCount(), path);
    AlignTwoMSAsGivenPathSW(path, ma, mb, out);
    rows.clear();
    for (unsigned r = 0; r < out.GetSeqCount(); ++r) rows.push_back(RowText(out, r));
    return score;
}

class LocalAlign : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetAlpha(ALPHA_DNA);
        SetPPScore(PPSCORE_SPN);
        SetSeqWeightMethod(SEQWEIGHT_None);
    }
};

TEST_F(LocalAlign, AgreesWithAnIndependentAligner) {
    struct Case {
        std::string name, a, b, rowA, rowB;
        float score;
    };
    std::vector<Case> cases;
    std::ifstream in(std::string(QUORIX_TEST_DATA) + "/align/sw_dna.txt");
    std::string key;  // each value follows its key; a case ends with "end"
    for (Case c; in >> key >> c.name >> key >> c.a >> key >> c.b >> key >> c.score >> key >> c.rowA >> key >> c.rowB >>
                 key;)
        cases.push_back(c);
    ASSERT_EQ(cases.size(), 8u);
    for (const Case& c : cases) {
        Rows rows;
        EXPECT_FLOAT_EQ(LocalRows({c.a}, {c.b}, rows), c.score) << c.name;
        EXPECT_EQ(rows, (Rows{c.rowA, c.rowB}));
    }
    // The -sw command on the same pairs as one-row FASTA files, sequence type guessed.
    for (const Case& c : cases) {
        RestoreDefaultParams();
        MSA::ResetIdCount();
        TempFile in1(">x\n" + c.a + "\n"), in2(">y\n" + c.b + "\n"), out;
        g_pstrFileName1 = in1.c_str();
        g_pstrFileName2 = in2.c_str();
        g_pstrOutFileName = out.c_str();
        Local();
        std::string text = out.read(), joined;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) joined += line[0] == '>' ? " " + line + " " : line;
        EXPECT_EQ(joined, " >x " + c.rowA + " >y " + c.rowB) << c.name;
    }
}

TEST_F(LocalAlign, TiesSeveralRowsAndFailures) {
    Rows rows;
    // Two equal best matches: the one ending at the smaller B position wins.
    LocalRows({"ACG"}, {"ACGTTACG"}, rows);
    EXPECT_EQ(rows, (Rows{"ACG.....", "ACGttacg"}));
    // A match in the middle: both starts and both ends as lower-case blocks, padded with '.'.
    LocalRows({"GGACGTACGTT", "GGACGTACGTA"}, {"CACGTACGG"}, rows);
    EXPECT_EQ(rows, (Rows{"ggACGTACGtt", "ggACGTACGta", "c.ACGTACGg."}));

    EXPECT_QUIT(LocalRows({""}, {"ACG"}, rows), "SW: cannot align a profile of 0 columns with one of 3");
    EXPECT_QUIT(Local(), "Must specify both -in1 and -in2 for -sw");
    TempFile in(">x\nACGT\n");
    g_pstrFileName1 = g_pstrFileName2 = in.c_str();
    g_SeqType = SEQTYPE_Undefined;
    EXPECT_QUIT(Local(), "Invalid SeqType");

    MSA a;
    MakeMSA(a, {"A"});
    std::unique_ptr<ProfPos[]> P(ProfileFromMSA(a));
    const float M[] = {0, MINUS_INFINITY, MINUS_INFINITY, 99}, D[4] = {}, I[4] = {};
    PWPath path;
    EXPECT_QUIT_PREFIX(TraceBackSW(P.get(), 1, P.get(), 1, M, D, I, 1, 1, path),
                       "TraceBack2: failed to match M score=99 ");
    EXPECT_QUIT_PREFIX(TraceBackSW(P.get(), 1, P.get(), 1, M, D, I, uInsane, uInsane, path),
                       "TraceBackSW: best cell (8888888, 8888888)");
}

}  // namespace
