// GlobalAlignDiags and its area counters.
#include "align/frontend/diagonals.h"

#include <vector>

#include "align/diagnostics.h"
#include "align/nwSmall.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"

namespace {

// DP cells asked for (lenA x lenB of every call) and cells actually computed (rectangles).
double totalArea = 0;
double computedArea = 0;

// The global alignment of the rectangle's columns, its edges moved to the rectangle's corner.
// The DP works on copies: it writes terminal-gap scores into the first and last columns.
void AlignRectangle(const ProfPos* PA, const ProfPos* PB, const DPRegion& r, PWPath& path) {
    const unsigned a = r.m_uStartPosA, b = r.m_uStartPosB, la = r.m_uLengthA, lb = r.m_uLengthB;
    PWPath piece;
    if (la == 0 || lb == 0) {
        // Nothing to align against: the other side's columns all face gaps.
        for (unsigned i = 1; i <= la; ++i) piece.AppendEdge('D', i, 0);
        for (unsigned j = 1; j <= lb; ++j) piece.AppendEdge('I', 0, j);
    } else {
        std::vector<ProfPos> A(PA + a, PA + a + la), B(PB + b, PB + b + lb);
        GlobalAlignNoDiags(A.data(), la, B.data(), lb, piece);
    }
    for (unsigned i = 0; i < piece.GetEdgeCount(); ++i) {
        const PWEdge& e = piece.GetEdge(i);
        path.AppendEdge(e.cType, e.uPrefixLengthA + a, e.uPrefixLengthB + b);
    }
}

}  // namespace

float GlobalAlignDiags(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, PWPath& path) {
    DiagList diags;
    if (g_Alpha == ALPHA_Amino)
        FindDiags(PA, lenA, PB, lenB, diags);
    else if (g_Alpha == ALPHA_DNA || g_Alpha == ALPHA_RNA)
        FindDiagsNuc(PA, lenA, PB, lenB, diags);
    else
        Quit("GlobalAlignDiags: bad alpha");
    diags.Sort();
    diags.DeleteIncompatible();
    MergeDiags(diags);
    DPRegionList regions;
    DiagListToDPRegionList(diags, regions, lenA, lenB);

    totalArea += lenA * lenB;
    double area = 0;
    for (unsigned i = 0; i < regions.GetCount(); ++i) {
        const DPRegion& r = regions.Get(i);
        if (r.m_Type == DPREGIONTYPE_Diag) {
            for (unsigned k = 0; k < r.m_uLengthA; ++k)
                path.AppendEdge('M', r.m_uStartPosA + k + 1, r.m_uStartPosB + k + 1);
        } else if (r.m_Type == DPREGIONTYPE_Rect) {
            area += r.m_uLengthA * r.m_uLengthB;
            AlignRectangle(PA, PB, r, path);
        } else {
            Quit("GlobalAlignDiags, Invalid region type %u", r.m_Type);
        }
    }
    computedArea += area;
    return 0;
}

void ListDiagSavings() {
    if (!g_bVerbose || !g_bDiags) return;
    Log("DP area saved by diagonals %-4.1f%%\n", (totalArea - computedArea) * 100 / totalArea);
}

void ResetDiagSavings() { totalArea = computedArea = 0; }
