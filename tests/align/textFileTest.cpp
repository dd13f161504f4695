// Tests of TextFile reading, writing and positions.
#include "align/textFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/align/engineTestUtil.h"

namespace {

std::vector<std::string> Tokens(TextFile& f, const char* chars) {
    std::vector<std::string> tokens;
    char buf[64];
    while (!f.GetToken(buf, sizeof(buf), chars)) tokens.push_back(buf);
    return tokens;
}

}  // namespace

using textFile = EngineTest;

TEST_F(textFile, LinesWithCarriageReturnsAndNoFinalNewline) {
    TempFile in("a\r\nb");
    TextFile f(in.c_str());
    char buf[16];
    EXPECT_FALSE(f.GetLine(buf, sizeof(buf)));
    EXPECT_STREQ(buf, "a");
    EXPECT_FALSE(f.GetLine(buf, sizeof(buf)));
    EXPECT_STREQ(buf, "b");
    EXPECT_TRUE(f.GetLine(buf, sizeof(buf)));
    EXPECT_STREQ(buf, "");
    EXPECT_TRUE(f.GetLine(buf, sizeof(buf)));
}

TEST_F(textFile, CharactersLinesAndColumns) {
    TempFile in("ab\nc");
    TextFile f(in.c_str());
    char c;
    EXPECT_EQ(f.GetLineNr(), 1u);
    EXPECT_FALSE(f.GetChar(c));
    EXPECT_EQ(c, 'a');
    EXPECT_FALSE(f.GetChar(c));
    EXPECT_FALSE(f.GetChar(c));
    EXPECT_EQ(c, '\n');
    EXPECT_EQ(f.GetLineNr(), 2u);
    EXPECT_EQ(f.GetColNr(), 1u);
    EXPECT_FALSE(f.GetChar(c));
    EXPECT_EQ(c, 'c');
    EXPECT_FALSE(f.GetChar(c));  // the synthetic final newline
    EXPECT_EQ(c, '\n');
    EXPECT_TRUE(f.GetChar(c));
    EXPECT_QUIT(f.GetCharX(c), "End-of-file in GetCharX");
}

TEST_F(textFile, TokensOfNewickText) {
    TempFile in("(A,B);");
    TextFile f(in.c_str());
    EXPECT_EQ(Tokens(f, "(),:;"), (std::vector<std::string>{"(", "A", ",", "B", ")", ";"}));
    TempFile blanks("  alpha beta\n\tgamma");
    TextFile g(blanks.c_str());
    EXPECT_EQ(Tokens(g, ""), (std::vector<std::string>{"alpha", "beta", "gamma"}));
}

TEST_F(textFile, BuffersTooSmallEndTheProcess) {
    // Each death test opens the file itself: a forked child shares the parent's file offset.
    TempFile in("abcd\n");
    char buf[4];
    EXPECT_QUIT(TextFile(in.c_str()).GetLine(buf, 4), "TextFile::GetLine: input buffer too small, line 1");
    EXPECT_QUIT(TextFile(in.c_str()).GetLine(buf, 0), "TextFile::GetLine, buffer zero size");
    EXPECT_QUIT(TextFile(in.c_str()).GetLineX(buf, 0), "GetLineX");
    EXPECT_QUIT(TextFile(in.c_str()).GetTrimLine(buf, 0), "GetTrimLine");
    EXPECT_QUIT(TextFile(in.c_str()).GetToken(buf, 4, ""), "TextFile::GetToken: input buffer too small, line 1");
    TextFile f(in.c_str());
    char big[5];
    EXPECT_FALSE(f.GetLine(big, 5));
    EXPECT_STREQ(big, "abcd");
}

TEST_F(textFile, ExtendedReadersEndTheProcessAtEndOfFile) {
    TempFile in("  \n");
    char buf[8];
    char c;
    EXPECT_QUIT(TextFile(in.c_str()).GetNonblankChar(c), "End-of-file in GetCharX");
    EXPECT_QUIT(TextFile(in.c_str()).SkipWhite(), "End-of-file skipping white space");
    EXPECT_QUIT(TextFile(in.c_str()).GetTokenX(buf, 8, ""), "End-of-file in GetTokenX");
    TextFile f(in.c_str());
    EXPECT_TRUE(f.SkipWhiteX());
    EXPECT_QUIT(f.GetLineX(buf, 8), "end-of-file in GetLineX");
}

