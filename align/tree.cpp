// Tree storage, edges, walks, cached heights and consistency checks.
#include "align/tree.h"

#include <algorithm>
#include <cstring>

#include "align/clust.h"
#include "align/diagnostics.h"
#include "align/textUtils.h"

namespace {

// Trees grow by this many nodes at a time.
constexpr unsigned CACHE_GROWTH = 100;

}  // namespace

Tree::~Tree() = default;

void Tree::Clear() {
    for (auto& v : m_uNeighbor) v.clear();
    for (auto& v : m_dEdgeLength) v.clear();
    for (auto& v : m_bHasEdgeLength) v.clear();
    m_dHeight.clear();
    m_bHasHeight.clear();
    m_Ids.clear();
    m_ptrName.clear();
    m_bAnyHeightCached = false;
    m_uNodeCount = 0;
    m_uCacheCount = 0;
    m_bRooted = false;
    m_uRootNodeIndex = 0;
}

void Tree::InitNode(unsigned node, unsigned leafId) {
    for (unsigned s = 0; s < 3; ++s) {
        m_uNeighbor[s][node] = NO_INDEX;
        m_dEdgeLength[s][node] = UNSET_LENGTH;
        m_bHasEdgeLength[s][node] = false;
    }
    m_dHeight[node] = UNSET_LENGTH;
    m_bHasHeight[node] = false;
    m_Ids[node] = leafId;
    m_ptrName[node].reset();
}

void Tree::InitCache(unsigned capacity) {
    m_uCacheCount = capacity;
    for (auto& v : m_uNeighbor) v.assign(capacity, NO_INDEX);
    for (auto& v : m_dEdgeLength) v.assign(capacity, UNSET_LENGTH);
    for (auto& v : m_bHasEdgeLength) v.assign(capacity, false);
    m_dHeight.assign(capacity, UNSET_LENGTH);
    m_bHasHeight.assign(capacity, false);
    m_bAnyHeightCached = false;
    m_Ids.assign(capacity, uInsane);
    m_ptrName.clear();
    m_ptrName.resize(capacity);
}

void Tree::ExpandCache() {
    const unsigned capacity = m_uCacheCount + CACHE_GROWTH;
    for (auto& v : m_uNeighbor) v.resize(capacity, NO_INDEX);
    for (auto& v : m_dEdgeLength) v.resize(capacity, UNSET_LENGTH);
    for (auto& v : m_bHasEdgeLength) v.resize(capacity, false);
    m_dHeight.resize(capacity, UNSET_LENGTH);
    m_bHasHeight.resize(capacity, false);
    m_Ids.resize(capacity, NO_INDEX);
    m_ptrName.resize(capacity);
    m_uCacheCount = capacity;
}

void Tree::CreateRooted() {
    Clear();
    ExpandCache();
    m_uNodeCount = 1;
    InitNode(0, uInsane);
    m_uRootNodeIndex = 0;
    m_bRooted = true;
}

void Tree::CreateUnrooted(double length) {
    Clear();
    ExpandCache();
    m_uNodeCount = 2;
    InitNode(0, uInsane);
    InitNode(1, uInsane);
    m_uNeighbor[0][0] = 1;
    m_uNeighbor[0][1] = 0;
    m_dEdgeLength[0][0] = length;
    m_dEdgeLength[0][1] = length;
    m_bHasEdgeLength[0][0] = true;
    m_bHasEdgeLength[0][1] = true;
    m_bRooted = false;
}

unsigned Tree::AppendBranch(unsigned node) {
    if (m_uNodeCount == 0) Quit("Tree::AppendBranch: tree has not been created");
    // Written as a sum so that a capacity below 2 cannot wrap around.
    if (m_uNodeCount + 2 >= m_uCacheCount) ExpandCache();
    const unsigned n = m_uNodeCount;
    m_uNodeCount += 2;
    m_uNeighbor[1][node] = n;
    m_uNeighbor[2][node] = n + 1;
    m_dEdgeLength[1][node] = 0;
    m_dEdgeLength[2][node] = 0;
    for (unsigned child = n; child <= n + 1; ++child) {
        InitNode(child, uInsane);
        m_uNeighbor[0][child] = node;
        for (unsigned s = 0; s < 3; ++s) m_dEdgeLength[s][child] = 0;
    }
    InvalidateHeights();
    return n;
}

