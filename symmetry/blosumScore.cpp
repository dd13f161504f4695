// Column scores of an alignment under BLOSUM62.
#include "symmetry/blosumScore.h"

#include "align/msa.h"

namespace blo {

namespace {

bool isGapChar(char c) { return c == '-' || c == '.'; }

// Index of every upper-case letter, from kLetters; U shares T's row.
struct sLetterIndex {
    int index[26];
    constexpr sLetterIndex() : index{} {
        for (int& i : index) i = -1;
        for (int k = 0; k < kLetterCount; ++k) index[kLetters[k] - 'A'] = k;
        index['U' - 'A'] = index['T' - 'A'];
    }
};
constexpr sLetterIndex kIndex;

}  // namespace

int letterIndex(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') return -1;
    return kIndex.index[c - 'A'];
}

int pairScore(char a, char b) {
    const int xIndex = letterIndex('X');
    int i = letterIndex(a), j = letterIndex(b);
    if (i < 0) i = xIndex;
    if (j < 0) j = xIndex;
    return kBlosum62[i][j];
}

double BlosumScoreCol(const MSA& msa, unsigned column, unsigned row1, unsigned row2) {
    const char a = msa.GetChar(row1, column);
    const char b = msa.GetChar(row2, column);
    if (isGapChar(a) || isGapChar(b)) return kGapScore;
    return pairScore(a, b);
}

}  // namespace blo
