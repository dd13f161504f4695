// MSAAppend and MSACat.
#include "align/msaJoin.h"

#include "align/diagnostics.h"
#include "align/msa.h"

void MSAAppend(MSA& a, const MSA& b) {
    const unsigned colsA = a.GetColCount();
    const unsigned colsB = b.GetColCount();
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        const unsigned id = a.GetSeqId(row);
        unsigned rowB = 0;
        if (id == NO_INDEX || !b.GetSeqIndex(id, &rowB))
            Quit("MSAAppend: row %u (id %u) has no row in the appended alignment", row, id);
        for (unsigned col = 0; col < colsB; ++col) a.SetChar(row, colsA + col, b.GetChar(rowB, col));
    }
}

void MSACat(const MSA& a, const MSA& b, MSA& out) {
    const unsigned rows = a.GetSeqCount();
    const unsigned colsA = a.GetColCount();
    const unsigned colsB = b.GetColCount();
    out.SetSize(rows, colsA + colsB);
    for (unsigned row = 0; row < rows; ++row) {
        const char* name = a.GetSeqName(row);
        if (name) out.SetSeqName(row, name);
        for (unsigned col = 0; col < colsA; ++col) out.SetChar(row, col, a.GetChar(row, col));
        unsigned rowB = 0;
        const bool inB = name && b.GetSeqIndex(name, &rowB);
        for (unsigned col = 0; col < colsB; ++col) out.SetChar(row, colsA + col, inB ? b.GetChar(rowB, col) : '-');
    }
}
