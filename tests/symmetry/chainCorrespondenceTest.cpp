// Tests of the chain-to-element correspondence: the neighbour graph, the search for maps of the
// element graph, the choice among them, and the generator permutations of a cluster set.
#include "symmetry/chainCorrespondence.h"

#include <gtest/gtest.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <cpuid.h>
#endif
#include <cmath>
#include <numbers>
#include <random>

#include "structure/cMolecule.h"
#include "symmetry/cSym.h"
#include "symmetry/elementTables.h"
#include "tests/geometry/randomSeed.h"
#include "tests/symmetry/syntheticAssembly.h"

namespace {

// Unit directions on a ring in the xy plane; ringPosition[k] is chain k's place around it.
std::vector<cVector3> ring(const std::vector<int>& ringPosition) {
    std::vector<cVector3> directions;
    const double n = static_cast<double>(ringPosition.size());
    for (int position : ringPosition) {
        const double angle = 2.0 * std::numbers::pi * position / n;
        directions.emplace_back(std::cos(angle), std::sin(angle), 0.0);
    }
    return directions;
}

// Frames (direction vectors) of chains turned by ringPosition * 2 pi / n about z.
void ringFrames(const std::vector<int>& ringPosition, std::vector<cVector3>& d1, std::vector<cVector3>& d2) {
    const double n = static_cast<double>(ringPosition.size());
    for (int position : ringPosition) {
        // Rows of the rotation that takes the chain back onto chain 0 (a turn by -angle).
        const double angle = -2.0 * std::numbers::pi * position / n;
        d1.emplace_back(std::cos(angle), -std::sin(angle), 0.0);
        d2.emplace_back(std::sin(angle), std::cos(angle), 0.0);
    }
}

}  // namespace

TEST(CubicGroupCorrespondence, FiveChainsOnARingFollowTheRing) {
    // Chain k sits at place ringPosition[k] around the ring.
    const std::vector<int> ringPosition{0, 3, 1, 4, 2};
    const std::vector<cVector3> r = ring(ringPosition);
    const tGraph graph = chainNeighbourGraph(r.data(), 5);
    // Each chain neighbours exactly the two chains beside it on the ring.
    for (int k = 0; k < 5; ++k) {
        ASSERT_EQ(graph[k].size(), 2u) << "chain " << k;
        for (int j : graph[k]) {
            const int step = (ringPosition[j] - ringPosition[k] + 5) % 5;
            EXPECT_TRUE(step == 1 || step == 4) << k << "-" << j;
        }
    }
    // The first map places element k on the k-th chain around the ring from chain 0, in the
    // direction met first in chain order.
    const std::vector<std::vector<int>> solutions = maxInducedSubGraph(graph, groupElementGraph('c', 5));
    ASSERT_FALSE(solutions.empty());
    EXPECT_EQ(solutions[0], (std::vector<int>{0, 2, 4, 1, 3}));

    std::vector<cVector3> d1, d2;
    ringFrames(ringPosition, d1, d2);
    CubicGroupCorrespondence correspondence;
    const auto result = correspondence.fitToSymmetryGroup('c', r.data(), d1.data(), d2.data(), 5, 5);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->second.empty());
    // The main permutation sends every chain to a ring neighbour, in one consistent direction.
    const int step = (ringPosition[result->main[0]] - ringPosition[0] + 5) % 5;
    EXPECT_TRUE(step == 1 || step == 4);
    for (int k = 0; k < 5; ++k) EXPECT_EQ((ringPosition[result->main[k]] - ringPosition[k] + 5) % 5, step);
}

