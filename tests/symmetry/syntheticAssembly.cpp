// Test support: symmetric assemblies from copies of one real chain.
#include "tests/symmetry/syntheticAssembly.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "structure/cClassicalParserPDB.h"
#include "structure/cMolecule.h"
#include "structure/cPDBAtom.h"
#include "structure/cPDBSegment.h"
#include "tests/geometry/randomSeed.h"

namespace synthetic {

namespace {

constexpr double kPi = std::numbers::pi;

Eigen::Matrix3d axisRotation(const Eigen::Vector3d& axis, double angle) {
    return Eigen::AngleAxisd(angle, axis.normalized()).toRotationMatrix();
}

Eigen::Matrix3d randomRotation(std::mt19937_64& rng) {
    std::normal_distribution<double> g;
    const auto [w, x, y, z] = draws<4>(g, rng);
    Eigen::Quaterniond q(w, x, y, z);
    q.normalize();
    return q.toRotationMatrix();
}

// Closure of the generators under products; rotations closer than 1e-9 count as equal.
std::vector<Eigen::Matrix3d> closure(const std::vector<Eigen::Matrix3d>& generators) {
    std::vector<Eigen::Matrix3d> group{Eigen::Matrix3d::Identity()};
    for (std::size_t i = 0; i < group.size(); ++i) {
        for (const Eigen::Matrix3d& g : generators) {
            const Eigen::Matrix3d product = g * group[i];
            const bool known = std::any_of(group.begin(), group.end(),
                                           [&](const Eigen::Matrix3d& r) { return (r - product).norm() < 1e-9; });
            if (!known) group.push_back(product);
            if (group.size() > 200) throw std::runtime_error("group closure does not end");
        }
    }
    return group;
}

cPDBAtom alignedAtom(const cVector3& p, int residue) {
    cPDBAtom atom;
    atom.position = p;
    atom.name = "CA";
    atom.residueName = "ALA";
    atom.residueType = cPDBAtom::findResType("ALA");
    atom.residueNumber = residue;
    atom.chain = 'A';
    return atom;
}

}  // namespace

const std::vector<cVector3>& crambinAtoms() {
    static const std::vector<cVector3> points = [] {
        cPDBAtom::initMaps();
        cPDBAtom::initResCodes();
        cClassicalParserPDB reader;
        int nChains = 0, nAtoms = 0;
        reader.readFile(std::string(QUORIX_TEST_DATA) + "/structure/1crn.pdb", nChains, nAtoms, 0, 0);
        std::vector<cPDBSegment> segments;
        std::vector<cPDBAtom> atoms;
        reader.parseFields(segments, atoms, false, ' ');
        std::vector<cVector3> kept;
        cVector3 mean(0.0);
        for (const cPDBAtom& atom : atoms) {
            kept.push_back(atom.position);
            mean += atom.position;
        }
        mean /= static_cast<double>(kept.size());
        for (cVector3& p : kept) p -= mean;
        return kept;
    }();
    return points;
}

std::vector<Eigen::Matrix3d> groupRotations(char type, int order) {
    const Eigen::Vector3d x = Eigen::Vector3d::UnitX(), z = Eigen::Vector3d::UnitZ();
    const Eigen::Vector3d diagonal(1.0, 1.0, 1.0);
    const double phi = (1.0 + std::sqrt(5.0)) / 2.0;
    switch (type) {
        case 'c': return closure({axisRotation(z, 2.0 * kPi / order)});
        case 'd': return closure({axisRotation(z, 2.0 * kPi / order), axisRotation(x, kPi)});
        case 't': return closure({axisRotation(diagonal, 2.0 * kPi / 3.0), axisRotation(z, kPi)});
        case 'o': return closure({axisRotation(diagonal, 2.0 * kPi / 3.0), axisRotation(z, kPi / 2.0)});
        case 'i':
            return closure({axisRotation(diagonal, 2.0 * kPi / 3.0), axisRotation(Eigen::Vector3d(0.0, 1.0, phi), 2.0 * kPi / 5.0)});
        default: throw std::invalid_argument("group type");
    }
}

std::vector<Eigen::Vector3d> axesOfOrder(const std::vector<Eigen::Matrix3d>& rotations, int k) {
    std::vector<Eigen::Vector3d> axes;
    for (const Eigen::Matrix3d& r : rotations) {
        const double angle = std::acos(std::clamp((r.trace() - 1.0) / 2.0, -1.0, 1.0));
        if (std::fabs(angle - 2.0 * kPi / k) > 1e-6) continue;
        const Eigen::JacobiSVD<Eigen::Matrix3d> svd(r - Eigen::Matrix3d::Identity(), Eigen::ComputeFullV);
        axes.push_back(svd.matrixV().col(2));
    }
    return axes;
}

sAssembly buildAssembly(char type, int order, std::mt19937_64& rng, double noise, double radius, int keep) {
    const std::vector<Eigen::Matrix3d> model = groupRotations(type, order);
    const Eigen::Matrix3d frame = randomRotation(rng);
    const Eigen::Matrix3d chainTurn = randomRotation(rng);
    std::uniform_real_distribution<double> u(-50.0, 50.0);
    std::normal_distribution<double> g;
    sAssembly assembly;
    const auto [cx, cy, cz] = draws<3>(u, rng);
    assembly.centre = Eigen::Vector3d(cx, cy, cz);
    // Chain 0's centre: a generic direction, kept away from the main axis for cyclic groups.
    // Dihedral copies are two stacked rings, as in real dihedral complexes: rings squeezed into
    // one plane are a degenerate case for the chain neighbour graph of the correspondence.
    const auto [ox, oy, oz] = draws<3>(g, rng);
    Eigen::Vector3d offset(ox, oy, oz);
    if (type == 'c') offset.z() *= 0.3;
    if (type == 'd') {
        const double across = std::hypot(offset.x(), offset.y());
        if (std::fabs(offset.z()) < 0.5 * across) offset.z() = std::copysign(0.5 * across, offset.z());
    }
    offset = radius * offset.normalized();
    for (const Eigen::Matrix3d& r : model) assembly.rotations.push_back(frame * r * frame.transpose());

    std::vector<std::vector<cVector3>> chains;
    for (const Eigen::Matrix3d& r : model) {
        std::vector<cVector3> chain;
        for (const cVector3& p : crambinAtoms()) {
            const Eigen::Vector3d q = assembly.centre + frame * r * (chainTurn * toEigen(p) + offset);
            chain.emplace_back(q.x(), q.y(), q.z());
        }
        chains.push_back(std::move(chain));
    }
    // The group's rotations come out of the closure as powers of the first generator first: the
    // first `keep` copies are neighbours around the main axis of a cyclic group.
    if (keep >= 0) chains.resize(keep);
    std::shuffle(chains.begin(), chains.end(), rng);
    std::normal_distribution<double> jitter(0.0, noise > 0.0 ? noise : 1.0);
    if (noise > 0.0)
        for (std::vector<cVector3>& chain : chains)
            for (cVector3& p : chain) {
                const auto [dx, dy, dz] = draws<3>(jitter, rng);
                p += cVector3(dx, dy, dz);
            }
    assembly.chains = std::move(chains);
    return assembly;
}

void loadAssembly(cSym& sym, const sAssembly& assembly, bool pairMatrices) {
    const int n = static_cast<int>(assembly.chains.size());
    sym.chainCount = n;
    sym.chainIndices.clear();
    for (int i = 0; i < n; ++i) {
        auto* molecule = new cMolecule;
        int residue = 1;
        for (const cVector3& p : assembly.chains[i]) molecule->atoms.push_back(alignedAtom(p, residue++));
        molecule->alignedAtoms = molecule->atoms;
        (void)molecule->computeCM();
        sym.chains.push_back(molecule);
        sym.chainIndices.push_back(i);
    }
    sym.chains[0]->direction1 = cVector3(1.0, 0.0, 0.0);
    sym.chains[0]->direction2 = cVector3(0.0, 1.0, 0.0);
    for (int i = 1; i < n; ++i) sym.chains[i]->computeDirections(sym.chains[0]);
    if (!pairMatrices) return;
    cVector3 centre(0.0);
    for (cMolecule* chain : sym.chains) centre += chain->centreOfMass;
    centre /= static_cast<double>(n);
    sym.pairRMSD.assign(n, std::vector<double>(n, 0.0));
    sym.pairAngle = sym.pairRMSD;
    sym.pairCentreDistance = sym.pairRMSD;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            sym.pairRMSD[i][j] = sym.chains[i]->computeRMSD(sym.chains[j]);
            sym.pairAngle[i][j] = sym.chains[i]->computeAngle(sym.chains[j]);
            sym.pairCentreDistance[i][j] = sym.chains[i]->computeDistAxisCenter(sym.chains[j], centre);
        }
}

