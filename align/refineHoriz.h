// Horizontal refinement: realign the two groups of sequences on either side of every guide-tree
// edge, keeping a realignment only when the objective score rises.
#pragma once

#include "align/engineTypes.h"

class MSA;
class Tree;

// The objective score of the current alignment, kept between refinement trials.
struct KnownScore {
    bool valid = false;
    SCORE score = 0;
};

// Up to maxPasses passes over the internal nodes by height (reversed on odd passes), right
// children first, then left children (the root only on its right). A pass without an accepted
// trial, or a trial score repeating one of two or more passes back, ends it. tree must be
// rooted. Returns true when any trial was accepted. The split nodes read by three-way
// weighting are reset to NO_INDEX on return.
bool RefineHoriz(MSA& msa, const Tree& tree, unsigned maxPasses, bool lockLeft, bool lockRight);
// One trial: the two leaf groups are cut out, realigned to each other (with the locks) and
// the result replaces msa (group A's rows first) when its objective score is strictly higher.
// A group without columns, or a realignment that reproduces the old path, is not tried
// further and scores 0 / 0.
// known, when given, holds msa's objective score across trials on the same alignment: it is
// used instead of scoring msa again and follows msa when a realignment replaces it.
bool TryRealign(MSA& msa, const Tree& tree, const unsigned leavesA[], unsigned countA, const unsigned leavesB[],
                unsigned countB, SCORE* oldScore, SCORE* newScore, bool lockLeft, bool lockRight,
                KnownScore* known = nullptr);
