// Column-based and cluster-based sequence weights of an MSA (uniform, Henikoff, GSC, BLOSUM).
#include <vector>

#include "align/clusterTree.h"
#include "align/diagnostics.h"
#include "align/distFunc.h"
#include "align/msa.h"
#include "align/numUtils.h"

namespace {

// Rows below which a weighting needs no columns: one row weighs 1, two weigh 0.5 each.
bool SetTrivialWeights(MSA& a) {
    const unsigned n = a.GetSeqCount();
    if (n == 0) return true;
    if (n == 1) {
        a.SetSeqWeight(0, 1.0f);
        return true;
    }
    if (n == 2) {
        a.SetSeqWeight(0, 0.5f);
        a.SetSeqWeight(1, 0.5f);
        return true;
    }
    return false;
}

// All-gap rows get 0; when nothing is left every row gets the same weight; then the total is 1.
void FinishColumnWeights(MSA& a) {
    const unsigned n = a.GetSeqCount();
    std::vector<float> w(n);
    bool allZero = true;
    for (unsigned row = 0; row < n; ++row) {
        w[row] = a.IsGapSeq(row) ? 0.0f : a.GetSeqWeight(row);
        if (w[row] != 0) allZero = false;
    }
    if (allZero) w.assign(n, 1.0f);
    Normalize(w.data(), n);
    for (unsigned row = 0; row < n; ++row) a.SetSeqWeight(row, w[row]);
}

// Henikoff symbol of a letter: letters (and for nucleotides their wildcards) have numbers
// below 20; gaps, amino wildcards and unknown characters do not count.
constexpr unsigned HENIKOFF_SYMBOLS = 20;
// The position-based variant counts gaps and wildcards together as one more symbol.
constexpr unsigned PB_GAP_SYMBOL = 20;

// The fraction of identity below which rows fall into different BLOSUM clusters.
constexpr double BLOSUM_CUT_HEIGHT = 0.38;

}  // namespace

void MSA::SetUniformWeights() {
    if (m_uSeqCount == 0) return;
    const WEIGHT w = 1.0f / static_cast<WEIGHT>(m_uSeqCount);
    for (unsigned row = 0; row < m_uSeqCount; ++row) m_Weights[row] = w;
}

bool MSA::IsGapSeq(unsigned row) const {
    CheckRow(row, "IsGapSeq");
    for (unsigned col = 0; col < m_uColCount; ++col)
        if (!IsGap(row, col)) return false;
    return true;
}

void MSA::CalcHenikoffWeightsCol(unsigned col) {
    unsigned counts[HENIKOFF_SYMBOLS] = {};
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        const unsigned letter = GetLetterEx(row, col);
        if (letter < HENIKOFF_SYMBOLS) ++counts[letter];
    }
    unsigned distinct = 0;
    for (unsigned c : counts)
        if (c != 0) ++distinct;
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        const unsigned letter = GetLetterEx(row, col);
        if (letter >= HENIKOFF_SYMBOLS) continue;
        m_Weights[row] += static_cast<WEIGHT>(1.0 / (static_cast<double>(distinct) * counts[letter]));
    }
}

void MSA::SetHenikoffWeights() {
    if (SetTrivialWeights(*this)) return;
    for (unsigned row = 0; row < m_uSeqCount; ++row) m_Weights[row] = 0;
    for (unsigned col = 0; col < m_uColCount; ++col) CalcHenikoffWeightsCol(col);
    FinishColumnWeights(*this);
}

void MSA::CalcHenikoffWeightsColPB(unsigned col) {
    std::vector<unsigned> symbols(m_uSeqCount);
    unsigned counts[PB_GAP_SYMBOL + 1] = {};
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        unsigned symbol = PB_GAP_SYMBOL;
        if (!IsGap(row, col) && !IsWildcard(row, col)) {
            const unsigned letter = GetLetterEx(row, col);
            if (letter < PB_GAP_SYMBOL) symbol = letter;
        }
        symbols[row] = symbol;
        ++counts[symbol];
    }
    for (unsigned c : counts)
        if (c == m_uSeqCount) return;
    for (unsigned row = 0; row < m_uSeqCount; ++row)
        m_Weights[row] += static_cast<WEIGHT>(1.0 / counts[symbols[row]]);
}