void Tree::LinkChild(unsigned parent, unsigned slot, unsigned child, double length, bool hasLength) {
    m_uNeighbor[slot][parent] = child;
    m_dEdgeLength[slot][parent] = length;
    m_bHasEdgeLength[slot][parent] = hasLength;
    m_uNeighbor[0][child] = parent;
    m_dEdgeLength[0][child] = length;
    m_bHasEdgeLength[0][child] = hasLength;
}

void Tree::Create(unsigned leafCount, unsigned root, const unsigned left[], const unsigned right[],
                  const float leftLength[], const float rightLength[], const unsigned leafIds[],
                  const char* const leafNames[]) {
    Clear();
    if (leafCount == 0) Quit("Tree::Create: no leaves");
    const unsigned nodeCount = 2 * leafCount - 1;
    if (leafCount > 1 && root >= leafCount - 1) Quit("Tree::Create: root %u out of range, %u leaves", root, leafCount);
    m_uNodeCount = nodeCount;
    InitCache(nodeCount);
    for (unsigned i = 0; i < leafCount; ++i) {
        m_Ids[i] = leafIds[i];
        if (leafNames[i]) m_ptrName[i].reset(strsave(leafNames[i]));
    }
    for (unsigned k = 0; k + 1 < leafCount; ++k) {
        const unsigned node = leafCount + k;
        if (left[k] >= nodeCount || right[k] >= nodeCount)
            Quit("Tree::Create: child %u or %u of node %u out of range, %u nodes", left[k], right[k], node, nodeCount);
        LinkChild(node, 1, left[k], leftLength[k], true);
        LinkChild(node, 2, right[k], rightLength[k], true);
    }
    m_uRootNodeIndex = leafCount > 1 ? leafCount + root : 0;
    m_uNeighbor[0][m_uRootNodeIndex] = NO_INDEX;
    m_bHasEdgeLength[0][m_uRootNodeIndex] = false;
    m_bRooted = true;
    for (unsigned node = 0; node < nodeCount; ++node) ValidateNode(node);
}

void Tree::FromClust(const Clust& c) {
    Clear();
    const unsigned leafCount = c.GetLeafCount();
    m_uNodeCount = 2 * leafCount - 1;
    InitCache(m_uNodeCount);
    m_uRootNodeIndex = m_uNodeCount - 1;
    m_bRooted = true;
    for (unsigned node = 0; node < m_uNodeCount; ++node) {
        if (c.IsLeaf(node)) {
            m_ptrName[node].reset(strsave(c.GetNodeName(node)));
            m_Ids[node] = c.GetNodeId(node);
            continue;
        }
        const unsigned left = c.GetLeftIndex(node);
        const unsigned right = c.GetRightIndex(node);
        LinkChild(node, 1, left, c.GetLength(left), true);
        LinkChild(node, 2, right, c.GetLength(right), true);
    }
    m_uNeighbor[0][m_uRootNodeIndex] = NO_INDEX;
    m_bHasEdgeLength[0][m_uRootNodeIndex] = false;
    Validate();
}

void Tree::Copy(const Tree& tree) {
    if (&tree == this) return;
    Clear();
    m_uNodeCount = tree.m_uNodeCount;
    InitCache(m_uNodeCount);
    for (unsigned s = 0; s < 3; ++s) {
        std::copy_n(tree.m_uNeighbor[s].begin(), m_uNodeCount, m_uNeighbor[s].begin());
        std::copy_n(tree.m_dEdgeLength[s].begin(), m_uNodeCount, m_dEdgeLength[s].begin());
        std::copy_n(tree.m_bHasEdgeLength[s].begin(), m_uNodeCount, m_bHasEdgeLength[s].begin());
    }
    std::copy_n(tree.m_Ids.begin(), m_uNodeCount, m_Ids.begin());
    std::copy_n(tree.m_dHeight.begin(), m_uNodeCount, m_dHeight.begin());
    std::copy_n(tree.m_bHasHeight.begin(), m_uNodeCount, m_bHasHeight.begin());
    m_bAnyHeightCached = tree.m_bAnyHeightCached;
    m_uRootNodeIndex = tree.m_uRootNodeIndex;
    m_bRooted = tree.m_bRooted;
    for (unsigned node = 0; node < m_uNodeCount; ++node)
        if (tree.IsLeaf(node) && tree.m_ptrName[node]) m_ptrName[node].reset(strsave(tree.m_ptrName[node].get()));
}

