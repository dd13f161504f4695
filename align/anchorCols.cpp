// FindAnchorCols: column scores, their smoothing and the spacing of the anchors.
#include "align/anchorCols.h"

#include <cstddef>
#include <vector>

#include "align/diagnostics.h"
#include "align/diffObjScore.h"
#include "align/msa.h"
#include "align/params.h"

namespace {

// Shorter alignments are refined as one block.
constexpr unsigned MIN_ANCHOR_COLUMNS = 16;

// The mean of the capped scores over the window centred on each column; the columns within
// half a window of either end, and every column when the window does not fit, get 0.
void WindowSmooth(const SCORE scores[], unsigned count, unsigned window, SCORE smoothed[], float ceiling) {
    if (window % 2 != 1) Quit("WindowSmooth=%u must be odd", window);
    for (unsigned i = 0; i < count; ++i) smoothed[i] = 0;
    if (window >= count) return;
    const unsigned half = window / 2;
    for (unsigned i = half; i < count - half; ++i) {
        SCORE sum = 0;
        for (unsigned k = i - half; k <= i + half; ++k) sum += scores[k] < ceiling ? scores[k] : ceiling;
        smoothed[i] = sum / static_cast<SCORE>(window);
    }
}

}  // namespace

void FindAnchorCols(const MSA& msa, unsigned anchors[], unsigned* count) {
    *count = 0;
    const unsigned colCount = msa.GetColCount();
    if (colCount < MIN_ANCHOR_COLUMNS) return;

    std::vector<SCORE> scores(colCount), smoothed(colCount);
    GetLetterScores(msa, scores.data());
    WindowSmooth(scores.data(), colCount, g_uSmoothWindowLength, smoothed.data(), g_dSmoothScoreCeil);

    std::vector<unsigned> candidates;
    for (unsigned col = 0; col < colCount; ++col)
        if (scores[col] >= g_dMinBestColScore && smoothed[col] >= g_dMinSmoothScore && !msa.ColumnHasGap(col))
            candidates.push_back(col);

    const std::size_t n = candidates.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned col = candidates[i];
        std::size_t followers = 0;
        while (i + 1 + followers < n && candidates[i + 1 + followers] - col < g_uAnchorSpacing) ++followers;
        unsigned anchor = col;
        if (followers == 1) {
            const unsigned next = candidates[i + 1];
            anchor = scores[col] > scores[next] ? col : next;
        } else if (followers > 1) {
            anchor = candidates[i + 1];
        }
        anchors[(*count)++] = anchor;
        i += followers + 1;
    }
}
