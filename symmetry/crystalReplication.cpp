// Crystal-mate replication: completes an assembly of which the file holds only part (the
// asymmetric unit of a crystal) by rotations about a point where crystallographic axes meet.
#include "symmetry/crystalReplication.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <unordered_map>

#include "crystal/seitzMx.h"
#include "structure/cMolecule.h"
#include "symmetry/cSym.h"
#include "symmetry/replicationAssemblies.h"

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

// The translation (twelfths) with which an operation of rotation order n is a pure rotation: its
// own plus a centring vector plus a lattice vector, with the screw part (1/n) sum_k R^k t, then a
// lattice vector, taken off. The screw part changes by lattice vectors when t does, and n times any
// lattice vector's part is a lattice vector, so lattice vectors of components 0 .. n-1 cover every
// case. False for a screw axis.
bool pureRotationTranslation(const T_RTMx& m, int n, const T_LatticeInfo& lattice, int* u) {
    for (int v = 0; v < lattice.nTrVector; ++v)
        for (int l = 0; l < n * n * n; ++l) {
            const int lattice12[3] = {STBF * (l % n), STBF * (l / n % n), STBF * (l / (n * n))};
            int t[3], power[3], screw[3] = {0, 0, 0};
            for (int j = 0; j < 3; ++j) t[j] = power[j] = m.T[j] + lattice.trVector[3 * v + j] + lattice12[j];
            for (int k = 0; k < n; ++k) {
                for (int j = 0; j < 3; ++j) screw[j] += power[j];
                int next[3];
                RotMx_t_Vector(next, m.R, power, 0);
                std::copy(next, next + 3, power);
            }
            if (screw[0] % (STBF * n) || screw[1] % (STBF * n) || screw[2] % (STBF * n)) continue;
            for (int j = 0; j < 3; ++j) u[j] = t[j] - screw[j] / n;
            return true;
        }
    return false;
}

// Rotations of a crystallographic point group differ by at least 0.4 in some entry; this is
// rounding, with room for cells that fit their group only to the precision of the cell record.
constexpr double kSameRotation = 1e-2;
// O, the largest point group of a crystal, has 24 rotations.
constexpr std::size_t kLargestPointGroup = 24;

bool sameRotation(const cMatrix33& x, const cMatrix33& y) {
    for (int k = 0; k < 9; ++k)
        if (std::fabs(x.m[k] - y.m[k]) > kSameRotation) return false;
    return true;
}

// An image within this CA RMSD (Å) of a chain present is a copy of it: copies made by the
// crystal's own rotations differ by the rounding of the coordinates and of the cell, and two
// distinct chains cannot come this close.
constexpr double kSameChain = 0.5;
// Candidates whose root-mean-square distances to the chain centres differ by less than this (Å)
// are at the same distance.
constexpr double kSameDistance = 1e-3;

// Whether x and y hold as many chains, each of y within the chain fit of the assembly test
// (kSameRelatedChain) of its own chain of x: two choices that add the same chains.
bool sameChains(const std::vector<std::vector<cVector3>>& x, const std::vector<std::vector<cVector3>>& y) {
    if (x.size() != y.size()) return false;
    std::vector<char> taken(x.size(), 0);
    for (const std::vector<cVector3>& b : y) {
        std::size_t k = 0;
        for (; k < x.size(); ++k) {
            if (taken[k] || x[k].size() != b.size()) continue;
            double sum = 0.0;
            for (std::size_t i = 0; i < b.size(); ++i) sum += (x[k][i] - b[i]).norm2();
            if (sum < kSameRelatedChain * kSameRelatedChain * static_cast<double>(b.size())) break;
        }
        if (k == x.size()) return false;
        taken[k] = 1;
    }
    return true;
}

