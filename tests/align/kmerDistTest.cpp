// Tests of the k-mer distances.
#include "align/kmerDist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/distFunc.h"
#include "align/seqVect.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

typedef void (*DistRoutine)(const SeqVect&, DistFunc&);

// The distance of the last sequence to each earlier one.
std::vector<float> LastRow(DistRoutine routine, const std::vector<std::string>& letters) {
    SeqVect v;
    MakeSeqVect(v, letters);
    DistFunc df;
    routine(v, df);
    std::vector<float> row;
    const unsigned last = static_cast<unsigned>(letters.size()) - 1;
    for (unsigned j = 0; j < last; ++j) row.push_back(df.GetDist(last, j));
    EXPECT_EQ(df.GetDist(last, last), 0.0f);
    return row;
}

float Dist(DistRoutine routine, const std::string& a, const std::string& b) { return LastRow(routine, {a, b})[0]; }

}  // namespace

using KmerDist = EngineTest;

TEST_F(KmerDist, SixMersOverResidueGroups) {
    SetAlpha(ALPHA_Amino);
    EXPECT_EQ(Dist(DistKmer6_6, "MKVLAWCDEF", "MKVLAWCDEF"), 0.0f);
    EXPECT_EQ(Dist(DistKmer6_6, "AAAAAAAAAA", "CCCCCCCCCC"), 3.0f);
    // I, L, M and V are one group.
    EXPECT_EQ(Dist(DistKmer6_6, "AAAAIL", "AAAAVM"), 0.0f);
    // The 6-mers of the shorter one all occur in the longer one.
    EXPECT_EQ(Dist(DistKmer6_6, "ACDEFGH", "WACDEFGHKLW"), 0.0f);
    // Five letters have no 6-mer; four letters take no part at all.
    EXPECT_EQ(Dist(DistKmer6_6, "AAAAA", "AAAAAAAA"), 3.0f);
    EXPECT_EQ(Dist(DistKmer6_6, "AAAA", "AAAAAAAA"), 3.0f);
    EXPECT_EQ(Dist(DistKmer6_6, "", "A"), 3.0f);
    // Half of the 6-mers of the second are shared: 3 * (2 - 1) / 2.
    EXPECT_FLOAT_EQ(Dist(DistKmer6_6, "AAAAAAC", "AAAAAAW"), 1.5f);
    const std::vector<float> row = LastRow(DistKmer6_6, {"AAAAAAAA", "CCCCCCCC", "AAAAAACC"});
    EXPECT_FLOAT_EQ(row[0], 3.0f * 2 / 3);
    EXPECT_FLOAT_EQ(row[1], 3.0f);
}

TEST_F(KmerDist, WordCountersAreEightBit) {
    SetAlpha(ALPHA_Amino);
    // 256 copies of AAAAAA count as none, so nothing is shared with a sequence holding two.
    EXPECT_EQ(Dist(DistKmer6_6, std::string(261, 'A'), "AAAAAAA"), 3.0f);
    EXPECT_EQ(Dist(DistKmer6_6, std::string(262, 'A'), "AAAAAAA"), 0.0f);
}

TEST_F(KmerDist, InvalidLettersEndTheRun) {
    SetAlpha(ALPHA_Amino);
    EXPECT_QUIT(Dist(DistKmer6_6, "AAAAAAA", "AAA#AAA"), "DistKmer6_6: invalid letter '#' at position 4 of sequence s1");
}

TEST_F(KmerDist, NucleotideSixMers) {
    SetAlpha(ALPHA_Amino);
    EXPECT_QUIT(Dist(DistKmer4_6, "ACGTACGT", "ACGTACGT"), "DistKmer4_6 requires nucleo alphabet");
    SetAlpha(ALPHA_DNA);
    EXPECT_EQ(Dist(DistKmer4_6, "ACGTACGTAC", "ACGTACGTAC"), 0.0f);
    EXPECT_EQ(Dist(DistKmer4_6, "ACGTACGTAC", "TTTTTTTTTT"), 3.0f);
    // Every wildcard shares one group.
    EXPECT_EQ(Dist(DistKmer4_6, "NNNNNNN", "RYKMSWN"), 0.0f);
}

TEST_F(KmerDist, FourMersOfTheTwentyLetters) {
    SetAlpha(ALPHA_Amino);
    EXPECT_FLOAT_EQ(Dist(FastDistKmer, "ACDEFGHI", "ACDEFGHI"), 0.0f);
    EXPECT_FLOAT_EQ(Dist(FastDistKmer, "AAAAAAAA", "CCCCCCCC"), 0.99f);
    // Sequences shorter than one word share nothing (no division by zero or wrap-around).
    EXPECT_FLOAT_EQ(Dist(FastDistKmer, "ACD", "ACDEFGHI"), 0.99f);
    EXPECT_FLOAT_EQ(Dist(FastDistKmer, "", ""), 0.99f);
    // Wildcards count as A; 2 of the 4 4-mers of the shorter one are shared.
    EXPECT_FLOAT_EQ(Dist(FastDistKmer, "XCDEFGH", "ACDEWWWW"), 1.0f - 1.0f / 4);
}

TEST_F(KmerDist, LetterTriples) {
    SetAlpha(ALPHA_Amino);
    EXPECT_FLOAT_EQ(Dist(DistKmer20_3, "ACDEFG", "ACDEFG"), 0.0f);
    EXPECT_FLOAT_EQ(Dist(DistKmer20_3, "ACDEFG", "WWWWWW"), 1.0f);
    EXPECT_FLOAT_EQ(Dist(DistKmer20_3, "AC", "ACDEFG"), 1.0f);
    // One of the three triples of the shorter one is shared.
    EXPECT_FLOAT_EQ(Dist(DistKmer20_3, "ACDWY", "ACDEFGHI"), 1.0f - 1.0f / 3);

    // Distinct shared triples over the shorter length: ACD, CDE, DEF of five letters.
    EXPECT_FLOAT_EQ(Dist(DistKbit20_3, "ACDEF", "ACDEFGH"), 3.0f / 5);
    // A gap breaks the words around it: only ACD is marked in the second.
    EXPECT_FLOAT_EQ(Dist(DistKbit20_3, "ACDEF", "ACD-EF"), 1.0f / 5);
    EXPECT_FLOAT_EQ(Dist(DistKbit20_3, "", "ACDEF"), 0.0f);
}

TEST_F(KmerDist, FourMerHelpers) {
    SetAlpha(ALPHA_Amino);
    const unsigned char a[] = {0, 1, 2, 3, 4, 0, 1, 2, 3};  // ACDEFACDE
    const unsigned char b[] = {0, 1, 2, 3, 0, 1, 2, 3};     // ACDEACDE
    std::vector<unsigned char> counts(KMER4_TABLE_SIZE, 7);
    CountKmers(a, 9, counts.data());
    EXPECT_EQ(counts[0 * 8000 + 1 * 400 + 2 * 20 + 3], 2);
    EXPECT_EQ(counts[5], 0);
    // ACDE is shared (min of 2 and 2) once per distinct 4-mer of A.
    EXPECT_EQ(CommonKmerCount(a, 9, counts.data(), b, 8), 2u);
    EXPECT_STREQ(KmerToStr(0 * 8000 + 1 * 400 + 2 * 20 + 3), "ACDE");
    CountKmers(a, 3, counts.data());
    EXPECT_EQ(counts[0 * 8000 + 1 * 400 + 2 * 20 + 3], 0);
}
