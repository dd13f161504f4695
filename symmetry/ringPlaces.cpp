// Ring places of the chains of an incomplete cyclic copy. The rotation between two copies of a
// chain does not depend on where the ring's centre lies (which the chains present of an
// incomplete ring do not show) nor on which neighbours happen to be present: its axis is the
// ring's axis and its angle a whole number of the ring's turns. On a ring wide beside its
// chains, the chains' centres tell that angle more finely still.
#include "symmetry/ringPlaces.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "symmetry/leastCostAssignment.h"

namespace {

constexpr double kPi = 3.141592653589793;

// The rotation with the rows d1, d2, d1 x d2.
Eigen::Matrix3d frame(const cVector3& d1, const cVector3& d2) {
    const cVector3 d3 = d1 ^ d2;
    Eigen::Matrix3d f;
    f << d1.x, d1.y, d1.z, d2.x, d2.y, d2.z, d3.x, d3.y, d3.z;
    return f;
}

// sin(angle) times the unit axis of a rotation.
Eigen::Vector3d axialVector(const Eigen::Matrix3d& m) {
    return 0.5 * Eigen::Vector3d(m(2, 1) - m(1, 2), m(0, 2) - m(2, 0), m(1, 0) - m(0, 1));
}

// The angle of a turn about the unit axis, in (-pi, pi]; 0 when it is not a number.
double turnAngle(const Eigen::Matrix3d& turn, const Eigen::Vector3d& axis) {
    const double angle = std::atan2(axis.dot(axialVector(turn)), 0.5 * (turn.trace() - 1.0));
    return std::isfinite(angle) ? angle : 0.0;
}

Eigen::Matrix2d planeRotation(double angle) {
    Eigen::Matrix2d r;
    r << std::cos(angle), -std::sin(angle), std::sin(angle), std::cos(angle);
    return r;
}

// The angles phi_k (radians, from the first chain) and the ring's centre p that, in the plane
// across the axis, with x_k the centre of chain k less the first chain's (x_0 = 0), minimise
//     sum_k |x_k - (I - R(phi_k)) p|^2 + w2 sum_k (phi_k - theta_k)^2.
// Gauss-Newton steps from the turns' angles theta, halved until they lower the sum; each phi_k
// is eliminated from the normal equations (they meet only through p), so a step costs O(chains).
struct sRingFit {
    std::vector<double> angles;
    Eigen::Vector2d centre;
};
sRingFit fitRing(const std::vector<Eigen::Vector2d>& x, const std::vector<double>& theta, double w2) {
    const int a = static_cast<int>(x.size());
    const Eigen::Matrix2d identity = Eigen::Matrix2d::Identity();
    auto cost = [&](const std::vector<double>& phi, const Eigen::Vector2d& p) {
        double sum = 0.0;
        for (int k = 1; k < a; ++k)
            sum += (x[k] - (identity - planeRotation(phi[k])) * p).squaredNorm() + w2 * std::pow(phi[k] - theta[k], 2);
        return sum;
    };

    // The ring's centre for the turns' angles: (I - R)^T (I - R) = (2 - 2 cos phi) I.
    sRingFit fit{theta, Eigen::Vector2d::Zero()};
    double weight = 0.0;
    for (int k = 1; k < a; ++k) {
        fit.centre += (identity - planeRotation(theta[k])).transpose() * x[k];
        weight += 2.0 - 2.0 * std::cos(theta[k]);
    }
    fit.centre = weight > 1e-12 ? Eigen::Vector2d(fit.centre / weight) : Eigen::Vector2d::Zero();

    const Eigen::Matrix2d quarter = planeRotation(kPi / 2.0);
    double current = cost(fit.angles, fit.centre);
    for (int iteration = 0; iteration < 100; ++iteration) {
        const Eigen::Vector2d& p = fit.centre;
        Eigen::Matrix2d schur = Eigen::Matrix2d::Zero();
        Eigen::Vector2d rhs = Eigen::Vector2d::Zero();
        std::vector<Eigen::Vector2d> coupling(a);
        std::vector<double> gradient(a, 0.0), curvature(a, 1.0);
        for (int k = 1; k < a; ++k) {
            const Eigen::Matrix2d r = planeRotation(fit.angles[k]);
            const Eigen::Matrix2d jp = r - identity;        // d residual / d p
            const Eigen::Vector2d jphi = quarter * r * p;  // d residual / d phi_k
            const Eigen::Vector2d residual = x[k] + jp * p;
            coupling[k] = jp.transpose() * jphi;
            gradient[k] = jphi.dot(residual) + w2 * (fit.angles[k] - theta[k]);
            curvature[k] = jphi.squaredNorm() + w2;
            schur += jp.transpose() * jp - coupling[k] * coupling[k].transpose() / curvature[k];
            rhs += -jp.transpose() * residual + coupling[k] * gradient[k] / curvature[k];
        }
        Eigen::Vector2d dp = Eigen::Vector2d::Zero();
        if (std::abs(schur.determinant()) > 1e-12 * std::max(schur.squaredNorm(), 1e-300)) dp = schur.inverse() * rhs;
        std::vector<double> dphi(a, 0.0);
        for (int k = 1; k < a; ++k) dphi[k] = -(gradient[k] + coupling[k].dot(dp)) / curvature[k];

        bool lowered = false;
        for (double step = 1.0; step > 1e-6 && !lowered; step *= 0.5) {
            std::vector<double> trial = fit.angles;
            for (int k = 1; k < a; ++k) trial[k] += step * dphi[k];
            const Eigen::Vector2d trialCentre = p + step * dp;
            const double trialCost = cost(trial, trialCentre);
            if (trialCost < current) {
                fit = {std::move(trial), trialCentre};
                current = trialCost;
                lowered = true;
            }
        }
        double largest = 0.0;
        for (int k = 1; k < a; ++k) largest = std::max(largest, std::abs(dphi[k]));
        if (!lowered || largest < 1e-12) break;
    }
    return fit;
}

// The chains' angles about the axis refined by their centres. A turn's angle alone is known to
// about the noise over the chain's own radius; the chain's centre, carried round at the ring's
// radius, tells the angle that much more finely wherever the ring's centre is known, and the
// centres of three chains or more fix that centre. Both are fitted together (fitRing), by least
// squares in Å: w, the chains' radius of gyration, is the lever arm that turns a turn's angle
// into Å as the ring's radius does for a centre. Two chains alone leave the angle to their turn.
//
// Returns nothing unless every centre lies where the fit puts it, across and along the axis,
// within a quarter of the ring's step (the arc between two places): only then do the centres
// tell the places apart. Chains that are not copies of one ring keep the turns' places.
std::optional<std::vector<double>> anglesByCentres(const std::vector<Eigen::Matrix3d>& turns,
                                                   const Eigen::Matrix3d& turnSpread, const Eigen::Vector3d& turnAxis,
                                                   const cVector3* centres, double chainRadius, int order) {
    const int a = static_cast<int>(turns.size());
    std::vector<Eigen::Vector3d> c(a);
    Eigen::Vector3d mean = Eigen::Vector3d::Zero();
    for (int k = 0; k < a; ++k) {
        c[k] = Eigen::Vector3d(centres[k].x, centres[k].y, centres[k].z);
        mean += c[k] / a;
    }
    Eigen::Matrix3d scatter = Eigen::Matrix3d::Zero();
    double extent = 0.0;
    for (const Eigen::Vector3d& ck : c) {
        scatter += (ck - mean) * (ck - mean).transpose();
        extent = std::max(extent, (ck - mean).norm());
    }
    if (!(extent > 0.0) || !std::isfinite(extent)) return std::nullopt;
    // A chain without extent still weighs its turn a little, so that two chains stay determined.
    const double w2 = std::pow(std::max(chainRadius, 1e-6 * extent), 2);

    // The axis too is told more finely by the centres, which lie in one plane across it: the
    // direction that the turns leave in place and the centres do not spread along, each in Å^2
    // (a turn's misfit as an arc of w). Its sense is the turns'.
    Eigen::Vector3d axis =
        Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(w2 * turnSpread + scatter).eigenvectors().col(0);
    if (axis.dot(turnAxis) < 0.0) axis = -axis;
    std::vector<double> theta(a, 0.0);
    for (int k = 1; k < a; ++k) theta[k] = turnAngle(turns[k], axis);

    // A basis (e1, e2) of the plane with e1 x e2 = axis, so that angles run in the turns' sense.
    Eigen::Vector3d helper = Eigen::Vector3d::Zero();
    int least = 0;
    axis.cwiseAbs().minCoeff(&least);
    helper[least] = 1.0;
    const Eigen::Vector3d e1 = axis.cross(helper).normalized();
    const Eigen::Vector3d e2 = axis.cross(e1);
    std::vector<Eigen::Vector2d> x(a);
    for (int k = 0; k < a; ++k) x[k] = Eigen::Vector2d(e1.dot(c[k] - c[0]), e2.dot(c[k] - c[0]));

    sRingFit fit = fitRing(x, theta, w2);
    const double quarterStep = 0.25 * fit.centre.norm() * 2.0 * kPi / order;
    for (int k = 0; k < a; ++k) {
        const double along = axis.dot(c[k] - mean);
        const Eigen::Vector2d across = x[k] - (Eigen::Matrix2d::Identity() - planeRotation(fit.angles[k])) * fit.centre;
        if (!std::isfinite(fit.angles[k]) || !(across.squaredNorm() + along * along <= quarterStep * quarterStep))
            return std::nullopt;
        fit.angles[k] = std::atan2(std::sin(fit.angles[k]), std::cos(fit.angles[k]));
    }
    return fit.angles;
}

// Each chain's place from its angle about the axis (radians from the first chain): chains
// 1 .. a - 1 over places 1 .. order - 1, each costing its squared distance in turns around the
// ring. Sets `within` to whether every chain lies within a quarter of a step of its place.
std::vector<int> nearestPlaces(const std::vector<double>& angles, int order, bool& within) {
    const int a = static_cast<int>(angles.size());
    std::vector<std::vector<double>> cost(a - 1, std::vector<double>(order - 1));
    for (int k = 1; k < a; ++k) {
        const double turn = angles[k] * order / (2.0 * kPi);
        for (int place = 1; place < order; ++place) {
            double off = turn - place;
            off -= order * std::round(off / order);
            cost[k - 1][place - 1] = off * off;
        }
    }
    const std::vector<int> column = assignRows(cost, order - 1);
    std::vector<int> places(a, 0);
    within = true;
    for (int k = 1; k < a; ++k) {
        places[k] = column[k - 1] + 1;
        within = within && cost[k - 1][column[k - 1]] <= 0.25 * 0.25;
    }
    return places;
}

}  // namespace

