// Crystal-mate replication: completes an assembly of which the file holds only part (the
// asymmetric unit of a crystal) by rotations about a point where crystallographic axes meet.
#include "symmetry/crystalReplication.h"

#include <cmath>
#include <memory>
#include <numeric>

#include "crystal/seitzMx.h"
#include "structure/cMolecule.h"
#include "symmetry/cSym.h"

namespace {

constexpr double kPi = 3.141592653589793;
// Two axes are the same when their directions agree to this (absolute cosine).
constexpr double kSameDirection = 0.99999;
// Perpendicularity (Å), coplanarity (Å) and coincidence (Å^2) of axes and points.
constexpr double kTolerance = 1e-5;

double centreScore(const std::vector<cVector3>& chainCentres, const cVector3& point) {
    double score = 0.0;
    for (const cVector3& c : chainCentres) score += (c - point).norm2();
    return score;
}

// A lone chain has no partner in the sequence alignment and so no aligned atoms: it is matched
// with itself, every residue with a CA atom aligned.
void alignWithItself(cMolecule& chain) {
    chain.alignedResidues.resize(chain.atoms.size());
    std::iota(chain.alignedResidues.begin(), chain.alignedResidues.end(), 0u);
    chain.alignedAtoms.clear();
    chain.createAlignedAtoms(true);
    chain.alignedResidues.resize(chain.alignedAtoms.size());
}

// The three pair matrices made n x n: entries between the first chains kept, new entries 0.
void resizePairMatrices(cSym& sym, std::size_t n) {
    for (std::vector<std::vector<double>>* matrix : {&sym.pairRMSD, &sym.pairAngle, &sym.pairCentreDistance}) {
        matrix->resize(n);
        for (std::vector<double>& row : *matrix) row.resize(n, 0.0);
    }
}

// Drops the mates of an earlier call, so that each call replicates the chains of the file only.
void removeCrystalMates(cSym& sym) {
    if (sym.crystalMates.empty()) return;
    const std::size_t n = sym.chains.size() - sym.crystalMates.size();
    while (sym.chains.size() > n) {
        delete sym.chains.back();
        sym.chains.pop_back();
    }
    sym.crystalMates.clear();
    if (sym.chainIndices.size() > n) sym.chainIndices.resize(n);
    resizePairMatrices(sym, n);
    sym.chainCount = static_cast<int>(n);
    sym.segments.assign(n, cPDBSegment{});
}

// What chain preparation gives every chain, for the mates: centre of mass, directions relative
// to chain 0 and the pair-matrix entries (over the aligned atoms, which a mate shares residue for
// residue with its source, about the centre of the completed assembly). Entries between chains of
// the file keep the values of their pairwise alignments.
void compareCrystalMates(cSym& sym) {
    const int n = static_cast<int>(sym.chains.size());
    const int first = n - static_cast<int>(sym.crystalMates.size());
    cVector3 centre(0.0);
    for (int k = 0; k < n; ++k) {
        cMolecule& chain = *sym.chains[k];
        if (k >= first) {
            (void)chain.computeCM();
            chain.computeDirections(sym.chains[0]);
        }
        centre += chain.centreOfMass;
    }
    centre /= static_cast<double>(n);
    resizePairMatrices(sym, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (i < first && j < first) continue;
            const cMolecule* a = sym.chains[i];
            const cMolecule* b = sym.chains[j];
            sym.pairRMSD[i][j] = a->computeRMSD(b);
            sym.pairAngle[i][j] = a->computeAngle(b);
            sym.pairCentreDistance[i][j] = a->computeDistAxisCenter(b, centre);
        }
}

}  // namespace

std::vector<sCrystalAxis> crystalRotationAxes(const T_SgRecord& sg, const cMatrix33& cell) {
    std::vector<sCrystalAxis> axes;
    // Entry 0 is the identity.
    for (int i = 1; i < sg.nList && i < static_cast<int>(sg.ListSeitzMx.size()); ++i) {
        T_RotMxInfo buffer;
        const T_RotMxInfo* info = ListOrBufRotMxInfo(&sg, i, &buffer);
        if (!info || info->order < 2) continue;
        if (!IsSMxTransl0(sg.latticeInfo, sg.ListSeitzMx[i].T)) continue;
        const cVector3 direction = (cell * cVector3(info->axis[0], info->axis[1], info->axis[2])).normalizedVersion();
        bool known = false;
        for (const sCrystalAxis& axis : axes)
            known = known || (std::fabs(axis.direction | direction) > kSameDirection && axis.order == info->order);
        if (!known) axes.push_back({direction, info->order});
    }
    return axes;
}

