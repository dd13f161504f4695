// Helpers of the profile, dynamic-programming and refinement tests.
#include "tests/align/alignTestUtil.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/scoringSetup.h"

namespace {

const char AMINO[] = "ACDEFGHIKLMNPQRSTVWY";

}  // namespace

void SetUpProteinScoring() {
    SetAlpha(ALPHA_Amino);
    SetPPScore(true);
}

unsigned TestSeed(unsigned defaultSeed) {
    if (const char* text = getenv("QUORIX_TEST_SEED")) return static_cast<unsigned>(strtoul(text, nullptr, 10));
    return defaultSeed;
}

std::string RandomProtein(std::mt19937& rng, unsigned length) {
    std::uniform_int_distribution<int> letter(0, 19);
    std::string s;
    for (unsigned i = 0; i < length; ++i) s += AMINO[letter(rng)];
    return s;
}

std::string Mutate(std::mt19937& rng, const std::string& s, double substitutions, unsigned indels) {
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<int> letter(0, 19);
    std::string out = s;
    for (char& c : out)
        if (unit(rng) < substitutions) c = AMINO[letter(rng)];
    for (unsigned k = 0; k < indels && out.size() > 4; ++k) {
        std::uniform_int_distribution<size_t> pos(1, out.size() - 2);
        std::uniform_int_distribution<int> len(1, 3);
        // One draw per statement: the order of a call's arguments is the compiler's choice.
        const size_t at = pos(rng);
        const int n = len(rng);
        if (k % 2 == 0)
            out.erase(at, static_cast<size_t>(n));
        else
            out.insert(at, RandomProtein(rng, static_cast<unsigned>(n)));
    }
    return out;
}

std::vector<std::string> ProteinFamily(unsigned seed, unsigned count, unsigned length, double substitutions,
                                       unsigned indels) {
    std::mt19937 rng(seed);
    const std::string root = RandomProtein(rng, length);
    std::vector<std::string> out;
    for (unsigned i = 0; i < count; ++i) out.push_back(Mutate(rng, root, substitutions, indels));
    return out;
}

std::vector<std::string> RandomRows(std::mt19937& rng, unsigned rows, unsigned length, double gapFraction) {
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<std::string> out;
    for (unsigned r = 0; r < rows; ++r) {
        std::string row = RandomProtein(rng, length);
        for (char& c : row)
            if (unit(rng) < gapFraction) c = '-';
        out.push_back(row);
    }
    return out;
}

std::string RowText(const MSA& a, unsigned row) { return std::string(a.GetSeqBuffer(row), a.GetColCount()); }

std::string Ungapped(const MSA& a, unsigned row) {
    std::string out;
    for (unsigned col = 0; col < a.GetColCount(); ++col) {
        const char c = a.GetChar(row, col);
        if (!IsGapChar(c)) out += static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

void ExpectProfilesNear(const ProfPos* a, const ProfPos* b, unsigned length) {
    constexpr float tolerance = 1e-4f;
    for (unsigned col = 0; col < length; ++col) {
        SCOPED_TRACE("column " + std::to_string(col));
        const ProfPos& p = a[col];
        const ProfPos& q = b[col];
        EXPECT_EQ(p.uResidueGroup, q.uResidueGroup);
        EXPECT_NEAR(p.LL, q.LL, tolerance);
        EXPECT_NEAR(p.LG, q.LG, tolerance);
        EXPECT_NEAR(p.GL, q.GL, tolerance);
        EXPECT_NEAR(p.GG, q.GG, tolerance);
        EXPECT_NEAR(p.fOcc, q.fOcc, tolerance);
        EXPECT_NEAR(p.scoreGapOpen, q.scoreGapOpen, tolerance);
        EXPECT_NEAR(p.scoreGapClose, q.scoreGapClose, tolerance);
        for (unsigned x = 0; x < g_AlphaSize; ++x) {
            EXPECT_NEAR(p.fcCounts[x], q.fcCounts[x], tolerance) << x;
            EXPECT_NEAR(p.AAScores[x], q.AAScores[x], tolerance * (1 + std::fabs(q.AAScores[x]))) << x;
        }
    }
}
