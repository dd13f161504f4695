// AlignTwoMSAsGivenPathSW: the joined alignment of a local path, unmatched ends carried over.
#include "align/frontend/localAlign.h"

#include <initializer_list>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/pwPath.h"

namespace {

// Padding of the shorter side of an unaligned block.
constexpr char UNALIGNED_PAD = '.';

// out's rows: a's rows, then b's, with their names and ids (where they have them).
void LabelRows(const MSA& a, const MSA& b, MSA& out) {
    unsigned outRow = 0;
    for (const MSA* src : {&a, &b}) {
        for (unsigned row = 0; row < src->GetSeqCount(); ++row, ++outRow) {
            if (const char* name = src->GetSeqName(row)) out.SetSeqName(outRow, name);
            const unsigned id = src->HasIds() ? src->GetSeqId(row) : NO_INDEX;
            if (id != NO_INDEX) out.SetSeqId(outRow, id);
        }
    }
}

// Rows firstRow .. of out take src's column col at out's column colOut, or gaps when src has
// no column here.
void PutColumn(const MSA& src, unsigned col, bool hasCol, unsigned firstRow, MSA& out, unsigned colOut) {
    for (unsigned row = 0; row < src.GetSeqCount(); ++row)
        out.SetChar(firstRow + row, colOut, hasCol ? src.GetChar(row, col) : '-');
}

// The columns before an edge at prefix length prefix that no edge has used yet.
unsigned SkippedBefore(unsigned prefix, unsigned col) { return prefix != 0 && col + 1 < prefix ? prefix - col - 1 : 0; }

}  // namespace

void AppendUnalignedBlockSW(const MSA& a, unsigned* colA, unsigned na, const MSA& b, unsigned* colB, unsigned nb,
                            unsigned rowsA, unsigned rowsB, MSA& out, unsigned* colOut) {
    const unsigned width = na > nb ? na : nb;
    for (unsigned k = 0; k < width; ++k) {
        const unsigned col = *colOut + k;
        for (unsigned row = 0; row < rowsA; ++row)
            out.SetChar(row, col, k < na ? UnalignChar(a.GetChar(row, *colA + k)) : UNALIGNED_PAD);
        for (unsigned row = 0; row < rowsB; ++row)
            out.SetChar(rowsA + row, col, k < nb ? UnalignChar(b.GetChar(row, *colB + k)) : UNALIGNED_PAD);
    }
    *colOut += width;
    *colA += na;
    *colB += nb;
}

void AlignTwoMSAsGivenPathSW(const PWPath& path, const MSA& a, const MSA& b, MSA& out) {
    const unsigned rowsA = a.GetSeqCount(), rowsB = b.GetSeqCount();
    const unsigned colsA = a.GetColCount(), colsB = b.GetColCount();
    out.Free();
    // Every column of a and of b appears once, aligned or in an unaligned block.
    out.SetSize(rowsA + rowsB, colsA + colsB);
    LabelRows(a, b, out);

    unsigned ca = 0, cb = 0, co = 0;
    for (unsigned e = 0; e < path.GetEdgeCount(); ++e) {
        const PWEdge& edge = path.GetEdge(e);
        const bool usesA = edge.cType == 'M' || edge.cType == 'D';
        const bool usesB = edge.cType == 'M' || edge.cType == 'I';
        if (!usesA && !usesB) Quit("AlignTwoMSAsGivenPathSW: invalid edge type '%c'", edge.cType);
        const unsigned na = SkippedBefore(edge.uPrefixLengthA, ca);
        const unsigned nb = SkippedBefore(edge.uPrefixLengthB, cb);
        if (ca + na + usesA > colsA || cb + nb + usesB > colsB)
            Quit("AlignTwoMSAsGivenPathSW: edge %u (%c%u.%u) does not fit alignments of %u and %u columns", e,
                 edge.cType, edge.uPrefixLengthA, edge.uPrefixLengthB, colsA, colsB);
        AppendUnalignedBlockSW(a, &ca, na, b, &cb, nb, rowsA, rowsB, out, &co);
        PutColumn(a, ca, usesA, 0, out, co);
        PutColumn(b, cb, usesB, rowsA, out, co);
        ca += usesA;
        cb += usesB;
        ++co;
    }
    AppendUnalignedBlockSW(a, &ca, colsA - ca, b, &cb, colsB - cb, rowsA, rowsB, out, &co);
}
