// Tests of substitution-matrix files.
#include "align/mxFile.h"

#include <gtest/gtest.h>

#include <string>

#include "align/alpha.h"
#include "align/textFile.h"
#include "tests/align/engineTestUtil.h"

namespace {

const char LETTERS[] = "ACDEFGHIKLMNPQRSTVWY";

// A matrix file over the 20 amino acids and B, Z, X, *: entry (i, j) is i + j, or i + 100 j
// when not symmetric; the wildcard rows and columns are ignored.
std::string MatrixText(bool symmetric) {
    std::string text = "# a comment\n   A  C  D  E  F  G  H  I  K  L  M  N  P  Q  R  S  T  V  W  Y  B  Z  X  *\n";
    for (unsigned i = 0; i < 20; ++i) {
        text += LETTERS[i];
        for (unsigned j = 0; j < 24; ++j) {
            const int value = j >= 20 ? -1 : symmetric ? int(i + j) : int(i + 100 * j);
            text += ' ';
            text += std::to_string(value);
        }
        text += "\n";
    }
    for (const char* extra : {"B", "Z", "X", "*"}) text += std::string(extra) + std::string(24, ' ') + " 0\n";
    return text;
}

PTR_SCOREMATRIX Read(const std::string& text) {
    TempFile file(text);
    TextFile in(file.c_str());
    return ReadMx(in);
}

}  // namespace

using MxFile = EngineTest;

TEST_F(MxFile, ReadsRowsByLetter) {
    PTR_SCOREMATRIX m = Read(MatrixText(true));
    EXPECT_EQ((*m)[0][0], 0.0f);
    EXPECT_EQ((*m)[3][7], 10.0f);
    EXPECT_EQ((*m)[19][19], 38.0f);
    EXPECT_EQ((*m)[20][0], 0.0f);  // wildcards get nothing
}

TEST_F(MxFile, TwentyLetterFileKeepsItsLastRowAndColumn) {
    std::string text = " A C D E F G H I K L M N P Q R S T V W Y\n";
    for (unsigned i = 0; i < 20; ++i) {
        // Comment lines may stand between the rows too, and take none of them.
        if (i == 1) text += "# between rows\n";
        if (i == 19) text += "  # indented\n";
        text += LETTERS[i];
        for (unsigned j = 0; j < 20; ++j) {
            text += ' ';
            text += std::to_string(i + j);
        }
        text += "\n";
    }
    PTR_SCOREMATRIX m = Read(text);
    EXPECT_EQ((*m)[0][19], 19.0f);
    EXPECT_EQ((*m)[19][19], 38.0f);
}

TEST_F(MxFile, AsymmetryIsWarnedOnce) {
    EXPECT_EXIT(
        {
            Read(MatrixText(false));
            exit(0);
        },
        ::testing::ExitedWithCode(0), WarningText("Matrix is not symmetrical, C->A=1, A->C=100"));
}

TEST_F(MxFile, MalformedFilesEndTheRun) {
    // Each case's text is in a file of its own, which the message names.
    auto expectQuit = [](const std::string& text, const std::string& message) {
        TempFile file(text);
        TextFile in(file.c_str());
        std::string expected = message;
        for (size_t at; (at = expected.find("@")) != std::string::npos;) expected.replace(at, 1, file.path());
        EXPECT_QUIT(ReadMx(in), expected);
    };
    expectQuit("# only comments\n", "Premature EOF in matrix file @");
    // The header must start with a blank; a blank line before it is named like any other.
    for (const auto& [text, where] : {std::pair{"A C D\n", "1 in matrix file @: 'A C D'"},
                                      {"# c\n\n A C D\n", "2 in matrix file @: ''"}})
        expectQuit(text, std::string("Invalid line ") + where +
                             " (expected the header: a blank, then the column letters)");
    // The header's letters are counted without a final '*'; the messages name the line.
    expectQuit("# c\n A C D *\n", "Error in matrix file @ line 2: < 20 headers, line=' A C D *'");
    const std::string header33 = " " + std::string(33, 'A');
    expectQuit(header33 + "\n", "Error in matrix file @ line 1: > 32 headers, line='" + header33 + "'");
    std::string text = MatrixText(true);
    const size_t start = text.find("\nC ") + 1;
    text.replace(start, text.find('\n', start) - start, "C 5");
    expectQuit(text, "Too few fields in line 4 of matrix file @: 'C 5'");
    const std::string full = MatrixText(true);
    expectQuit(full.substr(0, full.find("\nE ") + 1), "Premature EOF in matrix file @ after line 5: 3 of 23 rows");
    // A row must hold a field per column letter, the final '*' included: one more anywhere, or
    // the last one missing, would shift its numbers into other columns.
    std::string extra = full;
    extra.replace(extra.find("\nA 0 ") + 5, 0, "9 ");
    expectQuit(extra, "Matrix file @ line 3 field 25: '-1' is beyond the 24 column letters of the header");
    std::string noStar = full;
    const size_t rowC = noStar.find("\nC ") + 1, endC = noStar.find('\n', rowC);
    noStar.erase(noStar.rfind(' ', endC), endC - noStar.rfind(' ', endC));
    expectQuit(noStar, "Too few fields in line 4 of matrix file @: '" + noStar.substr(rowC, noStar.find('\n', rowC) - rowC) + "'");
    // A letter without its row or its column.
    std::string noRow = full;
    noRow.replace(noRow.find("\nW ") + 1, 1, "B");
    expectQuit(noRow, "Matrix file @ has no row for W");
    std::string noColumn = full;
    noColumn.replace(noColumn.find(" W "), 3, " J ");
    expectQuit(noColumn, "Matrix file @ line 2: no column for W");
    // An entry that is not a number names its field and column; one cut short says so.
    for (const std::string bad : {"x", "4x", "--1"}) {
        std::string word = full;
        word.replace(word.find("\nD 2 3 4 ") + 7, 1, bad);
        expectQuit(word, "Matrix file @ line 5 field 3 (column D): '" + bad + "' is not a number");
    }
    // An entry that is not a finite number (also beyond single precision) names its line.
    for (const std::string bad : {"nan", "-inf", "1e39"}) {
        std::string infinite = full;
        infinite.replace(infinite.find("\nD 2 ") + 3, 1, bad);
        expectQuit(infinite, "Matrix file @ line 5: '" + bad + "' is not a finite number");
    }
}