TEST(CubicGroupCorrespondence, RingsTiltedAndRoundedLikeFileCoordinatesKeepOnlyRingEdges) {
    // Centres of mass of n chains around a tilted axis, 30 + 2.3 n Å out, known to the 3 decimals
    // of a PDB file: every direction lies in one plane through the centre up to rounding, so
    // each chain neighbours the two beside it, and no other but (depending on rounding) the one
    // opposite, whose chord passes through the centre and has an empty ball.
    const cVector3 axis = cVector3(0.3, -0.5, 0.8).normalizedVersion();
    const cVector3 across = cVector3(axis.y, -axis.x, 0.0).normalizedVersion();
    for (int n : {24, 48, 60, 120}) {
        std::vector<cVector3> centres;
        cVector3 mean(0.0);
        for (int k = 0; k < n; ++k) {
            cMatrix33 R;
            R.fromAxisAngle(axis, 2.0 * std::numbers::pi * k / n);
            cVector3 c = R * (across * (30.0 + 2.3 * n)) + cVector3(10.0, -5.0, 3.0);
            c = cVector3(std::round(c.x * 1000.0) / 1000.0, std::round(c.y * 1000.0) / 1000.0,
                         std::round(c.z * 1000.0) / 1000.0);
            centres.push_back(c);
            mean += c;
        }
        mean /= static_cast<double>(n);
        std::vector<cVector3> r;
        for (const cVector3& c : centres) r.push_back((c - mean).normalizedVersion());
        const tGraph graph = chainNeighbourGraph(r.data(), n);
        for (int k = 0; k < n; ++k) {
            std::vector<int> allowed{(k + 1) % n, (k + n - 1) % n, (k + n / 2) % n};
            for (int j : graph[k]) EXPECT_NE(std::find(allowed.begin(), allowed.end(), j), allowed.end()) << n << ": " << k << "-" << j;
            for (int j : {allowed[0], allowed[1]}) EXPECT_TRUE(std::binary_search(graph[k].begin(), graph[k].end(), j)) << n << ": " << k << "-" << j;
        }
    }
}

TEST(CubicGroupCorrespondence, MissingChainsOfACyclicCopyTakeTheLastSlotsInOrder) {
    // Four chains of a six-fold ring, places 0, 1, 2, 3.
    const std::vector<cVector3> r{cVector3(1.0, 0.0, 0.0), cVector3(0.5, 0.8660254037844386, 0.0),
                                  cVector3(-0.5, 0.8660254037844386, 0.0), cVector3(-1.0, 0.0, 0.0)};
    const tGraph graph = chainNeighbourGraph(r.data(), 4);
    const std::vector<std::vector<int>> solutions = maxInducedSubGraph(graph, groupElementGraph('c', 6));
    ASSERT_FALSE(solutions.empty());
    for (const std::vector<int>& s : solutions) {
        ASSERT_EQ(s.size(), 6u);
        // Elements after the fourth take the unused local indices in increasing order.
        std::vector<int> unused;
        for (int k = 0; k < 6; ++k)
            if (std::find(s.begin(), s.begin() + 4, k) == s.begin() + 4) unused.push_back(k);
        EXPECT_EQ(std::vector<int>(s.begin() + 4, s.end()), unused);
    }
    CubicGroupCorrespondence correspondence;
    const auto result = correspondence.fitToSymmetryGroup('c', r.data(), nullptr, nullptr, 6, 4);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->main.size(), 6u);
}

TEST(CubicGroupCorrespondence, MissingChainsAreNeverLookedUpInTheChainGraph) {
    // Three real chains in a path and a five-element ring: element 2 neighbours element 1, which
    // may hold a missing chain (local index 3 or 4) when a real chain is tried for element 2.
    const tGraph chains{{1}, {0, 2}, {1}};
    const std::vector<std::vector<int>> solutions = maxInducedSubGraph(chains, groupElementGraph('c', 5));
    ASSERT_FALSE(solutions.empty());
    bool missingBeforeReal = false;
    for (const std::vector<int>& s : solutions) {
        EXPECT_EQ(s[0], 0);
        missingBeforeReal = missingBeforeReal || (s[1] >= 3 && s[2] < 3);
    }
    EXPECT_TRUE(missingBeforeReal);
    // With a single real chain there is nothing to place.
    const std::vector<std::vector<int>> single = maxInducedSubGraph(tGraph{{}}, groupElementGraph('c', 3));
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0], (std::vector<int>{0, 1, 2}));
    // More real chains than elements cannot be placed.
    EXPECT_TRUE(maxInducedSubGraph(tGraph{{1, 2}, {0, 2}, {0, 1}}, groupElementGraph('c', 2)).empty());
}