std::vector<sReplicationCentre> replicationCandidates(const std::vector<sCrystalAxis>& axes,
                                                      const T_LatticeInfo& lattice, const cMatrix33& cell,
                                                      const std::vector<cVector3>& chainCentres) {
    std::vector<sReplicationCentre> candidates;
    if (chainCentres.empty()) return candidates;
    cVector3 reference(0.0);
    for (const cVector3& c : chainCentres) reference += c;
    reference /= static_cast<double>(chainCentres.size());

    const int nAxes = static_cast<int>(axes.size());
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j)
            for (int k = -1; k <= 1; ++k)
                for (int v = 0; v < lattice.nTrVector; ++v) {
                    const int* c = lattice.trVector + 3 * v;
                    const cVector3 T = cell * cVector3(i + c[0] / 12.0, j + c[1] / 12.0, k + c[2] / 12.0);
                    for (int ia = 0; ia < nAxes; ++ia) {
                        const cVector3& a = axes[ia].direction;
                        if (std::fabs(a | T) > kTolerance) continue;
                        // The rotation about a followed by T (perpendicular to a) is the same
                        // rotation about the parallel axis through P.
                        const cVector3 P = T / 2.0 + (a ^ T) / (2.0 * std::tan(kPi / axes[ia].order));
                        for (int ib = 0; ib < nAxes; ++ib) {
                            const cVector3& b = axes[ib].direction;
                            const cVector3 normal = a ^ b;
                            if (normal.norm2() < kTolerance) continue;
                            // Coplanar with the axis b through the origin: the two lines meet.
                            if (std::fabs(normal.normalizedVersion() | P) >= kTolerance) continue;
                            const double ab = a | b;
                            const cVector3 X = P - a * (((P | a) - (P | b) * ab) / (1.0 - ab * ab));
                            bool merged = false;
                            for (sReplicationCentre& known : candidates)
                                if ((known.point - X).norm2() < kTolerance) {
                                    known.axes.insert({ia, ib});
                                    merged = true;
                                    break;
                                }
                            if (!merged) candidates.push_back({X, {ia, ib}, centreScore(chainCentres, X)});
                        }
                        const cVector3 nearest = P + a * (a | reference);
                        candidates.push_back({nearest, {ia}, centreScore(chainCentres, nearest)});
                    }
                }
    return candidates;
}

int primitivePowers(int order) {
    int count = 0;
    for (int p = 1; p < order; ++p) count += std::gcd(p, order) == 1;
    return count;
}

const sReplicationCentre* chooseReplicationCentre(const std::vector<sReplicationCentre>& candidates,
                                                  const std::vector<sCrystalAxis>& axes, int chainCount, int order) {
    if (order < 1) return nullptr;
    const sReplicationCentre* chosen = nullptr;
    double best = 1e99;
    for (const sReplicationCentre& candidate : candidates) {
        int h = 1;
        for (int a : candidate.axes) h += primitivePowers(axes[a].order);
        if ((h * chainCount) % order != 0 || !(candidate.score < best)) continue;
        best = candidate.score;
        chosen = &candidate;
    }
    return chosen;
}

cSpatialTransform rotationAbout(const cVector3& centre, const cVector3& axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    // x -> C + (x-C) cos + a (a.(x-C)) (1 - cos) + (a x (x-C)) sin, on the basis vectors.
    auto turn = [&](const cVector3& v) { return v * c + axis * ((axis | v) * (1.0 - c)) + (axis ^ v) * s; };
    const cMatrix33 R(turn(cVector3(1.0, 0.0, 0.0)), turn(cVector3(0.0, 1.0, 0.0)), turn(cVector3(0.0, 0.0, 1.0)));
    return cSpatialTransform(R, centre - R * centre);
}

void cSym::replicateChainsCrystal(int order) {
    removeCrystalMates(*this);
    // Only the operators of this build are wanted; the record is read directly below.
    crystal.symmetryOperators.clear();
    crystal.createSymmetryOperators();
    const int n = static_cast<int>(chains.size());
    if (crystal.symmetryOperators.empty() || n == 0) return;

    if (n == 1 && chains[0]->alignedAtoms.empty()) alignWithItself(*chains[0]);
    std::vector<cVector3> centres;
    for (cMolecule* chain : chains) {
        (void)chain->computeCM();
        centres.push_back(chain->centreOfMass);
    }
    const cMatrix33 cell(crystal.cellVectors[0], crystal.cellVectors[1], crystal.cellVectors[2]);
    const std::vector<sCrystalAxis> axes = crystalRotationAxes(crystal.sgRecord, cell);
    const std::vector<sReplicationCentre> candidates =
        replicationCandidates(axes, *crystal.sgRecord.latticeInfo, cell, centres);
    const sReplicationCentre* chosen = chooseReplicationCentre(candidates, axes, n, order);
    if (!chosen) return;

    for (int a : chosen->axes) {
        const int N = axes[a].order;
        for (int p = 1; p < N; ++p) {
            if (std::gcd(p, N) != 1) continue;
            const cSpatialTransform motion = rotationAbout(chosen->point, axes[a].direction, 2.0 * kPi * p / N);
            for (int k = 0; k < n; ++k) {
                const cMolecule& source = *chains[k];
                auto mate = std::make_unique<cMolecule>();
                mate->label = source.label;
                for (const cPDBAtom& atom : source.alignedAtoms) {
                    if (!atom.isCA()) continue;
                    mate->alignedAtoms.push_back(atom);
                    motion.transformPoint(atom.position, mate->alignedAtoms.back().position);
                }
                mate->segments = source.segments;
                for (cPDBSegment& segment : mate->segments) {
                    segment.firstAtom = 0;
                    segment.atomCount = static_cast<int>(mate->alignedAtoms.size());
                }
                chains.push_back(mate.release());
                chainIndices.push_back(k);
                crystalMates.push_back({static_cast<int>(chains.size()) - 1, k, motion});
            }
        }
    }
    // One chain per segment (each chain holds its one segment from the file); the segment array
    // of the file is not needed once the chains are cut.
    chainCount = static_cast<int>(chains.size());
    segments.assign(chainCount, cPDBSegment{});
    compareCrystalMates(*this);
}
