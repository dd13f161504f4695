// ScoreHistory.
#include "align/scoreHistory.h"

#include "align/diagnostics.h"
#include "align/progress.h"

// The passes get their slots when first scored: the pass limit may be "no limit" (4294967295),
// and refinement stops long before it.
ScoreHistory::ScoreHistory(unsigned passCount, unsigned nodeCount)
    : m_uPassCount(passCount), m_uNodeCount(nodeCount) {}

void ScoreHistory::Reach(unsigned pass) {
    while (m_Score.size() <= pass) {
        m_Score.emplace_back(new SCORE[2 * m_uNodeCount]());
        m_bScoreSet.emplace_back(new bool[2 * m_uNodeCount]());
    }
}

bool ScoreHistory::SetScore(unsigned pass, unsigned node, bool right, SCORE score) {
    if (pass >= m_uPassCount) Quit("ScoreHistory::SetScore-1");
    if (node >= m_uNodeCount) Quit("ScoreHistory::SetScore-2");
    Reach(pass);
    const unsigned slot = Slot(node, right);
    // The pass just before is never compared: alternate passes walk the nodes in opposite
    // orders, so a repeat shows two passes apart.
    for (unsigned earlier = 0; earlier + 2 <= pass; ++earlier) {
        if (!m_bScoreSet[earlier][slot]) {
            LogMe();
            Quit("ScoreHistory::SetScore-3");
        }
        if (m_Score[earlier][slot] == score) {
            ProgressStepsDone();
            return true;
        }
    }
    m_Score[pass][slot] = score;
    m_bScoreSet[pass][slot] = true;
    return false;
}

SCORE ScoreHistory::GetScore(unsigned pass, unsigned node, bool, bool right) const {
    const unsigned slot = Slot(node, right);
    if (pass >= m_Score.size() || node >= m_uNodeCount || !m_bScoreSet[pass][slot]) Quit("ScoreHistory::GetScore");
    return m_Score[pass][slot];
}

void ScoreHistory::LogMe() const {
    Log("ScoreHistory\n");
    Log("Iter  Node  Right      Score\n");
    Log("----  ----  -----  ---------\n");
    for (unsigned pass = 0; pass < m_Score.size(); ++pass) {
        bool any = false;
        for (unsigned slot = 0; slot < 2 * m_uNodeCount; ++slot) any = any || m_bScoreSet[pass][slot];
        if (!any) return;
        for (unsigned node = 0; node < m_uNodeCount; ++node) {
            if (m_bScoreSet[pass][Slot(node, false)])
                Log("%4u  %4u         F  %9.3f\n", pass, node, m_Score[pass][Slot(node, false)]);
            if (m_bScoreSet[pass][Slot(node, true)])
                Log("%4u  %4u         T  %9.3f\n", pass, node, m_Score[pass][Slot(node, true)]);
        }
    }
}