// Grid cells (Å) that index the candidates for merging coinciding points.
constexpr double kMergeCell = 1e-2;
// Unsigned, so that the cells of points far beyond any cell (whose rounding gives no
// meaningful integer) wrap instead of overflowing: they only share a bucket, and every point
// in a bucket is compared by its distance.
using tGridCell = std::array<std::uint64_t, 3>;
tGridCell gridCell(const cVector3& p, int dx = 0, int dy = 0, int dz = 0) {
    auto cell = [](double x, int d) {
        return static_cast<std::uint64_t>(std::llround(x / kMergeCell)) + static_cast<std::uint64_t>(d);
    };
    return {cell(p.x, dx), cell(p.y, dy), cell(p.z, dz)};
}
struct sGridCellHash {
    std::size_t operator()(const tGridCell& c) const {
        return std::hash<std::uint64_t>()(c[0] * 73856093u ^ c[1] * 19349663u ^ c[2] * 83492791u);
    }
};

// False when the axes cannot generate a group that qualifies for `order` chains of the given
// kind, without building it: each axis's order divides the group's, which must divide `order`,
// and axes that are not parallel generate no cyclic group.
bool mayQualify(const std::set<int>& axisSet, const std::vector<sCrystalAxis>& axes, int order, char kind) {
    for (int a : axisSet)
        if (order % axes[a].order != 0 ||
            (kind == 'c' && std::fabs(axes[a].direction | axes[*axisSet.begin()].direction) < kSameDirection))
            return false;
    return true;
}

// A basis of the lattice whose cell vectors are the columns of `cell` (Å), made as short and as
// nearly perpendicular as subtracting whole multiples of one vector from another makes them: the
// ±1 window of such a basis holds the lattice points nearest a point. A basis that no such step
// shortens (every ordinary cell) is returned unchanged.
cMatrix33 reducedBasis(const cMatrix33& cell) {
    cVector3 v[3] = {cell * cVector3(1.0, 0.0, 0.0), cell * cVector3(0.0, 1.0, 0.0), cell * cVector3(0.0, 0.0, 1.0)};
    // Each step shortens a vector by a relative amount above rounding, so the loop ends; the
    // bound only guards against cells that are no cells.
    for (int round = 0, changed = 1; changed && round < 100; ++round) {
        changed = 0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                if (i == j) continue;
                const double k = std::round((v[i] | v[j]) / v[j].norm2());
                const cVector3 shorter = v[i] - v[j] * k;
                if (k != 0.0 && shorter.norm2() < v[i].norm2() * (1.0 - 1e-9)) {
                    v[i] = shorter;
                    changed = 1;
                }
            }
    }
    return cMatrix33(v[0], v[1], v[2]);
}

// The lattice point of `basis` (columns, Å; toBasis its inverse) nearest p in space.
cVector3 nearestLatticePoint(const cMatrix33& basis, const cMatrix33& toBasis, const cVector3& p) {
    const cVector3 f = toBasis * p;
    const cVector3 rounded(std::round(f.x), std::round(f.y), std::round(f.z));
    cVector3 best = basis * rounded;
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j)
            for (int k = -1; k <= 1; ++k) {
                const cVector3 q = basis * (rounded + cVector3(i, j, k));
                if ((q - p).norm2() < (best - p).norm2()) best = q;
            }
    return best;
}

// Whether a group of n rotations of this kind can be part of a group of `order` rotations of kind
// `kind` (0 for any): the subgroups of Cm are the Ck with k dividing m; of Dm, those and C2 and the
// Dk with k dividing m; of T, C2, C3 and D2; of O, also C4, D3, D4 and T.
bool liesInside(char groupKind, int n, int order, char kind) {
    if (order % n != 0) return false;
    const int turn = groupKind == 'c' ? n : groupKind == 'd' ? n / 2 : groupKind == 't' ? 3 : 4;  // main axis
    switch (kind) {
        case 'c': return groupKind == 'c';
        case 'd':
            return (groupKind == 'c' && turn == 2) || ((groupKind == 'c' || groupKind == 'd') && (order / 2) % turn == 0);
        case 't': return (groupKind == 'c' && turn <= 3) || (groupKind == 'd' && turn == 2) || groupKind == 't';
        case 'o': return groupKind == 'o' || groupKind == 't' || turn <= 4;
        default: return true;
    }
}

