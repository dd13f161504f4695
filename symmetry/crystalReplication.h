// Crystal-mate replication: the rotation axes of a space group, the points where they meet near
// the chains, and the rotations about the chosen point that complete an incomplete assembly.
#pragma once

#include <set>
#include <vector>

#include "crystal/sgRecord.h"
#include "geometry/cMatrix33.h"
#include "geometry/cSpatialTransform.h"
#include "geometry/cVector3.h"

// A rotation axis of the crystal: unit Cartesian direction (either sign) and order (2, 3, 4, 6).
struct sCrystalAxis {
    cVector3 direction;
    int order;
};

// One distinct axis per direction and order among the group's rotations that are pure rotations
// about an axis through the origin. Left out: the identity and rotoinversions (order below 2, no
// rotation axis) and every operation whose translation is not a lattice vector (screw axes and
// axes off the origin), whose rotation part alone would invent axes the crystal does not have.
// cell holds the Cartesian cell vectors as columns.
std::vector<sCrystalAxis> crystalRotationAxes(const T_SgRecord& sg, const cMatrix33& cell);

// A point where rotation axes meet (or a point on a single axis), the axes through it (indices
// into the axis list) and its score: the sum of squared distances (Å^2) of the chain centres to it.
struct sReplicationCentre {
    cVector3 point;
    std::set<int> axes;
    double score;
};

// Every axis translated by the lattice vectors (i, j, k) + centring, i, j, k in {-1, 0, 1}, is
// intersected with the untranslated axes; after each translated axis, its point nearest the mean
// of the chain centres is a candidate on its own. Coinciding intersections share one candidate.
std::vector<sReplicationCentre> replicationCandidates(const std::vector<sCrystalAxis>& axes,
                                                      const T_LatticeInfo& lattice, const cMatrix33& cell,
                                                      const std::vector<cVector3>& chainCentres);

// Number of rotations about an axis of this order that it alone contributes: the powers p in
// 1 .. order-1 with gcd(p, order) == 1 (smaller orders have their own axis entries).
int primitivePowers(int order);

// The candidate of smallest score among those whose completed assembly, chainCount times
// (1 + the primitive powers of its axes) chains, is a multiple of `order`; null when none is.
const sReplicationCentre* chooseReplicationCentre(const std::vector<sReplicationCentre>& candidates,
                                                  const std::vector<sCrystalAxis>& axes, int chainCount, int order);

// Rotation by `angle` (radians, right-handed) about the line through `centre` along the unit `axis`.
cSpatialTransform rotationAbout(const cVector3& centre, const cVector3& axis, double angle);