void Tree::SetLeafName(unsigned node, const char* name) { m_ptrName[node].reset(name ? strsave(name) : nullptr); }

void Tree::SetLeafId(unsigned node, unsigned id) { m_Ids[node] = id; }

const char* Tree::GetLeafName(unsigned node) const { return m_ptrName[node].get(); }

unsigned Tree::GetLeafId(unsigned node) const { return m_Ids[node]; }

unsigned Tree::UsedSlotCount(unsigned node) const {
    unsigned used = 0;
    for (unsigned s = 0; s < 3; ++s)
        if (m_uNeighbor[s][node] != NO_INDEX) ++used;
    return used;
}

bool Tree::IsLeaf(unsigned node) const {
    if (m_uNodeCount == 1) return true;
    return UsedSlotCount(node) == 1;
}

unsigned Tree::GetLeafCount() const { return m_bRooted ? (m_uNodeCount + 1) / 2 : (m_uNodeCount + 2) / 2; }

bool Tree::IsEdge(unsigned a, unsigned b) const {
    for (unsigned s = 0; s < 3; ++s)
        if (m_uNeighbor[s][a] == b) return true;
    return false;
}

unsigned Tree::GetNeighbor(unsigned node, unsigned slot) const {
    if (slot > 2) Quit("Tree::GetNeighbor, sub=%u", slot);
    return m_uNeighbor[slot][node];
}

unsigned Tree::GetNeighborSubscript(unsigned node, unsigned nbr) const {
    for (unsigned s = 0; s < 3; ++s)
        if (m_uNeighbor[s][node] == nbr) return s;
    return NO_INDEX;
}

unsigned Tree::GetFirstNeighbor(unsigned node, unsigned excluded) const {
    for (unsigned s = 0; s < 3; ++s) {
        const unsigned n = m_uNeighbor[s][node];
        if (n != NO_INDEX && n != excluded) return n;
    }
    return NO_INDEX;
}

unsigned Tree::GetSecondNeighbor(unsigned node, unsigned excluded) const {
    bool foundFirst = false;
    for (unsigned s = 0; s < 3; ++s) {
        const unsigned n = m_uNeighbor[s][node];
        if (n == NO_INDEX || n == excluded) continue;
        if (foundFirst) return n;
        foundFirst = true;
    }
    return NO_INDEX;
}

double Tree::GetEdgeLength(unsigned a, unsigned b) const {
    const unsigned s = GetNeighborSubscript(a, b);
    // Reading another slot would return the length of a different edge.
    if (s == NO_INDEX || b == NO_INDEX) {
        LogMe();
        Quit("Tree::GetEdgeLength(%u, %u): the nodes are not neighbours", a, b);
    }
    if (!m_bHasEdgeLength[s][a]) {
        LogMe();
        Quit("Missing edge length in tree %u-%u", a, b);
    }
    return m_dEdgeLength[s][a];
}

bool Tree::HasEdgeLength(unsigned a, unsigned b) const {
    const unsigned s = GetNeighborSubscript(a, b);
    if (s == NO_INDEX || b == NO_INDEX) return false;
    return m_bHasEdgeLength[s][a];
}

void Tree::SetEdgeLength(unsigned a, unsigned b, double length) {
    const unsigned sa = GetNeighborSubscript(a, b);
    const unsigned sb = GetNeighborSubscript(b, a);
    if (sa == NO_INDEX || sb == NO_INDEX || a == NO_INDEX || b == NO_INDEX)
        Quit("Tree::SetEdgeLength(%u, %u): the nodes are not neighbours", a, b);
    m_dEdgeLength[sa][a] = length;
    m_bHasEdgeLength[sa][a] = true;
    m_dEdgeLength[sb][b] = length;
    m_bHasEdgeLength[sb][b] = true;
    InvalidateHeights();
}

void Tree::InvalidateHeights() const {
    if (!m_bAnyHeightCached) return;
    std::fill(m_bHasHeight.begin(), m_bHasHeight.end(), false);
    m_bAnyHeightCached = false;
}

unsigned Tree::GetLeafParent(unsigned leaf) const {
    if (m_bRooted || m_uNeighbor[0][leaf] != NO_INDEX) return m_uNeighbor[0][leaf];
    if (m_uNeighbor[1][leaf] != NO_INDEX) return m_uNeighbor[1][leaf];
    return m_uNeighbor[2][leaf];
}

