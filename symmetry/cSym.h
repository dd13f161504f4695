// cSym: the analysis object of one run: the chains, their pair matrices, the clustering of
// chains into copies of the assembly, the chain permutations of the group elements, and the
// axis fit (through its RMSD base).
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

#include "crystal/cCrystallography.h"
#include "geometry/cSpatialTransform.h"
#include "structure/cPDBAtom.h"
#include "structure/cPDBSegment.h"
#include "symmetry/RMSD.h"

class cAlignement;
class cInfo;
class cMolecule;
class cParameters;
class cPointSymmetryGroup;

// Stages of a run: readPDB, cutIntoChains, alignChains and saveAlignment prepare the chains;
// detectSymmetry (or autoDetectSymmetry, which first proposes groups) tests every group with
// findSymmetry and reports it with printResults.
//
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

    // --- Chain preparation (chainPreparation.cpp)
    // Atoms, chain segments and crystal cell of the PDB file (an unreadable file ends the run).
    void readPDB(const std::string& path);
    // One cMolecule per segment. A segment without any known residue is dropped here, with a
    // report line, so that every later count sees only chains that sequence alignment can match.
    void cutIntoChains();
    // Aligns every chain with chain 0 (direction vectors), every ordered pair of chains (the
    // three pair matrices) and finally all chains together (the aligned atoms of every chain).
    void alignChains();
    // Keeps (and restores) every chain's aligned residues and atoms as alignChains left them.
    void saveAlignment();
    void loadAlignment();

    // --- Symmetry search for one group (symmetrySearch.cpp)
    // Chain-count checks, the chain permutations of the group's elements (from clustering and
    // correspondence, or from the -P text) and the axis fit, once or per trajectory frame.
    // Returns with chainToCluster empty when clustering failed; fatal input problems end the run.
    void findSymmetry(cPointSymmetryGroup* group);
    // Set by findSymmetry when a trajectory frame proved damaged: the fit is that of the last
    // good frame, and the run ends with this message once the group's results are reported.
    std::string trajectoryError;
    // The trajectory's end inside a frame has been reported (by the first group that read it).
    bool trajectoryCutReported = false;

    // --- Crystal-mate replication (crystalReplication.cpp)
    // Completes an assembly of which the file holds only part from the crystal's space group:
    // about the point where rotation axes meet nearest the chains (or the point of one axis),
    // among those whose rotations form a group whose order divides `order` (the chains of the
    // assembly), every chain of the file is copied (its aligned CA atoms only) by every rotation
    // of that group, except the copies that fall onto a chain already there (the file's chains
    // may be related by the group already). A point qualifies only when the file's chains and the
    // copies are exactly the images of the file's chains under one group of `order` rotations of
    // the kind searched about that point: the point's own group of that order, or its group with
    // the rotations that already relate the file's chains. `kind` ('c', 'd', 't', 'o', 'i'; 0 for any)
    // is the kind of group searched: a cyclic search takes only cyclic groups, and a group of the
    // full order must be of that kind (the dihedral group of 2n for Dn, not the cyclic one). The
    // copies are appended to the chains, with their source in chainIndices and in crystalMates,
    // and their pair-matrix entries, centres and directions filled, so that the search treats
    // them like chains of the file. Replaces the copies of an earlier call. Where no point
    // qualifies but the file's chains already are whole assemblies of the group about their own
    // common point, nothing is added and the result is empty. Otherwise returns why nothing was
    // added (a line such as "no site of P 6 2 2 near the chains holds the group T", the space
    // group as the file writes it; or, where only sites of larger groups holding it are near,
    // which is nearest), empty otherwise. Only the crystal-mate switch, which the command line
    // never sets, reaches it.
    std::string replicateChainsCrystal(int order, char kind = 0);
    // A chain added by replicateChainsCrystal: chains[chain] is chains[source] moved by motion.
    struct sCrystalMate {
        int chain;
        int source;
        cSpatialTransform motion;
    };
    std::vector<sCrystalMate> crystalMates;

    // --- Group detection (groupDetection.cpp)
    // Tests every group of the parameters in order, each from the saved aligned chains, prints
    // its results and finally writes the JSON document.
    void detectSymmetry();
    // Appends candidate groups chosen from the chain count, then detectSymmetry.
    void autoDetectSymmetry();

    // --- Results output (resultsOutput.cpp)
    // The results table of one group (and -p permutation and -y PyMOL lines) on out, and one
    // object for the group appended to the JSON array.
    void printResults(cPointSymmetryGroup* group, std::FILE* out, nlohmann::json* document);
    // The same, with the JSON arrow ends at 1.0 instead of 1.2 times the largest projection and
    // PyMOL arrows of fixed half-length 50 Å about the centre. No stage of the run uses it.
    void printResults2(cPointSymmetryGroup* group, std::FILE* out, nlohmann::json* document);

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
    // What the last computeInertiasForAllAxes read and left: a call that reads the same element
    // permutations and the same aligned positions (bit for bit) restores these instead of summing
    // again, as the final fit of a group whose one copy of the assembly was just fitted does.
    struct sKeptInertiaSums {
        int length = 0;  // permutationLength
        std::vector<std::vector<int>> permutations;  // the group's first `length` entries
        std::vector<std::vector<cVector3>> positions;  // per chain, its aligned atoms' positions
        std::vector<int> elements;  // the element indices whose sums were stored, in order
        std::vector<std::array<double, eSumCount>> sums;
        std::vector<cVector3> centres;
        std::vector<double> weights;
        // The current-element state left at the end.
        std::array<double, eSumCount> lastSums{};
        cVector3 lastCentre{0.0};
        double lastWeight = 0.0;
        double lastGyration2 = 0.0;
    };
    std::optional<sKeptInertiaSums> keptInertiaSums;

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

    // The multiple alignment of all chains (alignChains), and the one restored before each group.
    std::shared_ptr<cAlignement> alignment;
    std::shared_ptr<cAlignement> savedAlignment;
    // Per chain, what saveAlignment keeps of its matching.
    struct sSavedChain {
        std::vector<cPDBAtom> alignedAtoms;
        std::vector<unsigned> alignedResidues;
        std::vector<unsigned> alignedAtomIndices;
    };
    std::vector<sSavedChain> savedChains;

    std::vector<cPDBAtom> atoms;         // every kept atom of the file, in file order
    int atomCount = 0;
    int atomRecordCount = 0;             // ATOM and HETATM records of the file, kept or not
    std::vector<cPDBSegment> segments;   // one per chain, as read
    cCrystallography crystal;            // cell of the file's CRYST1 record
    cSpatialTransform origx;             // ORIGXn transform of the file; identity when absent

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
    std::vector<int> chainIndices;  // 0 .. n-1: each chain's sequence id; a crystal mate's source chain
    int chainCount = 0;
    std::vector<cMolecule*> chains;  // owned
    bool strictAngles = false;  // clustering must reach complete copies even for cyclic groups
};