std::vector<int> ringPlaces(const cVector3* d1, const cVector3* d2, const cVector3* centres, double chainRadius,
                            int order, int chainCount) {
    if (chainCount <= 1 || order < 2 || chainCount > order) return std::vector<int>(std::max(chainCount, 0), 0);

    // The turn from the copy's first chain onto chain k: F_k takes chain k back onto the
    // complex's chain 0, so F_k^T F_0 carries the first chain onto chain k.
    const Eigen::Matrix3d first = frame(d1[0], d2[0]);
    std::vector<Eigen::Matrix3d> turns(chainCount, Eigen::Matrix3d::Identity());
    // The common axis: the direction that every turn leaves in place, in least squares
    // (|M u - u|^2 summed is u^T (2 I - M - M^T) u for a rotation M; a half turn counts too).
    Eigen::Matrix3d spread = Eigen::Matrix3d::Zero();
    for (int k = 1; k < chainCount; ++k) {
        turns[k] = frame(d1[k], d2[k]).transpose() * first;
        spread += 2.0 * Eigen::Matrix3d::Identity() - turns[k] - turns[k].transpose();
    }
    const Eigen::Vector3d axis = Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(spread).eigenvectors().col(0);

    std::vector<double> angles(chainCount, 0.0);
    for (int k = 1; k < chainCount; ++k) angles[k] = turnAngle(turns[k], axis);
    bool within = false;
    std::vector<int> places = nearestPlaces(angles, order, within);
    // Where the centres lie on one ring and put every chain within a quarter step of a place,
    // those places stand: the centres tell the angle far more finely than the turns.
    if (centres) {
        if (const auto refined = anglesByCentres(turns, spread, axis, centres, chainRadius, order)) {
            const std::vector<int> byCentres = nearestPlaces(*refined, order, within);
            if (within) places = byCentres;
        }
    }

    // The axis has no sign of its own: of the two senses around the ring, take the one whose
    // chains, read place by place from the first, come in the lower order of their indices (a
    // missing chain after every chain present), as the map of a complete ring takes its first
    // chain's lower neighbour next.
    std::vector<int> forward(order, chainCount), backward(order, chainCount);
    for (int k = 0; k < chainCount; ++k) {
        forward[places[k]] = k;
        backward[(order - places[k]) % order] = k;
    }
    if (std::lexicographical_compare(backward.begin(), backward.end(), forward.begin(), forward.end()))
        for (int k = 1; k < chainCount; ++k) places[k] = order - places[k];
    return places;
}
