// Ring places of the chains of an incomplete cyclic copy. The rotation between two copies of a
// chain does not depend on where the ring's centre lies (which the chains present of an
// incomplete ring do not show) nor on which neighbours happen to be present: its axis is the
// ring's axis and its angle a whole number of the ring's turns.
#include "symmetry/ringPlaces.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>

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

// Least-cost assignment of every row to its own column (rows <= columns), by the shortest
// augmenting paths of the Hungarian method; returns each row's column.
std::vector<int> assignRows(const std::vector<std::vector<double>>& cost, int columns) {
    const int rows = static_cast<int>(cost.size());
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<double> u(rows + 1, 0.0), v(columns + 1, 0.0);
    std::vector<int> rowOf(columns + 1, 0), way(columns + 1, 0);
    for (int i = 1; i <= rows; ++i) {
        rowOf[0] = i;
        int j0 = 0;
        std::vector<double> least(columns + 1, infinity);
        std::vector<char> done(columns + 1, 0);
        do {
            done[j0] = 1;
            const int i0 = rowOf[j0];
            double delta = infinity;
            int j1 = 0;
            for (int j = 1; j <= columns; ++j) {
                if (done[j]) continue;
                const double reduced = cost[i0 - 1][j - 1] - u[i0] - v[j];
                if (reduced < least[j]) {
                    least[j] = reduced;
                    way[j] = j0;
                }
                if (least[j] < delta) {
                    delta = least[j];
                    j1 = j;
                }
            }
            for (int j = 0; j <= columns; ++j) {
                if (done[j]) {
                    u[rowOf[j]] += delta;
                    v[j] -= delta;
                } else {
                    least[j] -= delta;
                }
            }
            j0 = j1;
        } while (rowOf[j0] != 0);
        do {
            const int j1 = way[j0];
            rowOf[j0] = rowOf[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    std::vector<int> column(rows, 0);
    for (int j = 1; j <= columns; ++j)
        if (rowOf[j] > 0) column[rowOf[j] - 1] = j - 1;
    return column;
}

}  // namespace

std::vector<int> ringPlaces(const cVector3* d1, const cVector3* d2, int order, int chainCount) {
    std::vector<int> places(std::max(chainCount, 0), 0);
    if (chainCount <= 1 || order < 2 || chainCount > order) return places;

    // The turn from the copy's first chain onto chain k: F_k takes chain k back onto the
    // complex's chain 0, so F_k^T F_0 carries the first chain onto chain k.
    const Eigen::Matrix3d first = frame(d1[0], d2[0]);
    std::vector<Eigen::Matrix3d> turns(chainCount);
    // The common axis: the direction that every turn leaves in place, in least squares
    // (|M u - u|^2 summed is u^T (2 I - M - M^T) u for a rotation M; a half turn counts too).
    Eigen::Matrix3d spread = Eigen::Matrix3d::Zero();
    for (int k = 1; k < chainCount; ++k) {
        turns[k] = frame(d1[k], d2[k]).transpose() * first;
        spread += 2.0 * Eigen::Matrix3d::Identity() - turns[k] - turns[k].transpose();
    }
    Eigen::Vector3d axis = Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(spread).eigenvectors().col(0);

    std::vector<double> angles(chainCount, 0.0);
    for (int k = 1; k < chainCount; ++k) {
        angles[k] = std::atan2(axis.dot(axialVector(turns[k])), 0.5 * (turns[k].trace() - 1.0));
        if (!std::isfinite(angles[k])) angles[k] = 0.0;
    }

    // Chains 1 .. a - 1 over places 1 .. order - 1, each costing its squared distance in turns
    // around the ring.
    std::vector<std::vector<double>> cost(chainCount - 1, std::vector<double>(order - 1));
    for (int k = 1; k < chainCount; ++k) {
        const double turn = angles[k] * order / (2.0 * kPi);
        for (int place = 1; place < order; ++place) {
            double off = turn - place;
            off -= order * std::round(off / order);
            cost[k - 1][place - 1] = off * off;
        }
    }
    const std::vector<int> column = assignRows(cost, order - 1);
    for (int k = 1; k < chainCount; ++k) places[k] = column[k - 1] + 1;

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
