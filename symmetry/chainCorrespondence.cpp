// Chain-to-element correspondence: the chain neighbour graph, the search for maps of the group's
// element graph into it, the geometric penalty that picks one map, and the generator
// permutations of the chain slots of one cluster set.
#include "symmetry/chainCorrespondence.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>

#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/elementTables.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr std::size_t kMaxSolutions = 1000;
// Relative size below which the product of the two plane distances of the neighbour test counts
// as zero, the distances being scaled by the lengths they are built from. Coordinates carry
// three decimals, so a direction is known to about 1e-5 of its length; for a ring of chains
// (every direction in one plane) the scaled product of two such errors stays below 1e-9, while
// distances from the plane that decide anything in a real assembly are many orders larger.
constexpr double kOnPlaneTolerance = 1e-6;

bool isCubic(char type) { return type == 't' || type == 'o' || type == 'i'; }

// Penalty parameters: rho, the expected ratio of the squared distance between an element's two
// polygon neighbours to the mean squared distance from the element to them, and tau, the
// expected trace 1 + 2 cos(theta) of the rotation between neighbouring chains.
struct sPenaltyParameters {
    double rho;
    double tau;
};

sPenaltyParameters penaltyParameters(char type, int elementCount) {
    switch (type) {
        case 't': return {1.0, 0.0};
        case 'o': return {2.0, 1.0};
        case 'i': return {2.618033988749895, 1.618033988749895};
        default: {
            // 4 cos^2(pi / n), written through the polygon's interior half-angle.
            const double n = elementCount;
            const double half = std::cos((0.5 - (n - 2.0) / (2.0 * n)) * kPi);
            return {4.0 * half * half, 2.0 * std::cos(2.0 * kPi / n) + 1.0};
        }
    }
}

// Trace of F_j^T F_k for the frames (d1, d2, d1 x d2) of two chains: 1 + 2 cos of the angle of
// the rotation between them.
double frameTrace(const cVector3* d1, const cVector3* d2, int j, int k) {
    return (d1[j] | d1[k]) + (d2[j] | d2[k]) + ((d1[j] ^ d2[j]) | (d1[k] ^ d2[k]));
}

void addEdge(tGraph& graph, int j, int k) {
    graph[j].insert(std::upper_bound(graph[j].begin(), graph[j].end(), k), k);
    graph[k].insert(std::upper_bound(graph[k].begin(), graph[k].end(), j), j);
}

}  // namespace

tGraph chainNeighbourGraph(const cVector3* r, int a) {
    tGraph graph(std::max(a, 0));
    for (int j = 0; j < a; ++j) {
        for (int k = j + 1; k < a; ++k) {
            const cVector3 M = (r[j] + r[k]) * 0.5;
            bool adjacent = true;
            for (int l = 0; l < a && adjacent; ++l) {
                if (l == j || l == k || !((r[l] | M) > M.norm2())) continue;
                // Chain l lies in the ball on the chord j-k: the pair is cut when a fourth chain
                // lies on the far side of the plane through j, k and l, or on it.
                const cVector3 N = (r[k] - r[j]) ^ (r[l] - r[j]);
                const cVector3 G = (r[j] + r[k] + r[l]) / 3.0;
                // When every chain lies in one plane through the centre (a ring) both factors are
                // rounding noise, whose sign means nothing: a product within a relative tolerance
                // of zero is "on it". N's rounding error scales with |r_k - r_j| |r_l - r_j|,
                // not with |N|, which vanishes for three chains in a row.
                const double gN = G | N;
                const double spans = (r[k] - r[j]).norm() * (r[l] - r[j]).norm();
                const double scale = G.norm() * spans * spans;
                for (int m = 0; m < a; ++m) {
                    if (m == j || m == k || m == l) continue;
                    const cVector3 offset = r[m] - G;
                    if ((offset | N) * gN >= -kOnPlaneTolerance * offset.norm() * scale) {
                        adjacent = false;
                        break;
                    }
                }
            }
            if (adjacent) {
                graph[j].push_back(k);
                graph[k].push_back(j);
            }
        }
    }
    for (std::vector<int>& list : graph) std::sort(list.begin(), list.end());
    return graph;
}

