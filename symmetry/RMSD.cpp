// The per-element sums over matched atom pairs and the quadratic RMSD model built from them.
#include "symmetry/RMSD.h"

#include <Eigen/Dense>

#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/eigenConversions.h"

namespace {

// W of a point list: the number of points, or the sum of their weights.
double weightOf(int n, const double* weights) {
    if (!weights) return n;
    double w = 0.0;
    for (int i = 0; i < n; ++i) w += weights[i];
    return w;
}

bool holdsElement(const cPointSymmetryGroup* group, int element) {
    return element >= 0 && static_cast<std::size_t>(element) < group->permutations.size() &&
           !group->permutations[element].empty();
}

}  // namespace

RMSD::RMSD() = default;

void RMSD::computeCOM(const cVector3* points, int n, const double* weights) {
    centreOfMass = cVector3(0.0);
    W = 0.0;
    if (n <= 0) return;
    W = weightOf(n, weights);
    for (int i = 0; i < n; ++i) centreOfMass += weights ? points[i] * weights[i] : points[i];
    centreOfMass /= W;
}

void RMSD::computeGyrRad(const cVector3* points, int n, const double* weights) {
    gyrationRadius2 = 0.0;
    W = 0.0;
    if (n <= 0) return;
    W = weightOf(n, weights);
    for (int i = 0; i < n; ++i) {
        const double r2 = (points[i] - centreOfMass).norm2();
        gyrationRadius2 += weights ? weights[i] * r2 : r2;
    }
    gyrationRadius2 /= W;
}

void RMSD::computeInertiaTwoMolecules(const cVector3* P, const cVector3* Q, int n, const double* weights) {
    W = weightOf(n, weights);
    // s[a][b] = sum of weight * u_a * w_b
    double s[3][3] = {};
    for (int i = 0; i < n; ++i) {
        const cVector3 u = P[i] - centreOfMass;
        const cVector3 w = Q[i] - centreOfMass;
        const double k = weights ? weights[i] : 1.0;
        const double uu[3] = {u.x, u.y, u.z};
        const double ww[3] = {w.x, w.y, w.z};
        for (int a = 0; a < 3; ++a)
            for (int c = 0; c < 3; ++c) s[a][c] += k * uu[a] * ww[c];
    }
    sums[eProdXX] = 4.0 * s[0][0] / W;
    sums[eProdYY] = 4.0 * s[1][1] / W;
    sums[eProdZZ] = 4.0 * s[2][2] / W;
    sums[eKxx] = sums[eProdYY] + sums[eProdZZ];
    sums[eKyy] = sums[eProdZZ] + sums[eProdXX];
    sums[eKzz] = sums[eProdYY] + sums[eProdXX];
    sums[eOffYX] = -4.0 * s[1][0] / W;
    sums[eOffZY] = -4.0 * s[2][1] / W;
    sums[eOffXZ] = -4.0 * s[0][2] / W;
    sums[eOffXY] = -4.0 * s[0][1] / W;
    sums[eOffYZ] = -4.0 * s[1][2] / W;
    sums[eOffZX] = -4.0 * s[2][0] / W;
}

void RMSD::computeCrossInertia(const cVector3* P, const cVector3* Q, int n, const double* weights) {
    W = weightOf(n, weights);
    cVector3 cross(0.0), mean(0.0), square(0.0);
    for (int i = 0; i < n; ++i) {
        const cVector3 u = P[i] - centreOfMass;
        const cVector3 w = Q[i] - centreOfMass;
        const double k = weights ? weights[i] : 1.0;
        const cVector3 diff = u - w;
        cross += (w ^ u) * k;
        mean += diff * k;
        square += (diff * diff) * k;
    }
    sums[eCrossZ] = cross.z / W;
    sums[eCrossX] = cross.x / W;
    sums[eCrossY] = cross.y / W;
    sums[eMeanX] = mean.x / W;
    sums[eMeanY] = mean.y / W;
    sums[eMeanZ] = mean.z / W;
    sums[eSquareX] = square.x / W;
    sums[eSquareY] = square.y / W;
    sums[eSquareZ] = square.z / W;
}

void RMSD::incrementInertias(const cVector3* P, const cVector3* Q, int n, const double* weights,
                             cPointSymmetryGroup* /*group*/, int element, int elementCount) {
    if (n <= 0) {
        sums.fill(0.0);
        centreOfMass = cVector3(0.0);
        W = 0.0;
    } else {
        computeInertiaTwoMolecules(P, Q, n, weights);
        computeCrossInertia(P, Q, n, weights);
    }
    saveCoefficients(element, elementCount);
}

void RMSD::saveCoefficients(int element, int elementCount) {
    if (element < 0) return;
    // Grow to the largest element count met: a later group may cover more chain slots.
    const std::size_t size = std::max<std::size_t>(elementCount, static_cast<std::size_t>(element) + 1);
    if (elementSums.size() < size) {
        elementSums.resize(size, std::array<double, eSumCount>{});
        elementCentres.resize(size, cVector3(0.0));
        elementWeights.resize(size, 0.0);
    }
    elementSums[element] = sums;
    elementCentres[element] = centreOfMass;
    elementWeights[element] = W;
}

