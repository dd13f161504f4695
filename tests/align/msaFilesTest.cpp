// Tests of the alignment writers: golden files for every format (checked by an independent
// reader, see tests/data/align/README.md), the format details, and names of any length.
#include "align/msaFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/scoreMatrix.h"
#include "align/scoringSetup.h"
#include "align/textFile.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"
#include "tests/structure/tempFile.h"

namespace {

using Writer = std::function<void(MSA&, TextFile&)>;
const Writer ALN = [](MSA& a, TextFile& f) { a.ToAlnFile(f); };
const Writer MSF = [](MSA& a, TextFile& f) { a.ToMSFFile(f); };
const Writer PHYS = [](MSA& a, TextFile& f) { a.ToPhySequentialFile(f); };
const Writer PHYI = [](MSA& a, TextFile& f) { a.ToPhyInterleavedFile(f); };
const Writer HTML = [](MSA& a, TextFile& f) { a.ToHTMLFile(f); };
const Writer FASTA = [](MSA& a, TextFile& f) { a.ToFASTAFile(f); };
const Writer TO_FILE = [](MSA& a, TextFile& f) { a.ToFile(f); };

std::string Written(MSA& a, const Writer& write) {
    TempFile out;
    {
        TextFile file(out.c_str(), true);
        write(a, file);
    }
    return out.read();
}

std::string DataFile(const std::string& name) {
    return readWholeFile(std::string(QUORIX_TEST_DATA) + "/align/" + name);
}

// The three-row alignment of the golden files.
void ReadGoldenAlignment(MSA& a) {
    TextFile in((std::string(QUORIX_TEST_DATA) + "/align/formats.fa").c_str());
    a.FromFASTAFile(in);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// Protein alignments with HenikoffPB weights (no guide tree needed).
class MsaFiles : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetAlpha(ALPHA_Amino);
        SetSeqWeightMethod(SEQWEIGHT_HenikoffPB);
    }
};

const std::string CORVID_HEADER = "Corvid (" QUORIX_VERSION ") multiple sequence alignment\n\n";

}  // namespace

TEST_F(MsaFiles, GoldenFilesOfEveryFormat) {
    const std::vector<std::pair<std::string, Writer>> cases = {
        {"formats.aln", ALN}, {"formats.msf", MSF},   {"formats.phys", PHYS},
        {"formats.phy", PHYI}, {"formats.html", HTML}, {"formats.fa", FASTA}};
    g_bClwStrict = true;  // the golden header; the default one is checked with the empty alignment
    for (const auto& [golden, write] : cases) {
        MSA a;
        ReadGoldenAlignment(a);
        EXPECT_EQ(Written(a, write), DataFile(golden)) << golden;
    }
}

TEST_F(MsaFiles, MsfLeavesTheGapsOfTheAlignmentAlone) {
    MSA a;
    ReadGoldenAlignment(a);
    EXPECT_NE(Written(a, MSF).find("SVIFIYNFNQ RPAQCIYSRK GQKNVNAYHI ..YCWWCNWW"), std::string::npos);
    EXPECT_EQ(Written(a, PHYS).find('.'), std::string::npos);
    EXPECT_EQ(Written(a, FASTA), DataFile("formats.fa"));
}

TEST_F(MsaFiles, ChecksumsCountGapsAsDots) {
    const std::vector<std::pair<std::string, unsigned>> cases = {
        {"AC", 65 * 1 + 67 * 2}, {"A-", 65 + 46 * 2}, {"A.", 65 + 46 * 2},
        // Weights wrap at 57 columns and the sum at 10000.
        {std::string(58, 'W'), (87 * (57 * 58 / 2) + 87) % 10000}};
    for (const auto& [row, sum] : cases) {
        MSA a;
        MakeMSA(a, {row});
        EXPECT_EQ(a.GetGCGCheckSum(0), sum) << row;
    }
}

