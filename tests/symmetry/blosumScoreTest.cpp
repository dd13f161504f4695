// The BLOSUM62 column scores of chain matching: the table against the engine's own copy of
// BLOSUM62, the derived rows, and the characters without a row.
#include "symmetry/blosumScore.h"

#include <gtest/gtest.h>

#include <string>

#include "align/blosum62.h"
#include "align/msa.h"

namespace {

constexpr const char* kStandard = "ACDEFGHIKLMNPQRSTVWY";  // the engine table's letter order

}  // namespace

TEST(blo, StandardAminoAcidsAgreeWithTheEnginesBlosum62) {
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j)
            EXPECT_EQ(blo::pairScore(kStandard[i], kStandard[j]), BLOSUM62[i][j]) << kStandard[i] << kStandard[j];
}

TEST(blo, TableIsSymmetricAndDerivedRowsFollowTheirSources) {
    for (int i = 0; i < blo::kLetterCount; ++i)
        for (int j = 0; j < blo::kLetterCount; ++j) EXPECT_EQ(blo::kBlosum62[i][j], blo::kBlosum62[j][i]);
    for (char c : std::string("ABCDEFGHIKLMNPQRSTVWXYZ")) {
        EXPECT_EQ(blo::pairScore('B', c), blo::pairScore('D', c == 'B' ? 'D' : c == 'Z' ? 'E' : c)) << c;
        EXPECT_EQ(blo::pairScore('Z', c), blo::pairScore('E', c == 'B' ? 'D' : c == 'Z' ? 'E' : c)) << c;
        EXPECT_EQ(blo::pairScore('X', c), -1) << c;
    }
    EXPECT_EQ(blo::pairScore('U', 'T'), blo::pairScore('T', 'T'));
    EXPECT_EQ(blo::pairScore('U', 'W'), blo::pairScore('T', 'W'));
    EXPECT_EQ(blo::pairScore('w', 'w'), 11);
}

TEST(blo, CharactersWithoutARowScoreAsX) {
    EXPECT_EQ(blo::letterIndex('J'), -1);
    EXPECT_EQ(blo::letterIndex('O'), -1);
    EXPECT_EQ(blo::letterIndex('*'), -1);
    EXPECT_EQ(blo::letterIndex('\xe9'), -1);
    for (char c : std::string("JO*1\x7f")) {
        EXPECT_EQ(blo::pairScore(c, 'A'), -1) << int(c);
        EXPECT_EQ(blo::pairScore('W', c), -1) << int(c);
    }
}

TEST(blo, ColumnScoreOfTwoRowsAndOfGaps) {
    MSA msa;
    msa.SetSize(3, 4);
    const char* rows[3] = {"Aw-.", "aWA-", "XbZd"};
    for (unsigned r = 0; r < 3; ++r)
        for (unsigned c = 0; c < 4; ++c) msa.SetChar(r, c, rows[r][c]);
    EXPECT_EQ(blo::BlosumScoreCol(msa, 0, 0, 1), 4.0);
    EXPECT_EQ(blo::BlosumScoreCol(msa, 1, 0, 1), 11.0);
    EXPECT_EQ(blo::BlosumScoreCol(msa, 2, 0, 1), blo::kGapScore);
    EXPECT_EQ(blo::BlosumScoreCol(msa, 3, 0, 1), blo::kGapScore);
    EXPECT_EQ(blo::BlosumScoreCol(msa, 0, 0, 2), -1.0);
    EXPECT_EQ(blo::BlosumScoreCol(msa, 2, 1, 2), -1.0);  // A against Z (as E)
    EXPECT_EQ(blo::BlosumScoreCol(msa, 3, 0, 2), blo::kGapScore);
}
