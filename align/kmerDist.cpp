// K-mer distances (6-mers over compressed alphabets, 4-mers and triples of the 20 letters).
#include "align/kmerDist.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <new>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/distFunc.h"
#include "align/params.h"
#include "align/progress.h"
#include "align/residueGroup.h"
#include "align/seqVect.h"

namespace {

// 6^6 words of six letters over an alphabet of six groups.
constexpr unsigned KMER6_TABLE_SIZE = 46656;
constexpr unsigned KMER6_LENGTH = 6;
constexpr unsigned KMER4_LENGTH = 4;
constexpr unsigned TRIPLE_COUNT = 8000;
constexpr unsigned TRIPLE_BYTES = TRIPLE_COUNT / 8;
// Progress steps of the k-mer passes.
constexpr unsigned PAIRS_PER_PROGRESS = 500;
constexpr unsigned KBIT_PAIRS_PER_PROGRESS = 10000;

typedef std::vector<std::uint8_t> ByteCounts;

// Every pair (i, j) with j <= i starts at 0.
void ZeroLowerTriangle(DistFunc& df, unsigned n) {
    for (unsigned i = 0; i < n; ++i)
        for (unsigned j = 0; j <= i; ++j) df.SetDist(i, j, 0);
}

// Indexes of the 6-mers of one sequence (positions 0 .. L - 6) over groups 0..5.
std::vector<unsigned> Kmer6Indexes(const std::vector<unsigned>& groups) {
    std::vector<unsigned> indexes;
    if (groups.size() < KMER6_LENGTH) return indexes;
    for (size_t p = 0; p + KMER6_LENGTH <= groups.size(); ++p) {
        unsigned index = 0;
        for (unsigned k = 0; k < KMER6_LENGTH; ++k) index = index * 6 + groups[p + k];
        indexes.push_back(index);
    }
    return indexes;
}

void CountWords(const std::vector<unsigned>& words, ByteCounts& counts) {
    for (unsigned w : words) ++counts[w];  // 8-bit counters wrap
}

// The two passes shared by the protein and nucleotide 6-mer distances; groups[i] holds the
// group (0..5) of every position of sequence i.
void DistKmer6(const std::vector<std::vector<unsigned>>& groups, const SeqVect& v, DistFunc& df) {
    const unsigned n = v.Length();
    df.SetCount(n);
    ZeroLowerTriangle(df, n);

    // A sequence needs more than 4 letters to take part (5 letters give no word at all).
    std::vector<std::vector<unsigned>> words(n);
    std::vector<bool> counted(n);
    for (unsigned i = 0; i < n; ++i) {
        counted[i] = v.GetSeqLength(i) > 4;
        if (counted[i]) words[i] = Kmer6Indexes(groups[i]);
    }

    // common[k * n + l]: 6-mers shared by k and l, each distinct word of l counted once with
    // the smaller of its two counts.
    std::vector<unsigned> common(static_cast<size_t>(n) * n, 0);
    ByteCounts first(KMER6_TABLE_SIZE, 0), second(KMER6_TABLE_SIZE, 0);
    const unsigned pairTotal = n * (n + 1) / 2;
    unsigned pair = 0;
    SetProgressDesc("K-mer dist pass 1");
    for (unsigned k = 0; k < n; ++k) {
        if (!counted[k]) {
            pair += k + 1;
            continue;
        }
        std::fill(second.begin(), second.end(), 0);
        CountWords(words[k], second);
        for (unsigned l = 0; l <= k; ++l) {
            if (pair % PAIRS_PER_PROGRESS == 0) Progress(pair, pairTotal);
            ++pair;
            if (!counted[l]) continue;
            CountWords(words[l], first);
            unsigned shared = 0;
            for (unsigned w : words[l]) {
                const unsigned c = first[w];
                const unsigned e = second[w];
                first[w] = 0;
                shared += std::min(c, e);
            }
            common[static_cast<size_t>(k) * n + l] = shared;
            common[static_cast<size_t>(l) * n + k] = shared;
        }
    }
    ProgressStepsDone();

    SetProgressDesc("K-mer dist pass 2");
    const unsigned pairTotal2 = n * (n - 1) / 2;
    pair = 0;
    for (unsigned l = 0; l < n; ++l) {
        const unsigned selfL = common[static_cast<size_t>(l) * n + l];
        const double nl = selfL == 0 ? 1 : selfL;
        for (unsigned m = 0; m < l; ++m) {
            if (pair % PAIRS_PER_PROGRESS == 0) Progress(pair, pairTotal2);
            ++pair;
            const unsigned selfM = common[static_cast<size_t>(m) * n + m];
            const double nm = selfM == 0 ? 1 : selfM;
            const double c = common[static_cast<size_t>(l) * n + m];
            const double dist = std::min(3 * (nl - c) / nl, 3 * (nm - c) / nm);
            df.SetDist(l, m, static_cast<float>(dist));
        }
        df.SetDist(l, l, 0);
    }
    if (pairTotal2 > 0) ProgressStepsDone();
}

// Letter numbers of a sequence; an unknown character ends the process.
std::vector<unsigned> Letters(const Seq& s, const char* routine, bool wildcardAsA) {
    std::vector<unsigned> letters(s.Length());
    for (unsigned p = 0; p < s.Length(); ++p) {
        char c = s[p];
        if (wildcardAsA && IsWildcardChar(c)) c = 'A';
        const unsigned letter = CharToLetter(c);
        if (letter >= MAX_ALPHA)
            Quit("%s: invalid letter '%c' at position %u of sequence %s", routine, s[p], p + 1,
                 s.GetName() ? s.GetName() : "");
        letters[p] = letter;
    }
    return letters;
}

// 4-mer indexes c0*8000 + c1*400 + c2*20 + c3 at positions 0 .. L - 4.
std::vector<unsigned> Kmer4Indexes(const unsigned char* letters, unsigned length) {
    std::vector<unsigned> indexes;
    if (length < KMER4_LENGTH) return indexes;
    unsigned index = letters[0] * 8000 + letters[1] * 400 + letters[2] * 20 + letters[3];
    indexes.push_back(index);
    for (unsigned p = KMER4_LENGTH; p < length; ++p) {
        index = index * 20 + letters[p] - letters[p - KMER4_LENGTH] * KMER4_TABLE_SIZE;
        indexes.push_back(index);
    }
    return indexes;
}

}  // namespace