TEST_F(MsaFiles, ClustalConservationLine) {
    // Columns (L,I,V,M) strong, (S,A,G,S) weak, (A,A,A,A) identical, (A,-,A,A) gapped,
    // (W,C,A,A) unrelated, (X,X,X,X) one wildcard, (B,B,D,D) a wildcard in no group.
    MSA a;
    MakeMSA(a, {"LSAAWXB", "IAA-CXB", "VGAAAXD", "MSAAAXD"});
    EXPECT_EQ(Lines(Written(a, ALN)).back(), std::string(16, ' ') + ":.*  * ");
    SetAlpha(ALPHA_DNA);
    MakeMSA(a, {"AAC", "AGC"});
    EXPECT_EQ(Lines(Written(a, ALN)).back(), std::string(16, ' ') + "* *");
}

TEST_F(MsaFiles, NameFieldsOfEveryFormat) {
    const std::string name44(44, 'n');
    struct Case {
        std::vector<std::string> names;
        Writer write;
        unsigned lineNr;
        std::string line;  // the start of that line
    };
    const std::vector<Case> cases = {
        {{"seq1", name44}, ALN, 3, std::string("seq1").append(28 + 6, ' ') + "A"},
        {{"seq1", name44}, ALN, 4, std::string(32, 'n') + std::string(6, ' ') + "A"},
        {{"s", "a b"}, ALN, 3, std::string("s").append(15, ' ') + "A"},
        {{"a(b):c", "x"}, PHYS, 1, "a_b__c     A"},
        {{"a;b,c[d]e\tf", "x"}, PHYI, 1, "a_b_c_d_e_ A"},
        {{"first word", "seq\tsecond"}, MSF, 4, " Name: first  Len: 1"},
        {{"first word", "seq\tsecond"}, MSF, 5, " Name: seq    Len: 1"},
    };
    for (const Case& c : cases) {
        MSA a;
        MakeMSA(a, {"A", "A"});
        for (unsigned row = 0; row < 2; ++row) a.SetSeqName(row, c.names[row].c_str());
        const std::vector<std::string> lines = Lines(Written(a, c.write));
        ASSERT_GT(lines.size(), c.lineNr) << c.line;
        EXPECT_EQ(lines[c.lineNr].substr(0, c.line.size()), c.line);
    }
    MSA empty;
    EXPECT_EQ(Written(empty, ALN), CORVID_HEADER);
    EXPECT_EQ(Written(empty, PHYI), "0 0\n");
    EXPECT_EQ(Written(empty, MSF), "PileUp\n\n  MSF: 0  Type: P  Check: 0000  ..\n\n\n//\n");
}

TEST_F(MsaFiles, TenThousandCharacterNamesOverrunNothing) {
    const std::string name(10000, 'q');
    const std::vector<std::pair<Writer, size_t>> cases = {{ALN, 32},  {MSF, 62},  {PHYS, 10},
                                                          {PHYI, 10}, {HTML, 32}, {FASTA, 10000}};
    for (const auto& [write, kept] : cases) {
        MSA a;
        MakeMSA(a, {"AC-", "ACW"});
        a.SetSeqName(0, name.c_str());
        const std::string text = Written(a, write);
        EXPECT_NE(text.find(std::string(kept, 'q')), std::string::npos) << kept;
        EXPECT_EQ(text.find(std::string(kept + 1, 'q')), std::string::npos) << kept;
    }
}

