// Tests of the sub-family alignment: cutting trees, then the -pas command with a deterministic
// stand-in for the outside aligner put first on PATH, its failures, and the real probcons.
#include "align/frontend/subFamAlign.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "align/msa.h"
#include "align/params.h"
#include "align/textFile.h"
#include "align/tree.h"
#include "align/treeSubsets.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/frontend/standInAligner.h"
#include "tests/align/treeTestUtil.h"
#include "tests/structure/tempFile.h"

namespace {

namespace fs = std::filesystem;

using SubFamTree = EngineTest;

TEST_F(SubFamTree, LargestSubtreesThatFit) {
    const std::tuple<const char*, unsigned, std::vector<std::string>> cases[] = {
        {"((A,B),(C,D));", 5, {"ABCD"}},
        {"((A,(B,C)),(D,(E,(F,G))));", 5, {"ABC", "DEFG"}},
        // Sub-families inside a too-large child come before the parent's own fitting child.
        {"(A,((B,C),(D,(E,F))));", 3, {"BC", "DEF", "A"}},
        {"((A,(B,C)),(D,(E,(F,G))));", 1, {"B", "C", "A", "F", "G", "E", "D"}},
        {"((A,(B,C)),(D,(E,(F,G))));", 0, {}},
    };
    for (const auto& [newick, maxLeaves, expected] : cases) {
        Tree tree;
        TreeFromNewick(newick, tree);
        std::vector<unsigned> subfams(tree.GetNodeCount()), leaves(tree.GetNodeCount());
        unsigned count = 0, leafCount = 0;
        SubFam(tree, maxLeaves, subfams.data(), &count);
        std::vector<std::string> found;
        for (unsigned i = 0; i < count; ++i) {
            GetLeaves(tree, subfams[i], leaves.data(), &leafCount);
            std::string names;
            for (unsigned k = 0; k < leafCount; ++k) names += tree.GetLeafName(leaves[k]);
            found.push_back(names);
            std::vector<char> marks(tree.GetNodeCount(), 0);  // every node strictly below
            MarkSubtreeNodes(tree, subfams[i], marks.data());
            EXPECT_EQ(std::count(marks.begin(), marks.end(), 1), 2 * leafCount - 2);
            EXPECT_FALSE(marks[subfams[i]]);
        }
        EXPECT_EQ(found, expected) << newick << " max " << maxLeaves;
    }
    Tree one;
    one.CreateRooted();
    unsigned count = 0;
    EXPECT_EQ(SubFamRecurse(one, 0, 5, nullptr, &count), 1u);
    Tree tree;
    TreeFromNewick("(A,B);", tree);
    unsigned list[3] = {}, nonEmpty = 1;
    EXPECT_QUIT(SubFamRecurse(tree, tree.GetRootNodeIndex(), 6, list, &nonEmpty), "Error in SubFamRecurse");
}

class SubFamAlign : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        m_Dir = fs::path(::testing::TempDir()) / ("quorix_subfam_" + std::to_string(getpid()));
        fs::create_directories(m_Dir / "tmp");
        m_Path = PutStandInFirstOnPath(m_Dir / "bin");
        setenv("TMPDIR", (m_Dir / "tmp").c_str(), 1);
        setenv("STANDIN_LOG", (m_Dir / "calls").c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", m_Path.c_str(), 1);
        unsetenv("TMPDIR");
        unsetenv("STANDIN_MODE");
        fs::remove_all(m_Dir);
    }

    // The -pas command on the FASTA text; a is its output. The files stay out of TMPDIR, which
    // must hold nothing but what the command leaves there.
    void RunOn(const std::string& fasta, MSA& a) {
        const std::string in = (m_Dir / "in.fa").string(), out = (m_Dir / "out.fa").string();
        std::ofstream(in) << fasta;
        g_pstrInFileName = in.c_str();
        g_pstrOutFileName = out.c_str();
        ProgAlignSubFams();
        TextFile file(out.c_str());
        a.FromFile(file);
    }
    // The -pas command on sequences s0, s1, ...; the output rows by sequence number.
    std::vector<std::string> Run(const std::vector<std::string>& seqs) {
        std::string fasta;
        for (size_t i = 0; i < seqs.size(); ++i) fasta += ">s" + std::to_string(i) + "\n" + seqs[i] + "\n";
        MSA a;
        RunOn(fasta, a);
        std::vector<std::string> rows(seqs.size());
        for (unsigned r = 0; r < a.GetSeqCount(); ++r) rows.at(std::stoul(a.GetSeqName(r) + 1)) = RowText(a, r);
        return rows;
    }
    std::string Calls() const { return readWholeFile(m_Dir / "calls"); }
    // Rows of equal length holding the input sequences.
    static void ExpectAligned(const std::vector<std::string>& rows, const std::vector<std::string>& seqs) {
        for (size_t i = 0; i < seqs.size(); ++i) {
            std::string letters = rows[i];
            letters.erase(std::remove(letters.begin(), letters.end(), '-'), letters.end());
            EXPECT_EQ(letters, seqs[i]);
            EXPECT_EQ(rows[i].size(), rows[0].size());
        }
    }