// The group searched, as a line of text names it: C4, D2, T, O, I.
std::string groupName(int order, char kind) {
    if (kind == 't' || kind == 'o' || kind == 'i') return std::string(1, static_cast<char>(kind - 'a' + 'A'));
    std::string name = kind == 'c' ? "C" : kind == 'd' ? "D" : "of order ";
    name += std::to_string(kind == 'd' ? order / 2 : order);
    return name;
}

// The site nearest the chains whose group holds the group searched and is larger: the size and
// kind of its group and its root-mean-square distance from the chain centres (Å); size 0 when no
// candidate has one, or when some candidate has the group searched itself.
struct sLargerSite {
    int size = 0;
    char kind = 0;
    double distance = 0.0;
};
sLargerSite nearestLargerSite(const std::vector<sReplicationCentre>& candidates, const std::vector<sCrystalAxis>& axes,
                              int chainCount, int order, char kind);

}  // namespace

std::vector<sCrystalAxis> crystalRotationAxes(const T_SgRecord& sg, const cMatrix33& cell) {
    std::vector<sCrystalAxis> axes;
    const cMatrix33 toCell = cell.Inverse();
    // Entry 0 is the identity.
    for (int i = 1; i < sg.nList && i < static_cast<int>(sg.ListSeitzMx.size()); ++i) {
        T_RotMxInfo buffer;
        const T_RotMxInfo* info = ListOrBufRotMxInfo(&sg, i, &buffer);
        if (!info || info->order < 2) continue;
        const T_RTMx& seitz = sg.ListSeitzMx[i];
        int u[3];
        if (!pureRotationTranslation(seitz, info->order, *sg.latticeInfo, u)) continue;
        const int* r = seitz.R;
        const cMatrix33 R = cell * cMatrix33(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8]) * toCell;
        const cVector3 a = (cell * cVector3(info->axis[0], info->axis[1], info->axis[2])).normalizedVersion();
        // The fixed points of x -> R x + t: the one perpendicular to a solves (I - R + a a^T) x = t.
        const cMatrix33 system = cMatrix33::identity() - R +
                                 cMatrix33(a.x * a.x, a.x * a.y, a.x * a.z, a.y * a.x, a.y * a.y, a.y * a.z,
                                           a.z * a.x, a.z * a.y, a.z * a.z);
        const cVector3 point = system.Inverse() * (cell * cVector3(u[0], u[1], u[2]) / STBF);
        bool known = false;
        for (const sCrystalAxis& axis : axes)
            known = known || (std::fabs(axis.direction | a) > kSameDirection && axis.order == info->order &&
                              ((point - axis.point) ^ axis.direction).norm() < kTolerance);
        if (!known) axes.push_back({a, info->order, point});
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

    // The axes moved by lattice vectors, each line once.
    struct sLine {
        int axis;
        cVector3 point;
    };
    std::vector<sLine> lines;
    const int nAxes = static_cast<int>(axes.size());
    // The rotation about axis ia followed by T (perpendicular to it) is the same rotation about
    // the parallel axis through axisPoint + T/2 + (a x T) / (2 tan(pi/N)), here moved by origin.
    auto addLine = [&](int ia, const cVector3& origin, const cVector3& axisPoint, const cVector3& T) {
        const cVector3& a = axes[ia].direction;
        if (std::fabs(a | T) > kTolerance) return;
        const cVector3 P = origin + axisPoint + T / 2.0 + (a ^ T) / (2.0 * std::tan(kPi / axes[ia].order));
        const bool known = std::any_of(lines.begin(), lines.end(), [&](const sLine& line) {
            return line.axis == ia && ((P - line.point) ^ a).norm2() < kTolerance * kTolerance;
        });
        if (!known) lines.push_back({ia, P});
    };
    // First, in the order they have always come in (which settles ties of equal distance), the
    // lines of the window of the lattice point that the cell coordinates of the reference round
    // to: (i, j, k) + centring, i, j, k in {-1, 0, 1}. Where that point is not the nearest in
    // space or the cell is oblique, also the same window of the nearest lattice point in space,
    // in a reduced basis.
    const cVector3 f = cell.Inverse() * reference;
    const cVector3 origin = cell * cVector3(std::round(f.x), std::round(f.y), std::round(f.z));
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j)
            for (int k = -1; k <= 1; ++k)
                for (int v = 0; v < lattice.nTrVector; ++v) {
                    const int* c = lattice.trVector + 3 * v;
                    const cVector3 T = cell * cVector3(i + c[0] / 12.0, j + c[1] / 12.0, k + c[2] / 12.0);
                    for (int ia = 0; ia < nAxes; ++ia) addLine(ia, origin, axes[ia].point, T);
                }
    const cMatrix33 basis = reducedBasis(cell);
    const cMatrix33 toBasis = basis.Inverse();
    const cVector3 nearest = nearestLatticePoint(basis, toBasis, reference);
    bool sameBasis = true;
    for (int e = 0; e < 9; ++e) sameBasis = sameBasis && basis.m[e] == cell.m[e];
    if (!sameBasis || (nearest - origin).norm2() > kTolerance * kTolerance) {
        auto reduced = [&](const cVector3& p) { return p - nearestLatticePoint(basis, toBasis, p); };
        std::vector<cVector3> axisPoints;
        for (const sCrystalAxis& axis : axes) axisPoints.push_back(reduced(axis.point));
        for (int v = 0; v < lattice.nTrVector; ++v) {
            const int* c = lattice.trVector + 3 * v;
            const cVector3 centring = reduced(cell * cVector3(c[0] / 12.0, c[1] / 12.0, c[2] / 12.0));
            for (int i = -1; i <= 1; ++i)
                for (int j = -1; j <= 1; ++j)
                    for (int k = -1; k <= 1; ++k)
                        for (int ia = 0; ia < nAxes; ++ia)
                            addLine(ia, nearest, axisPoints[ia], basis * cVector3(i, j, k) + centring);
        }
    }
    const std::size_t firstFresh = lines.size();
    // Then, for every axis, the window of the lattice vector that puts its line nearest the
    // reference, so that the lines on every side of the chains are reached, wherever the axis
    // lies in its cell.
    for (int v = 0; v < lattice.nTrVector; ++v) {
        const int* c = lattice.trVector + 3 * v;
        const cVector3 centring = cell * cVector3(c[0] / 12.0, c[1] / 12.0, c[2] / 12.0);
        for (int ia = 0; ia < nAxes; ++ia) {
            // The map T -> T/2 + (a x T) / (2 tan(pi/N)) turns the plane across the axis and scales
            // it by 1 / (2 sin(pi/N)); its inverse gives the T whose line passes through the
            // reference, which the nearest lattice vectors then approach.
            const cVector3& a = axes[ia].direction;
            const double half = kPi / axes[ia].order;
            cVector3 across = reference - axes[ia].point;
            across -= a * (a | across);
            const cVector3 ideal =
                (across - (a ^ across) * (std::cos(half) / std::sin(half))) * (2.0 * std::sin(half) * std::sin(half));
            const cVector3 g = toBasis * (ideal - centring);
            const cVector3 closest(std::round(g.x), std::round(g.y), std::round(g.z));
            for (int i = -1; i <= 1; ++i)
                for (int j = -1; j <= 1; ++j)
                    for (int k = -1; k <= 1; ++k)
                        addLine(ia, cVector3(0.0), axes[ia].point, centring + basis * (closest + cVector3(i, j, k)));
        }
    }

    // The meeting points only: a line's own point stays the candidate of that line alone, even
    // where lines meet on it (the chains on a plane of the crystal).
    std::unordered_map<tGridCell, std::vector<int>, sGridCellHash> grid;
    auto add = [&](const cVector3& X, std::set<int> axisSet, int rank) {
        grid[gridCell(X)].push_back(static_cast<int>(candidates.size()));
        candidates.push_back({X, std::move(axisSet), centreScore(chainCentres, X), rank});
    };
    // The first meeting point within the merging distance of X, or -1. Only the grid cells within
    // that distance of X can hold one.
    const double reach = std::sqrt(kTolerance) / kMergeCell;
    auto coinciding = [&](const cVector3& X) {
        const double u[3] = {X.x / kMergeCell, X.y / kMergeCell, X.z / kMergeCell};
        int low[3], high[3];
        for (int d = 0; d < 3; ++d) {
            const double offset = u[d] - std::round(u[d]);  // within [-1/2, 1/2]
            low[d] = offset - reach < -0.5 ? -1 : 0;
            high[d] = offset + reach > 0.5 ? 1 : 0;
        }
        int first = -1;
        for (int dx = low[0]; dx <= high[0]; ++dx)
            for (int dy = low[1]; dy <= high[1]; ++dy)
                for (int dz = low[2]; dz <= high[2]; ++dz) {
                    const auto bucket = grid.find(gridCell(X, dx, dy, dz));
                    if (bucket == grid.end()) continue;
                    for (int known : bucket->second)
                        if ((first < 0 || known < first) && (candidates[known].point - X).norm2() < kTolerance)
                            first = known;
                }
        return first;
    };

    // Every two lines that meet, each pair once: the common fixed point of their rotations.
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const int ia = lines[l].axis;
        const cVector3& a = axes[ia].direction;
        const cVector3& P = lines[l].point;
        for (std::size_t m = 0; m < l; ++m) {
            const int ib = lines[m].axis;
            const cVector3& b = axes[ib].direction;
            const cVector3 normal = a ^ b;
            const double sine2 = normal.norm2();
            if (sine2 < kTolerance) continue;
            // Coplanar lines that are not parallel meet: their distance |normal . d| / |normal|
            // is below the tolerance.
            const cVector3 d = P - lines[m].point;
            const double offset = normal | d;
            if (offset * offset >= kTolerance * kTolerance * sine2) continue;
            const double ab = a | b;
            const cVector3 X = P - a * (((d | a) - (d | b) * ab) / (1.0 - ab * ab));
            const int known = coinciding(X);
            if (known >= 0)
                candidates[known].axes.insert({ia, ib});
            else
                add(X, {ia, ib}, l >= firstFresh);
        }
        const cVector3 foot = P + a * (a | (reference - P));
        candidates.push_back({foot, {ia}, centreScore(chainCentres, foot), l >= firstFresh});
    }
    return candidates;
}

