// ClusterTree construction, node queries and the log dump.
#include "align/clusterTree.h"

#include <algorithm>

#include "align/diagnostics.h"
#include "align/distFunc.h"

namespace {

// Start value of the closest-pair search: larger than any distance.
constexpr double BIG_DIST = 9e99;

int IndexOrMinusOne(const ClusterNode* node) { return node ? static_cast<int>(node->m_uIndex) : -1; }

}  // namespace

unsigned ClusterNode::GetClusterSize() const {
    if (!m_ptrLeft && !m_ptrRight) return 1;
    unsigned size = 0;
    if (m_ptrLeft) size += m_ptrLeft->GetClusterSize();
    if (m_ptrRight) size += m_ptrRight->GetClusterSize();
    return size;
}

double ClusterNode::GetClusterWeight() const {
    double weight = m_dHeight;
    if (m_ptrLeft) weight += m_ptrLeft->GetClusterWeight();
    if (m_ptrRight) weight += m_ptrRight->GetClusterWeight();
    return weight;
}

double ClusterNode::GetLeftBranchWeight() const { return m_ptrLeft ? m_dHeight - m_ptrLeft->m_dHeight : 0; }

double ClusterNode::GetRightBranchWeight() const { return m_ptrRight ? m_dHeight - m_ptrRight->m_dHeight : 0; }

double ClusterNode::GetLeftWeight() const { return m_ptrLeft ? m_dHeight + m_ptrLeft->GetClusterWeight() : 0; }

double ClusterNode::GetRightWeight() const { return m_ptrRight ? m_dHeight + m_ptrRight->GetClusterWeight() : 0; }

const ClusterNode* ClusterNode::GetClusterLeaf(unsigned i) const {
    if (!m_ptrLeft && !m_ptrRight) {
        if (i != 0) Quit("ClusterNode::GetClusterLeaf(%u): node %u is a leaf", i, m_uIndex);
        return this;
    }
    const unsigned leftSize = m_ptrLeft ? m_ptrLeft->GetClusterSize() : 0;
    if (i < leftSize) return m_ptrLeft->GetClusterLeaf(i);
    if (!m_ptrRight) Quit("ClusterNode::GetClusterLeaf(%u): node %u has %u leaves", i, m_uIndex, leftSize);
    return m_ptrRight->GetClusterLeaf(i - leftSize);
}

void ClusterNode::LogMe() const {
    const unsigned size = GetClusterSize();
    Log("[%02u] w=%5.3f  CW=%5.3f  LBW=%5.3f  RBW=%5.3f  LWT=%5.3f  RWT=%5.3f  L=%02d  R=%02d  P=%02d  NxDj=%02d  "
        "PvDj=%02d  Sz=%02d  {",
        m_uIndex, m_dWeight, GetClusterWeight(), GetLeftBranchWeight(), GetRightBranchWeight(), GetLeftWeight(),
        GetRightWeight(), IndexOrMinusOne(m_ptrLeft), IndexOrMinusOne(m_ptrRight), IndexOrMinusOne(m_ptrParent),
        IndexOrMinusOne(m_ptrNextDisjoint), IndexOrMinusOne(m_ptrPrevDisjoint), static_cast<int>(size));
    for (unsigned i = 0; i < size; ++i) Log(" %u", GetClusterLeaf(i)->m_uIndex);
    Log(" }\n");
}

ClusterTree::~ClusterTree() = default;

void ClusterTree::AddToDisjoints(ClusterNode* node) {
    node->m_ptrPrevDisjoint = nullptr;
    node->m_ptrNextDisjoint = m_ptrDisjoints;
    if (m_ptrDisjoints) m_ptrDisjoints->m_ptrPrevDisjoint = node;
    m_ptrDisjoints = node;
}

void ClusterTree::DeleteFromDisjoints(ClusterNode* node) {
    if (node->m_ptrPrevDisjoint)
        node->m_ptrPrevDisjoint->m_ptrNextDisjoint = node->m_ptrNextDisjoint;
    else
        m_ptrDisjoints = node->m_ptrNextDisjoint;
    if (node->m_ptrNextDisjoint) node->m_ptrNextDisjoint->m_ptrPrevDisjoint = node->m_ptrPrevDisjoint;
    node->m_ptrNextDisjoint = nullptr;
    node->m_ptrPrevDisjoint = nullptr;
}

void ClusterTree::Create(const DistFunc& df) {
    m_uLeafCount = df.GetCount();
    m_uNodeCount = m_uLeafCount == 0 ? 0 : 2 * m_uLeafCount - 1;
    m_Nodes.assign(m_uNodeCount, ClusterNode());
    m_ptrDisjoints = nullptr;
    for (unsigned i = 0; i < m_uNodeCount; ++i) m_Nodes[i].m_uIndex = i;
    // Added in reverse so that leaf 0 heads the list.
    for (unsigned i = m_uLeafCount; i > 0; --i) AddToDisjoints(&m_Nodes[i - 1]);

    const size_t size = m_uNodeCount;
    std::vector<double> dist(size * size, 0.0);
    auto d = [&](unsigned i, unsigned j) -> double& { return dist[i * size + j]; };
    for (unsigned i = 0; i < m_uLeafCount; ++i)
        for (unsigned j = 0; j < m_uLeafCount; ++j) d(i, j) = df.GetDist(i, j);

    for (unsigned j = m_uLeafCount; j < m_uNodeCount; ++j) {
        double best = BIG_DIST;
        ClusterNode* left = nullptr;
        ClusterNode* right = nullptr;
        for (ClusterNode* p = m_ptrDisjoints; p; p = p->m_ptrNextDisjoint) {
            for (ClusterNode* q = p->m_ptrNextDisjoint; q; q = q->m_ptrNextDisjoint) {
                const double pq = d(p->m_uIndex, q->m_uIndex);
                if (pq < best) {
                    best = pq;
                    left = p;
                    right = q;
                }
            }
        }
        // Distances that never compare below the start value (NaN) still join the first pair.
        if (!left) {
            left = m_ptrDisjoints;
            right = left->m_ptrNextDisjoint;
            best = d(left->m_uIndex, right->m_uIndex);
        }
        ClusterNode& join = m_Nodes[j];
        join.m_ptrLeft = left;
        join.m_ptrRight = right;
        join.m_dHeight = best;
        left->m_ptrParent = &join;
        right->m_ptrParent = &join;
        DeleteFromDisjoints(left);
        DeleteFromDisjoints(right);
        AddToDisjoints(&join);
        for (ClusterNode* k = m_ptrDisjoints; k; k = k->m_ptrNextDisjoint) {
            const unsigned kk = k->m_uIndex;
            const double linked = std::min(d(kk, left->m_uIndex), d(kk, right->m_uIndex));
            d(kk, j) = linked;
            d(j, kk) = linked;
        }
    }
}

ClusterNode* ClusterTree::GetRoot() { return m_uNodeCount == 0 ? nullptr : &m_Nodes[m_uNodeCount - 1]; }

const ClusterNode* ClusterTree::GetRoot() const { return m_uNodeCount == 0 ? nullptr : &m_Nodes[m_uNodeCount - 1]; }

void ClusterTree::LogMe() const {
    Log("Disjoints=%d\n", IndexOrMinusOne(m_ptrDisjoints));
    for (const ClusterNode& node : m_Nodes) node.LogMe();
}
