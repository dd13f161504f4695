// Test support: symmetric assemblies built from copies of one real chain (crambin), in
// random orientations and centres, loaded into a cSym as the chain-preparation stage would.
#pragma once

#include <Eigen/Dense>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "geometry/cVector3.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/eigenConversions.h"

namespace synthetic {

// Positions of the atoms of tests/data/structure/1crn.pdb kept by the reader (327), centred on
// their mean. The copies' atoms all serve as aligned atoms: more points than the 46 CA atoms
// keep the axis of a noisy dimer within half a degree.
const std::vector<cVector3>& crambinAtoms();

// The rotations of the group (c/d: order N; t, o, i), in the group's own frame: main axis z for
// c and d, second generator about x for d.
std::vector<Eigen::Matrix3d> groupRotations(char type, int order);

// Unit axes (one per rotation, in the lab frame of the assembly) of the rotations by 2 pi / k.
std::vector<Eigen::Vector3d> axesOfOrder(const std::vector<Eigen::Matrix3d>& rotations, int k);

struct sAssembly {
    std::vector<std::vector<cVector3>> chains;   // CA positions per chain, shuffled order
    std::vector<Eigen::Matrix3d> rotations;      // the group's rotations in the lab frame
    Eigen::Vector3d centre;                      // symmetry centre, Å
};

// Copies of the chain at distance `radius` (Å) from the centre, the whole assembly turned by a
// random rotation and moved to a random centre; Gaussian noise of `noise` Å on every coordinate;
// chains in random order. `keep` < 0 keeps every copy, otherwise only `keep` copies that are
// neighbours around the main axis (for a cyclic group: a ring with a gap).
sAssembly buildAssembly(char type, int order, std::mt19937_64& rng, double noise, double radius, int keep = -1);

// Chains, centres of mass and direction vectors as the chain preparation leaves them; with
// pairMatrices, also the three chain-pair matrices (needed whenever chains are clustered).
void loadAssembly(cSym& sym, const sAssembly& assembly, bool pairMatrices);

std::unique_ptr<cPointSymmetryGroup> makeGroup(char type, int order);

// Expected rotation angles and strict flag of the clustering for a group.
std::vector<double> expectedAngles(const cPointSymmetryGroup& group);
bool strictClustering(const cPointSymmetryGroup& group);

// Clustering, correspondence of cluster set 0, permutations and axis fit: the search for a
// group whose chains form one copy of the assembly. False when clustering or correspondence
// failed.
bool searchOneCopy(cSym& sym, cPointSymmetryGroup& group);

// Rotation of the unit quaternion (q0, v).
Eigen::Matrix3d quaternionRotation(double q0, const Eigen::Vector3d& v);

// Rotation of element `element` of the fitted group, in the lab frame.
Eigen::Matrix3d elementRotation(const cSym& sym, const cPointSymmetryGroup& group, int element);

// Largest distance (Å) between an aligned atom moved by a group element about `centre` and
// the same aligned atom of the chain the element sends its chain to, over every element and
// every pair of real chains.
double largestElementDeviation(const cSym& sym, const cPointSymmetryGroup& group, const Eigen::Vector3d& centre);

// Smallest angle (radians) between the axis and any of the given axes (either sign).
double axisError(const cVector3& axis, const std::vector<Eigen::Vector3d>& axes);

// Distance (Å) from a point to the line through `centre` along `axis`.
double distanceToLine(const Eigen::Vector3d& point, const Eigen::Vector3d& centre, const Eigen::Vector3d& axis);

// The shared conversion, also reachable as synthetic::toEigen.
using ::toEigen;

}  // namespace synthetic