TEST(CubicGroupCorrespondence, DihedralCopyOfFourChainsPairsElementIWithThreeMinusI) {
    std::mt19937_64 rng = seededEngine("CubicGroupCorrespondence.D2");
    const synthetic::sAssembly assembly = synthetic::buildAssembly('d', 2, rng, 0.0, 20.0);
    cSym sym(nullptr, nullptr);
    synthetic::loadAssembly(sym, assembly, false);
    std::vector<cVector3> r, d1, d2;
    cVector3 centre(0.0);
    for (cMolecule* chain : sym.chains) centre += chain->centreOfMass;
    centre /= 4.0;
    for (cMolecule* chain : sym.chains) {
        r.push_back((chain->centreOfMass - centre).normalizedVersion());
        d1.push_back(chain->direction1);
        d2.push_back(chain->direction2);
    }
    const tGraph graph = chainNeighbourGraph(r.data(), 4);
    const std::vector<std::vector<int>> solutions = maxInducedSubGraph(graph, groupElementGraph('d', 2));
    ASSERT_FALSE(solutions.empty());
    CubicGroupCorrespondence correspondence;
    const auto result = correspondence.fitToSymmetryGroup('d', r.data(), d1.data(), d2.data(), 2, 4);
    ASSERT_TRUE(result);
    // Whatever map was kept, the second generator takes the chain of element i to that of 3 - i,
    // so it is an involution without fixed chains, like the main generator.
    for (int k = 0; k < 4; ++k) {
        EXPECT_NE(result->second[k], k);
        EXPECT_EQ(result->second[result->second[k]], k);
        EXPECT_NE(result->main[k], k);
        EXPECT_EQ(result->main[result->main[k]], k);
    }
}

TEST(CubicGroupCorrespondence, SolutionCountStopsAtOneThousand) {
    // A complete graph of 60 chains admits far more maps of the icosahedral element graph.
    tGraph complete(60);
    for (int j = 0; j < 60; ++j)
        for (int k = 0; k < 60; ++k)
            if (j != k) complete[j].push_back(k);
    EXPECT_EQ(maxInducedSubGraph(complete, groupElementGraph('i', 0)).size(), 1000u);
}

TEST(CubicGroupCorrespondence, PenaltyPrefersTheRegularRing) {
    // A square ring (c4): the map along the ring costs nothing; one that crosses it does.
    const std::vector<cVector3> r{cVector3(1.0, 0.0, 0.0), cVector3(0.0, 1.0, 0.0), cVector3(-1.0, 0.0, 0.0),
                                  cVector3(0.0, -1.0, 0.0)};
    std::vector<std::vector<double>> D(4, std::vector<double>(4));
    for (int j = 0; j < 4; ++j)
        for (int k = 0; k < 4; ++k) D[j][k] = (r[j] - r[k]).norm2();
    std::vector<cVector3> d1, d2;
    ringFrames({0, 1, 2, 3}, d1, d2);
    CubicGroupCorrespondence correspondence;
    const tGraph elements = groupElementGraph('c', 4);
    const double along = correspondence.computeIsoPenalty('c', elements, {0, 1, 2, 3}, D, d1.data(), d2.data(), 4, 4);
    const double across = correspondence.computeIsoPenalty('c', elements, {0, 2, 1, 3}, D, d1.data(), d2.data(), 4, 4);
    EXPECT_NEAR(along, 0.0, 1e-20);
    EXPECT_GT(across, 1.0);
    // No term at all (every neighbour missing) gives the largest penalty.
    EXPECT_EQ(correspondence.computeIsoPenalty('c', elements, {0, 1, 2, 3}, D, nullptr, nullptr, 4, 1), 1e99);
    EXPECT_EQ(correspondence.computeIsoPenalty('c', elements, {}, D, nullptr, nullptr, 0, 0), 1e99);
}

TEST(CubicGroupCorrespondence, UnusableGroupsPrintTheirMessageAndGiveNothing) {
    const std::vector<cVector3> r{cVector3(1.0, 0.0, 0.0), cVector3(-1.0, 0.0, 0.0)};
    CubicGroupCorrespondence correspondence;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(correspondence.fitToSymmetryGroup('c', r.data(), nullptr, nullptr, 1, 2));
    EXPECT_FALSE(correspondence.fitToSymmetryGroup('d', r.data(), nullptr, nullptr, 1, 2));
    EXPECT_FALSE(correspondence.fitToSymmetryGroup('x', r.data(), nullptr, nullptr, 2, 2));
    // A dihedral copy must be complete; a cyclic one cannot hold more chains than elements.
    EXPECT_FALSE(correspondence.fitToSymmetryGroup('d', r.data(), nullptr, nullptr, 2, 2));
    EXPECT_FALSE(correspondence.fitToSymmetryGroup('c', r.data(), nullptr, nullptr, 3, 4));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("order expected >= 2\norder expected >= 2\n"), std::string::npos);
    EXPECT_NE(out.find("Unknown group of symmetry : x expected i, o, t, c or d.\n"), std::string::npos);
}