unsigned Tree::LeafIndexToNodeIndex(unsigned leafIndex) const {
    unsigned leaves = 0;
    for (unsigned node = 0; node < m_uNodeCount; ++node) {
        if (!IsLeaf(node)) continue;
        if (leaves == leafIndex) return node;
        ++leaves;
    }
    Quit("LeafIndexToNodeIndex: out of range");
}

unsigned Tree::GetLeafNodeIndex(const char* name) const {
    for (unsigned node = 0; node < m_uNodeCount; ++node) {
        if (!IsLeaf(node) || !m_ptrName[node]) continue;
        if (strcmp(m_ptrName[node].get(), name) == 0) return node;
    }
    Quit("Tree::GetLeafNodeIndex, name not found");
}

unsigned Tree::GetAnyNonLeafNode() const {
    if (m_uNodeCount <= 1) return NO_INDEX;
    for (unsigned node = 0; node < m_uNodeCount; ++node)
        if (!IsLeaf(node)) return node;
    return NO_INDEX;
}

unsigned Tree::GetLeafCountUnrooted(unsigned a, unsigned b, double* sum) const {
    if (m_uNodeCount == 1 || IsLeaf(b)) {
        *sum = GetEdgeLength(a, b);
        return 1;
    }
    double sum1 = 0, sum2 = 0;
    const unsigned count1 = GetLeafCountUnrooted(b, GetFirstNeighbor(b, a), &sum1);
    const unsigned count2 = GetLeafCountUnrooted(b, GetSecondNeighbor(b, a), &sum2);
    *sum = sum1 + sum2;
    return count1 + count2;
}

unsigned Tree::FirstDepthFirstNode() const {
    if (m_uNodeCount == 0) return NO_INDEX;
    unsigned node = m_uRootNodeIndex;
    while (!IsLeaf(node)) node = GetLeft(node);
    return node;
}

unsigned Tree::NextDepthFirstNode(unsigned node) const {
    if (IsRoot(node)) return NO_INDEX;
    const unsigned parent = GetParent(node);
    if (parent == NO_INDEX) return NO_INDEX;
    if (GetRight(parent) == node) return parent;
    unsigned next = GetRight(parent);
    while (!IsLeaf(next)) next = GetLeft(next);
    return next;
}

unsigned Tree::FirstDepthFirstNodeR() const {
    if (m_uNodeCount == 0) return NO_INDEX;
    unsigned node = m_uRootNodeIndex;
    while (!IsLeaf(node)) node = GetRight(node);
    return node;
}

unsigned Tree::NextDepthFirstNodeR(unsigned node) const {
    if (IsRoot(node)) return NO_INDEX;
    const unsigned parent = GetParent(node);
    if (parent == NO_INDEX) return NO_INDEX;
    if (GetLeft(parent) == node) return parent;
    unsigned next = GetLeft(parent);
    while (!IsLeaf(next)) next = GetRight(next);
    return next;
}

double Tree::GetNodeHeight(unsigned node) const {
    if (!m_bRooted) Quit("Tree::GetNodeHeight: undefined unless rooted tree");
    if (m_uNodeCount == 1 || IsLeaf(node)) return 0.0;
    if (m_bHasHeight[node]) return m_dHeight[node];
    const unsigned left = GetLeft(node);
    const unsigned right = GetRight(node);
    const double lengthLeft = std::max(0.0, GetEdgeLength(node, left));
    const double lengthRight = std::max(0.0, GetEdgeLength(node, right));
    const double height = ((lengthLeft + GetNodeHeight(left)) + (lengthRight + GetNodeHeight(right))) / 2;
    m_dHeight[node] = height;
    m_bHasHeight[node] = true;
    m_bAnyHeightCached = true;
    return height;
}

