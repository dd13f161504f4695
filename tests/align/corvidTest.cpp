// Tests of the engine entry points end to end: rows kept, determinism, the id-count rule, the
// one-sequence case, user trees, matrix files and the leading-methionine substitution.
#include "align/corvid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <strings.h>
#include <vector>

#include "align/msa.h"
#include "align/options.h"
#include "align/params.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "align/textUtils.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

// The letters the engine hands back for an input sequence: upper case, first M as X.
std::string Expected(const std::string& input) {
    std::string s;
    for (char c : input) s += static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (!s.empty() && s[0] == 'M') s[0] = 'X';
    return s;
}

void ReadFasta(const std::string& path, SeqVect& v) {
    TextFile in(path.c_str());
    v.FromFASTAFile(in);
}

std::vector<std::string> LettersOf(const SeqVect& v) {
    std::vector<std::string> out;
    for (const Seq* s : v) out.emplace_back(s->begin(), s->end());
    return out;
}

std::string AllRows(const MSA& a) {
    std::string text;
    for (unsigned row = 0; row < a.GetSeqCount(); ++row)
        text += std::to_string(a.GetSeqId(row)) + ":" + RowText(a, row) + "\n";
    return text;
}

void SetValueOption(const char* name, const char* value) {
    for (ValueOptRow& row : ValueOptTable) {
        if (strcasecmp(row.pstrName, name) != 0) continue;
        delete[] row.pstrValue;
        row.pstrValue = strsave(value);
        return;
    }
}

std::vector<std::string> Family(unsigned seed, unsigned count, unsigned length) {
    return ProteinFamily(seed, count, length, 0.3, 4);
}

class Corvid : public EngineTest {
protected:
    void Align(const std::vector<std::string>& letters, MSA& a) {
        MakeSeqVect(m_Seqs, letters);
        DoMultipleCorvid(m_Seqs, a);
    }

    // Every input sequence is a row, the row of sequence i has id i, rows have equal length.
    void ExpectRowsAreTheInput(const MSA& a, const std::vector<std::string>& letters) {
        ASSERT_EQ(a.GetSeqCount(), letters.size());
        for (unsigned i = 0; i < letters.size(); ++i) {
            EXPECT_EQ(Ungapped(a, a.GetSeqIndex(i)), Expected(letters[i])) << i;
            EXPECT_STREQ(a.GetSeqName(a.GetSeqIndex(i)), m_Seqs.GetSeqName(i));
        }
    }

    SeqVect m_Seqs;
};

}  // namespace

TEST_F(Corvid, RealSequencesKeepTheirLettersAndCallsRepeatExactly) {
    ReadFasta(std::string(QUORIX_TEST_DATA) + "/align/bb12039.fa", m_Seqs);
    const std::vector<std::string> letters = LettersOf(m_Seqs);
    MSA first;
    DoMultipleCorvid(m_Seqs, first);
    ExpectRowsAreTheInput(first, letters);

    // The same input, call after call in one process, with a smaller call in between:
    // byte-identical rows in the same order.
    for (unsigned call = 0; call < 2; ++call) {
        SeqVect pair;
        MakeSeqVect(pair, {letters[3], letters[7]});
        MSA between;
        DoMultipleCorvid(pair, between);
        SeqVect again;
        ReadFasta(std::string(QUORIX_TEST_DATA) + "/align/bb12039.fa", again);
        MSA a;
        DoMultipleCorvid(again, a);
        EXPECT_EQ(AllRows(a), AllRows(first)) << call;
    }
}

TEST_F(Corvid, IdenticalSequencesAlignWithoutGaps) {
    const std::string chain = "MKTAYIAKQRQISFVKSHFSRQLEERLGLIEVQAPILSRVGDGTQDNLSGAEKAVQVKVKALPDAQFEVVHSLAKWKRQ";
    MSA a;
    Align(std::vector<std::string>(6, chain), a);
    EXPECT_FALSE(a.HasGap());
    for (unsigned row = 0; row < 6; ++row) EXPECT_EQ(RowText(a, row), Expected(chain));
    // Two copies (never refined) as well.
    SeqVect pair;
    MakeSeqVect(pair, {chain, chain});
    MSA b;
    DoMultipleCorvid(pair, b);
    EXPECT_EQ(RowText(b, 0), Expected(chain));
    EXPECT_EQ(RowText(b, 1), Expected(chain));
}

