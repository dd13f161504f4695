// Tests of the built-in substitution matrices: reference cells, shape and the relations between
// the centred and uncentred tables.
#include "align/scoreMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace {

constexpr unsigned kSize = 32;
constexpr unsigned kAmino = 20;
constexpr unsigned kNucleo = 4;

// Amino-acid letter number of an upper-case letter.
unsigned Amino(char c) {
    return static_cast<unsigned>(std::string_view("ACDEFGHIKLMNPQRSTVWY").find(c));
}

struct Table {
    const char* name;
    const SCOREMATRIX& m;
    unsigned letters;  // the alphabet block the table scores
};

const Table kTables[] = {
    {"PAM200NoCenter", PAM200NoCenter, kAmino}, {"PAM200", PAM200, kAmino},
    {"VTML_SPNoCenter", VTML_SPNoCenter, kAmino}, {"VTML_SP", VTML_SP, kAmino},
    {"VTML_LA", VTML_LA, kAmino}, {"NUC_SP", NUC_SP, kNucleo},
};

}  // namespace

TEST(scoreMatrix, ReferenceCells) {
    const unsigned A = Amino('A'), C = Amino('C'), W = Amino('W');
    EXPECT_EQ(PAM200NoCenter[A][A], 388.0f);
    EXPECT_EQ(PAM200[A][A], 408.0f);
    EXPECT_EQ(VTML_LA[A][A], 2.2508f);
    EXPECT_EQ(VTML_LA[C][C], 15.7947f);
    EXPECT_EQ(VTML_LA[W][W], 31.3956f);
    // Column 20 (X) of the centred VTML table holds the offset in every amino-acid row.
    for (unsigned a = 0; a < kAmino; ++a) EXPECT_EQ(VTML_SP[a][20], 22.0f) << a;
}

TEST(scoreMatrix, NucleotideBlock) {
    // Letters A C G T/U; transitions A/G and C/T score above zero, transversions below.
    const float expected[kNucleo][kNucleo] = {
        {151, -54, 29, -63}, {-54, 160, -65, 29}, {29, -65, 160, -54}, {-63, 29, -54, 151}};
    for (unsigned a = 0; a < kNucleo; ++a)
        for (unsigned b = 0; b < kNucleo; ++b) {
            EXPECT_EQ(NUC_SP[a][b], expected[a][b]) << a << "," << b;
        }
}

TEST(scoreMatrix, SymmetricWithIdentityBestInEachRow) {
    for (const Table& t : kTables) {
        for (unsigned a = 0; a < t.letters; ++a) {
            for (unsigned b = 0; b < t.letters; ++b) {
                EXPECT_EQ(t.m[a][b], t.m[b][a]) << t.name << " " << a << "," << b;
                // A row shifted or mislabelled would put a foreign cell above the diagonal.
                if (a != b) {
                    EXPECT_GT(t.m[a][a], t.m[a][b]) << t.name << " " << a << "," << b;
                }
            }
        }
    }
}

TEST(scoreMatrix, ZeroOutsideTheAlphabet) {
    for (const Table& t : kTables) {
        for (unsigned a = 0; a < kSize; ++a) {
            for (unsigned b = 0; b < kSize; ++b) {
                if (a < t.letters && b < t.letters) continue;
                const bool xColumn = &t.m == &VTML_SP && a < kAmino && b == 20;
                if (!xColumn) {
                    EXPECT_EQ(t.m[a][b], 0.0f) << t.name << " " << a << "," << b;
                }
            }
        }
    }
}

TEST(scoreMatrix, CentredTablesAddTheirOffset) {
    for (unsigned a = 0; a < kAmino; ++a) {
        for (unsigned b = 0; b < kAmino; ++b) {
            EXPECT_EQ(PAM200[a][b] - PAM200NoCenter[a][b], 20.0f) << a << "," << b;
            EXPECT_EQ(VTML_SP[a][b] - VTML_SPNoCenter[a][b], 22.0f) << a << "," << b;
        }
    }
}

TEST(scoreMatrix, VtmlScoresAreLogRatios) {
    // The log-expectation score takes the logarithm of every ratio in the block, and the
    // sum-of-pairs VTML table is the same ratios in centinats.
    for (unsigned a = 0; a < kAmino; ++a) {
        for (unsigned b = 0; b < kAmino; ++b) {
            ASSERT_GT(VTML_LA[a][b], 0.0f) << a << "," << b;
            EXPECT_EQ(VTML_SPNoCenter[a][b], std::round(100.0 * std::log(double(VTML_LA[a][b]))))
                << a << "," << b;
        }
    }
    // Letter order: a conservative exchange is likelier than chance, a radical one less.
    EXPECT_LT(VTML_LA[Amino('W')][Amino('D')], 1.0f);
    EXPECT_GT(VTML_LA[Amino('I')][Amino('V')], 1.0f);
}
