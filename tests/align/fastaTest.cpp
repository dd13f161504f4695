// Tests of FASTA reading and writing.
#include "align/fasta.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "tests/align/engineTestUtil.h"

namespace {

struct Record {
    std::string label, letters;
    bool operator==(const Record&) const = default;
};

std::vector<Record> ReadAll(const std::string& content, bool deleteGaps) {
    TempFile in(content);
    FILE* f = fopen(in.c_str(), "rb");
    std::vector<Record> records;
    unsigned length = 0;
    char* label = nullptr;
    while (char* letters = GetFastaSeq(f, &length, &label, deleteGaps)) {
        records.push_back({label, std::string(letters, length)});
        EXPECT_EQ(letters[length], 0);
        delete[] letters;
        delete[] label;
    }
    fclose(f);
    return records;
}

std::string Letters(const Seq& s) { return std::string(s.begin(), s.end()); }

}  // namespace

using fasta = EngineTest;

TEST_F(fasta, RecordsWithoutLettersAreSkipped) {
    const std::string text = ">a\nAC-GT\n>b\n\n>c\nAC\n";
    EXPECT_EQ(ReadAll(text, true), (std::vector<Record>{{"a", "ACGT"}, {"c", "AC"}}));
    EXPECT_EQ(ReadAll(text, false), (std::vector<Record>{{"a", "AC-GT"}, {"c", "AC"}}));
    // A label on the last line, with or without letters before it.
    EXPECT_EQ(ReadAll(">a\nAC\n>last\n", true), (std::vector<Record>{{"a", "AC"}}));
    EXPECT_EQ(ReadAll("", true), std::vector<Record>{});
}

TEST_F(fasta, LettersAreCleanedAndLabelsKeptWhole) {
    const std::string label = "sp|P1|long label " + std::string(300, 'l');
    EXPECT_EQ(ReadAll(">" + label + "\r\nac gt\r\nN.n\r\n>x\r\nW", true),
              (std::vector<Record>{{label, "ACGTNN"}, {"x", "W"}}));
    testing::internal::CaptureStderr();
    const std::vector<Record> r = ReadAll(">p\nMK*V1\x01W\n", true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\n*** WARNING *** Invalid character '*' in FASTA sequence data, ignored\n"
              "\n*** WARNING *** Invalid character '1' in FASTA sequence data, ignored\n"
              "\n*** WARNING *** Invalid byte hex 01 in FASTA sequence data, ignored\n");
    EXPECT_EQ(r, (std::vector<Record>{{"p", "MKVW"}}));
    EXPECT_EQ(ReadAll(std::string(">n\nA") + std::string(1000, 'c'), true)[0].letters.size(), 1001u);
}

TEST_F(fasta, MalformedFilesEndTheProcess) {
    EXPECT_QUIT(ReadAll("ACGT\n", true), "Invalid file format, expected '>' to start FASTA label");
    EXPECT_QUIT(ReadAll(">a\nAC>b\nAC\n", true), "Unexpected '>' in FASTA sequence data");
    EXPECT_QUIT(ReadAll(">a\nAC\n>b", true), "End-of-file or input error in FASTA label");
}

TEST_F(fasta, ReadErrorsAreReported) {
    FILE* f = fopen("/", "rb");  // a directory: reading fails with EISDIR
    ASSERT_NE(f, nullptr);
    unsigned length;
    char* label;
    EXPECT_QUIT(GetFastaSeq(f, &length, &label, true), "Error reading FASTA file, ferror=TRUE feof=FALSE errno=21 Is a directory");
    fclose(f);
}

TEST_F(fasta, SequenceCollectionRoundTrip) {
    SeqVect v;
    const std::string long130 = std::string(60, 'A') + std::string(60, 'C') + std::string(10, 'G');
    for (const auto& [name, letters] : std::vector<std::pair<std::string, std::string>>{
             {"one", long130}, {"two", "MK"}, {"sixty", std::string(60, 'W')}}) {
        Seq* s = new Seq;
        s->FromString(letters.c_str(), name.c_str());
        v.push_back(s);
    }
    TempFile file;
    {
        TextFile out(file.c_str(), true);
        v.ToFASTAFile(out);
    }
    EXPECT_EQ(file.read(), ">one\n" + std::string(60, 'A') + "\n" + std::string(60, 'C') + "\nGGGGGGGGGG\n>two\nMK\n>sixty\n" +
                               std::string(60, 'W') + "\n");
    SeqVect w;
    Seq* stale = new Seq;
    w.push_back(stale);
    TextFile in(file.c_str());
    w.FromFASTAFile(in);
    ASSERT_EQ(w.Length(), 3u);
    for (unsigned i = 0; i < 3; ++i) {
        EXPECT_STREQ(w.GetSeqName(i), v.GetSeqName(i));
        EXPECT_TRUE(w[i]->Eq(*v[i]));
    }
}