std::vector<cMatrix33> generatedRotations(const std::set<int>& axisSet, const std::vector<sCrystalAxis>& axes) {
    std::vector<cMatrix33> group{cMatrix33::identity()};
    auto add = [&group](const cMatrix33& R) {
        for (const cMatrix33& known : group)
            if (sameRotation(known, R)) return true;
        if (group.size() == kLargestPointGroup) return false;
        group.push_back(R);
        return true;
    };
    std::vector<cMatrix33> turns;
    for (int a : axisSet) {
        const int N = axes[a].order;
        turns.push_back(rotationAbout(cVector3(0.0), axes[a].direction, 2.0 * kPi / N).rotation);
        cMatrix33 power = turns.back();
        for (int p = 1; p < N; ++p, power = turns.back() * power)
            if (!add(power)) return {};
    }
    // Every product of turns: the elements found so far, each turned once more by every axis.
    for (std::size_t e = 0; e < group.size(); ++e)
        for (const cMatrix33& turn : turns)
            if (!add(turn * group[e])) return {};
    return group;
}

std::vector<sReplicationImage> replicationImages(const cVector3& point, const std::vector<cMatrix33>& group,
                                                 const std::vector<std::vector<cVector3>>& chains,
                                                 int* copiesOfFileChains) {
    const std::size_t n = chains.size();
    auto turn = [&point](const cMatrix33& R, const cVector3& x) { return point + R * (x - point); };
    std::vector<sReplicationImage> images;
    // The chains present, the file's and then the images kept, by their C-alpha centroids: a copy
    // comes within kSameChain of the chain it copies, and only then are the atoms compared.
    std::vector<cVector3> centroids;
    for (const std::vector<cVector3>& chain : chains) centroids.push_back(centroid(chain));
    auto copies = [&](const cMatrix33& R, std::size_t k, std::size_t c) {
        const std::vector<cVector3>& x = chains[k];
        const std::vector<cVector3>& y = chains[c < n ? c : images[c - n].source];
        // A chain without atoms is the copy of none.
        if (x.empty() || x.size() != y.size()) return false;
        const cMatrix33& S = c < n ? cMatrix33::identity() : group[images[c - n].element];
        double sum = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) sum += (turn(R, x[i]) - turn(S, y[i])).norm2();
        return sum < kSameChain * kSameChain * static_cast<double>(x.size());
    };
    int fileCopies = 0;
    for (std::size_t e = 1; e < group.size(); ++e)
        for (std::size_t k = 0; k < n; ++k) {
            const cVector3 centre = turn(group[e], centroids[k]);
            std::size_t c = 0;
            while (c < centroids.size() && !((centroids[c] - centre).norm() < kSameChain && copies(group[e], k, c))) ++c;
            if (c < centroids.size()) {
                fileCopies += c < n;
                continue;
            }
            images.push_back({static_cast<int>(e), static_cast<int>(k)});
            centroids.push_back(centre);
        }
    if (copiesOfFileChains) *copiesOfFileChains = fileCopies;
    return images;
}