TEST_F(Corvid, TrimmedNearCopyLinesUpWithItsOriginal) {
    std::mt19937 rng(TestSeed(90));
    const std::string a = RandomProtein(rng, 120);
    std::string b = a;
    for (size_t i = 25; i < b.size(); i += 50) b[i] = b[i] == 'W' ? 'A' : 'W';
    b = b.substr(2, b.size() - 5);
    MSA out;
    Align({a, b}, out);
    const std::string rowA = RowText(out, out.GetSeqIndex(0u));
    const std::string rowB = RowText(out, out.GetSeqIndex(1u));
    EXPECT_EQ(rowB, "--" + Expected(b) + "---");
    EXPECT_EQ(rowA, Expected(a));
}

TEST_F(Corvid, LowerCaseMethionineComesBackAsXAndMHackEndRestoresIt) {
    const std::vector<std::string> letters = {"mKVLAAGIVWHEDQRRST", "MKVLAGGIVWHEDQRST", "AKVLAAGIVWHEDQRRST"};
    MSA a;
    Align(letters, a);
    ExpectRowsAreTheInput(a, letters);
    const unsigned row0 = a.GetSeqIndex(0u);
    MHackEnd(a);
    EXPECT_EQ(Ungapped(a, row0), "MKVLAAGIVWHEDQRRST");
    EXPECT_EQ(Ungapped(a, a.GetSeqIndex(2u))[0], 'A');
    // The marks are gone: a second MHackEnd changes nothing.
    a.SetChar(row0, a.GetColCount() - 1, 'X');
    MHackEnd(a);
}

TEST_F(Corvid, RepeatedStartsDoNotAccumulateMarks) {
    MSA::SetIdCount(2);
    SetUpProteinScoring();
    for (unsigned call = 0; call < 200; ++call) {
        SeqVect v;
        MakeSeqVect(v, {"MAC", "MDE"});
        MHackStart(v);
    }
    MSA a;
    MakeMSA(a, {"-XAC", "XDE-"}, {0, 1});
    MHackEnd(a);
    EXPECT_EQ(RowText(a, 0), "-MAC");
    EXPECT_EQ(RowText(a, 1), "MDE-");
}

TEST_F(Corvid, IdCountIsFixedByTheFirstCall) {
    const std::vector<std::string> three = Family(TestSeed(4), 3, 40);
    MSA a;
    Align(three, a);
    MSA b;
    Align({three[0], three[1]}, b);
    ExpectRowsAreTheInput(b, {three[0], three[1]});
    EXPECT_EXIT(
        {
            MSA c;
            Align(Family(5, 4, 40), c);
        },
        ::testing::ExitedWithCode(2), QuitText("MSA::SetIdCount: cannot increase count"));
    SeqVect none;
    EXPECT_QUIT(DoMultipleCorvid(none, a), "No sequences in input file");
    EXPECT_QUIT(DoPairwiseCorvid(none, a), "No sequences in input file");
}

TEST_F(Corvid, OneSequenceIsWrittenAndNotAligned) {
    SeqVect v;
    MakeSeqVect(v, {"MACDE"});
    MSA a;
    ::testing::internal::CaptureStdout();
    DoMultipleCorvid(v, a);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), ">s0\nMACDE\n");
    EXPECT_EQ(a.GetSeqCount(), 0u);
}

TEST_F(Corvid, InvalidSequenceTypeEndsTheRun) {
    g_SeqType = SEQTYPE_Undefined;
    MSA a;
    EXPECT_QUIT(Align({"ACD", "ACD"}, a), "Invalid seq type");
}

TEST_F(Corvid, IterationLimitsBelowTwoStillFinish) {
    const std::vector<std::string> letters = Family(TestSeed(6), 5, 50);
    for (unsigned iters : {0u, 1u, 2u}) {
        RestoreDefaultParams();
        MSA::ResetIdCount();
        g_uMaxIters = iters;
        MSA a;
        Align(letters, a);
        ExpectRowsAreTheInput(a, letters);
    }
}

