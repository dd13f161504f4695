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

    // Until every block is refined, msa is the latest complete alignment.
    const CurrentAlignmentHold hold(msa);
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

    MSA joined;
    joined.SetSize(seqCount, colCount);
    for (unsigned row = 0; row < seqCount; ++row) {
        if (const char* name = msa.GetSeqName(row)) joined.SetSeqName(row, name);
        joined.SetSeqId(row, msa.GetSeqId(row));
    }
    bool improved = false;
    for (unsigned j = 0; j < rangeCount; ++j) {
        const unsigned first = starts[j];
        const unsigned width = starts[j + 1] - first;
        if (width == 0) continue;
        MSA block;
        MSAFromColRange(msa, first, width, block);
        if (width > 1 && RefineHoriz(block, tree, maxPasses, j > 0, j < anchorCount)) improved = true;
        MSAAppend(joined, block);
    }
    if (improved) msa.Copy(joined);
    return improved;
}
