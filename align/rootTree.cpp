// Root placement (FindRoot) and the tree surgery of re-rooting.
#include "align/rootTree.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "align/diagnostics.h"
#include "align/edgeList.h"
#include "align/tree.h"

namespace {

// What lies beyond node B as seen from its neighbour A; distances exclude the edge A-B.
struct RootEdgeRecord {
    bool known = false;
    unsigned from = NO_INDEX;
    unsigned to = NO_INDEX;
    double maxDist = 0;    // greatest path length from B to a leaf on B's side
    double totalDist = 0;  // sum of the path lengths from B to every leaf on B's side
    unsigned nextNode = NO_INDEX;  // B's neighbour towards the farthest leaf
    unsigned farthestLeaf = NO_INDEX;
    unsigned leafCount = 0;
};

// Three records per node, one per neighbour slot.
class EdgeRecords {
public:
    explicit EdgeRecords(unsigned nodeCount) : m_Records(3 * static_cast<size_t>(nodeCount)) {}
    RootEdgeRecord& At(unsigned node, unsigned slot) { return m_Records[3 * static_cast<size_t>(node) + slot]; }
    // The record of a's slot that holds b.
    RootEdgeRecord& Towards(const Tree& tree, unsigned a, unsigned b) {
        return At(a, tree.GetNeighborSubscript(a, b));
    }

private:
    std::vector<RootEdgeRecord> m_Records;
};

void CalcInfo(const Tree& tree, unsigned a, unsigned b, EdgeRecords& records) {
    RootEdgeRecord& rec = records.Towards(tree, a, b);
    rec.from = a;
    rec.to = b;
    if (tree.GetNodeCount() == 1 || tree.IsLeaf(b)) {
        rec.maxDist = 0;
        rec.totalDist = 0;
        rec.nextNode = NO_INDEX;
        rec.farthestLeaf = b;
        rec.leafCount = 1;
        rec.known = true;
        return;
    }
    double best = -1e29, total = 0;
    unsigned leafCount = 0, nextNode = NO_INDEX, farthestLeaf = NO_INDEX;
    for (unsigned slot = 0; slot < 3; ++slot) {
        const unsigned c = tree.GetNeighbor(b, slot);
        if (c == NO_INDEX || c == a) continue;
        const RootEdgeRecord& sub = records.At(b, slot);
        if (!sub.known) Quit("CalcInfo: internal error, dist %u->%u not known", b, c);
        leafCount += sub.leafCount;
        const double length = tree.GetEdgeLength(b, c);
        total += sub.leafCount * length + sub.totalDist;
        if (length + sub.maxDist > best) {
            best = length + sub.maxDist;
            farthestLeaf = sub.farthestLeaf;
            nextNode = c;
        }
    }
    if (nextNode == NO_INDEX || farthestLeaf == NO_INDEX || leafCount == 0) Quit("CalcInfo: internal error 2");
    tree.GetEdgeLength(a, b);  // the edge itself must have a length
    rec.maxDist = best;
    rec.totalDist = total;
    rec.nextNode = nextNode;
    rec.farthestLeaf = farthestLeaf;
    rec.leafCount = leafCount;
    rec.known = true;
}

// Computes every directed record, in rounds that start from the leaves.
void CalcAllInfo(const Tree& tree, EdgeRecords& records) {
    EdgeList work;
    for (unsigned leaf = 0; leaf < tree.GetNodeCount(); ++leaf)
        if (tree.IsLeaf(leaf)) work.Add(tree.GetNeighbor(leaf, 0), leaf);
    while (work.GetCount() > 0) {
        EdgeList next;
        for (unsigned e = 0; e < work.GetCount(); ++e) {
            unsigned a, b;
            work.GetEdge(e, &a, &b);
            CalcInfo(tree, a, b, records);
            for (unsigned slot = 0; slot < 3; ++slot) {
                const unsigned c = tree.GetNeighbor(a, slot);
                if (c == NO_INDEX || records.Towards(tree, c, a).known) continue;
                bool othersKnown = true;
                for (unsigned s = 0; s < 3; ++s) {
                    const unsigned d = tree.GetNeighbor(a, s);
                    if (d != NO_INDEX && d != c && !records.At(a, s).known) othersKnown = false;
                }
                if (othersKnown) next.Add(c, a);
            }
        }
        work.Copy(next);
    }
}

void RootByMidLongestSpan(const Tree& tree, EdgeRecords& records, unsigned* node1, unsigned* node2,
                          double* length1, double* length2) {
    double bestSpan = -1e20;
    unsigned bestLeaf = NO_INDEX;
    for (unsigned leaf = 0; leaf < tree.GetNodeCount(); ++leaf) {
        if (!tree.IsLeaf(leaf)) continue;
        const unsigned parent = tree.GetNeighbor(leaf, 0);
        if (parent == NO_INDEX) Quit("RootByMidLongestSpan: internal error 0");
        const RootEdgeRecord& rec = records.At(leaf, 0);
        if (!rec.known) Quit("RootByMidLongestSpan: internal error 1");
        if (rec.from != leaf || rec.to != parent) Quit("RootByMidLongestSpan: internal error 2");
        const double span = tree.GetEdgeLength(leaf, parent) + rec.maxDist;
        if (span > bestSpan) {
            bestSpan = span;
            bestLeaf = leaf;
        }
    }
    if (bestLeaf == NO_INDEX) Quit("RootByMidLongestSpan: internal error 3");

    // Walk from that leaf towards its farthest leaf until half the span is covered.
    const double half = bestSpan / 2;
    unsigned a = bestLeaf, b = tree.GetNeighbor(bestLeaf, 0);
    double covered = 0, length;
    for (;;) {
        length = tree.GetEdgeLength(a, b);
        if (half <= covered + length) break;
        if (tree.IsLeaf(b)) Quit("RootByMidLongestSpan: internal error 4");
        const RootEdgeRecord& rec = records.Towards(tree, a, b);
        if (!rec.known) Quit("RootByMidLongestSpan: internal error 5");
        a = b;
        b = rec.nextNode;
        covered += length;
    }
    *node1 = a;
    *node2 = b;
    *length1 = half - covered;
    *length2 = length - *length1;
}

void RootByMinAvgLeafDist(const Tree& tree, EdgeRecords& records, unsigned* node1, unsigned* node2,
                          double* length1, double* length2) {
    const unsigned nodeCount = tree.GetNodeCount();
    const unsigned leafTotal = (nodeCount + 2) / 2;
    if (nodeCount == 0) Quit("RootByMinAvgLeafDist, internal error 6");
    double best = 1e20, bestX = 0, bestLength = 0;
    unsigned bestA = NO_INDEX, bestB = NO_INDEX;
    for (unsigned a = 0; a < nodeCount; ++a) {
        for (unsigned slot = 0; slot < 3; ++slot) {
            const unsigned b = tree.GetNeighbor(a, slot);
            if (b == NO_INDEX || b < a) continue;
            const unsigned slotInB = tree.GetNeighborSubscript(b, a);
            if (slotInB == NO_INDEX) Quit("RootByMinAvgLeafDist, internal error 1");
            const RootEdgeRecord& ab = records.At(a, slot);
            const RootEdgeRecord& ba = records.At(b, slotInB);
            if (ab.from != a || ab.to != b || ba.from != b || ba.to != a)
                Quit("RootByMinAvgLeafDist, internal error 2");
            if (!ab.known) Quit("RootByMinAvgLeafDist, internal error 3");
            if (ab.leafCount + ba.leafCount != leafTotal) Quit("RootByMinAvgLeafDist, internal error 4");
            const double length = tree.GetEdgeLength(a, b);
            if (length != tree.GetEdgeLength(b, a)) Quit("RootByMinAvgLeafDist, internal error 5");
            const double meanA = ba.totalDist / ba.leafCount;
            const double meanB = ab.totalDist / ab.leafCount;
            // Distance from B of the point where both sides' mean leaf distances are equal.
            const double x = (meanA - meanB + length) / 2;
            if (x < 0 || x > length) continue;
            const double score = std::max(ab.maxDist + x, ba.maxDist + length - x);
            if (score < best) {
                best = score;
                bestA = a;
                bestB = b;
                bestX = x;
                bestLength = length;
            }
        }
    }
    if (bestA == NO_INDEX) Quit("RootByMinAvgLeafDist, internal error 6");
    *node1 = bestA;
    *node2 = bestB;
    *length1 = bestLength - bestX;
    *length2 = bestX;
}

}  // namespace

