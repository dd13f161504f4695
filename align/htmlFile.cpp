// HTML output: the ClustalW layout with residues coloured by how well their column is conserved.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "align/blosum62.h"
#include "align/msa.h"
#include "align/msaFiles.h"
#include "align/textFile.h"

namespace {

// Residue letters of the colouring in index order; U counts as T. B scores as D, Z as E and
// X -1 against everything.
constexpr char COLOR_LETTERS[] = "ABCDEFGHIKLMNPQRSTVWXYZ";
constexpr unsigned COLOR_LETTER_COUNT = sizeof(COLOR_LETTERS) - 1;
static_assert(COLOR_LETTER_COUNT == 23);
// The same letters in the order of the BLOSUM62 table (B and Z as D and E, X has no row).
constexpr char BLOSUM_LETTERS[] = "ACDEFGHIKLMNPQRSTVWY";
static_assert(sizeof(BLOSUM_LETTERS) - 1 == BLOSUM62_SIZE);

// Mean pair scores at or above these give classes 3 and 1; a column of fewer than two residues
// gets NO_PAIRS.
constexpr double STRONG = 3.0;
constexpr double WEAK = 0.2;
constexpr double NO_PAIRS = -9;

constexpr unsigned CLASS_COUNT = 4;
constexpr std::array<const char*, CLASS_COUNT> CLASS_COLORS = {"#FFFFFF", "#C0C0C0", "#5590FF", "#77FFFF"};
constexpr const char* PAGE_COLOR = "#FFEEE0";

// Index into COLOR_LETTERS, or -1 for gaps, J, O and non-letters.
int ColorIndex(char c) {
    char upper = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (upper == 'U') upper = 'T';
    const char* p = isalpha(static_cast<unsigned char>(upper)) ? strchr(COLOR_LETTERS, upper) : nullptr;
    return p ? static_cast<int>(p - COLOR_LETTERS) : -1;
}

int PairScore(int i, int j) {
    auto row = [](int index) {
        char c = COLOR_LETTERS[index];
        if (c == 'B') c = 'D';
        if (c == 'Z') c = 'E';
        const char* p = strchr(BLOSUM_LETTERS, c);
        return p ? static_cast<int>(p - BLOSUM_LETTERS) : -1;
    };
    const int a = row(i), b = row(j);
    return a < 0 || b < 0 ? -1 : BLOSUM62[a][b];
}

void AssignColumn(const MSA& msa, unsigned col, std::vector<std::vector<int>>& classes) {
    const unsigned rows = msa.GetSeqCount();
    std::vector<int> index(rows);
    std::array<unsigned, COLOR_LETTER_COUNT> counts{};
    std::vector<int> residues;
    for (unsigned row = 0; row < rows; ++row) {
        index[row] = msa.IsGap(row, col) ? -1 : ColorIndex(msa.GetChar(row, col));
        if (index[row] < 0) continue;
        ++counts[index[row]];
        residues.push_back(index[row]);
    }
    // max_element keeps the first (lowest) index on a tie.
    const int best = static_cast<int>(std::max_element(counts.begin(), counts.end()) - counts.begin());

    double mean = NO_PAIRS;
    if (residues.size() >= 2) {
        double sum = 0;
        for (size_t a = 0; a < residues.size(); ++a)
            for (size_t b = a + 1; b < residues.size(); ++b) sum += PairScore(residues[a], residues[b]);
        mean = sum / (residues.size() * (residues.size() - 1) / 2.0);
    }
    const int columnClass = mean >= STRONG ? 3 : mean >= WEAK ? 1 : 0;

    for (unsigned row = 0; row < rows; ++row)
        classes[row][col] = index[row] >= 0 && PairScore(index[row], best) >= mean ? columnClass : 0;
}

std::string Span(const char* color) {
    std::string span = "<SPAN STYLE=\"background-color:";
    span += color;
    span += "\">";
    return span;
}

// '&', '<' and '>' of a name (FASTA labels may hold them) as HTML entities.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

}  // namespace

void AssignColors(const MSA& msa, std::vector<std::vector<int>>& classes) {
    classes.assign(msa.GetSeqCount(), std::vector<int>(msa.GetColCount(), 0));
    for (unsigned col = 0; col < msa.GetColCount(); ++col) AssignColumn(msa, col, classes);
}

void MSA::ToHTMLFile(TextFile& file) const {
    file.PutString("<HTML>\n");
    file.PutString(("<BODY BGCOLOR=\"" + std::string(PAGE_COLOR) + "\">\n").c_str());
    file.PutString("<PRE>");

    std::vector<std::vector<int>> classes;
    AssignColors(*this, classes);

    const unsigned width = ClwNameWidth(*this);
    for (unsigned start = 0; start < m_uColCount; start += CLW_BLOCK) {
        const unsigned end = std::min(start + CLW_BLOCK, m_uColCount);
        file.PutString("\n");
        for (unsigned row = 0; row < m_uSeqCount; ++row) {
            std::string name = ClwName(m_szNames[row]);
            // Padded before escaping, so that the letters line up on the page.
            name.resize(width + CLW_NAME_GAP, ' ');
            std::string line = Span(PAGE_COLOR) + Escaped(name) + Span(CLASS_COLORS[0]);
            for (unsigned col = start; col < end; ++col) {
                const int c = classes[row][col];
                if (col == start || c != classes[row][col - 1]) line += "</SPAN>" + Span(CLASS_COLORS[c]);
                const unsigned char letter = static_cast<unsigned char>(m_szSeqs[row][col]);
                line += static_cast<char>(c == 0 ? tolower(letter) : toupper(letter));
            }
            file.PutString((line + "\n").c_str());
        }
    }

    file.PutString("</SPAN>\n");
    file.PutString("</PRE>\n");
    file.PutString("</BODY>\n");
    file.PutString("</HTML>\n");
}
