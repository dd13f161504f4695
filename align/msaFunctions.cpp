// Free functions on alignments: row and column subsets, gap-column removal, comparisons.
#include "align/msaFunctions.h"

#include <cctype>
#include <cstring>
#include <string>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/residueGroup.h"
#include "align/seq.h"
#include "align/seqVect.h"

namespace {

void CopyRow(const MSA& a, unsigned fromRow, MSA& out, unsigned toRow, unsigned firstCol, unsigned colCount) {
    if (const char* name = a.GetSeqName(fromRow)) out.SetSeqName(toRow, name);
    if (colCount == 0) return;
    // Every caller has sized out for colCount columns. The first and the last cell go through
    // the checked accessors (which also set out's column count), so the cells between them are
    // in range on both sides.
    const unsigned last = colCount - 1;
    out.SetChar(toRow, 0, a.GetChar(fromRow, firstCol));
    out.SetChar(toRow, last, a.GetChar(fromRow, firstCol + last));
    memcpy(out.GetSeqBuffer(toRow), a.GetSeqBuffer(fromRow) + firstCol, colCount);
}

void CopyRowId(const MSA& a, unsigned fromRow, MSA& out, unsigned toRow) {
    if (!a.HasIds()) return;
    const unsigned id = a.GetSeqId(fromRow);
    if (id != NO_INDEX) out.SetSeqId(toRow, id);
}

std::string RowText(const MSA& a, unsigned row) {
    return std::string(a.GetSeqBuffer(row), a.GetColCount());
}

std::string UngappedUpper(const MSA& a, unsigned row) {
    std::string out;
    for (unsigned col = 0; col < a.GetColCount(); ++col) {
        const char c = a.GetChar(row, col);
        if (!IsGapChar(c)) out += static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

template <typename Compare>
void AssertMSAEqBy(const MSA& a, const MSA& b, Compare rowText) {
    if (a.GetSeqCount() != b.GetSeqCount()) Quit("Seq count differs");
    for (unsigned rowA = 0; rowA < a.GetSeqCount(); ++rowA) {
        const unsigned rowB = b.GetSeqIndex(a.GetSeqId(rowA));
        const std::string textA = rowText(a, rowA);
        const std::string textB = rowText(b, rowB);
        if (textA == textB) continue;
        const char* name = a.GetSeqName(rowA) ? a.GetSeqName(rowA) : "";
        Log("Input:\n");
        Log(">%s\n%s\n", name, RowText(a, rowA).c_str());
        Log("Output:\n");
        Log(">%s\n%s\n", name, RowText(b, rowB).c_str());
        Quit("Seq %s differ ", name);
    }
}

}  // namespace

void MSASubsetByIds(const MSA& a, const unsigned ids[], unsigned idCount, MSA& out) {
    const unsigned colCount = a.GetColCount();
    out.SetSize(idCount, colCount);
    for (unsigned i = 0; i < idCount; ++i) {
        const unsigned row = a.GetSeqIndex(ids[i]);
        CopyRow(a, row, out, i, 0, colCount);
        out.SetSeqId(i, ids[i]);
    }
}

void MSAFromSeqSubset(const MSA& a, const unsigned rows[], unsigned rowCount, MSA& out) {
    const unsigned colCount = a.GetColCount();
    out.SetSize(rowCount, colCount);
    for (unsigned i = 0; i < rowCount; ++i) {
        CopyRow(a, rows[i], out, i, 0, colCount);
        CopyRowId(a, rows[i], out, i);
    }
}

void MSAFromSeqRange(const MSA& a, unsigned first, unsigned count, MSA& out) {
    if (first > a.GetSeqCount() || count > a.GetSeqCount() - first) Quit("MSAFromSeqRange, out of bounds");
    const unsigned colCount = a.GetColCount();
    out.SetSize(count, colCount);
    for (unsigned i = 0; i < count; ++i) CopyRow(a, first + i, out, i, 0, colCount);
}

void MSAFromColRange(const MSA& a, unsigned first, unsigned count, MSA& out) {
    // The range must end inside the alignment: first + count <= column count.
    if (first > a.GetColCount() || count > a.GetColCount() - first) Quit("MSAFromColRange, out of bounds");
    const unsigned rowCount = a.GetSeqCount();
    out.SetSize(rowCount, count);
    for (unsigned row = 0; row < rowCount; ++row) {
        CopyRow(a, row, out, row, first, count);
        CopyRowId(a, row, out, row);
    }
}

void SeqVectFromMSA(const MSA& a, SeqVect& v) {
    v.Clear();
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        Seq* s = new Seq;
        v.push_back(s);
        a.GetSeq(row, *s);
        // Carry the row's id when it has one; a row without one gives a sequence without one.
        if (a.HasIds()) s->SetId(a.GetSeqId(row) == NO_INDEX ? uInsane : a.GetSeqId(row));
    }
}

void DeleteGappedCols(MSA& a) {
    unsigned col = 0;
    while (col < a.GetColCount()) {
        // Remove each run of all-gap columns in one shift.
        unsigned run = 0;
        while (col + run < a.GetColCount() && a.IsGapColumn(col + run)) ++run;
        if (run > 0)
            a.DeleteColumns(col, run);
        else
            ++col;
    }
}

bool MSAColIsConservative(const MSA& a, unsigned col) {
    if (a.GetColCount() == 0) Quit("MSAColIsConservative: empty alignment");
    const unsigned rowCount = a.GetSeqCount();
    if (rowCount == 0) return true;
    if (a.ColumnHasGap(col)) return false;
    const unsigned first = a.GetLetterEx(0, col);
    if (first >= uResidueGroupCount) return false;
    const unsigned group = ResidueGroup[first];
    for (unsigned row = 1; row < rowCount; ++row) {
        const unsigned letter = a.GetLetterEx(row, col);
        if (letter >= uResidueGroupCount || ResidueGroup[letter] != group) return false;
    }
    return true;
}

void AssertMSAEq(const MSA& a, const MSA& b) { AssertMSAEqBy(a, b, RowText); }

void AssertMSAEqIgnoreCaseAndGaps(const MSA& a, const MSA& b) { AssertMSAEqBy(a, b, UngappedUpper); }
