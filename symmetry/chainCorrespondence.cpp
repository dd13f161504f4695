// Chain-to-element correspondence: the chain neighbour graph, the search for maps of the group's
// element graph into it, the geometric penalty that picks one map, and the generator
// permutations of the chain slots of one cluster set.
#include "symmetry/chainCorrespondence.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <string>

#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/elementTables.h"
#include "symmetry/ringPlaces.h"

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

// Bit sets of local chain indices, for the correspondence search.
using tWord = std::uint64_t;
constexpr int kWordBits = 64;

void setBit(tWord* set, int k) { set[k / kWordBits] |= tWord{1} << (k % kWordBits); }

// What the search reads, prepared once per call. allowed: per local chain index j (n rows of
// `words` words), the indices that may take an element next to one held by j: for a real chain
// its neighbours in the chain graph and every missing chain; for a missing chain, any index.
// earlier: per element, its graph neighbours placed before it (CSR: earlierStart[i] ..
// earlierStart[i + 1] in earlierList).
struct sSearchInput {
    int n = 0;
    int a = 0;
    int words = 0;
    std::vector<tWord> allowed;
    std::vector<int> earlierStart;
    std::vector<int> earlierList;
};

// Bits 0 .. b of a word (b in 0 .. 63): (2 << b) - 1 wraps to all ones for b = 63.
inline tWord upToBit(int b) { return (tWord{2} << b) - 1; }

// Per element level i, three bit sets of `words` words each, at i * words: the indices free
// when the level was entered, the free indices it has not examined yet, and its candidates among
// them (free indices that every placed graph neighbour allows). Level 0 holds chain 0.
struct sLevelSets {
    tWord* freeAt;
    tWord* unexamined;
    tWord* candidates;
};

// Enters level i: the indices free at level i - 1 but the one it chose, all unexamined, and the
// candidates among them. On one word the candidates are built in a register: stores into a set
// might otherwise be reloaded from every row they could overlap.
template <int kWords>
[[gnu::always_inline]] inline void enterLevel(const sSearchInput& in, int words, const sLevelSets& sets,
                                              const int* assigned, int i) {
    const std::size_t at = static_cast<std::size_t>(i) * words;
    const tWord* before = sets.freeAt + (at - words);
    const int taken = assigned[i - 1];
    const int* neighbour = in.earlierList.data() + in.earlierStart[i];
    const int* lastNeighbour = in.earlierList.data() + in.earlierStart[i + 1];
    if constexpr (kWords == 1) {
        const tWord bits = before[0] & ~(tWord{1} << taken);
        tWord fits = bits;
        for (; neighbour != lastNeighbour; ++neighbour) fits &= in.allowed[assigned[*neighbour]];
        sets.freeAt[at] = sets.unexamined[at] = bits;
        sets.candidates[at] = fits;
    } else {
        for (int w = 0; w < words; ++w) {
            tWord bits = before[w];
            if (w == taken / kWordBits) bits &= ~(tWord{1} << (taken % kWordBits));
            sets.freeAt[at + w] = sets.unexamined[at + w] = sets.candidates[at + w] = bits;
        }
        for (; neighbour != lastNeighbour; ++neighbour) {
            const tWord* row = in.allowed.data() + static_cast<std::size_t>(assigned[*neighbour]) * words;
            for (int w = 0; w < words; ++w) sets.candidates[at + w] &= row[w];
        }
    }
}

// The next candidate of a level (its lowest), or -1; steps: the free indices examined on the way,
// which are then no longer unexamined.
template <int kWords>
[[gnu::always_inline]] inline int nextCandidate(tWord* unexamined, tWord* candidates, int words,
                                                long long& steps) {
    if constexpr (kWords == 1) {
        const tWord open = *unexamined, fits = *candidates;
        if (!fits) {
            steps = std::popcount(open);
            return -1;
        }
        const int chosen = std::countr_zero(fits);
        const tWord examined = upToBit(chosen);
        steps = std::popcount(open & examined);
        *unexamined = open & ~examined;
        *candidates = fits & (fits - 1);
        return chosen;
    } else {
        steps = 0;
        for (int w = 0; w < words; ++w) {
            if (candidates[w]) {
                const int bit = std::countr_zero(candidates[w]);
                steps += std::popcount(unexamined[w] & upToBit(bit));
                unexamined[w] &= ~upToBit(bit);
                candidates[w] &= candidates[w] - 1;
                return w * kWordBits + bit;
            }
            steps += std::popcount(unexamined[w]);
            unexamined[w] = 0;
        }
        return -1;
    }
}