void MSA::SetHenikoffWeightsPB() {
    if (SetTrivialWeights(*this)) return;
    for (unsigned row = 0; row < m_uSeqCount; ++row) m_Weights[row] = 0;
    for (unsigned col = 0; col < m_uColCount; ++col) CalcHenikoffWeightsColPB(col);
    FinishColumnWeights(*this);
}

void MSA::SetBLOSUMSubtreeWeight(const ClusterNode* node, double weight) {
    if (!node) return;
    if (!node->m_ptrLeft && !node->m_ptrRight) {
        SetSeqWeight(node->m_uIndex, static_cast<WEIGHT>(weight));
        return;
    }
    SetBLOSUMSubtreeWeight(node->m_ptrLeft, weight);
    SetBLOSUMSubtreeWeight(node->m_ptrRight, weight);
}

unsigned MSA::SetBLOSUMNodeWeight(const ClusterNode* node, double minHeight) {
    if (!node) return 0;
    if (node->m_dHeight < minHeight) {
        SetBLOSUMSubtreeWeight(node, 1.0 / node->GetClusterSize());
        return 1;
    }
    return SetBLOSUMNodeWeight(node->m_ptrLeft, minHeight) + SetBLOSUMNodeWeight(node->m_ptrRight, minHeight);
}

unsigned MSA::CalcBLOSUMWeights(ClusterTree& tree) {
    DistFunc df;
    df.SetCount(m_uSeqCount);
    for (unsigned i = 0; i < m_uSeqCount; ++i) {
        df.SetDist(i, i, 0);
        for (unsigned j = 0; j < i; ++j) df.SetDist(i, j, static_cast<float>(1 - GetPctIdentityPair(i, j)));
    }
    tree.Create(df);
    const ClusterNode* root = tree.GetRoot();
    if (!root) return 0;
    if (root->m_dHeight < BLOSUM_CUT_HEIGHT) {
        SetBLOSUMSubtreeWeight(root, 1.0 / root->GetClusterSize());
        return 1;
    }
    return SetBLOSUMNodeWeight(root->m_ptrLeft, BLOSUM_CUT_HEIGHT) +
           SetBLOSUMNodeWeight(root->m_ptrRight, BLOSUM_CUT_HEIGHT);
}

void MSA::SetSubtreeGSCWeight(ClusterNode* node) {
    const double parentClusterWeight = node->GetClusterWeight();
    const double parentHeight = node->m_dHeight;
    for (ClusterNode* child : {node->m_ptrLeft, node->m_ptrRight}) {
        if (!child) continue;
        if (parentClusterWeight != 0)
            child->m_dWeight =
                (child->GetClusterWeight() + parentHeight) / (parentHeight + parentClusterWeight) * node->m_dWeight;
        else
            child->m_dWeight = node->m_dWeight * child->GetClusterSize() / node->GetClusterSize();
        SetSubtreeGSCWeight(child);
    }
}

void MSA::SetSubtreeWeight2(const ClusterNode* node) {
    if (!node) return;
    if (!node->m_ptrLeft && !node->m_ptrRight) {
        SetSeqWeight(node->m_uIndex, static_cast<WEIGHT>(node->m_dWeight));
        return;
    }
    SetSubtreeWeight2(node->m_ptrLeft);
    SetSubtreeWeight2(node->m_ptrRight);
}

void MSA::SetGSCWeights() {
    ClusterTree tree;
    CalcBLOSUMWeights(tree);
    ClusterNode* root = tree.GetRoot();
    if (!root) return;
    root->m_dWeight = 1.0;
    SetSubtreeGSCWeight(root);
    SetSubtreeWeight2(root);
}

void MSA::ListWeights() const {
    Log("Weights:\n");
    WEIGHT total = 0;
    for (unsigned row = 0; row < m_uSeqCount; ++row) {
        Log("%6.3f %s\n", m_Weights[row], m_szNames[row] ? m_szNames[row] : "");
        total += m_Weights[row];
    }
    Log("Total weights = %6.3f, should be 1.0\n", total);
}
