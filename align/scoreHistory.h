// ScoreHistory: the best score of every horizontal-refinement trial, pass by pass, to stop
// refinement when scores start to repeat.
#pragma once

#include <memory>
#include <vector>

#include "align/engineTypes.h"

// One slot per (node, side) and pass: node x 2 + 1 for the right side, node x 2 for the left.
// Memory grows with the passes scored, not with the pass limit.
class ScoreHistory {
public:
    ScoreHistory(unsigned passCount, unsigned nodeCount);
    virtual ~ScoreHistory() = default;
    ScoreHistory(const ScoreHistory&) = delete;
    ScoreHistory& operator=(const ScoreHistory&) = delete;

    // Stores the score of a trial and answers false; from pass 2 on, answers true (storing
    // nothing) when the same trial scored exactly this in a pass two or more passes back.
    // A slot of an earlier pass that was never set ends the process.
    bool SetScore(unsigned pass, unsigned node, bool right, SCORE score);
    // The stored score of the slot chosen by node and right (the third argument is unused).
    SCORE GetScore(unsigned pass, unsigned node, bool unused, bool right) const;
    void LogMe() const;

private:
    unsigned Slot(unsigned node, bool right) const { return node * 2 + (right ? 1 : 0); }
    // Slots for every pass up to and including pass.
    void Reach(unsigned pass);

    std::vector<std::unique_ptr<SCORE[]>> m_Score;
    std::vector<std::unique_ptr<bool[]>> m_bScoreSet;
    unsigned m_uPassCount;
    unsigned m_uNodeCount;
};