// The depth-first search over elements 1 .. a - 1, candidates in increasing index order. A level
// keeps its sets while deeper levels are searched (its own choice is never in a deeper level's
// sets), so nothing is released or copied on the way back. One step of the budget is one free
// index examined for an element: a level's scan from its previous choice costs the free indices
// up to and including the one chosen (all of them when none fits), so the budget runs out at the
// same candidate, with the same solutions found, as a scan index by index.
//
// kWords: the word count when fixed at compile time (1: up to 64 elements, every cubic group),
// 0 for any. Always inlined, so that each caller below compiles it for its own instruction set.
template <int kWords>
[[gnu::always_inline]] inline void searchLevels(const sSearchInput& in, long long& budget, bool& spent,
                                                std::vector<std::vector<int>>& solutions) {
    const int n = in.n, a = in.a;
    const int words = kWords > 0 ? kWords : in.words;
    const std::size_t setWords = static_cast<std::size_t>(a) * words;
    std::vector<tWord> storage(3 * setWords, 0);
    const sLevelSets sets{storage.data(), storage.data() + setWords, storage.data() + 2 * setWords};
    std::vector<int> assigned(n, -1);
    assigned[0] = 0;

    for (int k = 0; k < n; ++k) setBit(sets.freeAt, k);
    enterLevel<kWords>(in, words, sets, assigned.data(), 1);
    long long left = budget;
    int i = 1;
    while (i >= 1) {
        const std::size_t at = static_cast<std::size_t>(i) * words;
        long long steps;
        const int chosen = nextCandidate<kWords>(sets.unexamined + at, sets.candidates + at, words, steps);
        if (steps > left) {
            spent = true;
            break;
        }
        left -= steps;
        if (chosen < 0) {
            --i;
            continue;
        }
        assigned[i] = chosen;
        if (i + 1 < a) {
            enterLevel<kWords>(in, words, sets, assigned.data(), ++i);
            continue;
        }
        // The elements without a real chain take the free indices left, in increasing order.
        std::vector<int> solution = assigned;
        int slot = a;
        for (int w = 0; w < words && slot < n; ++w) {
            tWord bits = sets.freeAt[at + w];
            if (w == chosen / kWordBits) bits &= ~(tWord{1} << (chosen % kWordBits));
            for (; bits && slot < n; bits &= bits - 1) solution[slot++] = w * kWordBits + std::countr_zero(bits);
        }
        solutions.push_back(std::move(solution));
        if (solutions.size() >= kMaxSolutions) break;
        // The next candidate for the same element follows.
    }
    budget = left;
}

