// Tests of Seq.
#include "align/seq.h"

#include <gtest/gtest.h>

#include <string>

#include "align/alpha.h"
#include "align/msa.h"
#include "tests/align/engineTestUtil.h"

namespace {

std::string Text(const Seq& s) { return std::string(s.begin(), s.end()); }

}  // namespace

using seq = EngineTest;

TEST_F(seq, IdsMustBeSetBeforeUse) {
    Seq s;
    s.FromString("MKV", "a");
    EXPECT_FALSE(s.IdSet());
    EXPECT_QUIT(s.GetId(), "Seq::GetId, id not set");
    Seq t;
    EXPECT_QUIT(t.Copy(s), "Seq::GetId, id not set");
    s.SetId(3);
    t.Copy(s);
    EXPECT_EQ(t.GetId(), 3u);
    EXPECT_STREQ(t.GetName(), "a");
    EXPECT_EQ(Text(t), "MKV");
}

TEST_F(seq, ReversedCopyKeepsItsOwnId) {
    Seq s, r;
    s.FromString("ABC", "x");
    r.SetId(7);
    r.CopyReversed(s);
    EXPECT_EQ(Text(r), "CBA");
    EXPECT_STREQ(r.GetName(), "x");
    EXPECT_EQ(r.GetId(), 7u);
}

TEST_F(seq, GapsWhitespaceAndCase) {
    Seq s;
    s.FromString("a-C. g\tT", "n");
    EXPECT_TRUE(s.HasGap());
    EXPECT_EQ(s.GetUngappedLength(), 6u);  // blanks are not gaps
    s.StripGapsAndWhitespace();
    EXPECT_EQ(Text(s), "aCgT");
    s.ToUpper();
    EXPECT_EQ(Text(s), "ACGT");
    Seq t;
    t.FromString("-.A-", "m");
    t.StripGaps();
    EXPECT_EQ(Text(t), "A");
}

TEST_F(seq, Comparisons) {
    Seq a, b, c, d;
    a.FromString("AC-G", "a");
    b.FromString("ac.g", "b");
    c.FromString("ACG", "c");
    d.FromString("AC-G", "d");
    EXPECT_TRUE(a.Eq(d));
    EXPECT_FALSE(a.Eq(b));
    EXPECT_TRUE(a.EqIgnoreCase(b));  // either gap character matches the other
    EXPECT_FALSE(a.EqIgnoreCase(c));
    EXPECT_TRUE(a.EqIgnoreCaseAndGaps(c));
    EXPECT_TRUE(b.EqIgnoreCaseAndGaps(c));
    Seq e;
    e.FromString("A-CG", "e");
    EXPECT_FALSE(a.EqIgnoreCase(e));
}

TEST_F(seq, LettersAndExtraction) {
    SetAlpha(ALPHA_Amino);
    Seq s;
    s.FromString("W-A", "w");
    EXPECT_EQ(s.GetLetter(0), 18u);
    EXPECT_QUIT(s.GetLetter(3), "Seq::GetLetter(3), length=3");
    MSA a;
    s.ExtractUngapped(a);
    ASSERT_EQ(a.GetSeqCount(), 1u);
    ASSERT_EQ(a.GetColCount(), 2u);
    EXPECT_STREQ(a.GetSeqName(0), "w");
    EXPECT_EQ(a.GetChar(0, 1), 'A');
}

TEST_F(seq, RepairTurnsGapsAndUnknownLettersIntoTheWildcard) {
    SetAlpha(ALPHA_DNA);
    Seq s;
    s.FromString("AC-Ej", "r");
    ClearInvalidLetterWarning();
    s.FixAlpha();
    EXPECT_EQ(Text(s), "ACNNN");
}