std::unique_ptr<cPointSymmetryGroup> makeGroup(char type, int order) {
    switch (type) {
        case 'c': return std::make_unique<cCnSymmetry>(order);
        case 'd': return std::make_unique<cDnSymmetry>(order);
        case 't': return std::make_unique<cTSymmetry>();
        case 'o': return std::make_unique<cOSymmetry>();
        case 'i': return std::make_unique<cISymmetry>();
        default: throw std::invalid_argument("group type");
    }
}

std::vector<double> expectedAngles(const cPointSymmetryGroup& group) {
    const double pi = 3.141592653589793;
    std::vector<double> angles;
    switch (group.type[0]) {
        case 'd': angles.push_back(pi); [[fallthrough]];
        case 'c':
            for (int i = 1; i <= group.order / 2; ++i) angles.push_back((2 * i) * pi / group.order);
            break;
        case 't': angles = {pi, 2.0943951023931953}; break;
        case 'o': angles = {pi, 2.0943951023931953, 1.5707963267948966}; break;
        case 'i': angles = {pi, 2.0943951023931953, 1.2566370614359172, 2.5132741228718345}; break;
    }
    return angles;
}

bool strictClustering(const cPointSymmetryGroup& group) { return group.type != "c"; }

bool searchOneCopy(cSym& sym, cPointSymmetryGroup& group) {
    sym.clusterChains(group.chainsPerAssembly, expectedAngles(group),
                      group.type == "c" ? sym.strictAngles : strictClustering(group));
    if (!sym.chainToCluster) return false;
    if (!sym.estimateCorrespondence(&group, 0)) return false;
    sym.initPermutations(&group);
    sym.computeAxis(&group);
    return true;
}

