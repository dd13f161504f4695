// ReadMx.
#include "align/mxFile.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "align/diagnostics.h"
#include "align/params.h"
#include "align/textFile.h"

namespace {

constexpr unsigned MAX_LINE = 1024;
constexpr unsigned MATRIX_SIZE = 32;
// Matrix files score amino acids; their letters are numbered in this order.
const char AMINO_LETTERS[] = "ACDEFGHIKLMNPQRSTVWY";

SCOREMATRIX matrix;

// Letter number 0..19, or -1 for anything else.
int AminoLetter(char c) {
    const char upper = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const char* p = upper != 0 ? strchr(AMINO_LETTERS, upper) : nullptr;
    return p ? static_cast<int>(p - AMINO_LETTERS) : -1;
}

}  // namespace

PTR_SCOREMATRIX ReadMx(TextFile& file) {
    char line[MAX_LINE];
    const char* name = file.GetFileName();
    do {
        if (file.GetLine(line, MAX_LINE)) Quit("Premature EOF in matrix file %s", name);
    } while (line[0] == '#');

    if (line[0] != ' ')
        Quit("Invalid line %u in matrix file %s: '%s' (expected the header: a blank, then the column letters)",
             file.GetLineNr() - 1, name, line);
    const unsigned headerLine = file.GetLineNr() - 1;
    // A row holds a field for every column letter, a final '*' included; that column has no row.
    std::string columns;
    for (const char* p = line; *p; ++p)
        if (!isspace(static_cast<unsigned char>(*p))) columns += *p;
    std::string headers = columns;
    if (!headers.empty() && headers.back() == '*') headers.pop_back();
    if (headers.size() < 20) Quit("Error in matrix file %s line %u: < 20 headers, line='%s'", name, headerLine, line);
    // A header letter per row of the 32 x 32 table at most.
    if (headers.size() > MATRIX_SIZE)
        Quit("Error in matrix file %s line %u: > %u headers, line='%s'", name, headerLine, MATRIX_SIZE, line);

    // A column missing would score its letter 0 against every other without a word.
    bool haveColumn[20] = {};
    for (const char column : headers)
        if (AminoLetter(column) >= 0) haveColumn[AminoLetter(column)] = true;
    for (unsigned i = 0; i < 20; ++i)
        if (!haveColumn[i])
            Quit("Matrix file %s line %u: no column for %c", name, headerLine, AMINO_LETTERS[i]);

    for (unsigned i = 0; i < MATRIX_SIZE; ++i)
        for (unsigned j = 0; j < MATRIX_SIZE; ++j) matrix[i][j] = 0;

    // One row per column letter; comment lines may stand anywhere and are no rows.
    bool haveRow[20] = {};
    size_t rowsRead = 0;
    while (rowsRead < headers.size()) {
        if (file.GetTrimLine(line, MAX_LINE))
            Quit("Premature EOF in matrix file %s after line %u: %zu of %zu rows", name, file.GetLineNr() - 1,
                 rowsRead, headers.size());
        if (line[0] == '#') continue;
        ++rowsRead;
        const unsigned lineNr = file.GetLineNr() - 1;
        const int row = AminoLetter(line[0]);
        if (row < 0) continue;
        haveRow[row] = true;
        const char* p = line + 1;
        unsigned field = 0;
        for (const char column : columns) {
            ++field;
            while (isspace(static_cast<unsigned char>(*p))) ++p;
            char* end = nullptr;
            const double value = strtod(p, &end);
            if (end == p && *p == 0) Quit("Too few fields in line %u of matrix file %s: '%s'", lineNr, name, line);
            // A number must fill its field: "4x" is no more a number than "x".
            if (end == p || (*end != 0 && !isspace(static_cast<unsigned char>(*end)))) {
                size_t width = 0;
                while (p[width] && !isspace(static_cast<unsigned char>(p[width]))) ++width;
                Quit("Matrix file %s line %u field %u (column %c): '%.*s' is not a number", name, lineNr, field, column,
                     static_cast<int>(width), p);
            }
            // strtod also reads nan and inf, which would poison every score, and numbers beyond
            // single precision, which no float holds.
            if (!std::isfinite(value) || std::fabs(value) > FLT_MAX)
                Quit("Matrix file %s line %u: '%.*s' is not a finite number", name, lineNr, static_cast<int>(end - p),
                     p);
            p = end;
            const int col = AminoLetter(column);
            if (col >= 0) matrix[row][col] = static_cast<float>(value);
        }
        // A number too many anywhere in the row would put the ones after it into the wrong
        // columns.
        while (isspace(static_cast<unsigned char>(*p))) ++p;
        if (*p != 0) {
            size_t width = 0;
            while (p[width] && !isspace(static_cast<unsigned char>(p[width]))) ++width;
            Quit("Matrix file %s line %u field %u: '%.*s' is beyond the %zu column letters of the header", name,
                 lineNr, field + 1, static_cast<int>(width), p, columns.size());
        }
    }
    for (unsigned i = 0; i < 20; ++i)
        if (!haveRow[i]) Quit("Matrix file %s has no row for %c", name, AMINO_LETTERS[i]);

    for (unsigned i = 0; i < 20; ++i) {
        for (unsigned j = 0; j < i; ++j) {
            if (matrix[i][j] == matrix[j][i]) continue;
            Warning("Matrix is not symmetrical, %c->%c=%g, %c->%c=%g", AMINO_LETTERS[i], AMINO_LETTERS[j],
                    matrix[i][j], AMINO_LETTERS[j], AMINO_LETTERS[i], matrix[j][i]);
            i = 20;
            break;
        }
    }

    if (g_bVerbose) {
        Log("Matrix\n");
        Log("     ");
        for (unsigned i = 0; i < 20; ++i) Log("    %c", AMINO_LETTERS[i]);
        Log("\n");
        for (unsigned i = 0; i < 20; ++i) {
            Log("%c    ", AMINO_LETTERS[i]);
            for (unsigned j = 0; j < 20; ++j) Log("%5.1f", matrix[i][j]);
            Log("\n");
        }
        Log("\n");
    }
    return &matrix;
}