// The generator permutations of the local chain indices under the solution s (element i held
// by local chain s[i]).
sGeneratorPermutations generatorPermutations(char type, int order, const std::vector<int>& s) {
    const int n = static_cast<int>(s.size());
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

namespace {

// The search for any word count, compiled into each caller below.
[[gnu::always_inline]] inline std::vector<std::vector<int>> searchMaps(const tGraph& chainGraph,
                                                                       const tGraph& elementGraph,
                                                                       long long* stepBudget) {
    std::vector<std::vector<int>> solutions;
    const int n = static_cast<int>(elementGraph.size());
    const int a = static_cast<int>(chainGraph.size());
    // More real chains than elements cannot be placed one per element.
    if (n <= 0 || a > n) return solutions;

    // Fewer than two real chains: nothing to place but chain 0; the others take the rest in order.
    if (a <= 1 || n == 1) {
        std::vector<int> solution(n);
        for (int k = 0; k < n; ++k) solution[k] = k;
        solutions.push_back(std::move(solution));
        return solutions;
    }

    sSearchInput in;
    in.n = n;
    in.a = a;
    in.words = (n + kWordBits - 1) / kWordBits;
    in.allowed.assign(static_cast<std::size_t>(n) * in.words, 0);
    for (int j = 0; j < n; ++j) {
        tWord* row = &in.allowed[static_cast<std::size_t>(j) * in.words];
        if (j < a) {
            for (int k : chainGraph[j])
                if (k >= 0 && k < a) setBit(row, k);
            for (int k = a; k < n; ++k) setBit(row, k);
        } else {
            // A missing chain has no place in the chain graph: nothing to test.
            for (int k = 0; k < n; ++k) setBit(row, k);
        }
    }
    // Element i is constrained by its graph neighbours placed before it.
    in.earlierStart.assign(n + 1, 0);
    for (int i = 0; i < n; ++i) {
        for (int neighbour : elementGraph[i])
            if (neighbour >= 0 && neighbour < i) in.earlierList.push_back(neighbour);
        in.earlierStart[i + 1] = static_cast<int>(in.earlierList.size());
    }

    long long budget = stepBudget ? *stepBudget : std::numeric_limits<long long>::max();
    bool spent = false;
    if (in.words == 1) searchLevels<1>(in, budget, spent, solutions);
    else searchLevels<0>(in, budget, spent, solutions);
    if (stepBudget) *stepBudget = spent ? -1 : budget;
    return solutions;
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same search where the processor counts bits in one instruction (POPCNT): x86-64 processors
// before it count them in a library call, which took a seventh of a hopeless search's time.
[[gnu::target("popcnt")]] std::vector<std::vector<int>> searchMapsCountingInHardware(const tGraph& chainGraph,
                                                                                  const tGraph& elementGraph,
                                                                                  long long* stepBudget) {
    return searchMaps(chainGraph, elementGraph, stepBudget);
}

bool processorCountsBits() {
    static const bool counts = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("popcnt") != 0;
    }();
    return counts;
}
#endif

}  // namespace

std::vector<std::vector<int>> maxInducedSubGraphPortable(const tGraph& chainGraph, const tGraph& elementGraph,
                                                         long long* stepBudget) {
    return searchMaps(chainGraph, elementGraph, stepBudget);
}

namespace {

using tMapSearch = std::vector<std::vector<int>> (*)(const tGraph&, const tGraph&, long long*);

// The copy of the search that this processor runs.
tMapSearch searchForProcessor() {
#if defined(__x86_64__) && defined(__GNUC__)
    if (processorCountsBits()) return searchMapsCountingInHardware;
#endif
    return maxInducedSubGraphPortable;
}

}  // namespace

bool maxInducedSubGraphCountsInHardware() { return searchForProcessor() != &maxInducedSubGraphPortable; }

std::vector<std::vector<int>> maxInducedSubGraph(const tGraph& chainGraph, const tGraph& elementGraph,
                                                 long long* stepBudget) {
    return searchForProcessor()(chainGraph, elementGraph, stepBudget);
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
                                                                                   int chainCount,
                                                                                   const cVector3* centres,
                                                                                   double chainRadius) {
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

    // The maps of the element graph into the chain graph, and of them the one with the smallest
    // penalty; empty, with the reason in `failure`, when the search found none.
    const tGraph elementGraph = groupElementGraph(type, order);
    auto searchBest = [&](std::string& failure) -> std::vector<int> {
        tGraph chainGraph = chainNeighbourGraph(r, a);
        std::vector<std::vector<int>> solutions;
        long long budget = kMaxCorrespondenceSteps;
        while ((solutions = maxInducedSubGraph(chainGraph, elementGraph, &budget)).empty()) {
            if (budget < 0) {
                failure = "Error, no correspondence between the chains and the group elements found within " +
                          std::to_string(kMaxCorrespondenceSteps) + " search steps";
                return {};
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
                failure = "Error, no correspondence between the chains and the group elements";
                return {};
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
        return solutions[kept];
    };

    std::string failure;
    if (type == 'c' && a < n && d1 && d2) {
        // An incomplete ring: each chain's place follows from its turn about the ring's axis,
        // which neither the missing neighbours nor the off-axis centre of the chains present can
        // mislead, and, on a ring wide beside its chains, from where its centre lies around it.
        // The graph search's map stands where it puts every chain in its place, in either sense
        // around the ring (its sense is then kept); otherwise the places decide.
        const std::vector<int> places = ringPlaces(d1, d2, centres, chainRadius, n, a);
        const std::vector<int> searched = searchBest(failure);
        if (!searched.empty()) {
            bool same = true, mirrored = true;
            for (int i = 0; i < n; ++i) {
                if (searched[i] >= a) continue;
                same = same && places[searched[i]] == i;
                mirrored = mirrored && places[searched[i]] == (n - i) % n;
            }
            if (same || mirrored) return generatorPermutations(type, order, searched);
        }
        std::vector<int> s(n, -1);
        for (int k = 0; k < a; ++k) s[places[k]] = k;
        // The places left take the missing chains' local indices in increasing order.
        int missing = a;
        for (int& local : s)
            if (local < 0) local = missing++;
        return generatorPermutations(type, order, s);
    }

    const std::vector<int> s = searchBest(failure);
    if (s.empty()) {
        std::cout << failure << std::endl;
        return std::nullopt;
    }
    return generatorPermutations(type, order, s);
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

    std::vector<cVector3> directions, d1, d2, centres;
    // The chains' radius of gyration about their centres of mass (over the atoms the centres are
    // the mean of): the lever arm of a chain's turn, which places the chains of a copy that lacks
    // some.
    const bool incomplete = real.size() < slotList.size();
    double spread = 0.0;
    std::size_t atoms = 0;
    for (int k : real) {
        const cMolecule& chain = *chains[k];
        cVector3 direction = chain.centreOfMass - centre;
        const double length = direction.norm();
        if (length > 0.0) direction /= length;
        directions.push_back(direction);
        d1.push_back(chain.direction1);
        d2.push_back(chain.direction2);
        centres.push_back(chain.centreOfMass);
        if (!incomplete) continue;
        const std::vector<cPDBAtom>& used = chain.alignedAtoms.empty() ? chain.atoms : chain.alignedAtoms;
        for (const cPDBAtom& atom : used) spread += (atom.position - chain.centreOfMass).norm2();
        atoms += used.size();
    }
    const double chainRadius = atoms > 0 ? std::sqrt(spread / static_cast<double>(atoms)) : 0.0;

    CubicGroupCorrespondence correspondence;
    const std::optional<sGeneratorPermutations> result = correspondence.fitToSymmetryGroup(
        group->type.empty() ? '\0' : group->type[0], directions.data(), d1.data(), d2.data(), group->order,
        static_cast<int>(real.size()), centres.data(), chainRadius);
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