Eigen::Matrix3d quaternionRotation(double q0, const Eigen::Vector3d& v) {
    Eigen::Quaterniond q(q0, v.x(), v.y(), v.z());
    q.normalize();
    return q.toRotationMatrix();
}

Eigen::Matrix3d elementRotation(const cSym& sym, const cPointSymmetryGroup& group, int element) {
    const Eigen::Vector3d a1 = toEigen(sym.a1), a2 = toEigen(sym.a2);
    const Eigen::Vector3d v = group.q1[element] * a1 + group.q2[element] * a2 + group.q3[element] * a1.cross(a2);
    return quaternionRotation(group.q0[element], v);
}

double largestElementDeviation(const cSym& sym, const cPointSymmetryGroup& group, const Eigen::Vector3d& centre) {
    // Plain doubles: this runs over every atom of every element, also in unoptimised builds.
    const double c[3] = {centre.x(), centre.y(), centre.z()};
    double largest = 0.0;
    for (std::size_t j = 0; j < group.permutations.size(); ++j) {
        const std::vector<int>& p = group.permutations[j];
        if (p.empty()) continue;
        const Eigen::Matrix3d rotation = elementRotation(sym, group, static_cast<int>(j));
        double r[3][3];
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) r[a][b] = rotation(a, b);
        for (int k = 0; k < sym.chainCount && k < static_cast<int>(p.size()); ++k) {
            if (p[k] < 0 || p[k] >= sym.chainCount) continue;
            const auto& source = sym.chains[k]->alignedAtoms;
            const auto& target = sym.chains[p[k]]->alignedAtoms;
            for (std::size_t l = 0; l < source.size(); ++l) {
                const double u[3] = {source[l].position.x - c[0], source[l].position.y - c[1], source[l].position.z - c[2]};
                const double t[3] = {target[l].position.x, target[l].position.y, target[l].position.z};
                double d2 = 0.0;
                for (int a = 0; a < 3; ++a) {
                    const double moved = c[a] + r[a][0] * u[0] + r[a][1] * u[1] + r[a][2] * u[2];
                    d2 += (moved - t[a]) * (moved - t[a]);
                }
                largest = std::max(largest, d2);
            }
        }
    }
    return std::sqrt(largest);
}

double axisError(const cVector3& axis, const std::vector<Eigen::Vector3d>& axes) {
    const Eigen::Vector3d a = toEigen(axis).normalized();
    double best = kPi;
    for (const Eigen::Vector3d& u : axes) {
        const double angle = std::atan2(a.cross(u).norm(), std::fabs(a.dot(u)));
        best = std::min(best, angle);
    }
    return best;
}

double distanceToLine(const Eigen::Vector3d& point, const Eigen::Vector3d& centre, const Eigen::Vector3d& axis) {
    const Eigen::Vector3d d = point - centre;
    const Eigen::Vector3d a = axis.normalized();
    return (d - d.dot(a) * a).norm();
}

}  // namespace synthetic
