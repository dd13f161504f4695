// Three-way weights: the unrooted view of a rooted tree, Gotoh lengths and leaf weights.
#include "align/threeWayWeights.h"

#include <algorithm>
#include <cmath>

#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/tree.h"

namespace {

bool IsRootNode(const Tree& tree, unsigned node) { return tree.IsRooted() && node == tree.GetRootNodeIndex(); }

// The child of the root other than child.
unsigned OtherRootChild(const Tree& tree, unsigned child) {
    const unsigned root = tree.GetRootNodeIndex();
    return tree.GetLeft(root) == child ? tree.GetRight(root) : tree.GetLeft(root);
}

// a and b are the two children of the root: one edge in the unrooted view.
bool JoinedThroughRoot(const Tree& tree, unsigned a, unsigned b) {
    if (!tree.IsRooted() || tree.GetNodeCount() < 3) return false;
    const unsigned root = tree.GetRootNodeIndex();
    const unsigned left = tree.GetLeft(root), right = tree.GetRight(root);
    return (a == left && b == right) || (a == right && b == left);
}

bool IsEdgeUnrooted(const Tree& tree, unsigned a, unsigned b) {
    return JoinedThroughRoot(tree, a, b) || (!IsRootNode(tree, a) && !IsRootNode(tree, b) && tree.IsEdge(a, b));
}

double GetEdgeLengthUnrooted(const Tree& tree, unsigned a, unsigned b) {
    if (IsRootNode(tree, a) || IsRootNode(tree, b)) Quit("GetEdgeLengthUnrooted, should never be called with root");
    if (JoinedThroughRoot(tree, a, b)) {
        const unsigned root = tree.GetRootNodeIndex();
        return tree.GetEdgeLength(root, a) + tree.GetEdgeLength(root, b);
    }
    if (!tree.IsEdge(a, b)) Quit("GetEdgeLengthUnrooted, not edge");
    return tree.GetEdgeLength(a, b);
}

// The neighbours of node in the unrooted view (a root neighbour replaced by the root's other
// child), in slot order, without from.
unsigned GetNthNeighborUnrooted(const Tree& tree, unsigned node, unsigned from, unsigned nth) {
    if (IsRootNode(tree, node) || IsRootNode(tree, from))
        Quit("GetFirstNeighborUnrooted, should never be called with root");
    if (!IsEdgeUnrooted(tree, node, from)) Quit("GetFirstNeighborUnrooted, not edge");
    unsigned found = 0;
    for (unsigned slot = 0; slot < 3; ++slot) {
        unsigned n = tree.GetNeighbor(node, slot);
        if (n == NO_INDEX) continue;
        if (IsRootNode(tree, n)) n = OtherRootChild(tree, node);
        if (n == from) continue;
        if (found++ == nth) return n;
    }
    return NO_INDEX;
}

unsigned GetFirstNeighborUnrooted(const Tree& tree, unsigned node, unsigned from) {
    return GetNthNeighborUnrooted(tree, node, from, 0);
}

unsigned GetSecondNeighborUnrooted(const Tree& tree, unsigned node, unsigned from) {
    return GetNthNeighborUnrooted(tree, node, from, 1);
}

// The slot of node that leads to nbr in the unrooted view.
unsigned GetNeighborSubscriptUnrooted(const Tree& tree, unsigned node, unsigned nbr) {
    if (!IsEdgeUnrooted(tree, node, nbr)) Quit("GetNeighborSubscriptUnrooted, not edge");
    for (unsigned slot = 0; slot < 3; ++slot) {
        unsigned n = tree.GetNeighbor(node, slot);
        if (n == NO_INDEX) continue;
        if (IsRootNode(tree, n)) n = OtherRootChild(tree, node);
        if (n == nbr) return slot;
    }
    Quit("GetNeighborSubscriptUnrooted, not a neighbor");
}

void SetSeqWeights(const Tree& tree, unsigned from, unsigned to, float weights[], double pathWeight) {
    if (IsRootNode(tree, from) || IsRootNode(tree, to)) Quit("SetSeqWeights, should never be called with root");
    const double length = GetEdgeLengthUnrooted(tree, from, to);
    if (tree.IsLeaf(to)) {
        const unsigned id = tree.GetLeafId(to);
        const unsigned leafCount = tree.GetLeafCount();
        if (id >= leafCount) Quit("CalcThreeWayWeights: leaf %u has id %u, expected below %u", to, id, leafCount);
        weights[id] = static_cast<float>(pathWeight + length);
        return;
    }
    const double weight = pathWeight * length;
    SetSeqWeights(tree, to, GetFirstNeighborUnrooted(tree, to, from), weights, weight);
    SetSeqWeights(tree, to, GetSecondNeighborUnrooted(tree, to, from), weights, weight);
}

}  // namespace

