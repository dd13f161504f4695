// Clust: set-up, joins, distance updates, accessors and the log dump.
#include "align/clust.h"

#include <algorithm>
#include <cmath>

#include "align/clustSet.h"
#include "align/diagnostics.h"
#include "align/params.h"
#include "align/progress.h"

namespace {

// Start value of the pair search: larger than any metric.
constexpr float BIG_METRIC = 1e37f;
constexpr unsigned PAIRS_PER_PROGRESS = 10000;

const char* NameOrEmpty(const char* name) { return name ? name : ""; }

}  // namespace

Clust::~Clust() = default;

void Clust::SetLeafCount(unsigned leafCount) {
    if (leafCount < 2) Quit("Clust::SetLeafCount(%u)", leafCount);
    m_uLeafCount = leafCount;
    m_uNodeCount = 2 * leafCount - 1;
    m_uTriangularMatrixSize = (leafCount - 1) * (2 * leafCount - 1);
    m_dDist.assign(m_uTriangularMatrixSize, 0.0f);
    m_Nodes.assign(m_uNodeCount, ClustNode());
    m_ptrClusterList = nullptr;
    m_uClusterCount = 0;
}

void Clust::Create(ClustSet& set, CLUSTER method) {
    m_ptrSet = &set;
    SetLeafCount(set.GetLeafCount());
    switch (method) {
        case CLUSTER_UPGMA:
            m_JoinStyle = JOIN_NearestNeighbor;
            m_CentroidStyle = LINKAGE_Avg;
            break;
        case CLUSTER_UPGMAMax:
            m_JoinStyle = JOIN_NearestNeighbor;
            m_CentroidStyle = LINKAGE_Max;
            break;
        case CLUSTER_UPGMAMin:
            m_JoinStyle = JOIN_NearestNeighbor;
            m_CentroidStyle = LINKAGE_Min;
            break;
        case CLUSTER_UPGMB:
            m_JoinStyle = JOIN_NearestNeighbor;
            m_CentroidStyle = LINKAGE_Biased;
            break;
        case CLUSTER_NeighborJoining:
            m_JoinStyle = JOIN_NeighborJoining;
            m_CentroidStyle = LINKAGE_NeighborJoining;
            break;
        default:
            Quit("Clust::Create, invalid method %d", method);
    }
    for (unsigned i = 0; i < m_uLeafCount; ++i) {
        ClustNode& node = m_Nodes[i];
        node.m_uIndex = i;
        node.m_uSize = 1;
        node.m_uLeafIndexes.assign(1, i);
        AddToClusterList(i);
    }

    SetProgressDesc("Build dist matrix");
    const unsigned pairTotal = m_uLeafCount * (m_uLeafCount - 1) / 2;
    unsigned pair = 0;
    for (unsigned i = 1; i < m_uLeafCount; ++i) {
        for (unsigned j = 0; j < i; ++j) {
            const float d = static_cast<float>(set.ComputeDist(*this, i, j));
            // A NaN or infinite distance would give NaN branch lengths.
            if (!std::isfinite(d))
                Quit("Clust: the distance of %s and %s is %g, not a finite number", NameOrEmpty(set.GetLeafName(i)),
                     NameOrEmpty(set.GetLeafName(j)), d);
            SetDist(i, j, d);
            if (pair % PAIRS_PER_PROGRESS == 0) Progress(pair, pairTotal);
            ++pair;
        }
    }
    ProgressStepsDone();

    SetProgressDesc("Build guide tree");
    m_uClusterCount = m_uLeafCount;
    for (unsigned k = 1; k < m_uLeafCount; ++k) {
        Progress(k, m_uLeafCount - 1);
        CreateCluster();
    }
    ProgressStepsDone();
}

void Clust::CreateCluster() {
    unsigned left, right;
    float leftLength, rightLength;
    ChooseJoin(&left, &right, &leftLength, &rightLength);
    const unsigned join = m_uNodeCount - m_uClusterCount + 1;
    JoinNodes(left, right, leftLength, rightLength, join);
    --m_uClusterCount;
    for (ClustNode* p = m_ptrClusterList; p; p = p->m_ptrNextCluster) {
        const unsigned other = p->m_uIndex;
        if (other == left || other == right || other == join) continue;
        SetDist(join, other, ComputeDist(join, other));
    }
}

void Clust::ChooseJoin(unsigned* left, unsigned* right, float* leftLength, float* rightLength) {
    switch (m_JoinStyle) {
        case JOIN_NearestNeighbor: {
            GetMinMetricBruteForce(left, right);
            const float d = GetDist(*left, *right);
            const float hL = IsLeaf(*left) ? 0.0f : NodeHeight(*left);
            const float hR = IsLeaf(*right) ? 0.0f : NodeHeight(*right);
            *leftLength = d / 2 - hL;
            *rightLength = d / 2 - hR;
            return;
        }
        case JOIN_NeighborJoining: {
            GetMinMetricBruteForce(left, right);
            const float d = GetDist(*left, *right);
            const float rL = Calc_r(*left);
            const float rR = Calc_r(*right);
            *leftLength = (d + rL - rR) / 2;
            *rightLength = (d - rL + rR) / 2;
            return;
        }
        default:
            Quit("Clust::ChooseJoin, Invalid join style %u", static_cast<unsigned>(m_JoinStyle));
    }
}

