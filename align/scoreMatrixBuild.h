// Compile-time pieces the substitution-matrix files share: the symmetry check of a square block
// of scores and the macros that lay a block row out as a row of a 32 x 32 SCOREMATRIX.
//
// A SCOREMATRIX is a plain array, so it can only be filled from a brace list; the macros write
// that list out cell by cell. `cell` names a constexpr function (a, b) -> float of the including
// file; the cells after the last one given are 0.
#pragma once

#include <cstddef>

// The n x n block, stored row by row, scores a substitution the same in both directions.
template <typename T, std::size_t N>
constexpr bool IsSymmetricBlock(const T (&block)[N], unsigned n) {
    for (unsigned a = 0; a < n; ++a)
        for (unsigned b = 0; b < a; ++b)
            if (block[a * n + b] != block[b * n + a]) return false;
    return true;
}

// Cells b .. b + 3 of row a.
#define SM_CELLS4(cell, a, b) cell(a, b), cell(a, b + 1), cell(a, b + 2), cell(a, b + 3)
// Cells 0 .. 19 of row a (the amino-acid block).
#define SM_CELLS20(cell, a) \
    SM_CELLS4(cell, a, 0), SM_CELLS4(cell, a, 4), SM_CELLS4(cell, a, 8), SM_CELLS4(cell, a, 12), \
        SM_CELLS4(cell, a, 16)
// Rows 0 .. 19, each written by the one-argument macro `row`.
#define SM_ROWS20(row) \
    row(0), row(1), row(2), row(3), row(4), row(5), row(6), row(7), row(8), row(9), row(10), row(11), row(12), \
        row(13), row(14), row(15), row(16), row(17), row(18), row(19)