void CalcThreeWayWeights(const Tree& tree, unsigned nodeP, unsigned nodeQ, float weights[]) {
    std::fill(weights, weights + tree.GetLeafCount(), 0.0f);
    if (IsRootNode(tree, nodeP))
        nodeP = tree.GetFirstNeighbor(nodeP, nodeQ);
    else if (IsRootNode(tree, nodeQ))
        nodeQ = tree.GetFirstNeighbor(nodeQ, nodeP);
    SetSeqWeights(tree, nodeP, nodeQ, weights, 0.0);
    SetSeqWeights(tree, nodeQ, nodeP, weights, 0.0);
}

double GetGotohLength(const Tree& tree, unsigned r, unsigned a) {
    if (IsRootNode(tree, r) || IsRootNode(tree, a)) Quit("GetEdgeLengthUnrooted, should never be called with root");
    const double d = std::max(0.0, GetEdgeLengthUnrooted(tree, r, a));
    if (tree.IsLeaf(a)) return d;
    const unsigned b = GetFirstNeighborUnrooted(tree, a, r);
    const unsigned c = GetSecondNeighborUnrooted(tree, a, r);
    const double x = GetGotohLength(tree, a, b);
    const double y = GetGotohLength(tree, a, c);
    if (x + y == 0) return d;
    return d + x * y / (x + y);
}

double GotohThreeWay(const Tree& tree, unsigned a, unsigned b, unsigned c, unsigned r) {
    if (tree.IsLeaf(r)) Quit("GotohThreeWay: R must be internal node");
    const double lengthA = GetGotohLength(tree, r, a);
    const double lengthB = GetGotohLength(tree, r, b);
    const double lengthC = GetGotohLength(tree, r, c);
    const double s = lengthA * lengthB + lengthA * lengthC + lengthB * lengthC;
    const double denominator = s * lengthA * (lengthB + lengthC);
    if (denominator < 0.001) return 1.0;
    return std::sqrt((lengthA + lengthB) * (lengthA + lengthC) * lengthB * lengthC / denominator);
}

void CalcThreeWayEdgeWeights(const Tree& tree, float** edgeWeights) {
    const unsigned nodeCount = tree.GetNodeCount();
    for (unsigned a = 0; a < nodeCount; ++a) {
        if (IsRootNode(tree, a)) continue;
        for (unsigned slot = 0; slot < 3; ++slot) {
            unsigned c = tree.GetNeighbor(a, slot);
            if (c == NO_INDEX) continue;
            if (IsRootNode(tree, c)) c = OtherRootChild(tree, a);
            if (c < a) continue;
            double w = 1.0;
            if (!tree.IsLeaf(a))
                w = GotohThreeWay(tree, c, GetFirstNeighborUnrooted(tree, a, c), GetSecondNeighborUnrooted(tree, a, c),
                                  a);
            if (!tree.IsLeaf(c))
                w *= GotohThreeWay(tree, a, GetFirstNeighborUnrooted(tree, c, a), GetSecondNeighborUnrooted(tree, c, a),
                                   c);
            edgeWeights[a][slot] = static_cast<float>(w);
            edgeWeights[c][GetNeighborSubscriptUnrooted(tree, c, a)] = static_cast<float>(w);
        }
    }
}
