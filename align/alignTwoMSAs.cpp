// AlignTwoMSAs and the join of two alignments along a path.
#include "align/alignTwoMSAs.h"

#include <memory>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/identicalRowPaths.h"
#include "align/msa.h"
#include "align/nwSmall.h"
#include "align/profile.h"
#include "align/pwPath.h"

namespace {

// Padding of the shorter side of an unaligned block.
constexpr char UNALIGNED_PAD = '.';

struct JoinState {
    const MSA& a;
    const MSA& b;
    MSA& out;
    unsigned colA = 0;  // columns of a already written
    unsigned colB = 0;
    unsigned colOut = 0;
};

// Row r of out takes the given column of src's row, or a gap when col is NO_INDEX.
void PutColumn(JoinState& s, const MSA& src, unsigned firstRow, unsigned col) {
    for (unsigned row = 0; row < src.GetSeqCount(); ++row)
        s.out.SetChar(firstRow + row, s.colOut, col == NO_INDEX ? '-' : src.GetChar(row, col));
}

// Copies the columns of a and b that the path skips before a's column endA and b's column
// endB, side by side in one block.
void AppendUnalignedBlock(JoinState& s, unsigned endA, unsigned endB) {
    const unsigned skipA = endA > s.colA ? endA - s.colA : 0;
    const unsigned skipB = endB > s.colB ? endB - s.colB : 0;
    const unsigned width = skipA > skipB ? skipA : skipB;
    const unsigned rowsA = s.a.GetSeqCount();
    for (unsigned k = 0; k < width; ++k) {
        for (unsigned row = 0; row < rowsA; ++row)
            s.out.SetChar(row, s.colOut, k < skipA ? UnalignChar(s.a.GetChar(row, s.colA + k)) : UNALIGNED_PAD);
        for (unsigned row = 0; row < s.b.GetSeqCount(); ++row)
            s.out.SetChar(rowsA + row, s.colOut,
                          k < skipB ? UnalignChar(s.b.GetChar(row, s.colB + k)) : UNALIGNED_PAD);
        ++s.colOut;
    }
    s.colA += skipA;
    s.colB += skipB;
}

void CopyRowLabels(const MSA& src, unsigned firstRow, MSA& out) {
    for (unsigned row = 0; row < src.GetSeqCount(); ++row) {
        if (const char* name = src.GetSeqName(row)) out.SetSeqName(firstRow + row, name);
        if (src.HasIds() && src.GetSeqId(row) != NO_INDEX) out.SetSeqId(firstRow + row, src.GetSeqId(row));
    }
}

}  // namespace

void AlignTwoMSAsGivenPath(const PWPath& path, const MSA& a, const MSA& b, MSA& out) {
    const unsigned rowsA = a.GetSeqCount();
    const unsigned edgeCount = path.GetEdgeCount();
    const unsigned colsA = a.GetColCount();
    const unsigned colsB = b.GetColCount();
    // Room for every column that the path or an unaligned block can add.
    out.SetSize(rowsA + b.GetSeqCount(), edgeCount + colsA + colsB);
    CopyRowLabels(a, 0, out);
    CopyRowLabels(b, rowsA, out);

    JoinState s{a, b, out};
    for (unsigned i = 0; i < edgeCount; ++i) {
        const PWEdge& e = path.GetEdge(i);
        const bool usesA = e.cType == 'M' || e.cType == 'D';
        const bool usesB = e.cType == 'M' || e.cType == 'I';
        if (!usesA && !usesB) Quit("AlignTwoMSAsGivenPath: invalid edge type '%c'", e.cType);
        // The column an edge uses is its prefix length - 1; columns before it not yet written
        // were skipped by the path.
        const unsigned endA = usesA ? e.uPrefixLengthA - 1 : e.uPrefixLengthA;
        const unsigned endB = usesB ? e.uPrefixLengthB - 1 : e.uPrefixLengthB;
        if ((usesA && e.uPrefixLengthA == 0) || (usesB && e.uPrefixLengthB == 0) || endA < s.colA ||
            endB < s.colB || endA + (usesA ? 1 : 0) > colsA || endB + (usesB ? 1 : 0) > colsB)
            Quit("AlignTwoMSAsGivenPath: edge %u (%c%u.%u) does not fit alignments of %u and %u columns", i,
                 e.cType, e.uPrefixLengthA, e.uPrefixLengthB, colsA, colsB);
        AppendUnalignedBlock(s, endA, endB);
        PutColumn(s, a, 0, usesA ? s.colA : NO_INDEX);
        PutColumn(s, b, rowsA, usesB ? s.colB : NO_INDEX);
        if (usesA) ++s.colA;
        if (usesB) ++s.colB;
        ++s.colOut;
    }
    AppendUnalignedBlock(s, colsA, colsB);
}

void AlignTwoMSAsPath(const MSA& a, const MSA& b, PWPath& path, bool lockLeft, bool lockRight) {
    const IdenticalRowsJoin identical(a, b, lockLeft, lockRight);
    if (identical.Find(path)) return;
    const unsigned lengthA = a.GetColCount();
    const unsigned lengthB = b.GetColCount();
    std::unique_ptr<ProfPos[]> profA(ProfileFromMSA(a));
    std::unique_ptr<ProfPos[]> profB(ProfileFromMSA(b));
    if (lockLeft && lengthA > 0 && lengthB > 0) {
        profA[0].scoreGapOpen = MINUS_INFINITY;
        profB[0].scoreGapOpen = MINUS_INFINITY;
    }
    if (lockRight && lengthA > 0 && lengthB > 0) {
        profA[lengthA - 1].scoreGapClose = MINUS_INFINITY;
        profB[lengthB - 1].scoreGapClose = MINUS_INFINITY;
    }
    GlobalAlign(profA.get(), lengthA, profB.get(), lengthB, path);
    identical.Keep(path);
}

void AlignTwoMSAs(const MSA& a, const MSA& b, MSA& out, PWPath& path, bool lockLeft, bool lockRight) {
    AlignTwoMSAsPath(a, b, path, lockLeft, lockRight);
    AlignTwoMSAsGivenPath(path, a, b, out);
}
