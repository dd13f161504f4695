// Profiles: one ProfPos per alignment column, built from an MSA, and the column-against-column
// scores that the profile dynamic programming maximises.
#pragma once

#include <cmath>

#include "align/engineTypes.h"
#include "align/params.h"

class MSA;

// The group of a column whose letters fall into no single residue group (or that has none).
constexpr unsigned RESIDUE_GROUP_MULTIPLE = 0xFFFFFFFFu;

// One profile column. Arrays of it are made with new[] by the function that builds them and
// released with delete[] by the caller. The 20-entry arrays are filled for the first
// g_AlphaSize letters only. A gap score of MINUS_INFINITY forbids a gap to open (or close) at
// this column; nothing after the one who set it changes such a score.
struct ProfPos {
    bool bAllGaps;
    unsigned uSortOrder[MAX_ALPHA];  // letters by falling frequency, ties in letter order
    FCOUNT fcCounts[MAX_ALPHA];      // weighted letter frequencies
    FCOUNT LL;                       // weight of rows: letter in the previous column, letter here
    FCOUNT LG;                       // letter before, gap here
    FCOUNT GL;                       // gap before, letter here
    FCOUNT GG;                       // gap before, gap here
    SCORE AAScores[MAX_ALPHA];       // per letter a: sum over b of fcCounts[b] x matrix[a][b]
    unsigned uResidueGroup;          // group shared by every letter present, else RESIDUE_GROUP_MULTIPLE
    FCOUNT fOcc;                     // 1 - weight of rows with a gap here
    FCOUNT fcStartOcc;               // 1 - weight of rows whose gap starts here
    FCOUNT fcEndOcc;                 // 1 - weight of rows whose gap ends here
    SCORE scoreGapOpen;              // fcStartOcc x g_scoreGapOpen / 2
    SCORE scoreGapClose;             // fcEndOcc x g_scoreGapOpen / 2
};

// A new profile of the alignment, one column per alignment column. It first sets the
// alignment's sequence weights by the method in force (SetMSAWeightsCorvid): the weights are
// part of what the profile summarises, so the alignment's weight record is refreshed even
// though the letters stay untouched.
ProfPos* ProfileFromMSA(const MSA& a);
// The weighted statistics of every column of a (weights set) into zeroed profile columns:
// letter frequencies (wildcards spread by SpreadWildcard; with bNormalize divided by the weight
// of rows holding a proper letter), the transition weights LL, LG, GL, GG from the previous
// column (before column 0 every row has a letter), fOcc and bAllGaps, with the weight of rows
// whose gap starts or ends there in gapStart and gapEnd.
void ProfileCountsFromMSA(const MSA& a, bool bNormalize, ProfPos prof[], FCOUNT gapStart[], FCOUNT gapEnd[]);
// Adds a wildcard's weight w to the letters it may stand for: for amino acids B half to D and
// N, Z half to E and Q, any other one w/20 to each of the 20 letters; for nucleotides X half
// to A and G, any other one w/20 (not w/4) to each of the 4 letters.
void SpreadWildcard(unsigned letterEx, WEIGHT w, FCOUNT counts[]);

// order = letters 0 .. g_AlphaSize-1 sorted by falling frequency (stable on ties).
void SortCounts(const FCOUNT fcCounts[], unsigned order[]);
// The residue group common to every letter present, or RESIDUE_GROUP_MULTIPLE.
unsigned ResidueGroupFromFCounts(const FCOUNT fcCounts[]);
// Recomputes the derived fields of column i of a profile of the given length from its
// frequencies and transitions (sort order, group, occupancy LL + GL, gap scores, AAScores);
// fcStartOcc and fcEndOcc are left alone.
void SetProfPosScores(ProfPos* prof, unsigned i, unsigned length);
void ProfScoresFromFreqs(ProfPos* prof, unsigned length);

// The score of aligning column a with column b under g_PPScore, and the fixed variants. The
// variants are inline: the dynamic programming calls one per cell.
SCORE ScoreProfPos2(const ProfPos& a, const ProfPos& b);
SCORE ScoreProfPos2NS(const ProfPos& a, const ProfPos& b);

namespace profile_detail {
// The LE score of two columns with nothing in common: a finite stand-in for log 0.
constexpr SCORE LE_EMPTY_SCORE = -2.5f;
// SPN sums over the most frequent letters of a column only.
constexpr unsigned SPN_LETTERS = 4;

// a's frequencies in a's sort order against b's pre-multiplied letter scores, stopping at the
// first letter absent from a, over at most maxLetters letters.
inline SCORE SortedSum(const ProfPos& a, const ProfPos& b, unsigned maxLetters) {
    SCORE s = 0;
    const unsigned count = maxLetters < g_AlphaSize ? maxLetters : g_AlphaSize;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned x = a.uSortOrder[i];
        const FCOUNT f = a.fcCounts[x];
        if (f == 0) break;
        s += f * b.AAScores[x];
    }
    return s;
}
}  // namespace profile_detail

inline SCORE ScoreProfPos2LA(const ProfPos& a, const ProfPos& b) {
    const SCORE s = profile_detail::SortedSum(a, b, MAX_ALPHA);
    if (s == 0) return profile_detail::LE_EMPTY_SCORE;
    return (logf(s) - g_scoreCenter) * a.fOcc * b.fOcc;
}

inline SCORE ScoreProfPos2SP(const ProfPos& a, const ProfPos& b) {
    return profile_detail::SortedSum(a, b, MAX_ALPHA) - g_scoreCenter;
}

inline SCORE ScoreProfPos2SPN(const ProfPos& a, const ProfPos& b) {
    return profile_detail::SortedSum(a, b, profile_detail::SPN_LETTERS) - g_scoreCenter;
}

// '-' without letters, the upper-case letter when only one is present, else the most frequent
// letter in lower case.
char ConsensusChar(const ProfPos& pp);

// Diagnostics through Log; AssertProfsEq ends the process at the first difference.
void ListProfile(const ProfPos* prof, unsigned length, const MSA* msa);
void AssertProfsEq(const ProfPos* a, unsigned lengthA, const ProfPos* b, unsigned lengthB);