std::vector<std::vector<int>> maxInducedSubGraph(const tGraph& chainGraph, const tGraph& elementGraph,
                                                 long long* stepBudget) {
    std::vector<std::vector<int>> solutions;
    const int n = static_cast<int>(elementGraph.size());
    const int a = static_cast<int>(chainGraph.size());
    // More real chains than elements cannot be placed one per element.
    if (n <= 0 || a > n) return solutions;

    std::vector<char> adjacent(static_cast<std::size_t>(a) * a, 0);
    for (int j = 0; j < a; ++j)
        for (int k : chainGraph[j])
            if (k >= 0 && k < a) adjacent[static_cast<std::size_t>(j) * a + k] = 1;

    std::vector<int> assigned(n, -1);
    std::vector<char> used(n, 0);
    assigned[0] = 0;
    used[0] = 1;

    auto record = [&] {
        std::vector<int> solution = assigned;
        int next = 0;
        for (int& slot : solution) {
            if (slot != -1) continue;
            while (used[next]) ++next;
            slot = next++;
        }
        solutions.push_back(std::move(solution));
    };

    // Fewer than two real chains: nothing to place but chain 0.
    if (a <= 1 || n == 1) {
        record();
        return solutions;
    }

    int i = 1;
    while (i >= 1) {
        // Next candidate for element i, after the one it held before.
        int start = 0;
        if (assigned[i] != -1) {
            start = assigned[i] + 1;
            used[assigned[i]] = 0;
            assigned[i] = -1;
        }
        int chosen = -1;
        for (int k = start; k < n && chosen < 0; ++k) {
            if (used[k]) continue;
            if (stepBudget && --*stepBudget < 0) return solutions;
            bool fits = true;
            if (k < a) {
                for (int neighbour : elementGraph[i]) {
                    if (neighbour >= i || neighbour < 0) continue;
                    const int chain = assigned[neighbour];
                    // A missing chain has no place in the chain graph: nothing to test.
                    if (chain >= a) continue;
                    if (!adjacent[static_cast<std::size_t>(chain) * a + k]) {
                        fits = false;
                        break;
                    }
                }
            }
            if (fits) chosen = k;
        }
        if (chosen < 0) {
            --i;  // the choice at i - 1 is released when that level looks for its next candidate
            continue;
        }
        assigned[i] = chosen;
        used[chosen] = 1;
        if (i + 1 == a) {
            record();
            if (solutions.size() >= kMaxSolutions) break;
            continue;  // look for the next candidate at the same element
        }
        ++i;
    }
    return solutions;
}

double CubicGroupCorrespondence::computeIsoPenalty(char type, const tGraph& elementGraph,
                                                   const std::vector<int>& solution,
                                                   const std::vector<std::vector<double>>& D, const cVector3* d1,
                                                   const cVector3* d2, int elementCount, int chainCount) {
    if (elementCount <= 0) return 1e99;
    const sPenaltyParameters parameters = penaltyParameters(type, elementCount);
    const bool cubic = isCubic(type);
    const bool frames = d1 && d2;
    auto real = [&](int chain) { return chain >= 0 && chain < chainCount; };

    double sum = 0.0;
    int terms = 0;
    for (int i = 0; i < elementCount; ++i) {
        const int c = solution[i];
        const std::vector<int>& neighbours = elementGraph[i];
        const int x = solution[neighbours[cubic ? 2 : 0]];
        const int y = solution[neighbours[cubic ? 3 : 1]];
        if (real(c) && real(x) && real(y)) {
            const double u = D[c][x];
            const double v = D[c][y];
            const double shape = parameters.rho * (u + v) / 2.0 - D[y][x];
            sum += shape * shape + (u - v) * (u - v);
            terms += 2;
        }
        if (real(c) && frames) {
            for (int other : {x, y}) {
                if (!real(other)) continue;
                const double deviation = frameTrace(d1, d2, c, other) - parameters.tau;
                sum += 1000.0 * deviation * deviation;
                terms += 1;
            }
        }
        if (cubic && real(c) && frames) {
            // The three rotations of a 3-fold trimer have trace 0.
            const int xp = solution[neighbours[0]];
            const int yp = solution[neighbours[1]];
            if (real(xp) && real(yp)) {
                const double t1 = frameTrace(d1, d2, c, xp);
                const double t2 = frameTrace(d1, d2, xp, yp);
                const double t3 = frameTrace(d1, d2, yp, c);
                sum += 1000.0 * (t1 * t1 + t2 * t2 + t3 * t3);
            }
        }
    }
    if (terms == 0) return 1e99;
    return sum / (static_cast<double>(terms) * terms);
}