void FindRoot(const Tree& tree, unsigned* node1, unsigned* node2, double* length1, double* length2, ROOT method) {
    if (tree.IsRooted()) Quit("FindRoot: tree already rooted");
    if (tree.GetNodeCount() < 2) Quit("Root: don't support trees with < 2 edges");
    EdgeRecords records(tree.GetNodeCount());
    CalcAllInfo(tree, records);
    switch (method) {
        case ROOT_MidLongestSpan:
            RootByMidLongestSpan(tree, records, node1, node2, length1, length2);
            return;
        case ROOT_MinAvgLeafDist:
            RootByMinAvgLeafDist(tree, records, node1, node2, length1, length2);
            return;
        default:
            Quit("Invalid RootMethod=%d", method);
    }
}

void FixRoot(Tree& tree, ROOT method) {
    if (!tree.IsRooted()) Quit("FixRoot: expecting rooted tree");
    if (method == ROOT_Pseudo) return;
    // A single leaf has no edge to put a root on; it is its own root.
    if (tree.GetNodeCount() == 1) return;
    tree.UnrootByDeletingRoot();
    tree.RootUnrootedTree(method);
}

void ApplyMinEdgeLength(Tree& tree, double minLength) {
    for (unsigned a = 0; a < tree.GetNodeCount(); ++a) {
        for (unsigned slot = 0; slot < 3; ++slot) {
            const unsigned b = tree.GetNeighbor(a, slot);
            if (b == NO_INDEX || !tree.HasEdgeLength(a, b)) continue;
            if (tree.GetEdgeLength(a, b) < minLength) tree.SetEdgeLength(a, b, minLength);
        }
    }
}

