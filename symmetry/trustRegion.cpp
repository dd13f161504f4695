// Minimisers of the RMSD model over unit axes: the cyclic fits (with the centre offset), the
// trust-region sub-problem on the sphere, and the axis on a cone around the other axis.
#include <Eigen/Dense>
#include <cmath>
#include <limits>
#include <vector>

#include "geometry/polynomialRoots.h"
#include "symmetry/RMSD.h"
#include "symmetry/eigenConversions.h"

namespace {

// The sub-problem's objective n^T H n - 2 g . n.
double subProblemValue(const Eigen::Vector3d& n, const Eigen::Vector3d& g, const Eigen::Matrix3d& H) {
    return n.dot(H * n) - 2.0 * g.dot(n);
}

// Cholesky factor of H + lambda I, written out for 3 x 3; false when a pivot is not positive.
bool cholesky(const Eigen::Matrix3d& H, double lambda, Eigen::Matrix3d& L) {
    L.setZero();
    const double p0 = H(0, 0) + lambda;
    if (!(p0 > 0.0)) return false;
    L(0, 0) = std::sqrt(p0);
    L(1, 0) = H(1, 0) / L(0, 0);
    L(2, 0) = H(2, 0) / L(0, 0);
    const double p1 = H(1, 1) + lambda - L(1, 0) * L(1, 0);
    if (!(p1 > 0.0)) return false;
    L(1, 1) = std::sqrt(p1);
    L(2, 1) = (H(2, 1) - L(2, 0) * L(1, 0)) / L(1, 1);
    const double p2 = H(2, 2) + lambda - L(2, 0) * L(2, 0) - L(2, 1) * L(2, 1);
    if (!(p2 > 0.0)) return false;
    L(2, 2) = std::sqrt(p2);
    return true;
}

// y with L y = v (L lower triangular).
Eigen::Vector3d forward(const Eigen::Matrix3d& L, const Eigen::Vector3d& v) {
    Eigen::Vector3d y;
    y(0) = v(0) / L(0, 0);
    y(1) = (v(1) - L(1, 0) * y(0)) / L(1, 1);
    y(2) = (v(2) - L(2, 0) * y(0) - L(2, 1) * y(1)) / L(2, 2);
    return y;
}

// x with L^T x = y.
Eigen::Vector3d backward(const Eigen::Matrix3d& L, const Eigen::Vector3d& y) {
    Eigen::Vector3d x;
    x(2) = y(2) / L(2, 2);
    x(1) = (y(1) - L(2, 1) * x(2)) / L(1, 1);
    x(0) = (y(0) - L(1, 0) * x(1) - L(2, 0) * x(2)) / L(0, 0);
    return x;
}

// Exact global minimiser of n^T H n - 2 g . n on |n| = radius, from the eigen-decomposition of
// H. The minimiser is p(l) = (H + l I)^-1 g with l > -lambda_min and |p(l)| = radius, found by
// bisecting the secular equation sum gamma_i^2 / (lambda_i + l)^2 = radius^2 (gamma = Q^T g).
// When g has no component along the lowest eigenvectors and the rest of the step is shorter
// than the radius (the hard case), l = -lambda_min and the step is completed along the lowest
// eigenvector to the sphere. The result has length radius to rounding.
Eigen::Vector3d exactSphereMinimiser(const Eigen::Vector3d& g, const Eigen::Matrix3d& H, double radius) {
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(H);
    const Eigen::Vector3d lambda = solver.eigenvalues();  // ascending
    const Eigen::Matrix3d Z = solver.eigenvectors();
    const Eigen::Vector3d gamma = Z.transpose() * g;
    const double gNorm = g.norm();
    const double scale = std::max(std::fabs(lambda(0)), std::fabs(lambda(2))) + gNorm / radius;
    if (!(scale > 0.0)) return radius * Z.col(0);  // H = 0 and g = 0: every unit vector is optimal

    // Eigenvalues this close to the lowest count as equal to it, and components of g this small
    // count as zero: relative to the problem's scale, they are rounding.
    const double gapTolerance = 1e-12 * scale;
    const double negligible = 1e-14 * scale * radius;
    double lowComponent2 = 0.0;
    for (int i = 0; i < 3; ++i)
        if (lambda(i) - lambda(0) <= gapTolerance) lowComponent2 += gamma(i) * gamma(i);

    if (std::sqrt(lowComponent2) <= std::max(1e-12 * gNorm, negligible)) {
        Eigen::Vector3d p = Eigen::Vector3d::Zero();
        for (int i = 0; i < 3; ++i)
            if (lambda(i) - lambda(0) > gapTolerance) p += gamma(i) / (lambda(i) - lambda(0)) * Z.col(i);
        const double p2 = p.squaredNorm();
        if (p2 <= radius * radius) {
            const double tau = std::sqrt(radius * radius - p2);
            const Eigen::Vector3d plus = p + tau * Z.col(0);
            const Eigen::Vector3d minus = p - tau * Z.col(0);
            return subProblemValue(minus, g, H) < subProblemValue(plus, g, H) ? minus : plus;
        }
    }

    // Easy case: phi(l) = |p(l)|^2 falls from above radius^2 at l = -lambda_min to at most
    // radius^2 at l = -lambda_min + |g| / radius.
    auto phi = [&](double l) {
        double sum = 0.0;
        for (int i = 0; i < 3; ++i) {
            const double t = gamma(i) / (lambda(i) + l);
            sum += t * t;
        }
        return sum;
    };
    double lo = -lambda(0);
    double hi = -lambda(0) + gNorm / radius;
    for (int iteration = 0; iteration < 200; ++iteration) {
        const double mid = 0.5 * (lo + hi);
        if (!(mid > lo && mid < hi)) break;
        if (phi(mid) > radius * radius) lo = mid;
        else hi = mid;
    }
    Eigen::Vector3d p = Eigen::Vector3d::Zero();
    for (int i = 0; i < 3; ++i) p += gamma(i) / (lambda(i) + hi) * Z.col(i);
    const double pNorm = p.norm();
    // Only when the multiplier cannot be told from -lambda_min in floating point: the lowest
    // eigenvector is then the answer to rounding.
    if (!std::isfinite(pNorm) || !(pNorm > 0.0)) return radius * Z.col(0);
    return p * (radius / pNorm);
}

// Real roots of a solver's result, as the layouts of polynomialRoots.h give them.
void appendRealRoots(std::vector<double>& out, const double* x, int degree, int count) {
    if (degree == 3 && count == 1) {
        out.push_back(x[0]);
        return;
    }
    for (int i = 0; i < count; ++i) out.push_back(x[i]);
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

void RMSD::TrustRegionCholeskyCyclic2(double& residual) {
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(A);
    const double lambda = solver.eigenvalues()(0);  // ascending: the first of equal ones
    const Eigen::Vector3d n = solver.eigenvectors().col(0);
    a1 = toVector(n);
    residual = lambda + b.dot(n) + e;
    centreOffset = cVector3(0.0);
}

void RMSD::TrustRegionCholeskyCyclic(double& residual) {
    // Eliminate the centre offset: its best value for an axis n leaves a quadratic in n.
    Eigen::Matrix3d H = A;
    Eigen::Vector3d c = b;
    if (B.norm() != 0.0 && d.norm() != 0.0) {
        H = A + (0.25 / T) * (B * B + d * d.transpose());
        c = b + (0.5 / T) * (B.transpose() * d);
    }
    const Eigen::Vector3d n = solveSubProblem(-0.5 * c, H, 1.0);
    a1 = toVector(n);
    residual = n.dot(H * n) + c.dot(n);
    if (d.norm() != 0.0) residual -= d.squaredNorm() / (4.0 * T);
    residual += e;
    if (T < 1e-6) {
        centreOffset = cVector3(0.0);
    } else {
        centreOffset = toVector(-(0.5 / T) * (d - B * n - n.dot(d) * n));
    }
}

Eigen::Vector3d RMSD::getEigenValueLowerBound(const Eigen::Matrix3d& H) {
    Eigen::Vector3d bounds;
    for (int i = 0; i < 3; ++i) {
        double off = 0.0;
        for (int j = 0; j < 3; ++j)
            if (j != i) off += std::fabs(H(i, j));
        bounds(i) = H(i, i) - off;
    }
    return bounds;
}

Eigen::Vector3d RMSD::solveSubProblem(const Eigen::Vector3d& g, const Eigen::Matrix3d& H, double radius) {
    // Moré-Sorensen iteration on the multiplier. Wherever it finds H + lambda I positive
    // definite with |p| = radius, p is the global minimiser.
    double lambdaLow = std::max(0.0, -getEigenValueLowerBound(H).minCoeff());
    double lambdaHigh = H.norm() + 1.0000000001 * g.norm() / radius;
    double lambda = lambdaLow;
    auto bisect = [&] { return std::max(lambdaLow + 0.25 * (lambdaHigh - lambdaLow), std::sqrt(lambdaLow * lambdaHigh)); };
    for (int iteration = 0; iteration < 100; ++iteration) {
        Eigen::Matrix3d L;
        if (!cholesky(H, lambda, L)) {
            lambdaLow = lambda;
            if (lambdaHigh - lambdaLow < 1e-10) break;
            lambda = bisect();
            continue;
        }
        const Eigen::Vector3d p = backward(L, forward(L, g));
        const double pNorm = p.norm();
        // Converged to 1e-10; the axis is put exactly on the sphere, since the second-axis fits
        // build cones on it and the model's value is a small difference of large terms.
        if (0.9999999999 * radius < pNorm && pNorm < 1.0000000001 * radius) return p * (radius / pNorm);
        const Eigen::Vector3d q = forward(L, p);
        if (pNorm < 0.9999999999 * radius) lambdaHigh = lambda;
        if (pNorm > 1.0000000001 * radius) lambdaLow = lambda;
        if (lambdaHigh - lambdaLow < 1e-10) break;
        const double ratio = pNorm / q.norm();
        const double lambdaNew = lambda + ((pNorm - radius) / radius) * (ratio * ratio);
        lambda = (lambdaLow < lambdaNew && lambdaNew < lambdaHigh) ? lambdaNew : bisect();
    }
    // Not converged: the multiplier lies below the bracket (it may be negative) or the problem
    // is the hard case. Solve it exactly instead.
    return exactSphereMinimiser(g, H, radius);
}

void RMSD::trustRegionSecondAxis(bool solveMain, double& residual) {
    const Eigen::Vector3d f = toEigen(solveMain ? a2 : a1);
    const double c = cosine;
    const double s = std::sqrt(1.0 - c * c);

    // Frame of the cone: e is the coordinate axis of f's smallest component (a later axis
    // replaces an earlier one only when strictly smaller).
    int axis = 0;
    double smallest = 1.0;
    if (std::fabs(f.x()) < smallest) {
        axis = 0;
        smallest = std::fabs(f.x());
    }
    if (std::fabs(f.y()) < smallest) {
        axis = 1;
        smallest = std::fabs(f.y());
    }
    if (std::fabs(f.z()) < smallest) axis = 2;
    const Eigen::Vector3d unit = Eigen::Vector3d::Unit(axis);
    const Eigen::Vector3d u1 = (unit - unit.dot(f) * f).normalized();
    const Eigen::Vector3d u2 = u1.cross(f);

    // Stationary points of F(n) = n^T A n + b . n + e on n(phi) = c f + s (cos phi u2 + sin phi u1),
    // with t = tan(phi / 2): (Wc - S) t^4 + 2 (D + G) t^3 + 6 S t^2 + 2 (G - D) t - (S + Wc) = 0.
    const double S = s * s * u2.dot(A * u1);
    const double Wc = c * s * u1.dot(A * f) + (s / 2.0) * b.dot(u1);
    const double D = s * s * (u1.dot(A * u1) - u2.dot(A * u2));
    const double G = c * s * u2.dot(A * f) + (s / 2.0) * b.dot(u2);

    // Candidates: roots of the quartic and of the lower-degree polynomials left when leading
    // coefficients vanish. A division by a zero leading coefficient gives non-finite
    // coefficients, whose roots could not win; such a polynomial is skipped.
    std::vector<double> candidates;
    double x[4];
    {
        const double lead = Wc - S;
        const double a3 = 2.0 * (D + G) / lead, a2c = 6.0 * S / lead, a1c = 2.0 * (G - D) / lead,
                     a0 = -(S + Wc) / lead;
        if (allFinite({a3, a2c, a1c, a0})) appendRealRoots(candidates, x, 4, SolveP4(x, a3, a2c, a1c, a0));
    }
    {
        const double lead = 2.0 * (D + G);
        const double a2c = 6.0 * S / lead, a1c = 2.0 * (G - D) / lead, a0 = -(S + Wc) / lead;
        if (allFinite({a2c, a1c, a0})) appendRealRoots(candidates, x, 3, SolveP3(x, a2c, a1c, a0));
    }
    {
        const double p = -2.0 * (G - D) / (6.0 * S);
        const double q = -(S + Wc) / (6.0 * S);
        if (allFinite({p, q})) appendRealRoots(candidates, x, 2, SolveP2(x, p, q));
    }
    candidates.push_back((S + Wc) / (2.0 * (G - D)));

    auto value = [&](const Eigen::Vector3d& n) { return n.dot(A * n) + b.dot(n) + e; };
    double best = 1e99;
    Eigen::Vector3d bestAxis = toEigen(solveMain ? a1 : a2);
    for (double t : candidates) {
        const double t2 = t * t;
        const Eigen::Vector3d n = c * f + s * ((1.0 - t2) / (1.0 + t2) * u2 + 2.0 * t / (1.0 + t2) * u1);
        const double v = value(n);
        if (v < best) {
            best = v;
            bestAxis = n;
        }
    }
    const Eigen::Vector3d opposite = c * f - s * u2;  // phi = pi, which no finite t reaches
    const double v = value(opposite);
    if (v < best) {
        best = v;
        bestAxis = opposite;
    }
    (solveMain ? a1 : a2) = toVector(bestAxis);
    residual = best;
}