void DistKmer6_6(const SeqVect& v, DistFunc& df) {
    std::vector<std::vector<unsigned>> groups(v.Length());
    for (unsigned i = 0; i < v.Length(); ++i) {
        const Seq& s = v.GetSeq(i);
        groups[i].resize(s.Length());
        for (unsigned p = 0; p < s.Length(); ++p) {
            const unsigned code = CharToLetterEx(s[p]);
            if (code >= uResidueGroupCount)
                Quit("DistKmer6_6: invalid letter '%c' at position %u of sequence %s", s[p], p + 1,
                     s.GetName() ? s.GetName() : "");
            groups[i][p] = ResidueGroup[code];
        }
    }
    DistKmer6(groups, v, df);
}

void DistKmer4_6(const SeqVect& v, DistFunc& df) {
    if (g_Alpha != ALPHA_DNA && g_Alpha != ALPHA_RNA) Quit("DistKmer4_6 requires nucleo alphabet");
    std::vector<std::vector<unsigned>> groups(v.Length());
    for (unsigned i = 0; i < v.Length(); ++i) {
        const Seq& s = v.GetSeq(i);
        groups[i].resize(s.Length());
        // The four bases are groups 0..3; wildcards, gaps and anything else share group 4.
        for (unsigned p = 0; p < s.Length(); ++p) groups[i][p] = std::min(CharToLetterEx(s[p]), 4u);
    }
    DistKmer6(groups, v, df);
}

void FastDistKmer(const SeqVect& v, DistFunc& df) {
    const unsigned n = v.Length();
    df.SetCount(n);
    ZeroLowerTriangle(df, n);
    std::vector<std::vector<unsigned char>> letters(n);
    std::vector<std::vector<unsigned>> words(n);
    for (unsigned i = 0; i < n; ++i) {
        const std::vector<unsigned> l = Letters(v.GetSeq(i), "FastDistKmer", true);
        letters[i].assign(l.begin(), l.end());
        words[i] = Kmer4Indexes(letters[i].data(), static_cast<unsigned>(letters[i].size()));
    }
    ByteCounts countsI(KMER4_TABLE_SIZE, 0), countsJ(KMER4_TABLE_SIZE, 0);
    for (unsigned i = 0; i + 1 < n; ++i) {
        for (unsigned j = i + 1; j < n; ++j) {
            CountWords(words[i], countsI);
            CountWords(words[j], countsJ);
            unsigned common = 0;
            for (unsigned w : words[i]) {
                const unsigned e = countsJ[w];
                countsJ[w] = 0;
                common += std::min(e, static_cast<unsigned>(countsI[w]));
            }
            for (unsigned w : words[i]) countsI[w] = 0;
            for (unsigned w : words[j]) countsJ[w] = 0;
            // Sequences shorter than one word share nothing (and must not divide by <= 0).
            const unsigned shorter = std::min(v.GetSeqLength(i), v.GetSeqLength(j));
            double fraction = shorter < KMER4_LENGTH ? 0.0 : static_cast<double>(common) / (shorter - 3);
            if (fraction == 0) fraction = 0.01;
            df.SetDist(i, j, static_cast<float>(1 - fraction));
        }
    }
}

