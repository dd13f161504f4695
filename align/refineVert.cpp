// RefineVert.
#include "align/refineVert.h"

#include <vector>

#include "align/anchorCols.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/msaFunctions.h"
#include "align/msaJoin.h"
#include "align/params.h"
#include "align/refineHoriz.h"
#include "align/seqWeights.h"
#include "align/timeLimit.h"

bool RefineVert(MSA& msa, const Tree& tree, unsigned maxPasses) {
    const unsigned colCount = msa.GetColCount();
    const unsigned seqCount = msa.GetSeqCount();
    if (colCount <= 2 || seqCount <= 2) return false;

    // The blocks refined so far, joined again in msa's row order.
    MSA joined;
    joined.SetSize(seqCount, colCount);
    for (unsigned row = 0; row < seqCount; ++row) {
        if (const char* name = msa.GetSeqName(row)) joined.SetSeqName(row, name);
        joined.SetSeqId(row, msa.GetSeqId(row));
    }
    // A time-limit save writes the latest alignment: the refined blocks, the block being refined
    // with every realignment it has accepted, and msa's columns after it. It is put together
    // only when a save asks for it.
    const MSA* refining = nullptr;
    unsigned restFirst = 0;
    const CurrentAlignmentHold hold([&](MSA& whole) {
        whole.Copy(joined);
        if (refining) MSAAppend(whole, *refining);
        if (restFirst == colCount) return;
        MSA rest;
        MSAFromColRange(msa, restFirst, colCount - restFirst, rest);
        MSAAppend(whole, rest);
    });
    SetMSAWeightsCorvid(msa);
    std::vector<unsigned> anchors(colCount);
    unsigned anchorCount = 0;
    FindAnchorCols(msa, anchors.data(), &anchorCount);

    // Range j is [starts[j], starts[j + 1]); each anchor opens the range after it.
    std::vector<unsigned> starts;
    starts.push_back(0);
    for (unsigned i = 0; i < anchorCount; ++i) starts.push_back(anchors[i]);
    starts.push_back(colCount);
    const unsigned rangeCount = anchorCount + 1;

    if (g_bVerbose && g_bAnchors) {
        double squares = 0;
        for (unsigned j = 0; j < rangeCount; ++j) {
            const double width = starts[j + 1] - starts[j];
            squares += width * width;
        }
        const double c = colCount;
        Log("Anchor columns found       %u\n", anchorCount);
        Log("DP area saved by anchors   %-4.1f%%\n", 100.0 * (c * c - squares) / (c * c));
    }

    bool improved = false;
    for (unsigned j = 0; j < rangeCount; ++j) {
        const unsigned first = starts[j];
        const unsigned width = starts[j + 1] - first;
        if (width == 0) continue;
        MSA block;
        MSAFromColRange(msa, first, width, block);
        refining = &block;
        restFirst = first + width;
        if (width > 1 && RefineHoriz(block, tree, maxPasses, j > 0, j < anchorCount)) improved = true;
        MSAAppend(joined, block);
        refining = nullptr;
    }
    if (improved) msa.Copy(joined);
    return improved;
}