void Clust::GetMinMetricBruteForce(unsigned* i, unsigned* j) {
    // r is the same for every pair of one search: compute it once per cluster.
    std::vector<float> r;
    if (m_JoinStyle == JOIN_NeighborJoining) {
        r.assign(m_uNodeCount, 0.0f);
        for (const ClustNode* p = m_ptrClusterList; p; p = p->m_ptrNextCluster) r[p->m_uIndex] = Calc_r(p->m_uIndex);
    }
    float best = BIG_METRIC;
    *i = uInsane;
    *j = uInsane;
    for (const ClustNode* p = m_ptrClusterList; p; p = p->m_ptrNextCluster) {
        for (const ClustNode* q = p->m_ptrNextCluster; q; q = q->m_ptrNextCluster) {
            const unsigned a = p->m_uIndex, b = q->m_uIndex;
            const float metric = r.empty() ? ComputeMetric(a, b) : GetDist(a, b) - (r[a] + r[b]);
            if (metric < best) {
                best = metric;
                *i = a;
                *j = b;
            }
        }
    }
    // Metrics that never compare below the start value (1e37 and above) must still give a
    // pair: the first two clusters of the list.
    if (*i == uInsane) {
        *i = m_ptrClusterList->m_uIndex;
        *j = m_ptrClusterList->m_ptrNextCluster->m_uIndex;
    }
}

float Clust::ComputeMetric(unsigned i, unsigned j) const {
    switch (m_JoinStyle) {
        case JOIN_NearestNeighbor:
            return GetDist(i, j);
        case JOIN_NeighborJoining:
            return GetDist(i, j) - (Calc_r(i) + Calc_r(j));
        default:
            Quit("Clust::ComputeMetric");
    }
}

float Clust::Calc_r(unsigned i) const {
    if (m_uClusterCount == 2) return 0;
    float sum = 0;
    for (const ClustNode* p = m_ptrClusterList; p; p = p->m_ptrNextCluster)
        if (p->m_uIndex != i) sum += GetDist(i, p->m_uIndex);
    return sum / static_cast<float>(m_uClusterCount - 2);
}

float Clust::ComputeDist(unsigned join, unsigned other) const {
    const unsigned left = GetLeftIndex(join);
    const unsigned right = GetRightIndex(join);
    const float dL = GetDist(left, other);
    const float dR = GetDist(right, other);
    switch (m_CentroidStyle) {
        case LINKAGE_Min:
            return std::min(dL, dR);
        case LINKAGE_Avg:
            return (dL + dR) / 2;
        case LINKAGE_Max:
            return std::max(dL, dR);
        case LINKAGE_NeighborJoining:
            return (dL + dR - GetDist(left, right)) / 2;
        case LINKAGE_Biased:
            return (1 - g_dSUEFF) * std::min(dL, dR) + (dL + dR) * g_dSUEFF * 0.5f;
        default:
            Quit("Clust::ComputeDist, invalid centroid style %u", static_cast<unsigned>(m_CentroidStyle));
    }
}

void Clust::JoinNodes(unsigned left, unsigned right, float leftLength, float rightLength, unsigned join) {
    ClustNode& l = m_Nodes[left];
    ClustNode& r = m_Nodes[right];
    ClustNode& c = m_Nodes[join];
    l.m_dLength = leftLength;
    r.m_dLength = rightLength;
    c.m_uIndex = join;
    c.m_ptrLeft = &l;
    c.m_ptrRight = &r;
    c.m_uSize = l.m_uSize + r.m_uSize;
    c.m_uLeafIndexes = l.m_uLeafIndexes;
    c.m_uLeafIndexes.insert(c.m_uLeafIndexes.end(), r.m_uLeafIndexes.begin(), r.m_uLeafIndexes.end());
    l.m_ptrParent = &c;
    r.m_ptrParent = &c;
    DeleteFromClusterList(left);
    DeleteFromClusterList(right);
    AddToClusterList(join);
}

void Clust::AddToClusterList(unsigned i) {
    ClustNode& node = m_Nodes[i];
    node.m_ptrPrevCluster = nullptr;
    node.m_ptrNextCluster = m_ptrClusterList;
    if (m_ptrClusterList) m_ptrClusterList->m_ptrPrevCluster = &node;
    m_ptrClusterList = &node;
}

void Clust::DeleteFromClusterList(unsigned i) {
    ClustNode& node = m_Nodes[i];
    if (node.m_ptrPrevCluster)
        node.m_ptrPrevCluster->m_ptrNextCluster = node.m_ptrNextCluster;
    else
        m_ptrClusterList = node.m_ptrNextCluster;
    if (node.m_ptrNextCluster) node.m_ptrNextCluster->m_ptrPrevCluster = node.m_ptrPrevCluster;
    node.m_ptrNextCluster = nullptr;
    node.m_ptrPrevCluster = nullptr;
}

