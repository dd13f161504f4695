// Tests of the engine's text helpers.
#include "align/textUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

TEST(textUtils, SecsToStrDoesNotWrapHours) {
    EXPECT_STREQ(SecsToStr(90061), "25:01:01");
    EXPECT_STREQ(SecsToStr(0), "00:00:00");
    EXPECT_STREQ(SecsToStr(3599), "00:59:59");
}

TEST(textUtils, ScoreTextsAndTheirRingOfBuffers) {
    EXPECT_STREQ(ScoreToStr(-1e37f), "       *");
    EXPECT_STREQ(ScoreToStr(2.5f), "     2.5");
    EXPECT_STREQ(WeightToStr(0.25f), "    0.25");
    EXPECT_STREQ(ScoreToStrL(-2e37f), "*");
    EXPECT_STREQ(ScoreToStrL(3.14159f), "3.14");
    // Sixteen results stay valid at once.
    std::set<const char*> buffers;
    const char* first = ScoreToStr(0.0f);
    for (int i = 1; i < 16; ++i) buffers.insert(i % 2 ? ScoreToStr(float(i)) : WeightToStr(float(i)));
    EXPECT_STREQ(first, "       0");
    EXPECT_EQ(buffers.size(), 15u);
    EXPECT_EQ(buffers.count(first), 0u);
}

TEST(textUtils, TrimAndStripInPlace) {
    char a[] = "  a b \t ";
    TrimBlanks(a);
    EXPECT_STREQ(a, "a b \t");  // only ' ' counts as a blank
    char b[] = "   ";
    TrimLeadingBlanks(b);
    EXPECT_STREQ(b, "");
    char c[] = " x  ";
    TrimTrailingBlanks(c);
    EXPECT_STREQ(c, " x");
    char d[] = " A C\tG\r\nT ";
    StripWhitespace(d);
    EXPECT_STREQ(d, "ACGT");
    char e[] = "-A.C--";
    StripGaps(e);
    EXPECT_STREQ(e, "A.C");
}

TEST(textUtils, IntegerAndIdentifierValidation) {
    EXPECT_TRUE(IsValidSignedInteger("-12"));
    EXPECT_FALSE(IsValidInteger("-12"));
    EXPECT_TRUE(IsValidInteger("0123"));
    EXPECT_FALSE(IsValidInteger(""));
    EXPECT_TRUE(IsValidSignedInteger("+7"));
    // A lone sign is not a number.
    EXPECT_FALSE(IsValidSignedInteger("-"));
    EXPECT_FALSE(IsValidSignedInteger("+"));
    EXPECT_FALSE(IsValidSignedInteger(""));
    EXPECT_FALSE(IsValidSignedInteger("1-"));
    EXPECT_TRUE(IsValidIdentifier("_a1"));
    EXPECT_FALSE(IsValidIdentifier("1a"));
    EXPECT_FALSE(IsValidIdentifier(""));
    EXPECT_FALSE(IsValidIdentifier("a-b"));
    for (char c : std::string("0123456789.+-eEdD")) EXPECT_TRUE(IsValidFloatChar(c)) << c;
    EXPECT_FALSE(IsValidFloatChar('x'));
}

TEST(textUtils, NameFromPathKeepsTheBaseNameWithinTheBuffer) {
    char buf[32];
    NameFromPath("/a/b.c/file.fa", buf, 32);
    EXPECT_STREQ(buf, "file");
    char small[3];
    NameFromPath("x\\y.txt", small, 3);
    EXPECT_STREQ(small, "y");
    NameFromPath("dir/noext", buf, 32);
    EXPECT_STREQ(buf, "noext");
    NameFromPath("a.b.c", buf, 32);
    EXPECT_STREQ(buf, "a.b");
    NameFromPath("/long/abcdefgh.fa", small, 3);
    EXPECT_STREQ(small, "ab");
    char untouched[2] = {'q', 0};
    NameFromPath("x", untouched, 0);
    EXPECT_STREQ(untouched, "q");
}