void RMSD::initCoefficients(double cos) {
    cosine = cos;
    A.setZero();
    T = 0.0;
    B.setZero();
    b.setZero();
    d.setZero();
    e = 0.0;
    totalWeight = 0.0;
    modelCentreSet = false;
}

RMSD::sElementModel RMSD::elementModel(int element) const {
    const std::array<double, eSumCount>& s = elementSums[element];
    sElementModel model;
    model.K(0, 0) = s[eKxx];
    model.K(1, 1) = s[eKyy];
    model.K(2, 2) = s[eKzz];
    model.K(0, 1) = model.K(1, 0) = (s[eOffYX] + s[eOffXY]) / 2.0;
    model.K(1, 2) = model.K(2, 1) = (s[eOffZY] + s[eOffYZ]) / 2.0;
    model.K(0, 2) = model.K(2, 0) = (s[eOffXZ] + s[eOffZX]) / 2.0;
    model.omega = Eigen::Vector3d(4.0 * s[eCrossX], 4.0 * s[eCrossY], 4.0 * s[eCrossZ]);
    model.E = s[eSquareX] + s[eSquareY] + s[eSquareZ];
    model.m = Eigen::Vector3d(s[eMeanX], s[eMeanY], s[eMeanZ]);
    return model;
}

void RMSD::computeCoefficients(cPointSymmetryGroup* group, bool solveMain, int element) {
    if (!holdsElement(group, element) || static_cast<std::size_t>(element) >= elementSums.size()) return;
    W = elementWeights[element];
    const double q0 = group->q0[element];
    const double q1 = group->q1[element];
    const double q2 = group->q2[element];
    const double q3 = group->q3[element];

    // The fitted axis n and the fixed axis f; the rotation's vector part is
    // alpha n + beta f + gamma (f x n) = M n + beta f.
    const Eigen::Vector3d f = toEigen(solveMain ? a2 : a1);
    const double alpha = solveMain ? q1 : q2;
    const double beta = solveMain ? q2 : q1;
    const double gamma = solveMain ? -q3 : q3;

    const sElementModel model = elementModel(element);
    const Eigen::Matrix3d& K = model.K;
    const Eigen::Vector3d& omega = model.omega;
    const double E = model.E;
    const Eigen::Vector3d& m = model.m;

    const Eigen::Matrix3d F = crossMatrix(f);
    const Eigen::Matrix3d M = alpha * Eigen::Matrix3d::Identity() + gamma * F;

    A += W * (alpha * alpha * K + alpha * gamma * (K * F + F.transpose() * K) + gamma * gamma * (F.transpose() * K * F));
    b += W * (2.0 * beta * (M.transpose() * (K * f)) + q0 * (M.transpose() * omega));
    e += W * (E + beta * beta * f.dot(K * f) + q0 * beta * omega.dot(f));
    const double Tj = 4.0 * alpha * alpha * W;
    const Eigen::Vector3d dj = -4.0 * alpha * alpha * W * m;
    const Eigen::Matrix3d Bj = -4.0 * alpha * q0 * W * crossMatrix(m);
    T += Tj;
    d += dj;
    B += Bj;
    totalWeight += W;

    // Common centre: this element turns about modelCentre - x, i.e. with the offset
    // x + delta - (n . delta) n from its own centre, delta = c - modelCentre. Expanding
    // Tj |x + P delta|^2 + (x + P delta) . (dj - Bj n) with x . n = 0 and n . Bj n = 0:
    if (!modelCentreSet) {
        modelCentre = elementCentres[element];
        modelCentreSet = true;
    }
    const Eigen::Vector3d delta = toEigen(elementCentres[element] - modelCentre);
    if (delta.squaredNorm() > 0.0) {
        d += 2.0 * Tj * delta;
        A += -Tj * (delta * delta.transpose()) - 0.5 * (delta * dj.transpose() + dj * delta.transpose());
        b += -(Bj.transpose() * delta);
        e += Tj * delta.squaredNorm() + delta.dot(dj);
    }
}

double RMSD::computeRMSD2(cPointSymmetryGroup* group, int element) {
    initCoefficients(group->cosine);
    computeCoefficients(group, true, element);
    const Eigen::Vector3d n = toEigen(a1);
    double value;
    if (T > 1e-6) {
        const Eigen::Matrix3d Ap = A + (0.25 / T) * (B * B + d * d.transpose());
        const Eigen::Vector3d bp = b + (0.5 / T) * (B.transpose() * d);
        value = n.dot(Ap * n) + bp.dot(n) - d.squaredNorm() / (4.0 * T);
    } else {
        value = n.dot(A * n) + b.dot(n);
    }
    // An element without matched pairs has no deviation (rather than 0 / 0).
    if (!(totalWeight > 0.0)) return 0.0;
    const double msd = (value + e) / totalWeight;
    // A perfect match rounds to slightly below zero; the caller takes square roots.
    return msd < 0.0 ? 0.0 : msd;
}