TEST_F(textFile, TrimLinesSkipBlankLines) {
    TempFile in("\n   \n  ab c  \nd\n \n");
    TextFile f(in.c_str());
    char buf[16];
    EXPECT_FALSE(f.GetTrimLine(buf, sizeof(buf)));
    EXPECT_STREQ(buf, "ab c");
    EXPECT_FALSE(f.GetTrimLine(buf, sizeof(buf)));
    EXPECT_STREQ(buf, "d");
    EXPECT_TRUE(f.GetTrimLine(buf, sizeof(buf)));
}

TEST_F(textFile, SkippingLinesAndWhiteSpace) {
    TempFile in("one two\nthree\n   four\n");
    TextFile f(in.c_str());
    char buf[16];
    f.SkipLine();  // at the start of a line: nothing
    f.GetTokenX(buf, sizeof(buf), "");
    EXPECT_STREQ(buf, "one");
    f.SkipLine();
    f.Skip();
    f.SkipWhite();
    char c;
    f.GetCharX(c);
    EXPECT_EQ(c, 'f');
}

TEST_F(textFile, PositionsRestoreAndDropPushedBackCharacters) {
    TempFile in("ab\ncd\nef\n");
    TextFile f(in.c_str());
    char buf[8];
    f.GetLineX(buf, sizeof(buf));
    const TEXTFILEPOS second = f.GetPos();
    static_assert(sizeof(second.uOffset) >= 8, "positions must reach past 4 GB");
    f.GetLineX(buf, sizeof(buf));
    EXPECT_STREQ(buf, "cd");
    char c;
    f.GetCharX(c);
    f.PushBack(c);
    f.SetPos(second);  // the pushed-back 'e' is dropped, not delivered before 'c'
    EXPECT_EQ(f.GetLineNr(), 2u);
    f.GetLineX(buf, sizeof(buf));
    EXPECT_STREQ(buf, "cd");

    // A position taken while a character is pushed back is the place of that character.
    f.GetCharX(c);
    f.PushBack(c);
    const TEXTFILEPOS third = f.GetPos();
    f.GetLineX(buf, sizeof(buf));
    EXPECT_STREQ(buf, "ef");
    f.SetPos(third);
    f.GetLineX(buf, sizeof(buf));
    EXPECT_STREQ(buf, "ef");

    f.PushBack('x');
    f.Rewind();
    EXPECT_EQ(f.GetLineNr(), 1u);
    f.GetLineX(buf, sizeof(buf));
    EXPECT_STREQ(buf, "ab");
}

TEST_F(textFile, WritingCountsLinesAndFormatsAnyLength) {
    TempFile out;
    {
        TextFile f(out.c_str(), true);
        f.PutChar('>');
        f.PutString("name\n");
        EXPECT_EQ(f.GetLineNr(), 1u);  // PutString does not count lines
        f.PutChar('\n');
        EXPECT_EQ(f.GetLineNr(), 2u);
        f.PutFormat("%s|%u\n", std::string(10000, 'w').c_str(), 7u);
    }
    EXPECT_EQ(out.read(), ">name\n\n" + std::string(10000, 'w') + "|7\n");
}

TEST_F(textFile, StandardStreamsStayOpen) {
    testing::internal::CaptureStdout();
    {
        TextFile f("-", true);
        f.PutString("to stdout\n");
    }
    printf("still open\n");
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "to stdout\nstill open\n");
    TextFile wrapped(stderr, "ignored");
    EXPECT_STREQ(wrapped.GetFileName(), "-");
}

TEST_F(textFile, UnopenablePathEndsTheProcess) {
    EXPECT_QUIT(TextFile("/nonexistent-dir/x.fa"), "Cannot open '/nonexistent-dir/x.fa' errno=2\n");
}
