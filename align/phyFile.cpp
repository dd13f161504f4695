// PHYLIP output, sequential and interleaved: a 10-character name field, letters in groups of 10.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "align/msa.h"
#include "align/textFile.h"

namespace {

constexpr unsigned NAME_WIDTH = 10;
constexpr unsigned GROUP = 10;
// The first line of a row (after its name) holds 50 letters, every later line 60.
constexpr unsigned FIRST_LINE = 50;
constexpr unsigned LINE = 60;

// The first 10 characters of the name, with the characters that PHYLIP readers take as tree or
// field syntax (and non-printable ones) replaced by '_', padded to 10.
std::string PhyName(const char* name) {
    std::string text(name ? name : "");
    if (text.size() > NAME_WIDTH) text.resize(NAME_WIDTH);
    for (char& c : text)
        if (strchr("(),:;[]", c) || !isprint(static_cast<unsigned char>(c))) c = '_';
    text.resize(NAME_WIDTH, ' ');
    return text;
}

// Columns start .. start + count - 1 of the row upper-cased, in groups of 10, each group
// preceded by a blank when leadingBlank, else groups separated by blanks.
std::string Groups(const MSA& msa, unsigned row, unsigned start, unsigned count, bool leadingBlank) {
    std::string text;
    const unsigned end = std::min(start + count, msa.GetColCount());
    for (unsigned col = start; col < end; ++col) {
        if ((col - start) % GROUP == 0 && (leadingBlank || col != start)) text += ' ';
        text += static_cast<char>(toupper(static_cast<unsigned char>(msa.GetChar(row, col))));
    }
    return text;
}

void PutCounts(TextFile& file, const MSA& msa) {
    file.PutFormat("%d %d\n", static_cast<int>(msa.GetSeqCount()), static_cast<int>(msa.GetColCount()));
}

}  // namespace

void MSA::ToPhySequentialFile(TextFile& file) const {
    PutCounts(file, *this);
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        file.PutString((PhyName(m_szNames[row]) + Groups(*this, row, 0, FIRST_LINE, true) + "\n").c_str());
        for (unsigned start = FIRST_LINE; start < m_uColCount; start += LINE)
            file.PutString((Groups(*this, row, start, LINE, false) + "\n").c_str());
    }
}

void MSA::ToPhyInterleavedFile(TextFile& file) const {
    PutCounts(file, *this);
    for (unsigned row = 0; row < m_uSeqCount; ++row)
        file.PutString((PhyName(m_szNames[row]) + Groups(*this, row, 0, FIRST_LINE, true) + "\n").c_str());
    for (unsigned start = FIRST_LINE; start < m_uColCount; start += LINE) {
        file.PutString("\n");
        for (unsigned row = 0; row < m_uSeqCount; ++row)
            file.PutString((Groups(*this, row, start, LINE, false) + "\n").c_str());
    }
}