    fs::path m_Dir;
    std::string m_Path;
};

TEST_F(SubFamAlign, StandInAlignsTheSubFamilies) {
    // The whole tree fits: the stand-in's alignment is the result, first methionines restored.
    const std::vector<std::string> four = {"MKVLAAGIVALLLAAGCSSK", "MKVLAGIVALLAAGCSK", "KVAAGIVALLLAAGSSK", "MKVLA"};
    const std::vector<std::string> rows = Run(four);
    EXPECT_EQ(Calls(), "4\n");
    for (unsigned i = 0; i < 4; ++i) EXPECT_EQ(rows[i], four[i] + std::string(20 - four[i].size(), '-'));

    // Two families of 3 and 4 under the root: two sub-families, joined once.
    std::vector<std::string> seqs = ProteinFamily(TestSeed(3), 3, 60, 0.1, 2);
    for (const std::string& s : ProteinFamily(TestSeed(3) + 1, 4, 80, 0.1, 2)) seqs.push_back(s);
    RestoreDefaultParams();
    MSA::ResetIdCount();
    ExpectAligned(Run(seqs), seqs);
    EXPECT_TRUE(Calls() == "4\n3\n4\n" || Calls() == "4\n4\n3\n") << Calls();

    // Names may repeat: each row takes a sequence of its name that no other row took.
    RestoreDefaultParams();
    MSA::ResetIdCount();
    MSA same;
    RunOn(">x\nMKVLAAGIVALLLAAGCSSK\n>x\nMKVLAGIVALLAAGCSK\n>y\nKVAAGIVALLLAAGSSK\n", same);
    std::vector<std::string> letters;
    for (unsigned r = 0; r < same.GetSeqCount(); ++r) letters.push_back(Ungapped(same, r));
    std::sort(letters.begin(), letters.end());
    EXPECT_EQ(letters, (std::vector<std::string>{"KVAAGIVALLLAAGSSK", "MKVLAAGIVALLLAAGCSSK", "MKVLAGIVALLAAGCSK"}));

    // A lone sequence is written as FASTA, whatever its alphabet.
    for (const std::string seq : {"MKVLAAGIV", "ACGTTGCA"}) {
        RestoreDefaultParams();
        MSA::ResetIdCount();
        EXPECT_EQ(Run({seq})[0], seq);
    }
    EXPECT_TRUE(fs::is_empty(m_Dir / "tmp"));
}

TEST_F(SubFamAlign, AlignerFailuresAreNamedAndLeaveNoFiles) {
    const std::vector<std::string> seqs = {"MKVLAAGIVALLLAAGCSSK", "MKVLAGIVALLAAGCSK", "KVAAGIVALLLAAGSSK"};
    setenv("STANDIN_MODE", "fail", 1);
    EXPECT_QUIT(Run(seqs), "Sub-family aligner probcons failed with exit status 3 on 3 sequences");
    setenv("STANDIN_MODE", "empty", 1);
    EXPECT_QUIT(Run(seqs), "Sub-family aligner probcons returned 0 sequences for 3");
    // Rows must be the sequences sent, each once.
    setenv("STANDIN_MODE", "rename", 1);
    EXPECT_EXIT(Run(seqs), ::testing::ExitedWithCode(2),
                "returned a sequence named \"s[0-2]x\" that was not sent to it\n");
    setenv("STANDIN_MODE", "twice", 1);
    EXPECT_EXIT(Run(seqs), ::testing::ExitedWithCode(2),
                "returned the sequence \"s[0-2]\" more often than it was sent\n");
    setenv("PATH", (m_Dir / "tmp").c_str(), 1);
    EXPECT_QUIT(Run(seqs), "Sub-family aligner probcons not found (is it installed and on PATH?)");
    EXPECT_TRUE(fs::is_empty(m_Dir / "tmp"));
}

TEST_F(SubFamAlign, RealProbcons) {
    setenv("PATH", m_Path.c_str(), 1);
    if (system("command -v probcons > /dev/null") != 0) GTEST_SKIP() << "probcons is not installed";
    g_uMaxSubFamCount = 3;
    const std::vector<std::string> seqs = ProteinFamily(TestSeed(5), 6, 70, 0.2, 3);
    ExpectAligned(Run(seqs), seqs);
    EXPECT_TRUE(fs::is_empty(m_Dir / "tmp"));
}

}  // namespace