TEST_F(fasta, EmptySequenceWritesAnEmptyLine) {
    Seq s;
    s.FromString("", "empty");
    TempFile file;
    {
        TextFile out(file.c_str(), true);
        s.ToFASTAFile(out);
    }
    EXPECT_EQ(file.read(), ">empty\n\n");
}

TEST_F(fasta, AlignmentRoundTripKeepsGaps) {
    const std::string text = ">a\nAC-GT\n>b\n-CAG.\n>c\nACGT-\n";
    TempFile file(text);
    MSA a;
    {
        TextFile in(file.c_str());
        a.FromFile(in);
    }
    ASSERT_EQ(a.GetSeqCount(), 3u);
    ASSERT_EQ(a.GetColCount(), 5u);
    EXPECT_EQ(a.GetChar(1, 4), '.');
    EXPECT_FALSE(a.WeightsSet());
    TempFile out;
    {
        TextFile f(out.c_str(), true);
        a.ToFASTAFile(f);
    }
    EXPECT_EQ(out.read(), text);
    // Reading again into the same alignment, with more rows than the first cache held.
    TempFile bigger(">1\nAA\n>2\nCC\n>3\nGG\n>4\nTT\n>5\nAC\n>6\nGT\n");
    {
        TextFile in(bigger.c_str());
        a.FromFASTAFile(in);
    }
    ASSERT_EQ(a.GetSeqCount(), 6u);
    EXPECT_STREQ(a.GetSeqName(5), "6");
    EXPECT_EQ(a.GetChar(5, 1), 'T');
    a.SetChar(5, 2, 'W');  // past the cache's capacity: every row grows
    EXPECT_EQ(a.GetChar(0, 2), '?');
}

TEST_F(fasta, AlignmentRecordsMustShareOneLength) {
    // The second record differs; the first record alone does not fill the row cache.
    TempFile file(">a\nACGT\n>b\nACG\n>c\nACGT\n");
    MSA a;
    TextFile in(file.c_str());
    EXPECT_QUIT(a.FromFASTAFile(in), "The rows of " + file.path() + " differ in length: row a has 4 columns, row b has 3");
}

TEST_F(fasta, LineReaderOfOneRecord) {
    SetAlpha(ALPHA_Amino);
    TempFile file(">first one\nmk-v\n  AJ.\n>second\nW\n");
    TextFile in(file.c_str());
    Seq s;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(s.FromFASTAFile(in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\n*** WARNING *** Invalid residue 'J' in FASTA file " + file.path() + " line 3, replaced by 'X'\n");
    EXPECT_STREQ(s.GetName(), "first one");
    EXPECT_EQ(Letters(s), "MKVAX");
    EXPECT_FALSE(s.FromFASTAFile(in));
    EXPECT_STREQ(s.GetName(), "second");
    EXPECT_EQ(Letters(s), "W");
    EXPECT_TRUE(s.FromFASTAFile(in));
}

TEST_F(fasta, LineReaderFailures) {
    SetAlpha(ALPHA_Amino);
    TempFile noLabel("MKV\n");
    TextFile a(noLabel.c_str());
    Seq s;
    EXPECT_QUIT(s.FromFASTAFile(a), "Expecting '>' in FASTA file " + noLabel.path() + " line 1");
    TempFile emptyLabel(">\nMKV\n");
    TextFile b(emptyLabel.c_str());
    EXPECT_QUIT(s.FromFASTAFile(b), "Missing annotation following '>' in FASTA file " + emptyLabel.path() + " line 1");
    TempFile noLetters(">a\n\n>b\nM\n");
    TextFile c(noLetters.c_str());
    EXPECT_QUIT(s.FromFASTAFile(c), "Empty sequence in FASTA file " + noLetters.path() + " line 1");
    TempFile control(">a\nM\x02K\n");
    TextFile d(control.c_str());
    EXPECT_QUIT(s.FromFASTAFile(d), "Invalid byte hex 02 in FASTA file " + control.path() + " line 2");
}
