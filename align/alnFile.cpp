// ClustalW output: blocks of 60 columns under a name field, each with a conservation line.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/msaFiles.h"
#include "align/params.h"
#include "align/textFile.h"

namespace {

// Residue groups of the conservation line: a column whose residues all lie in one strong group
// is marked ':', in one weak group '.'.
constexpr std::array<const char*, 8> STRONG_GROUPS = {"STA", "NEQK", "NHQK", "NDEQ", "MILV", "MILF", "HY", "FYW"};
constexpr std::array<const char*, 10> WEAK_GROUPS = {"CSA",  "ATV",    "SAG",    "STNK",  "STPA",
                                                     "SGND", "SNDEQK", "NWQHRK", "FVLIM", "HFY"};

// Extended letter numbers present in a column; characters outside the alphabet share one slot.
using LetterSet = std::array<bool, MAX_ALPHA_EX + 1>;

bool InGroup(const LetterSet& present, const char* group) {
    for (unsigned letter = 0; letter < present.size(); ++letter) {
        if (!present[letter]) continue;
        if (letter >= g_AlphaSize || !strchr(group, g_LetterToChar[letter])) return false;
    }
    return true;
}

template <size_t N>
bool InAnyGroup(const LetterSet& present, const std::array<const char*, N>& groups) {
    return std::any_of(groups.begin(), groups.end(), [&](const char* g) { return InGroup(present, g); });
}

// '*' for a column of one extended letter (gaps count as one), ':' and '.' for amino-acid
// columns inside a strong or weak group, else ' '.
char ConsChar(const MSA& msa, unsigned col) {
    LetterSet present{};
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row)
        present[std::min<unsigned>(msa.GetLetterEx(row, col), MAX_ALPHA_EX)] = true;
    if (std::count(present.begin(), present.end(), true) == 1) return '*';
    if (g_Alpha != ALPHA_Amino) return ' ';
    if (InAnyGroup(present, STRONG_GROUPS)) return ':';
    if (InAnyGroup(present, WEAK_GROUPS)) return '.';
    return ' ';
}

}  // namespace

void MSA::ToAlnFile(TextFile& file) const {
    if (g_bClwStrict)
        file.PutString("CLUSTAL W (1.81) multiple sequence alignment\n");
    else {
        file.PutString("Corvid (" QUORIX_VERSION ") multiple sequence alignment\n");
        file.PutString("\n");
    }

    const unsigned width = ClwNameWidth(*this);
    for (unsigned start = 0; start < m_uColCount; start += CLW_BLOCK) {
        const unsigned count = std::min(CLW_BLOCK, m_uColCount - start);
        file.PutString("\n");
        for (unsigned row = 0; row < m_uSeqCount; ++row) {
            std::string name = ClwName(m_szNames[row]);
            name.resize(width + CLW_NAME_GAP, ' ');
            file.PutString(name.c_str());
            PutUpper(file, m_szSeqs[row] + start, count);
            file.PutString("\n");
        }
        std::string cons(width + CLW_NAME_GAP, ' ');
        for (unsigned col = start; col < start + count; ++col) cons += ConsChar(*this, col);
        file.PutString((cons + "\n").c_str());
    }
}