const ClustNode& Clust::GetNode(unsigned i) const {
    if (i >= m_uNodeCount) Quit("ClustNode::GetNode(%u) %u", i, m_uNodeCount);
    return m_Nodes[i];
}

unsigned Clust::GetClusterSize(unsigned i) const { return GetNode(i).m_uSize; }

unsigned Clust::GetLeftIndex(unsigned i) const {
    const ClustNode& node = GetNode(i);
    if (!node.m_ptrLeft) Quit("Clust::GetLeftIndex: leaf");
    return node.m_ptrLeft->m_uIndex;
}

unsigned Clust::GetRightIndex(unsigned i) const {
    const ClustNode& node = GetNode(i);
    if (!node.m_ptrRight) Quit("Clust::GetRightIndex: leaf");
    return node.m_ptrRight->m_uIndex;
}

float Clust::GetLength(unsigned i) const { return GetNode(i).m_dLength; }

float Clust::GetHeight(unsigned i) const { return IsLeaf(i) ? 0.0f : NodeHeight(i); }

float Clust::NodeHeight(unsigned i) const {
    const unsigned left = GetLeftIndex(i);
    const unsigned right = GetRightIndex(i);
    const float hL = IsLeaf(left) ? 0.0f : NodeHeight(left);
    const float hR = IsLeaf(right) ? 0.0f : NodeHeight(right);
    return ((GetLength(left) + hL) + (GetLength(right) + hR)) / 2;
}

const char* Clust::GetNodeName(unsigned i) const {
    if (!IsLeaf(i)) Quit("Clust::GetNodeName, is not leaf");
    return m_ptrSet->GetLeafName(i);
}

unsigned Clust::GetNodeId(unsigned i) const { return IsLeaf(i) ? m_ptrSet->GetLeafId(i) : 0; }

unsigned Clust::GetLeaf(unsigned node, unsigned k) const {
    const ClustNode& n = GetNode(node);
    if (k >= n.m_uSize || k >= n.m_uLeafIndexes.size()) Quit("Clust::GetLeaf, invalid index");
    const unsigned leaf = n.m_uLeafIndexes[k];
    if (leaf >= m_uNodeCount) Quit("Clust::GetLeaf, index out of range");
    return leaf;
}

unsigned Clust::GetFirstCluster() const { return m_ptrClusterList ? m_ptrClusterList->m_uIndex : uInsane; }

unsigned Clust::GetNextCluster(unsigned i) const {
    const ClustNode* next = GetNode(i).m_ptrNextCluster;
    return next ? next->m_uIndex : uInsane;
}

unsigned Clust::VectorIndex(unsigned i, unsigned j) const {
    if (i >= m_uNodeCount || j >= m_uNodeCount) Quit("DistVectorIndex(%u,%u) %u", i, j, m_uNodeCount);
    // The packed triangle has no diagonal; its index would point into the next row or past
    // the end of the vector.
    if (i == j) Quit("DistVectorIndex(%u,%u): a node has no distance entry to itself", i, j);
    return i > j ? j + i * (i - 1) / 2 : i + j * (j - 1) / 2;
}

float Clust::GetDist(unsigned i, unsigned j) const {
    if (i == j && i < m_uNodeCount) return 0.0f;
    return m_dDist[VectorIndex(i, j)];
}

void Clust::SetDist(unsigned i, unsigned j, float dist) { m_dDist[VectorIndex(i, j)] = dist; }

void Clust::LogMe() const {
    Log("Clust %u leaves, %u nodes, %u clusters.\n", m_uLeafCount, m_uNodeCount, m_uClusterCount);
    Log("Distance matrix\n");
    Log("       ");
    for (unsigned j = 0; j + 1 < m_uNodeCount; ++j) Log(" %7u", j);
    Log("\n");
    Log("       ");
    for (unsigned j = 0; j + 1 < m_uNodeCount; ++j) Log("  ------");
    Log("\n");
    for (unsigned i = 1; i < m_uNodeCount; ++i) {
        Log("%4u:  ", i);
        for (unsigned j = 0; j < i; ++j) Log(" %7.2g", GetDist(i, j));
        Log("\n");
    }
    Log("\n");
    Log("Node  Size  Prnt  Left  Rght   Length  Name\n");
    Log("----  ----  ----  ----  ----   ------  ----\n");
    for (unsigned i = 0; i < m_uNodeCount; ++i) {
        const ClustNode& node = m_Nodes[i];
        Log("%4u  %4u", i, node.m_uSize);
        for (const ClustNode* link : {node.m_ptrParent, node.m_ptrLeft, node.m_ptrRight}) {
            if (link)
                Log("  %4u", link->m_uIndex);
            else
                Log("      ");
        }
        if (i + 1 != m_uNodeCount) Log("  %7.3g", node.m_dLength);
        if (IsLeaf(i)) Log("  %s", GetNodeName(i) ? GetNodeName(i) : "");
        if (i + 1 == m_uNodeCount) Log("    [ROOT]");
        Log("\n");
    }
}