void DistKmer20_3(const SeqVect& v, DistFunc& df) {
    const unsigned n = v.Length();
    df.SetCount(n);
    ZeroLowerTriangle(df, n);
    struct Occurrence {
        unsigned seq;
        int count;
    };
    std::vector<std::vector<Occurrence>> triples;
    std::vector<double> shared;
    try {
        triples.resize(TRIPLE_COUNT);
        shared.assign(static_cast<size_t>(n) * n, 0.0);
        std::vector<int> counts(TRIPLE_COUNT, 0);
        for (unsigned i = 0; i < n; ++i) {
            const Seq& s = v.GetSeq(i);
            std::fill(counts.begin(), counts.end(), 0);
            for (unsigned p = 0; p + 2 < s.Length(); ++p) {
                const unsigned a = CharToLetter(s[p]), b = CharToLetter(s[p + 1]), c = CharToLetter(s[p + 2]);
                if (a >= MAX_ALPHA || b >= MAX_ALPHA || c >= MAX_ALPHA) continue;
                ++counts[a + 20 * b + 400 * c];
            }
            for (unsigned t = 0; t < TRIPLE_COUNT; ++t)
                if (counts[t] != 0) triples[t].push_back({i, counts[t]});
        }
    } catch (const std::bad_alloc&) {
        Quit("Not enough memory (TripleCounts)");
    }
    for (const std::vector<Occurrence>& list : triples)
        for (size_t b = 0; b < list.size(); ++b)
            for (size_t e = 0; e < b; ++e)
                shared[static_cast<size_t>(list[b].seq) * n + list[e].seq] += std::min(list[b].count, list[e].count);
    const unsigned pairTotal = n * (n - 1) / 2;
    for (unsigned i = 0; i < n; ++i) {
        for (unsigned j = 0; j < i; ++j) {
            const unsigned shorter = std::min(v.GetSeqLength(i), v.GetSeqLength(j));
            const double s = shared[static_cast<size_t>(i) * n + j];
            // The shared fraction grows with similarity; the distance is its complement.
            const double dist = (shorter > 2 && s != 0) ? 1 - s / (shorter - 2) : 1.0;
            df.SetDist(i, j, static_cast<float>(dist));
            Progress(0, pairTotal);
        }
    }
}

void DistKbit20_3(const SeqVect& v, DistFunc& df) {
    const unsigned n = v.Length();
    df.SetCount(n);
    // One bit per letter triple present in the sequence.
    std::vector<std::vector<std::uint8_t>> bits(n, std::vector<std::uint8_t>(TRIPLE_BYTES, 0));
    for (unsigned i = 0; i < n; ++i) {
        const Seq& s = v.GetSeq(i);
        unsigned index = 0, run = 0;
        for (unsigned p = 0; p < s.Length(); ++p) {
            const unsigned code = CharToLetter(s[p]);
            if (code >= MAX_ALPHA) {
                // A non-letter breaks the word: the next triple starts after it.
                index = 0;
                run = 0;
                continue;
            }
            index = (index * 20 + code) % TRIPLE_COUNT;
            if (++run >= 3) bits[i][index / 8] |= static_cast<std::uint8_t>(1u << (index % 8));
        }
    }
    SetProgressDesc("K-bit distance matrix");
    const unsigned pairTotal = n * (n - 1) / 2;
    unsigned pair = 0;
    for (unsigned i = 0; i < n; ++i) {
        for (unsigned j = 0; j < i; ++j) {
            if (pair % KBIT_PAIRS_PER_PROGRESS == 0) Progress(pair, pairTotal);
            ++pair;
            unsigned common = 0;
            for (unsigned b = 0; b < TRIPLE_BYTES; ++b)
                common += static_cast<unsigned>(std::popcount(static_cast<std::uint8_t>(bits[i][b] & bits[j][b])));
            const unsigned shorter = std::min(v.GetSeqLength(i), v.GetSeqLength(j));
            df.SetDist(i, j, shorter == 0 ? 0.0f : static_cast<float>(common) / static_cast<float>(shorter));
        }
    }
    if (pairTotal > 0) ProgressStepsDone();
}

void CountKmers(const unsigned char* letters, unsigned length, unsigned char counts[]) {
    std::fill(counts, counts + KMER4_TABLE_SIZE, 0);
    for (unsigned w : Kmer4Indexes(letters, length)) ++counts[w];
}

unsigned CommonKmerCount(const unsigned char* lettersA, unsigned lengthA, const unsigned char countsA[],
                         const unsigned char* lettersB, unsigned lengthB) {
    std::vector<unsigned char> countsB(KMER4_TABLE_SIZE, 0);
    CountKmers(lettersB, lengthB, countsB.data());
    unsigned common = 0;
    for (unsigned w : Kmer4Indexes(lettersA, lengthA)) {
        common += std::min(countsB[w], countsA[w]);
        countsB[w] = 0;
    }
    return common;
}

const char* KmerToStr(unsigned index) {
    static char text[5];
    text[0] = g_LetterToChar[(index / 8000) % 20];
    text[1] = g_LetterToChar[(index / 400) % 20];
    text[2] = g_LetterToChar[(index / 20) % 20];
    text[3] = g_LetterToChar[index % 20];
    text[4] = 0;
    return text;
}
