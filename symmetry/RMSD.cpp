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

namespace {

// Running sums of one pass over point pairs (p, q) about a centre c, with u = p - c and
// w = q - c: sum |u|^2, sum u_a w_b, sum w x u, sum (u - w) and sum (u - w)^2 component-wise,
// each weighted. One pass serves the gyration radius and both halves of an element's sums;
// every sum is accumulated in point order with the same operations as a pass of its own.
struct sPairSums {
    // One unweighted pair's share of every sum but the gyration radius.
    static void addPair(double (&t)[3][3], cVector3& x, cVector3& m, cVector3& q2, const cVector3& u,
                        const cVector3& w) {
        const double uu[3] = {u.x, u.y, u.z};
        const double ww[3] = {w.x, w.y, w.z};
        const cVector3 diff = u - w;
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) t[a][b] += uu[a] * ww[b];
        x += w ^ u;
        m += diff;
        q2 += diff * diff;
    }

    double gyration = 0.0;
    double s[3][3] = {};
    cVector3 cross{0.0}, mean{0.0}, square{0.0};

    // Q null: the gyration sum only. Unweighted sums skip the factor 1, which changes nothing.
    template <bool kWeighted>
    void add(const cVector3* P, const cVector3* Q, int n, const double* weights, const cVector3& c) {
        // Local copies of the sums: the compiler cannot keep members in registers across the
        // stores of a loop that reads through pointers.
        double g = gyration;
        double t[3][3];
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) t[a][b] = s[a][b];
        cVector3 x = cross, m = mean, q2 = square;
        for (int i = 0; i < n; ++i) {
            const cVector3 u = P[i] - c;
            const double r2 = u.norm2();
            if constexpr (kWeighted) g += weights[i] * r2;
            else g += r2;
            if (!Q) continue;
            const cVector3 w = Q[i] - c;
            if constexpr (kWeighted) {
                const double uu[3] = {u.x, u.y, u.z};
                const double ww[3] = {w.x, w.y, w.z};
                const cVector3 diff = u - w;
                const double k = weights[i];
                for (int a = 0; a < 3; ++a)
                    for (int b = 0; b < 3; ++b) t[a][b] += k * uu[a] * ww[b];
                x += (w ^ u) * k;
                m += diff * k;
                q2 += (diff * diff) * k;
            } else {
                addPair(t, x, m, q2, u, w);
            }
        }
        gyration = g;
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) s[a][b] = t[a][b];
        cross = x;
        mean = m;
        square = q2;
    }
    void add(const cVector3* P, const cVector3* Q, int n, const double* weights, const cVector3& c) {
        if (weights) add<true>(P, Q, n, weights, c);
        else add<false>(P, Q, n, weights, c);
    }

    // Unweighted pairs already centred (U[i] = P[i] - c, V[i] = Q[i] - c), gyration left out: the
    // other sums with the operations of add.
    void addCentred(const cVector3* U, const cVector3* V, int n) {
        double t[3][3];
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) t[a][b] = s[a][b];
        cVector3 x = cross, m = mean, q2 = square;
        for (int i = 0; i < n; ++i) addPair(t, x, m, q2, U[i], V[i]);
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) s[a][b] = t[a][b];
        cross = x;
        mean = m;
        square = q2;
    }
};

}  // namespace

void RMSD::storeProducts(const double (&s)[3][3]) {
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

void RMSD::storeCross(const cVector3& cross, const cVector3& mean, const cVector3& square) {
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

void RMSD::computeGyrRad(const cVector3* points, int n, const double* weights) {
    gyrationRadius2 = 0.0;
    W = 0.0;
    if (n <= 0) return;
    W = weightOf(n, weights);
    sPairSums pass;
    pass.add(points, nullptr, n, weights, centreOfMass);
    gyrationRadius2 = pass.gyration / W;
}

void RMSD::computeInertiaTwoMolecules(const cVector3* P, const cVector3* Q, int n, const double* weights) {
    W = weightOf(n, weights);
    sPairSums pass;
    pass.add(P, Q, n, weights, centreOfMass);
    storeProducts(pass.s);
}

void RMSD::computeCrossInertia(const cVector3* P, const cVector3* Q, int n, const double* weights) {
    W = weightOf(n, weights);
    sPairSums pass;
    pass.add(P, Q, n, weights, centreOfMass);
    storeCross(pass.cross, pass.mean, pass.square);
}

void RMSD::computeCentredElementSums(const std::vector<sCentredBlock>& blocks, const cVector3& centre,
                                     double gyration2, int element, int elementCount) {
    int n = 0;
    for (const sCentredBlock& block : blocks) n += block.n;
    if (n <= 0) {
        sums.fill(0.0);
        centreOfMass = cVector3(0.0);
        gyrationRadius2 = 0.0;
        W = 0.0;
    } else {
        centreOfMass = centre;
        gyrationRadius2 = gyration2;
        W = n;
        sPairSums pass;
        for (const sCentredBlock& block : blocks) pass.addCentred(block.u, block.w, block.n);
        storeProducts(pass.s);
        storeCross(pass.cross, pass.mean, pass.square);
    }
    saveCoefficients(element, elementCount);
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
