// Matching the chains of one copy of the assembly to the elements of a point group, and the
// generator permutations of the chains that follow from it.
#pragma once

#include <optional>
#include <vector>

#include "geometry/cVector3.h"

using tGraph = std::vector<std::vector<int>>;  // adjacency lists

// The permutations of the local chain indices under the main and the second generator
// (second empty for a cyclic group).
struct sGeneratorPermutations {
    std::vector<int> main;
    std::vector<int> second;
};

// Local chain indices: 0 .. chainCount - 1 are the real chains of the copy, in chain order;
// higher indices up to the element count stand for missing chains. Element 0 always takes
// chain 0. A solution maps element i to local chain solution[i].
class CubicGroupCorrespondence {
public:
    CubicGroupCorrespondence() = default;
    ~CubicGroupCorrespondence() = default;

    // directions: unit vectors from the copy's centre to each real chain's centre of mass;
    // d1, d2: each real chain's two direction vectors (rows of the rotation that superposes it
    // onto chain 0), or null. Prints a message and returns nothing for an unknown type letter,
    // an order below 2 (c, d), or a chain count that does not fit the group. A cyclic copy that
    // lacks chains and has frames is placed around its ring by the chains' turns (ringPlaces)
    // rather than by maps of the element graph; centres (each real chain's centre of mass, or
    // null) and chainRadius (their radius of gyration, Å) refine those places by where the
    // chains lie.
    std::optional<sGeneratorPermutations> fitToSymmetryGroup(char type, const cVector3* directions,
                                                             const cVector3* d1, const cVector3* d2, int order,
                                                             int chainCount, const cVector3* centres = nullptr,
                                                             double chainRadius = 0.0);

    // Geometric penalty of one solution (lower is better; 1e99 when no term applies).
    double computeIsoPenalty(char type, const tGraph& elementGraph, const std::vector<int>& solution,
                             const std::vector<std::vector<double>>& squaredDistances, const cVector3* d1,
                             const cVector3* d2, int elementCount, int chainCount);
};

// Initial neighbour graph of the chains from their unit directions: j and k are neighbours
// unless a third chain lies in the ball on the chord j-k and a fourth lies on or beyond the
// plane through the three. Lists are in increasing order.
tGraph chainNeighbourGraph(const cVector3* directions, int chainCount);

// Maps of the element graph into the chain graph (element 0 on chain 0; every element-graph
// edge between two real chains must be a chain-graph edge), found depth first; at most 1000.
// The element count is elementGraph.size(), the real chain count chainGraph.size().
// Candidate tests one correspondence may spend, over all its rounds: ample for real assemblies
// (an exact icosahedral capsid needs well under a million), while chains that fit no map of a
// large group (overlaid NMR models tested as C60) would make the backtracking exponential.
inline constexpr long long kMaxCorrespondenceSteps = 50'000'000;

// With a step budget, the search stops when the budget is spent and returns what it found so far;
// the budget left is written back.
std::vector<std::vector<int>> maxInducedSubGraph(const tGraph& chainGraph, const tGraph& elementGraph,
                                                 long long* stepBudget = nullptr);
// The same search in the instructions that every x86-64 processor has; maxInducedSubGraph runs a
// copy of it compiled for the processor's population-count instruction when the processor has it.
std::vector<std::vector<int>> maxInducedSubGraphPortable(const tGraph& chainGraph, const tGraph& elementGraph,
                                                         long long* stepBudget = nullptr);
// Whether maxInducedSubGraph runs that copy on this processor.
bool maxInducedSubGraphCountsInHardware();
