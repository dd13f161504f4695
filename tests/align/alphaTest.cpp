// Tests of the alphabet tables and the repair of invalid letters.
#include "align/alpha.h"

#include <gtest/gtest.h>

#include <string>

#include "align/seq.h"
#include "tests/align/engineTestUtil.h"

using alpha = EngineTest;

TEST_F(alpha, AminoTables) {
    SetAlpha(ALPHA_Amino);
    EXPECT_EQ(g_AlphaSize, 20u);
    const std::string letters = "ACDEFGHIKLMNPQRSTVWY";
    for (unsigned i = 0; i < letters.size(); ++i) {
        EXPECT_EQ(CharToLetter(letters[i]), i);
        EXPECT_EQ(CharToLetter(static_cast<char>(tolower(letters[i]))), i);
        EXPECT_EQ(g_LetterToChar[i], letters[i]);
        EXPECT_EQ(UnalignChar(letters[i]), tolower(letters[i]));
        EXPECT_EQ(AlignChar(static_cast<char>(tolower(letters[i]))), letters[i]);
    }
    // Wildcards have an extended number but no letter number.
    EXPECT_EQ(CharToLetterEx('x'), 20u);
    EXPECT_EQ(CharToLetterEx('B'), 21u);
    EXPECT_EQ(CharToLetterEx('z'), 22u);
    EXPECT_EQ(CharToLetter('x'), 0xFFFFFFFFu);
    EXPECT_TRUE(IsWildcardChar('x'));
    EXPECT_TRUE(IsResidueChar('x'));
    EXPECT_EQ(g_LetterExToChar[20], 'X');
    for (char c : std::string("JOU*1 ")) EXPECT_FALSE(IsResidueChar(c)) << c;
    EXPECT_EQ(CharToLetterEx('-'), 23u);
    EXPECT_EQ(CharToLetterEx('.'), 23u);
    EXPECT_EQ(g_LetterExToChar[23], '-');
    EXPECT_FALSE(IsResidueChar('-'));
    EXPECT_EQ(AlignChar('.'), '.');
    EXPECT_EQ(AlignChar('J'), '?');
    // Bytes above 127 index the tables safely and are nothing.
    EXPECT_FALSE(IsResidueChar(static_cast<char>(0xC3)));
    EXPECT_EQ(CharToLetterEx(static_cast<char>(0xFF)), 0xFFFFFFFFu);
    EXPECT_EQ(GetWildcardChar(), 'X');
}

TEST_F(alpha, NucleotideTables) {
    SetAlpha(ALPHA_DNA);
    EXPECT_EQ(g_AlphaSize, 4u);
    EXPECT_EQ(CharToLetter('u'), 3u);
    EXPECT_EQ(CharToLetter('T'), 3u);
    EXPECT_EQ(g_LetterToChar[3], 'T');
    EXPECT_EQ(CharToLetterEx('n'), 15u);
    EXPECT_EQ(CharToLetterEx('M'), 4u);
    EXPECT_EQ(CharToLetter('N'), 0xFFFFFFFFu);
    EXPECT_EQ(GetWildcardChar(), 'N');
    EXPECT_EQ(g_LetterToChar[4], '?');
    EXPECT_EQ(g_LetterExToChar[20], '?');
    SetAlpha(ALPHA_RNA);
    EXPECT_EQ(CharToLetter('t'), 3u);
    EXPECT_EQ(GetWildcardChar(), 'N');
}

TEST_F(alpha, EachSetAlphaRebuildsEveryTable) {
    SetAlpha(ALPHA_Amino);
    SetAlpha(ALPHA_DNA);
    EXPECT_FALSE(IsResidueChar('E'));
    EXPECT_EQ(CharToLetter('E'), 0xFFFFFFFFu);
    EXPECT_EQ(CharToLetterEx('Z'), 0xFFFFFFFFu);
    EXPECT_EQ(AlignChar('E'), '?');
    EXPECT_EQ(g_LetterToChar[10], '?');
}

TEST_F(alpha, InvalidAlphabetsEndTheProcess) {
    EXPECT_QUIT(SetAlpha(ALPHA_Undefined), "Invalid Alpha=0");
    EXPECT_QUIT(SetAlpha(static_cast<ALPHA>(7)), "Invalid Alpha=7");
    EXPECT_QUIT(GetWildcardChar(), "Invalid Alpha=0");
}

TEST_F(alpha, NucleotideCharacterSets) {
    for (char c : std::string("ACGTURYNacgturyn")) EXPECT_TRUE(IsNucleo(c)) << c;
    EXPECT_FALSE(IsNucleo('E'));
    EXPECT_FALSE(IsNucleo(0));
    EXPECT_TRUE(IsDNA('t'));
    EXPECT_FALSE(IsDNA('U'));
    EXPECT_TRUE(IsRNA('u'));
    EXPECT_FALSE(IsRNA('T'));
}

TEST_F(alpha, RepairWarnsOnceListingEachLetterOnce) {
    SetAlpha(ALPHA_Amino);
    Seq s;
    s.FromString("MKJOUJ", "a");
    ClearInvalidLetterWarning();
    s.FixAlpha();
    testing::internal::CaptureStderr();
    ReportInvalidLetters();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\n*** WARNING *** Assuming Amino (see -seqtype option), invalid letters found: JOU\n");
    EXPECT_EQ(std::string(s.begin(), s.end()), "MKXXXX");

    // A second repair on clean input says nothing.
    ClearInvalidLetterWarning();
    s.FixAlpha();
    testing::internal::CaptureStderr();
    ReportInvalidLetters();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