TEST(CubicGroupCorrespondence, FailedCorrespondenceEndsTheGroupAsNotClustered) {
    std::mt19937_64 rng = seededEngine("CubicGroupCorrespondence.Failed");
    const synthetic::sAssembly assembly = synthetic::buildAssembly('c', 3, rng, 0.0, 20.0);
    cSym sym(nullptr, nullptr);
    synthetic::loadAssembly(sym, assembly, false);
    cHelicalSymmetry helical;
    sym.clusterChains(3, {}, false);
    ASSERT_TRUE(sym.chainToCluster);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(sym.estimateCorrespondence(&helical, 0));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Unknown group of symmetry : h"), std::string::npos);
    EXPECT_FALSE(sym.chainToCluster);
    // A set beyond the clusters is refused the same way.
    cCnSymmetry c3(3);
    sym.clusterChains(3, {}, false);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(sym.estimateCorrespondence(&c3, 1));
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(sym.chainToCluster);
}

TEST(CubicGroupCorrespondence, PermutationPairCoversOnlyTheSetsSlots) {
    // A D3 hexamer tested as c3 clusters into its two trimers; the pair for set 1 permutes the
    // second trimer's slots among themselves and leaves set 0's slots undefined.
    std::mt19937_64 rng = seededEngine("CubicGroupCorrespondence.Sets");
    const synthetic::sAssembly assembly = synthetic::buildAssembly('d', 3, rng, 0.0, 25.0);
    cSym sym(nullptr, nullptr);
    synthetic::loadAssembly(sym, assembly, true);
    cCnSymmetry c3(3);
    sym.clusterChains(3, synthetic::expectedAngles(c3), false);
    ASSERT_TRUE(sym.chainToCluster);
    ASSERT_EQ(sym.clusterIds.size(), 2u);
    ASSERT_TRUE(sym.estimateCorrespondence(&c3, 1));
    const std::vector<int>& slots = *sym.chainToCluster;
    ASSERT_EQ(static_cast<int>(sym.mainPermutation.size()), 6);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(sym.secondPermutation[k], -1);
        if (slots[k] == sym.clusterIds[0]) {
            EXPECT_EQ(sym.mainPermutation[k], -1);
        } else {
            ASSERT_GE(sym.mainPermutation[k], 0);
            EXPECT_EQ(slots[sym.mainPermutation[k]], sym.clusterIds[1]);
            EXPECT_NE(sym.mainPermutation[k], k);
        }
    }
}

// Overlaid copies (NMR models read as chains) fit no map of a large cyclic group: without a
// bound the backtracking of every round is exponential and the run never ends.
TEST(CubicGroupCorrespondence, HopelessSearchStopsAtItsStepBudget) {
    std::mt19937 random(7);
    std::normal_distribution<double> jitter(0.0, 1e-3);
    std::vector<cVector3> r;
    for (int model = 0; model < 20; ++model)
        for (const cVector3& chain : ring({0, 1, 2})) {
            const auto [dx, dy, dz] = draws<3>(jitter, random);
            r.push_back(cVector3(chain.x + dx, chain.y + dy, dz).normalizedVersion());
        }
    CubicGroupCorrespondence correspondence;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(correspondence.fitToSymmetryGroup('c', r.data(), nullptr, nullptr, 60, 60));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("search steps"), std::string::npos);

    // The budget is shared and written back; a spent budget returns what was found so far.
    const tGraph ringGraph = groupElementGraph('c', 6);
    long long budget = 3;
    EXPECT_TRUE(maxInducedSubGraph(ringGraph, ringGraph, &budget).empty());
    EXPECT_LT(budget, 0);
    budget = 1'000'000;
    EXPECT_EQ(maxInducedSubGraph(ringGraph, ringGraph, &budget).size(),
              maxInducedSubGraph(ringGraph, ringGraph).size());
    EXPECT_GT(budget, 0);
}