TEST_F(MsaFiles, ColourClassesOfColumns) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<int>>> cases = {
        {{"W", "W", "W"}, {3, 3, 3}},
        // Mean 10/6; the most frequent letter is I (lowest index on a tie); M scores 1 against it.
        {{"L", "I", "V", "M"}, {1, 1, 1, 0}},
        {{"A", "A", "C"}, {1, 1, 0}},
        {{"B", "D"}, {3, 3}},  // B scores as D
        {{"u", "T"}, {3, 3}},  // U counts as T, in either case
        {{"X", "X"}, {0, 0}},  // X scores -1
        {{"A", "-"}, {0, 0}},  // fewer than two residues
        {{"J", "A", "."}, {0, 0, 0}},
    };
    for (const auto& [rows, expected] : cases) {
        MSA a;
        MakeMSA(a, rows);
        std::vector<std::vector<int>> classes;
        AssignColors(a, classes);
        std::vector<int> column;
        for (const auto& row : classes) column.push_back(row.at(0));
        EXPECT_EQ(column, expected) << rows[0] << rows[1];
    }
}

TEST_F(MsaFiles, HtmlColumnOfIdenticalWAndEscapedNames) {
    MSA a;
    MakeMSA(a, {"Wa", "Wc"});
    a.SetSeqName(1, "<b>&co");
    const std::string switchTo = "</SPAN><SPAN STYLE=\"background-color:#";
    const std::vector<std::string> lines = Lines(Written(a, HTML));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_NE(lines[3].find(switchTo + "77FFFF\">W" + switchTo + "FFFFFF\">a"), std::string::npos);
    EXPECT_NE(lines[4].find("#FFEEE0\">&lt;b&gt;&amp;co" + std::string(10, ' ') + "<SPAN"), std::string::npos);
}

TEST_F(MsaFiles, ToFileTakesTheFirstFormatAskedForThenTheScoreFile) {
    const std::vector<std::pair<std::vector<bool*>, Writer>> cases = {
        {{}, FASTA},
        {{&g_bMSF, &g_bAln, &g_bHTML}, MSF},
        {{&g_bAln, &g_bHTML}, ALN},
        {{&g_bHTML, &g_bPHYS}, HTML},
        {{&g_bPHYS, &g_bPHYI}, PHYS},
        {{&g_bPHYI}, PHYI},
    };
    TempFile scores;
    g_pstrScoreFileName = scores.c_str();
    for (const auto& [flags, write] : cases) {
        MSA a, b;
        ReadGoldenAlignment(a);
        ReadGoldenAlignment(b);
        for (bool* flag : flags) *flag = true;
        EXPECT_EQ(Written(a, TO_FILE), Written(b, write)) << flags.size();
        for (bool* flag : flags) *flag = false;
        EXPECT_EQ(Lines(scores.read()).size(), 125u);
    }
}

TEST_F(MsaFiles, ScoreFileMeansTheLetterPairsOfEachColumn) {
    TempFile scores;
    g_pstrScoreFileName = scores.c_str();
    auto line = [](double score, const char* chars) {
        char text[64];
        snprintf(text, sizeof text, "%10.3f  %s", score, chars);
        return std::string(text);
    };
    MSA a;
    // Columns: (A,A,A), (A,-,C) with one letter pair, (-,-,W) with none, (X,A,A) with one.
    MakeMSA(a, {"AA-X", "A--A", "ACWA"});
    WriteScoreFile(a);
    const unsigned A = CharToLetter('A'), C = CharToLetter('C');
    EXPECT_EQ(Lines(scores.read()), (std::vector<std::string>{line(VTML_SP[A][A], "AAA"), line(VTML_SP[A][C], "A-C"),
                                                              line(0, "--W"), line(VTML_SP[A][A], "XAA")}));
    SetAlpha(ALPHA_DNA);
    MakeMSA(a, {"C", "G"});
    WriteScoreFile(a);
    EXPECT_EQ(Lines(scores.read()), std::vector<std::string>{line(NUC_SP[CharToLetter('C')][CharToLetter('G')], "CG")});

    g_Alpha = ALPHA_Undefined;
    EXPECT_QUIT(WriteScoreFile(a), "GetColScore: invalid alpha=0");
    g_pstrScoreFileName = "/nonexistent/dir/scores";
    EXPECT_QUIT(WriteScoreFile(a), "Cannot open score file '/nonexistent/dir/scores': No such file or directory");
}
