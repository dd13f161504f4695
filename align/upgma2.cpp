// UPGMA2 with its nearest-neighbour cache.
#include "align/upgma2.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "align/diagnostics.h"
#include "align/distCalc.h"
#include "align/engineTypes.h"
#include "align/params.h"
#include "align/tree.h"

namespace {

// Start value of every minimum search: larger than any distance.
constexpr float BIG_DIST = 1e29f;

// Pair (i, j), i != j, in the packed lower triangle.
size_t TriangleIndex(unsigned i, unsigned j) {
    if (i < j) std::swap(i, j);
    return static_cast<size_t>(i) * (i - 1) / 2 + j;
}

float Linkage(LINKAGE linkage, float dL, float dR) {
    switch (linkage) {
        case LINKAGE_Avg:
            return (dL + dR) * 0.5f;
        case LINKAGE_Max:
            return std::max(dL, dR);
        case LINKAGE_Min:
            return std::min(dL, dR);
        case LINKAGE_Biased:
            return g_dSUEFF * (dL + dR) * 0.5f + (1 - g_dSUEFF) * std::min(dL, dR);
        default:
            Quit("UPGMA2: Invalid LINKAGE_%u", static_cast<unsigned>(linkage));
    }
}

}  // namespace

void UPGMA2(const DistCalc& dc, Tree& tree, LINKAGE linkage) {
    const unsigned leafCount = dc.GetCount();
    if (leafCount == 0) Quit("UPGMA2: no sequences to cluster");
    if (leafCount == 1) {
        tree.CreateRooted();
        tree.SetLeafName(0, dc.GetName(0));
        tree.SetLeafId(0, dc.GetId(0));
        return;
    }

    std::vector<float> dist(static_cast<size_t>(leafCount) * (leafCount - 1) / 2);
    std::vector<unsigned> nodeIndex(leafCount);  // uInsane: slot retired
    std::vector<unsigned> nearest(leafCount, uInsane);
    std::vector<float> minDist(leafCount, BIG_DIST);
    std::vector<unsigned> ids(leafCount);
    std::vector<const char*> names(leafCount);
    const unsigned joinCount = leafCount - 1;
    std::vector<unsigned> left(joinCount, uInsane), right(joinCount, uInsane);
    std::vector<float> height(joinCount, BIG_DIST), leftLength(joinCount, BIG_DIST), rightLength(joinCount, BIG_DIST);

    for (unsigned i = 0; i < leafCount; ++i) {
        nodeIndex[i] = i;
        ids[i] = dc.GetId(i);
        names[i] = dc.GetName(i);
    }
    // Strict comparisons: the first pair seen keeps a tie.
    for (unsigned i = 1; i < leafCount; ++i) {
        float* row = &dist[TriangleIndex(i, 0)];
        dc.CalcDistRange(i, row);
        for (unsigned j = 0; j < i; ++j) {
            const float d = row[j];
            // A NaN or infinite distance would give NaN branch lengths further up.
            if (!std::isfinite(d))
                Quit("UPGMA2: the distance of %s and %s is %g, not a finite number", names[i] ? names[i] : "",
                     names[j] ? names[j] : "", d);
            if (d < minDist[i]) {
                minDist[i] = d;
                nearest[i] = j;
            }
            if (d < minDist[j]) {
                minDist[j] = d;
                nearest[j] = i;
            }
        }
    }

    auto live = [&](unsigned slot) { return slot < leafCount && nodeIndex[slot] != uInsane; };
    auto firstLiveExcept = [&](unsigned excluded) {
        for (unsigned slot = 0; slot < leafCount; ++slot)
            if (live(slot) && slot != excluded) return slot;
        return uInsane;
    };

    for (unsigned k = 0; k < joinCount; ++k) {
        unsigned lMin = uInsane;
        float best = BIG_DIST;
        for (unsigned slot = 0; slot < leafCount; ++slot) {
            if (live(slot) && minDist[slot] < best) {
                best = minDist[slot];
                lMin = slot;
            }
        }
        // Distances that never compare below the start value (1e29 and above) leave no minimum
        // or no neighbour: take the lowest live slots instead of indexing with unset ones.
        if (lMin == uInsane) lMin = firstLiveExcept(uInsane);
        unsigned rMin = nearest[lMin];
        if (!live(rMin) || rMin == lMin) rMin = firstLiveExcept(lMin);

        unsigned newNearest = uInsane;
        float newMin = BIG_DIST;
        for (unsigned j = 0; j < leafCount; ++j) {
            if (j == lMin || j == rMin || !live(j)) continue;
            const float dL = dist[TriangleIndex(lMin, j)];
            const float dR = dist[TriangleIndex(rMin, j)];
            const float d = Linkage(linkage, dL, dR);
            if (nearest[j] == rMin) nearest[j] = lMin;
            dist[TriangleIndex(lMin, j)] = d;
            if (d < newMin) {
                newMin = d;
                newNearest = j;
            }
        }

        const float h = dist[TriangleIndex(lMin, rMin)] * 0.5f;
        const unsigned leftNode = nodeIndex[lMin];
        const unsigned rightNode = nodeIndex[rMin];
        const float hL = leftNode >= leafCount ? height[leftNode - leafCount] : 0.0f;
        const float hR = rightNode >= leafCount ? height[rightNode - leafCount] : 0.0f;
        left[k] = leftNode;
        right[k] = rightNode;
        leftLength[k] = h - hL;
        rightLength[k] = h - hR;
        height[k] = h;

        nodeIndex[lMin] = leafCount + k;
        nearest[lMin] = newNearest;
        minDist[lMin] = newMin;
        nodeIndex[rMin] = uInsane;
    }

    tree.Create(leafCount, leafCount - 2, left.data(), right.data(), leftLength.data(), rightLength.data(), ids.data(),
                names.data());
}