TEST_F(Corvid, AlternativePathsKeepTheRows) {
    const std::vector<std::string> letters = Family(TestSeed(9), 6, 45);
    struct Variant {
        bool low, brenner, anchors;
    };
    const Variant variants[] = {{true, false, true}, {true, true, true}, {false, false, false}};
    for (const Variant& variant : variants) {
        RestoreDefaultParams();
        MSA::ResetIdCount();
        g_bLow = variant.low;
        g_bBrenner = variant.brenner;
        g_bAnchors = variant.anchors;
        MSA a;
        Align(letters, a);
        ExpectRowsAreTheInput(a, letters);
    }
    RestoreDefaultParams();
    MSA::ResetIdCount();
    MSA p;
    MakeSeqVect(m_Seqs, letters);
    DoPairwiseCorvid(m_Seqs, p);
    ExpectRowsAreTheInput(p, letters);
}

TEST_F(Corvid, UserTreeLabelsMatchNamesIgnoringCase) {
    const std::vector<std::string> letters = Family(TestSeed(10), 3, 40);
    TempFile tree("((S2:0.1,s0:0.1):0.2,S1:0.1);");
    g_pstrUseTreeFileName = tree.c_str();
    g_bUseTreeNoWarn = true;
    MSA a;
    Align(letters, a);
    ExpectRowsAreTheInput(a, letters);
    // Progressive alignment follows the user tree: its leaves left to right.
    EXPECT_EQ(a.GetSeqId(0), 2u);
    EXPECT_EQ(a.GetSeqId(1), 0u);
}

TEST_F(Corvid, UserTreeFaults) {
    const std::vector<std::string> letters = Family(TestSeed(10), 3, 40);
    MSA a;
    TempFile unrooted("(s0:0.1,s1:0.1,s2:0.1);");
    g_pstrUseTreeFileName = unrooted.c_str();
    EXPECT_EXIT(Align(letters, a), ::testing::ExitedWithCode(2),
                Escaped("You specified the -usetree option.") + "(.|\n)*" + QuitText("User tree must be rooted"));
    g_bUseTreeNoWarn = true;
    TempFile small("(s0:0.1,s1:0.1);");
    g_pstrUseTreeFileName = small.c_str();
    EXPECT_QUIT(Align(letters, a), "User tree does not match input sequences");
    TempFile stranger("((s0:0.1,s1:0.1):0.2,t9:0.1);");
    g_pstrUseTreeFileName = stranger.c_str();
    EXPECT_QUIT(Align(letters, a), "Label t9 in tree does not match sequences");
}

TEST_F(Corvid, TreeFilesWeightsAndClusterOnly) {
    const std::vector<std::string> letters = Family(TestSeed(13), 4, 40);
    TempFile tree1, tree2;
    SetValueOption("Tree1", tree1.c_str());
    SetValueOption("Tree2", tree2.c_str());
    MSA a;
    Align(letters, a);
    EXPECT_EQ(tree1.read().substr(0, 1), "(");
    EXPECT_EQ(tree2.read().substr(0, 1), "(");

    MSA::ResetIdCount();
    TempFile weights;
    g_pstrComputeWeightsFileName = weights.c_str();
    MSA w;
    Align(letters, w);
    const std::string text = weights.read();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NE(text.find("s0\t"), std::string::npos);

    MSA::ResetIdCount();
    g_bClusterOnly = true;
    MSA none;
    Align(letters, none);
    EXPECT_EQ(none.GetSeqCount(), 0u);
}

TEST_F(Corvid, MatrixFileIsFoundThroughCORVID_MXPATH) {
    const char* letters = "ACDEFGHIKLMNPQRSTVWY";
    std::string text = "# identity, ten on the diagonal\n ";
    for (const char* p = letters; *p; ++p) text += std::string("  ") + *p;
    text += "\n";
    for (unsigned i = 0; i < 20; ++i) {
        text += letters[i];
        for (unsigned j = 0; j < 20; ++j) text += i == j ? " 10" : "  0";
        text += "\n";
    }
    TempFile matrix(text);
    const std::string path = matrix.path();
    const std::string dir = path.substr(0, path.rfind('/'));
    const std::string name = path.substr(path.rfind('/') + 1);
    setenv("CORVID_MXPATH", dir.c_str(), 1);
    g_pstrMatrixFileName = name.c_str();
    MSA a;
    const std::vector<std::string> seqs = Family(TestSeed(14), 3, 30);
    Align(seqs, a);
    unsetenv("CORVID_MXPATH");
    EXPECT_EQ(g_PPScore, PPSCORE_SP);
    EXPECT_EQ((*g_ptrScoreMatrix)[0][0], 10.0f);
    EXPECT_EQ((*g_ptrScoreMatrix)[0][1], 0.0f);
    ExpectRowsAreTheInput(a, seqs);
}
