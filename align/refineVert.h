// Vertical refinement: the alignment cut at anchor columns into blocks, each refined horizontally.
#pragma once

class MSA;
class Tree;

// Blocks [0, a0), [a0, a1), ..., [a(k-1), end) between the anchors; every block wider than one
// column is refined by RefineHoriz with maxPasses, locked on each side that touches an
// anchor. msa is replaced by the blocks joined again only when some block improved; the
// result says whether it was. Meanwhile msa is the alignment that a time-limit
// save writes.
bool RefineVert(MSA& msa, const Tree& tree, unsigned maxPasses);
