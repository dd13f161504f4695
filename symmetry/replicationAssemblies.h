// The assembly test of crystal-mate replication: whether a file's chains and the images that the
// rotations about a crystal site add are exactly the images of the file's chains under one group
// of rotations about that site, where the site's own rotations are fewer than the group's.
#pragma once

#include <vector>

#include "geometry/cMatrix33.h"
#include "geometry/cVector3.h"
#include "symmetry/crystalReplication.h"  // sReplicationImage, rotationGroupKind

// The rotations about a point that take the file's first chain onto each chain of the file, where
// one does (fitted, within 2 Å CA RMSD): the file's own symmetry about that point.
struct sFirstChainRelations {
    std::vector<cMatrix33> rotation;  // per chain of the file; the identity for the first
    std::vector<char> fitted;         // whether rotation holds one
    int count = 0;                    // the chains fitted, the first one included
};

// chains: the C-alpha positions of each chain of the file; centroids: their centroids (Å).
sFirstChainRelations firstChainRelations(const cVector3& point, const std::vector<std::vector<cVector3>>& chains,
                                         const std::vector<cVector3>& centroids);

// Whether the file's chains and their images (group[element] about `point` applied to
// chains[source]; fileCentroids holds the chains' centroids) are exactly the images of the file's
// chains under one group of `order` rotations of the given kind ('c', 'd', 't', 'o'; 0 for any)
// about the point, each image once. The group's rotations beyond the site's come from the file's
// own (related, from firstChainRelations).
bool formsAssemblies(const cVector3& point, const std::vector<cMatrix33>& group,
                     const std::vector<std::vector<cVector3>>& chains, const std::vector<cVector3>& fileCentroids,
                     const sFirstChainRelations& related, const std::vector<sReplicationImage>& images, int order,
                     char kind);
