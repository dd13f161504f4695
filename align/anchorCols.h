// Anchor columns: well-conserved, gap-free columns at which vertical refinement cuts the alignment.
#pragma once

class MSA;

// anchors receives (in increasing order, at most one per column) the columns chosen, and
// *count their number. Candidates score at least g_dMinBestColScore, their smoothed score
// (window g_uSmoothWindowLength, each score capped at g_dSmoothScoreCeil) at least
// g_dMinSmoothScore, and have no gap; of candidates closer than g_uAnchorSpacing one is kept.
// Alignments of fewer than 16 columns have none. The alignment's weights must be set.
void FindAnchorCols(const MSA& msa, unsigned anchors[], unsigned* count);