std::optional<sGeneratorPermutations> CubicGroupCorrespondence::fitToSymmetryGroup(char type, const cVector3* r,
                                                                                   const cVector3* d1,
                                                                                   const cVector3* d2, int order,
                                                                                   int chainCount) {
    if (type != 'c' && type != 'd' && !isCubic(type)) {
        std::cout << "Unknown group of symmetry : " << type << " expected i, o, t, c or d." << std::endl;
        return std::nullopt;
    }
    if ((type == 'c' || type == 'd') && order < 2) {
        std::cout << "order expected >= 2" << std::endl;
        return std::nullopt;
    }
    const int n = groupElementCount(type, order);
    // A cyclic copy may lack chains; the other groups are matched on complete copies only. Any
    // other count would read past the chain arrays.
    const bool fits = type == 'c' ? chainCount >= 1 && chainCount <= n : chainCount == n;
    if (!fits) {
        std::cout << "Error, " << chainCount << " chains in a copy of the assembly do not fit the " << n
                  << " elements of the group" << std::endl;
        return std::nullopt;
    }
    const int a = chainCount;

    std::vector<std::vector<double>> D(a, std::vector<double>(a, 0.0));
    for (int j = 0; j < a; ++j)
        for (int k = 0; k < a; ++k)
            if (j != k) D[j][k] = (r[j] - r[k]).norm2();

    tGraph chainGraph = chainNeighbourGraph(r, a);
    const tGraph elementGraph = groupElementGraph(type, order);
    std::vector<std::vector<int>> solutions;
    long long budget = kMaxCorrespondenceSteps;
    while ((solutions = maxInducedSubGraph(chainGraph, elementGraph, &budget)).empty()) {
        if (budget < 0) {
            std::cout << "Error, no correspondence between the chains and the group elements found within "
                      << kMaxCorrespondenceSteps << " search steps" << std::endl;
            return std::nullopt;
        }
        // Join the closest pair of chains that are not yet neighbours and try again.
        int bestJ = -1, bestK = -1;
        double best = std::numeric_limits<double>::infinity();
        for (int j = 0; j < a; ++j)
            for (int k = j + 1; k < a; ++k)
                if (!std::binary_search(chainGraph[j].begin(), chainGraph[j].end(), k) && D[j][k] < best) {
                    best = D[j][k];
                    bestJ = j;
                    bestK = k;
                }
        if (bestJ < 0) {
            // The complete graph always admits a map; this guards against distances that are
            // not numbers.
            std::cout << "Error, no correspondence between the chains and the group elements" << std::endl;
            return std::nullopt;
        }
        addEdge(chainGraph, bestJ, bestK);
    }

    // Only a strictly smaller penalty replaces: the first of equal ones stays.
    std::size_t kept = 0;
    double bestPenalty = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < solutions.size(); ++k) {
        const double penalty = computeIsoPenalty(type, elementGraph, solutions[k], D, d1, d2, n, a);
        if (penalty < bestPenalty) {
            bestPenalty = penalty;
            kept = k;
        }
    }

    const std::vector<int>& s = solutions[kept];
    const std::vector<int> mainTable = groupMainGenerator(type, order);
    const std::vector<int> secondTable = groupSecondGenerator(type, order);
    sGeneratorPermutations result;
    result.main.assign(n, -1);
    if (type != 'c') result.second.assign(n, -1);
    for (int i = 0; i < n; ++i) {
        result.main[s[i]] = s[mainTable[i]];
        if (type != 'c') result.second[s[i]] = s[secondTable[i]];
    }
    return result;
}

bool cSym::estimateCorrespondence(cPointSymmetryGroup* group, int set) {
    if (!chainToCluster || set < 0 || static_cast<std::size_t>(set) >= clusterIds.size()) {
        std::cout << "Error, no cluster set " << set << " to match to the group" << std::endl;
        chainToCluster.reset();
        return false;
    }
    const std::vector<int>& slots = *chainToCluster;
    const int id = clusterIds[set];
    std::vector<int> slotList;
    for (int i = 0; i < static_cast<int>(slots.size()); ++i)
        if (slots[i] == id) slotList.push_back(i);

    std::vector<int> real;
    const int n = std::min(chainCount, static_cast<int>(chains.size()));
    for (int slot : slotList)
        if (slot < n) real.push_back(slot);
    cVector3 centre(0.0);
    for (int k : real) centre += chains[k]->centreOfMass;
    if (!real.empty()) centre /= static_cast<double>(real.size());

    std::vector<cVector3> directions, d1, d2;
    for (int k : real) {
        cVector3 direction = chains[k]->centreOfMass - centre;
        const double length = direction.norm();
        if (length > 0.0) direction /= length;
        directions.push_back(direction);
        d1.push_back(chains[k]->direction1);
        d2.push_back(chains[k]->direction2);
    }

    CubicGroupCorrespondence correspondence;
    const std::optional<sGeneratorPermutations> result = correspondence.fitToSymmetryGroup(
        group->type.empty() ? '\0' : group->type[0], directions.data(), d1.data(), d2.data(), group->order,
        static_cast<int>(real.size()));
    if (result && result->main.size() != slotList.size()) {
        std::cout << "Error, " << slotList.size() << " chain slots in a copy of the assembly do not fit the "
                  << result->main.size() << " elements of the group" << std::endl;
    }
    if (!result || result->main.size() != slotList.size()) {
        // Without a correspondence the group cannot be fitted: report it as not clustered.
        chainToCluster.reset();
        return false;
    }

    const bool cyclic = group->type == "c";
    mainPermutation.assign(permutationLength, -1);
    secondPermutation.assign(permutationLength, -1);
    for (std::size_t j = 0; j < slotList.size(); ++j) {
        const int slot = slotList[j];
        if (slot >= permutationLength) continue;
        mainPermutation[slot] = slotList[result->main[j]];
        if (!cyclic) secondPermutation[slot] = slotList[result->second[j]];
    }
    return true;
}