void Tree::LogMe() const {
    Log("Tree::LogMe %u nodes, ", m_uNodeCount);
    Log(m_bRooted ? "rooted.\n" : "unrooted.\n");
    Log("\n");
    if (m_bRooted) {
        Log("Index  Parnt  LengthP  Left   LengthL  Right  LengthR     Id  Name\n");
        Log("-----  -----  -------  ----   -------  -----  -------  -----  ----\n");
    } else {
        Log("Index  Nbr_1  Length1  Nbr_2  Length2  Nbr_3  Length3     Id  Name\n");
        Log("-----  -----  -------  -----  -------  -----  -------  -----  ----\n");
    }
    for (unsigned node = 0; node < m_uNodeCount; ++node) {
        Log("%5u  ", node);
        for (unsigned s = 0; s < 3; ++s) {
            const unsigned n = m_uNeighbor[s][node];
            if (n == NO_INDEX) {
                Log("                ");
                continue;
            }
            Log("%5u  ", n);
            if (m_bHasEdgeLength[s][node])
                Log("%7.4f  ", m_dEdgeLength[s][node]);
            else
                Log("      *  ");
        }
        if (m_uNodeCount == 1 || IsLeaf(node)) {
            if (m_Ids[node] == uInsane)
                Log("    *");
            else
                Log("%5u", m_Ids[node]);
        } else {
            Log("     ");
        }
        if (IsRoot(node)) Log("  [ROOT] ");
        if (m_ptrName[node]) Log("  %s", m_ptrName[node].get());
        Log("\n");
    }
}

void Tree::AssertAreNeighbors(unsigned a, unsigned b) const {
    if (a >= m_uNodeCount || b >= m_uNodeCount) Quit("AssertAreNeighbors(%u,%u), are %u nodes", a, b, m_uNodeCount);
    const unsigned sa = GetNeighborSubscript(a, b);
    const unsigned sb = GetNeighborSubscript(b, a);
    if (sa == NO_INDEX || sb == NO_INDEX) {
        LogMe();
        Quit("AssertAreNeighbors(%u,%u) failed", a, b);
    }
    const bool hasA = m_bHasEdgeLength[sa][a];
    const bool hasB = m_bHasEdgeLength[sb][b];
    if (hasA != hasB) {
        LogMe();
        Log("HasEdgeLength(%u, %u)=%c HasEdgeLength(%u, %u)=%c\n", a, b, hasA ? 'T' : 'F', b, a, hasB ? 'T' : 'F');
        Quit("Tree::AssertAreNeighbors, HasEdgeLength not symmetric");
    }
    if (hasA && m_dEdgeLength[sa][a] != m_dEdgeLength[sb][b]) {
        LogMe();
        Quit("Tree::AssertAreNeighbors, Edge length disagrees %u-%u=%.3g, %u-%u=%.3g", a, b, m_dEdgeLength[sa][a], b,
             a, m_dEdgeLength[sb][b]);
    }
}

void Tree::ValidateNode(unsigned node) const {
    if (node >= m_uNodeCount) Quit("ValidateNode(%u), %u nodes", node, m_uNodeCount);
    const unsigned n1 = m_uNeighbor[0][node];
    const unsigned n2 = m_uNeighbor[1][node];
    const unsigned n3 = m_uNeighbor[2][node];
    if (UsedSlotCount(node) == 2) {
        if (!m_bRooted) {
            LogMe();
            Quit("Tree::ValidateNode: Node %u has two neighbors, tree is not rooted", node);
        }
        if (node != m_uRootNodeIndex) {
            LogMe();
            Quit("Tree::ValidateNode: Node %u has two neighbors, but not root node=%u", node, m_uRootNodeIndex);
        }
    }
    if (n2 == NO_INDEX && n3 != NO_INDEX) {
        LogMe();
        Quit("Tree::ValidateNode, n2=null, n3!=null");
    }
    if (n3 == NO_INDEX && n2 != NO_INDEX) {
        LogMe();
        Quit("Tree::ValidateNode, n3=null, n2!=null");
    }
    for (unsigned n : {n1, n2, n3})
        if (n != NO_INDEX) AssertAreNeighbors(node, n);
    if ((n1 != NO_INDEX && (n1 == n2 || n1 == n3)) || (n2 != NO_INDEX && n2 == n3)) {
        LogMe();
        Quit("Tree::ValidateNode, duplicate neighbors in node %u", node);
    }
    if (!m_bRooted) return;
    if (n1 == NO_INDEX) {
        if (node != m_uRootNodeIndex) {
            LogMe();
            Quit("Tree::ValiateNode(%u), no parent", node);
        }
        return;
    }
    if (GetLeft(n1) != node && GetRight(n1) != node) {
        LogMe();
        Quit("Tree::ValidateNode(%u), parent / child mismatch", node);
    }
}

void Tree::Validate() const {
    for (unsigned node = 0; node < m_uNodeCount; ++node) ValidateNode(node);
}