void Tree::UnrootByDeletingRoot() {
    if (!m_bRooted) Quit("Tree::UnrootByDeletingRoot: tree is not rooted");
    const unsigned root = m_uRootNodeIndex;
    const unsigned a = GetLeft(root);
    const unsigned b = GetRight(root);
    if (a == NO_INDEX || b == NO_INDEX) Quit("Tree::UnrootByDeletingRoot: root %u has no two children", root);
    const bool bothLengths = HasEdgeLength(root, a) && HasEdgeLength(root, b);
    const double length = bothLengths ? GetEdgeLength(root, a) + GetEdgeLength(root, b) : UNSET_LENGTH;
    // The two children become neighbours through their parent slots; the joined edge has a
    // length only when both root edges had one.
    for (unsigned node : {a, b}) {
        m_uNeighbor[0][node] = node == a ? b : a;
        m_dEdgeLength[0][node] = length;
        m_bHasEdgeLength[0][node] = bothLengths;
    }

    // Delete node root: later entries move down and links above it are renumbered.
    for (unsigned node = root; node + 1 < m_uNodeCount; ++node) {
        for (unsigned s = 0; s < 3; ++s) {
            m_uNeighbor[s][node] = m_uNeighbor[s][node + 1];
            m_dEdgeLength[s][node] = m_dEdgeLength[s][node + 1];
            m_bHasEdgeLength[s][node] = m_bHasEdgeLength[s][node + 1];
        }
        m_ptrName[node] = std::move(m_ptrName[node + 1]);
        m_Ids[node] = m_Ids[node + 1];
        m_dHeight[node] = m_dHeight[node + 1];
        m_bHasHeight[node] = m_bHasHeight[node + 1];
    }
    --m_uNodeCount;
    InitNode(m_uNodeCount, uInsane);
    for (unsigned node = 0; node < m_uNodeCount; ++node)
        for (unsigned s = 0; s < 3; ++s) {
            unsigned& n = m_uNeighbor[s][node];
            // NO_INDEX marks an empty slot, not a node to renumber.
            if (n != NO_INDEX && n > root) --n;
        }
    m_bRooted = false;
    m_uRootNodeIndex = 0;
    InvalidateHeights();
    for (unsigned node = 0; node < m_uNodeCount; ++node) ValidateNode(node);
}

void Tree::RootUnrootedTree(ROOT method) {
    unsigned node1, node2;
    double length1, length2;
    FindRoot(*this, &node1, &node2, &length1, &length2, method);
    if (m_uNodeCount == m_uCacheCount) ExpandCache();
    const unsigned root = m_uNodeCount++;
    InitNode(root, uInsane);
    GetEdgeLength(node1, node2);  // the edge that is split must have a length
    m_uNeighbor[1][root] = node1;
    m_uNeighbor[2][root] = node2;
    m_uNeighbor[GetNeighborSubscript(node1, node2)][node1] = root;
    m_uNeighbor[GetNeighborSubscript(node2, node1)][node2] = root;
    OrientParent(node1, root);
    OrientParent(node2, root);
    SetEdgeLength(root, node1, length1);
    SetEdgeLength(root, node2, length2);
    m_bRooted = true;
    m_uRootNodeIndex = root;
    InvalidateHeights();
    Validate();
}

void Tree::OrientParent(unsigned node, unsigned parent) {
    while (node != NO_INDEX) {
        if (m_uNeighbor[0][node] != parent) {
            unsigned s = NO_INDEX;
            if (m_uNeighbor[1][node] == parent)
                s = 1;
            else if (m_uNeighbor[2][node] == parent)
                s = 2;
            else
                Quit("Tree::OrientParent: %u is not a neighbour of %u", parent, node);
            std::swap(m_uNeighbor[0][node], m_uNeighbor[s][node]);
            const double length = m_dEdgeLength[0][node];
            m_dEdgeLength[0][node] = m_dEdgeLength[s][node];
            m_dEdgeLength[s][node] = length;
            // The flags travel with their lengths.
            const bool has = m_bHasEdgeLength[0][node];
            m_bHasEdgeLength[0][node] = m_bHasEdgeLength[s][node];
            m_bHasEdgeLength[s][node] = has;
        }
        OrientParent(m_uNeighbor[1][node], node);
        parent = node;
        node = m_uNeighbor[2][parent];
    }
    InvalidateHeights();
}
