// Places of the chains present of an incomplete copy of a cyclic assembly around its ring, from
// the rotations that superpose the chains on one another and from where the chains lie.
#pragma once

#include <vector>

#include "geometry/cVector3.h"

// d1, d2: per chain of the copy, the first two rows of the rotation that takes it back onto the
// complex's chain 0. Returns per chain its place 0 .. order - 1 around the ring: the number of
// turns of 2 pi / order, all in one sense about the common axis, that carry the copy's first
// chain onto it. Places are distinct, and the first chain is at place 0; of the two senses, the
// one that meets the chains' indices in the lower order going round from place 1. Chains whose
// turns round to one place share the places nearest to them (least squares in turns).
// centres (or null: the turns alone): per chain the centre of the atoms its superposition pairs.
// The angles are then fitted to the centres about the ring's centre as well, a turn's angle
// weighing as an arc of chainRadius (the chains' radius of gyration, in Å); those places stand
// where every centre lies within a quarter of the ring's step of the fitted ring and every angle
// within a quarter step of its place. Otherwise the turns alone decide.
std::vector<int> ringPlaces(const cVector3* d1, const cVector3* d2, const cVector3* centres, double chainRadius,
                            int order, int chainCount);