TEST(CubicGroupCorrespondence, SearchRunsTheCopyForThisProcessor) {
#if defined(__x86_64__) && defined(__GNUC__)
    // The processor asked directly (CPUID leaf 1, ECX bit 23), not through the compiler's test.
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    ASSERT_TRUE(__get_cpuid(1, &eax, &ebx, &ecx, &edx));
    EXPECT_EQ(maxInducedSubGraphCountsInHardware(), (ecx & bit_POPCNT) != 0);
#else
    EXPECT_FALSE(maxInducedSubGraphCountsInHardware());
#endif
}

namespace {

// The search examined one candidate index at a time; its step count is the budget's unit.
std::vector<std::vector<int>> searchIndexByIndex(const tGraph& chains, const tGraph& elements, long long& budget) {
    const int n = static_cast<int>(elements.size()), a = static_cast<int>(chains.size());
    std::vector<std::vector<int>> solutions;
    std::vector<int> assigned(n, -1);
    std::vector<char> used(n, 0);
    assigned[0] = 0;
    used[0] = 1;
    auto fits = [&](int i, int k) {
        for (int e : elements[i])
            if (e < i && assigned[e] < a && k < a &&
                !std::binary_search(chains[assigned[e]].begin(), chains[assigned[e]].end(), k))
                return false;
        return true;
    };
    for (int i = 1; i >= 1;) {
        int k = assigned[i] + 1;
        if (assigned[i] != -1) used[assigned[i]] = 0;
        assigned[i] = -1;
        for (; k < n; ++k) {
            if (used[k]) continue;
            if (--budget < 0) return solutions;
            if (fits(i, k)) break;
        }
        if (k == n) {
            --i;
            continue;
        }
        assigned[i] = k;
        used[k] = 1;
        if (i + 1 < a) {
            ++i;
            continue;
        }
        std::vector<int> solution = assigned;
        for (int slot = 0, next = 0; slot < n; ++slot) {
            if (solution[slot] != -1) continue;
            while (used[next]) ++next;
            solution[slot] = next++;
        }
        solutions.push_back(solution);
        if (solutions.size() >= 1000) break;
    }
    return solutions;
}

}  // namespace

// Bit-set scans must spend the budget exactly as the index-by-index scan did: a search that ran out
// of steps then must run out at the same candidate now, with the same maps found; and the copy
// that counts bits with the processor's instruction must do exactly what the portable one does.
TEST(CubicGroupCorrespondence, StepBudgetRunsOutWhereAnIndexByIndexScanDid) {
    std::mt19937_64 random = seededEngine("StepBudgetRunsOutWhereAnIndexByIndexScanDid");
    for (const auto& [type, order, chains, density] : std::vector<std::tuple<char, int, int, double>>{
             {'c', 7, 7, 0.5}, {'c', 9, 6, 0.4}, {'d', 4, 8, 0.5}, {'t', 0, 12, 0.6}, {'c', 70, 70, 0.1},
             {'c', 66, 40, 0.2}, {'c', 64, 64, 0.95}}) {
        const tGraph elements = groupElementGraph(type, order);
        tGraph graph(chains);
        std::bernoulli_distribution edge(density);
        for (int j = 0; j < chains; ++j)
            for (int k = j + 1; k < chains; ++k)
                if (edge(random)) graph[j].push_back(k), graph[k].push_back(j);
        for (auto& list : graph) std::sort(list.begin(), list.end());
        for (long long start : {0LL, 1LL, 5LL, 37LL, 400LL, 20'000LL, 3'000'000LL}) {
            long long expectedBudget = start, budget = start;
            const auto expected = searchIndexByIndex(graph, elements, expectedBudget);
            EXPECT_EQ(maxInducedSubGraph(graph, elements, &budget), expected) << type << order << " from " << start;
            EXPECT_EQ(budget, expectedBudget) << type << order << " from " << start;
            budget = start;
            EXPECT_EQ(maxInducedSubGraphPortable(graph, elements, &budget), expected) << type << order;
            EXPECT_EQ(budget, expectedBudget) << type << order << " from " << start;
        }
    }
}
