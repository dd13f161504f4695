// Crystal-mate replication: the rotation axes of a space group, the points where they meet near
// the chains, and the rotations about the chosen point that complete an incomplete assembly.
#pragma once

#include <set>
#include <vector>

#include "crystal/sgRecord.h"
#include "geometry/cMatrix33.h"
#include "geometry/cSpatialTransform.h"
#include "geometry/cVector3.h"
#include "symmetry/replicationAssemblies.h"  // sReplicationImage

// A rotation axis of the crystal: unit Cartesian direction (either sign), order (2, 3, 4, 6) and a
// point of the axis (Å).
struct sCrystalAxis {
    cVector3 direction;
    int order;
    cVector3 point;
};

// One axis per line, direction and order among the group's true rotations: the operations whose
// screw part (1/n) sum_k R^k t, for some centring vector and lattice vector added to t, is a
// lattice vector. Such an operation is a rotation about an axis through its fixed points, which
// need not pass through the origin (the 2-folds of I 21 21 21, the 4-fold of P 4 21 2). Left out:
// the identity and rotoinversions (order below 2, no rotation axis) and screw axes, whose rotation
// part alone would invent axes the crystal does not have. cell holds the Cartesian cell vectors
// as columns.
std::vector<sCrystalAxis> crystalRotationAxes(const T_SgRecord& sg, const cMatrix33& cell);

// A point where rotation axes meet (or a point on a single axis), the axes through it (indices
// into the axis list) and its score: the sum of squared distances (Å^2) of the chain centres to it.
struct sReplicationCentre {
    cVector3 point;
    std::set<int> axes;
    double score;
    // 1 for a point that only the lines of the axes' own windows reach (replicationCandidates),
    // 0 otherwise: of two points at the same distance, one of rank 0 is taken first.
    int rank = 0;
};

// Every axis is moved by lattice vectors (a rotation followed by a lattice vector perpendicular to
// its axis is a rotation about a parallel axis): first by (i, j, k) + centring, i, j, k in
// {-1, 0, 1}, about the lattice point that the cell coordinates of the mean of the chain centres
// round to (and, in an oblique cell, about the lattice point nearest in space in a reduced basis);
// then, for each axis and centring vector, by the lattice vector that puts its line nearest that
// mean and by that vector plus (i, j, k), in a reduced basis (the cell's own for every ordinary
// cell). So every line that passes within half the shortest cell edge of the mean is among them,
// on every side, wherever the axis lies in its cell (bench_replication_reach); points that only
// the second windows reach have rank 1. Every two of these lines that meet give a candidate, the
// common fixed point of their rotations, and coinciding meeting points share one. After each
// line's meetings, its point nearest that mean is a candidate of that line alone, whatever meeting
// point coincides with it.
std::vector<sReplicationCentre> replicationCandidates(const std::vector<sCrystalAxis>& axes,
                                                      const T_LatticeInfo& lattice, const cMatrix33& cell,
                                                      const std::vector<cVector3>& chainCentres);

// The rotations about a point along the given axes and every product of them: the group they
// generate, the identity first, then each axis's turns in increasing power. Empty when the products
// do not close into a group of at most 24 rotations (axes that only seem to meet).
std::vector<cMatrix33> generatedRotations(const std::set<int>& axisSet, const std::vector<sCrystalAxis>& axes);

// The images of the chains (C-alpha positions per chain, as a mate copies them) under the
// rotations of `group` about `point`, element by element and within an element chain by chain,
// without those that copy a chain present: within 0.5 Å CA RMSD of a chain of the file or of an
// image kept before. copiesOfFileChains, when given, receives the number of images left out as
// copies of a chain of the file, that is how often the rotations map the file's chains onto each
// other.
std::vector<sReplicationImage> replicationImages(const cVector3& point, const std::vector<cMatrix33>& group,
                                                 const std::vector<std::vector<cVector3>>& chains,
                                                 int* copiesOfFileChains = nullptr);

// The candidate of smallest score whose group of rotations qualifies for a search of `order`
// chains per assembly and of the given kind (0 for any): see cSym::replicateChainsCrystal. chains
// holds the C-alpha positions of each chain of the file. Among qualifying candidates within 1e-3 Å
// (root-mean-square over the chains) of the nearest one, the one whose rotations map the most
// chains of the file onto chains of the file is taken; at equal distances, one of rank 0 first.
// A choice that the file's own rotations complete gives way to a site of more crystal rotations,
// within 2 Å of it, that adds the same chains within 2 Å CA RMSD each (the crystal's exact
// rotations preferred to the file's approximate ones). Null when none qualifies. rotations and
// images, when given, receive the chosen candidate's group of rotations and the images it adds
// (replicationImages).
const sReplicationCentre* chooseReplicationCentre(const std::vector<sReplicationCentre>& candidates,
                                                  const std::vector<sCrystalAxis>& axes,
                                                  const std::vector<std::vector<cVector3>>& chains, int order,
                                                  char kind = 0, std::vector<cMatrix33>* rotations = nullptr,
                                                  std::vector<sReplicationImage>* images = nullptr);

// Rotation by `angle` (radians, right-handed) about the line through `centre` along the unit `axis`.
cSpatialTransform rotationAbout(const cVector3& centre, const cVector3& axis, double angle);