const sReplicationCentre* chooseReplicationCentre(const std::vector<sReplicationCentre>& candidates,
                                                  const std::vector<sCrystalAxis>& axes,
                                                  const std::vector<std::vector<cVector3>>& chains, int order,
                                                  char kind, std::vector<cMatrix33>* rotations,
                                                  std::vector<sReplicationImage>* images) {
    if (order < 1 || chains.empty()) return nullptr;
    // In order of score; at equal scores in list order.
    std::vector<int> byScore;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        if (candidates[i].score < 1e99) byScore.push_back(static_cast<int>(i));
    std::stable_sort(byScore.begin(), byScore.end(),
                     [&](int x, int y) { return candidates[x].score < candidates[y].score; });
    // Points at the same distance (scores that differ in their last bits, as symmetric points'
    // do) come by rank, then in list order.
    for (std::size_t i = 0; i < byScore.size();) {
        std::size_t j = i + 1;
        const double score = candidates[byScore[i]].score;
        while (j < byScore.size() && candidates[byScore[j]].score - score <= 1e-10 * std::max(1.0, score)) ++j;
        std::stable_partition(byScore.begin() + i, byScore.begin() + j,
                              [&](int x) { return candidates[x].rank == 0; });
        i = j;
    }
    // The rotations, order and kind of the group each set of axes generates, worked out once per set.
    struct sGroup {
        std::vector<cMatrix33> rotations;
        char kind;
    };
    std::map<std::set<int>, sGroup> groups;
    std::vector<cVector3> fileCentroids;
    for (const std::vector<cVector3>& chain : chains) fileCentroids.push_back(centroid(chain));
    const double chainCount = static_cast<double>(chains.size());
    // The file's own motions, worked out when a site first needs them.
    std::optional<sFirstChainRelations> related;
    const sReplicationCentre* chosen = nullptr;
    int chosenCopies = 0, chosenSize = 0;
    bool chosenThroughFile = false;  // completed by the file's own rotations
    std::vector<std::vector<cVector3>> chosenImages;
    double nearest = 0.0;  // root-mean-square distance (Å) of the first qualifying candidate
    for (int index : byScore) {
        const sReplicationCentre& candidate = candidates[index];
        const double distance = std::sqrt(candidate.score / chainCount);
        // Past the distance of the first qualifying candidate only ties may displace it (the
        // window is measured from that candidate, not from a tie that displaced it); and a choice
        // that the file's own rotations complete only a site with more rotations of the crystal
        // that adds the same chains within the chain fit, and so lies no farther than that fit.
        bool tie = true;
        if (chosen && distance - nearest > kSameDistance) {
            if (!chosenThroughFile || distance - nearest > kSameRelatedChain) break;
            tie = false;
        }
        if (!mayQualify(candidate.axes, axes, order, kind)) continue;
        auto [known, fresh] = groups.try_emplace(candidate.axes);
        if (fresh) {
            known->second.rotations = generatedRotations(candidate.axes, axes);
            known->second.kind = known->second.rotations.empty() ? '\0' : rotationGroupKind(known->second.rotations);
        }
        const std::vector<cMatrix33>& group = known->second.rotations;
        const int n = static_cast<int>(group.size());
        const char groupKind = known->second.kind;
        if (!tie && n <= chosenSize) continue;
        // The group is part of the assembly searched.
        if (n == 0 || order % n != 0) continue;
        // A subgroup of a cyclic group is cyclic; the whole group must be the kind searched.
        if (kind == 'c' && groupKind != 'c') continue;
        if (kind != 0 && n == order && groupKind != kind) continue;
        // The file's chains with the new images make whole assemblies; the images are at most
        // the chains times the rotations other than the identity.
        if (chains.size() * n < static_cast<std::size_t>(order)) continue;
        // With fewer rotations than the assembly has, the site's must be among the assembly's (two
        // assemblies about one point that they swap would overlap), and the file's chains must
        // bring the others: the first chain's images are at most the site's rotations times the
        // file's chains whose motions from the first are rotations about the site.
        sSiteFixedSet site{candidate.point, {}};
        std::vector<char> about;
        if (n < order) {
            if (!liesInside(groupKind, n, order, kind)) continue;
            if (!related) related = firstChainRelations(chains, fileCentroids);
            // A cyclic site leaves its axis in place, a site of several axes its point only.
            if (groupKind == 'c') site.directions.push_back(axes[*candidate.axes.begin()].direction);
            if (relationsAboutSite(site, *related, about) * n < order) continue;
        }
        int copies = 0;
        std::vector<sReplicationImage> added = replicationImages(candidate.point, group, chains, &copies);
        if ((chains.size() + added.size()) % order != 0) continue;
        if (n < order && !formsAssemblies(site, group, chains, fileCentroids, *related, about, added, order, kind))
            continue;
        if (!chosen) nearest = distance;
        // The images are kept for a choice that the file's own rotations complete, and compared
        // where such a choice may give way.
        std::vector<std::vector<cVector3>> addedAtoms;
        if (n < order || (chosenThroughFile && n > chosenSize))
            addedAtoms = imageAtoms(candidate.point, group, added, chains);
        const bool take = !chosen || (tie && copies > chosenCopies) ||
                          (chosenThroughFile && n > chosenSize && sameChains(chosenImages, addedAtoms));
        if (take) {
            chosen = &candidate;
            chosenCopies = copies;
            chosenSize = n;
            chosenThroughFile = n < order;
            chosenImages = std::move(addedAtoms);
            if (rotations) *rotations = group;
            if (images) *images = std::move(added);
        }
    }
    return chosen;
}

