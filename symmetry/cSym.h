// cSym: the analysis object of one run: the chains, their pair matrices, the clustering of
// chains into copies of the assembly, the chain permutations of the group elements, and the
// axis fit (through its RMSD base).
#pragma once

#include <optional>
#include <vector>

#include "symmetry/RMSD.h"

class cInfo;
class cMolecule;
class cParameters;
class cPointSymmetryGroup;

// Order in which the search for one group uses the stages (each reads what the previous wrote):
//   clusterChains           chainToCluster, clusterIds, permutationLength
//   estimateCorrespondence  mainPermutation, secondPermutation (one cluster set at a time)
//   initPermutations        the group's element permutations, quaternions, result arrays
//   computeAxis             per-element sums (computeInertiasForAllAxes), then the fit:
//                           a1, a2, modelCentre, centreOffset, totalWeight and the group's
//                           residual (never below 0) and, for d, t, o, i, its two axes; the
//                           fitted centre is modelCentre - centreOffset
//
// Chain slots: slot k < chainCount is chain k; slots from chainCount to permutationLength - 1
// stand for chains missing from incomplete copies of the assembly.
class cSym : public RMSD {
public:
    cSym(cParameters* parameters, cInfo* report);
    ~cSym();
    cSym(const cSym&) = delete;
    cSym& operator=(const cSym&) = delete;

    // --- Chain clustering (chainClustering.cpp)
    // Splits the chains into clusters of at most m (one copy of the assembly each), from the
    // pair matrices, the sequence term and the expected rotation angles (radians). Leaves
    // chainToCluster empty (std::nullopt) when clustering fails.
    void clusterChains(int m, std::vector<double> angles, bool strict);

    // --- Chain-to-element correspondence (chainCorrespondence.cpp)
    // The generator permutations for the chains of cluster set `set` (position in clusterIds).
    // On failure (the group type or order has no correspondence) the message is printed,
    // chainToCluster is cleared so that the group is reported as not clustered, and false is
    // returned: the search must stop for this group.
    bool estimateCorrespondence(cPointSymmetryGroup* group, int set);

    // --- Group permutations (groupPermutations.cpp)
    // Every element of the group from the permutation pair; a pair that is not made of
    // permutations of the chain slots ends the run with "Incorrect permutation provided".
    void initPermutations(cPointSymmetryGroup* group);
    void initPermutationsCyclic(cPointSymmetryGroup* group);
    void explorePermutations(cPointSymmetryGroup* group, const std::vector<int>& current,
                             const std::vector<int>& second, const std::vector<int>& main, double q0,
                             double q1, double q2, double q3);

    // --- Inertia sums (inertiaSums.cpp)
    void computeInertiasForAllAxes(cPointSymmetryGroup* group);

    // --- Axis fitting (axisFitting.cpp)
    void computeAxis(cPointSymmetryGroup* group);
    // element -1: the first element (from index 1) whose cycle has `order` members; order -1:
    // the group's order. Returns the residual, also stored in the group (never below 0).
    double computeAxisCn(cPointSymmetryGroup* group, int element, int order);
    void computeAxisHighOrder(cPointSymmetryGroup* group);

    // --- Hooks filled by the chain-preparation stage (alignmentHooks.cpp)
    // Sequence term of the clustering distance for chains i <= j: minus the sum, over the
    // columns of the final multiple alignment in which the two chains' rows are not both gaps,
    // of the BLOSUM column score of the two rows. 0 until that stage provides the alignment.
    double sequenceTerm(int i, int j);
    // Re-aligns the sequences of one cluster's chains so that their aligned residues (and
    // aligned atoms) are those common to that copy of the assembly. Does nothing until the
    // chain-preparation stage provides the alignment engine.
    void realignCluster(std::vector<cMolecule*>& clusterChains);

    cParameters* parameters;  // not owned
    cInfo* report;            // not owned

    int permutationLength = 0;  // chain slots covered by every element permutation
    // n x n, filled by chain preparation: mean squared deviation (Å^2) of the superposition of
    // chain i onto chain j, its rotation angle (radians), and the squared displacement (Å^2) of
    // the assembly centre under it.
    std::vector<std::vector<double>> pairRMSD;
    std::vector<std::vector<double>> pairAngle;
    std::vector<std::vector<double>> pairCentreDistance;
    // Cluster id of every chain slot (the id is the cluster's smallest chain index); nullopt
    // until clustering, and after a failed clustering.
    std::optional<std::vector<int>> chainToCluster;
    std::vector<int> clusterIds;  // one per cluster, increasing
    // Chain-slot permutations of the main and of the second generator (-1: undefined slot);
    // the second is unused for cyclic groups.
    std::vector<int> mainPermutation;
    std::vector<int> secondPermutation;
    std::vector<int> chainIndices;  // 0 .. n-1: each chain's sequence id in the alignment
    int chainCount = 0;
    std::vector<cMolecule*> chains;  // owned
    bool strictAngles = false;  // clustering must reach complete copies even for cyclic groups
};
