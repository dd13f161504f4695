// The assembly test of crystal-mate replication: whether a file's chains and the images that the
// rotations about a crystal site add are exactly the images of the file's chains under one group
// of rotations about one point, where the site's own rotations are fewer than the group's (or
// none: a file that holds the whole assembly already).
#pragma once

#include <vector>

#include "geometry/cMatrix33.h"
#include "geometry/cVector3.h"

// An image that rotations about a point add: chains[source] moved by group element `element`.
struct sReplicationImage {
    int element;
    int source;
};

// Chains that rotations of the file's own model relate (non-crystallographic symmetry) agree to
// the precision of the model, commonly well under 1 Å CA RMSD, and a rotation about a point off
// their axis misplaces them by many Å: this CA RMSD (Å) tells the two apart.
inline constexpr double kSameRelatedChain = 2.0;

// The centroid of the points (the origin for none).
cVector3 centroid(const std::vector<cVector3>& points);

// The C-alpha positions of the images: chains[source] turned by group[element] about point.
std::vector<std::vector<cVector3>> imageAtoms(const cVector3& point, const std::vector<cMatrix33>& group,
                                              const std::vector<sReplicationImage>& images,
                                              const std::vector<std::vector<cVector3>>& chains);

// The kind of a group of rotations: 'c' cyclic, 'd' dihedral (D2 included), 't', 'o' or 'i'.
char rotationGroupKind(const std::vector<cMatrix33>& group);

// The file's own symmetry: for each chain of the file, the rigid motion (proper rotation, then
// translation) that best moves the first chain's C-alpha atoms onto its own, where it fits within
// 2 Å CA RMSD. The motions do not depend on any site; whether one is a rotation about a site is
// asked of it per site (relationsAboutSite).
struct sFirstChainRelations {
    std::vector<cMatrix33> rotation;   // per chain of the file; the identity for the first
    std::vector<cVector3> translation;
    std::vector<double> meanSquare;    // of the fit (Å^2)
    std::vector<char> fitted;          // whether the motion fits
};

// chains: the C-alpha positions of each chain of the file; centroids: their centroids (Å).
sFirstChainRelations firstChainRelations(const std::vector<std::vector<cVector3>>& chains,
                                         const std::vector<cVector3>& centroids);

// The points that the rotations of a site leave in place: `point` and its line along one
// direction (a cyclic site), or all of space (three directions: no site, the file's own point).
struct sSiteFixedSet {
    cVector3 point;
    std::vector<cVector3> directions;
};

// Per chain of the file, whether its motion is, within the 2 Å chain fit, a rotation about a
// point that the site leaves in place; the number of such chains (the first included).
int relationsAboutSite(const sSiteFixedSet& site, const sFirstChainRelations& related, std::vector<char>& about);

// Whether the file's chains and their images (group[element] about site.point applied to
// chains[source]; fileCentroids holds the chains' centroids) are exactly the images of the file's
// chains under one group of `order` rotations of the given kind ('c', 'd', 't', 'o', 'i'; 0 for
// any), each image once. The group's rotations beyond the site's come from the file's own (those
// `about` the site, from relationsAboutSite). The group is judged as motions (the file's fits
// composed with the site's rotations): each moves every chain onto its partner within 2 Å CA
// RMSD, which motions turning about points apart fail in their products, and the rotations close
// under products within 5 degrees (angle and axis).
bool formsAssemblies(const sSiteFixedSet& site, const std::vector<cMatrix33>& group,
                     const std::vector<std::vector<cVector3>>& chains, const std::vector<cVector3>& fileCentroids,
                     const sFirstChainRelations& related, const std::vector<char>& about,
                     const std::vector<sReplicationImage>& images, int order, char kind);

// Whether the file's chains alone are already a whole number of assemblies of a group of `order`
// rotations of the given kind about their own common point (formsAssemblies with no site: each
// motion of the file about the point it moves least, the products of the motions tying those
// points together).
bool holdsWholeAssemblies(const std::vector<std::vector<cVector3>>& chains, int order, char kind);