namespace {

sLargerSite nearestLargerSite(const std::vector<sReplicationCentre>& candidates, const std::vector<sCrystalAxis>& axes,
                              int chainCount, int order, char kind) {
    sLargerSite nearest;
    if (kind == 0) return nearest;
    std::map<std::set<int>, std::pair<int, char>> groups;  // size and kind per set of axes
    for (const sReplicationCentre& candidate : candidates) {
        auto [known, fresh] = groups.try_emplace(candidate.axes);
        if (fresh) {
            const std::vector<cMatrix33> group = generatedRotations(candidate.axes, axes);
            known->second = {static_cast<int>(group.size()), group.empty() ? '\0' : rotationGroupKind(group)};
        }
        const auto [size, siteKind] = known->second;
        // Where some site has the group itself, something else kept it from qualifying.
        if (size == order && siteKind == kind) return {};
        const double distance = std::sqrt(candidate.score / chainCount);
        if (size > order && liesInside(kind, order, size, siteKind) && (nearest.size == 0 || distance < nearest.distance))
            nearest = {size, siteKind, distance};
    }
    return nearest;
}

}  // namespace

cSpatialTransform rotationAbout(const cVector3& centre, const cVector3& axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    // x -> C + (x-C) cos + a (a.(x-C)) (1 - cos) + (a x (x-C)) sin, on the basis vectors.
    auto turn = [&](const cVector3& v) { return v * c + axis * ((axis | v) * (1.0 - c)) + (axis ^ v) * s; };
    const cMatrix33 R(turn(cVector3(1.0, 0.0, 0.0)), turn(cVector3(0.0, 1.0, 0.0)), turn(cVector3(0.0, 0.0, 1.0)));
    return cSpatialTransform(R, centre - R * centre);
}

std::string cSym::replicateChainsCrystal(int order, char kind) {
    removeCrystalMates(*this);
    // Only the operators of this build are wanted; the record is read directly below.
    crystal.symmetryOperators.clear();
    crystal.createSymmetryOperators();
    const int n = static_cast<int>(chains.size());
    // Named as the file writes it (H 3 2, not the R 3 2 the tables know it by).
    std::string spaceGroup = crystal.cellRead ? crystal.writtenSpaceGroup : crystal.spaceGroupText();
    spaceGroup.erase(spaceGroup.find_last_not_of(' ') + 1);
    spaceGroup.erase(0, spaceGroup.find_first_not_of(' '));
    if (crystal.symmetryOperators.empty())
        return crystal.cellRead
                   ? "the space group \"" + spaceGroup + "\" of the cell record gives no symmetry operators"
                   : "the file has no crystal cell record";
    if (n == 0) return "the file has no chains";

    if (n == 1 && chains[0]->alignedAtoms.empty()) alignWithItself(*chains[0]);
    std::vector<cVector3> centres;
    std::vector<std::vector<cVector3>> caAtoms(n);  // what a mate copies
    for (int k = 0; k < n; ++k) {
        (void)chains[k]->computeCM();
        centres.push_back(chains[k]->centreOfMass);
        for (const cPDBAtom& atom : chains[k]->alignedAtoms)
            if (atom.isCA()) caAtoms[k].push_back(atom.position);
    }
    const cMatrix33 cell(crystal.cellVectors[0], crystal.cellVectors[1], crystal.cellVectors[2]);
    const std::vector<sCrystalAxis> axes = crystalRotationAxes(crystal.sgRecord, cell);
    const std::vector<sReplicationCentre> candidates =
        replicationCandidates(axes, *crystal.sgRecord.latticeInfo, cell, centres);
    std::vector<cMatrix33> group;
    std::vector<sReplicationImage> images;
    const sReplicationCentre* chosen = chooseReplicationCentre(candidates, axes, caAtoms, order, kind, &group, &images);
    if (!chosen) {
        // A file that holds the whole assembly already (its asymmetric unit may be the whole
        // assembly, with no site of the crystal at its centre) goes on as it is.
        if (holdsWholeAssemblies(caAtoms, order, kind)) return "";
        const sLargerSite larger = nearestLargerSite(candidates, axes, n, order, kind);
        if (larger.size > 0) {
            char distance[32];
            std::snprintf(distance, sizeof distance, "%.2f", larger.distance);
            return "no site of " + spaceGroup + " near the chains has exactly the group " + groupName(order, kind) +
                   "; the nearest site of a larger group (" + groupName(larger.size, larger.kind) + ") is " + distance +
                   " Å away, and larger groups are not cut down";
        }
        return "no site of " + spaceGroup + " near the chains holds the group " + groupName(order, kind);
    }

    for (const sReplicationImage& image : images) {
        const cMatrix33& R = group[image.element];
        const cSpatialTransform motion(R, chosen->point - R * chosen->point);
        const int k = image.source;
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
    // One chain per segment (each chain holds its one segment from the file); the segment array
    // of the file is not needed once the chains are cut.
    chainCount = static_cast<int>(chains.size());
    segments.assign(chainCount, cPDBSegment{});
    compareCrystalMates(*this);
    return "";
}
