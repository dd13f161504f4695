// Tests of RMSD: the quadratic model against direct sums of squared deviations, and its solvers
// against brute-force scans of the sphere and of the cone.
#include "symmetry/RMSD.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>
#include <numbers>
#include <numeric>
#include <random>

#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/eigenConversions.h"
#include "tests/geometry/randomSeed.h"
#include "tests/symmetry/modelMinimisers.h"

namespace {

// Gaussian vectors and quaternions, their components drawn in order (see draws).
Eigen::Vector3d gaussianVector(std::normal_distribution<double>& g, std::mt19937_64& rng) {
    const auto [x, y, z] = draws<3>(g, rng);
    return Eigen::Vector3d(x, y, z);
}

Eigen::Quaterniond gaussianQuaternion(std::normal_distribution<double>& g, std::mt19937_64& rng) {
    const auto [w, x, y, z] = draws<4>(g, rng);
    return Eigen::Quaterniond(w, x, y, z);
}

Eigen::Vector3d randomUnit(std::mt19937_64& rng) {
    std::normal_distribution<double> g;
    return gaussianVector(g, rng).normalized();
}

Eigen::Matrix3d randomSymmetric(std::mt19937_64& rng, double scale) {
    std::normal_distribution<double> g(0.0, scale);
    Eigen::Matrix3d m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m(i, j) = g(rng);
    return (m + m.transpose()) / 2.0;
}

std::vector<cVector3> randomPoints(std::mt19937_64& rng, int n, const Eigen::Vector3d& centre) {
    std::normal_distribution<double> g(0.0, 12.0);
    std::vector<cVector3> points;
    for (int i = 0; i < n; ++i) points.push_back(toVector(centre + gaussianVector(g, rng)));
    return points;
}

// An axis pair at the given cosine.
void randomAxes(std::mt19937_64& rng, double cosine, Eigen::Vector3d& a1, Eigen::Vector3d& a2) {
    a1 = randomUnit(rng);
    const Eigen::Vector3d u = randomUnit(rng);
    const Eigen::Vector3d perpendicular = (u - u.dot(a1) * a1).normalized();
    a2 = cosine * a1 + std::sqrt(1.0 - cosine * cosine) * perpendicular;
}

// A group object holding `count` elements (the permutations only mark them as present).
struct sElements {
    cCnSymmetry group{3};
    explicit sElements(int count) {
        group.permutations.assign(count, std::vector<int>{0});
        group.q0.assign(count, 1.0);
        group.q1.assign(count, 0.0);
        group.q2.assign(count, 0.0);
        group.q3.assign(count, 0.0);
    }
    // A rotation given in the laboratory frame, stored in the basis (a1, a2, a1 x a2).
    void setRotation(int element, double q0, const Eigen::Vector3d& v, const Eigen::Vector3d& a1, const Eigen::Vector3d& a2) {
        Eigen::Matrix3d basis;
        basis.col(0) = a1;
        basis.col(1) = a2;
        basis.col(2) = a1.cross(a2);
        const Eigen::Vector3d q = basis.colPivHouseholderQr().solve(v);
        group.q0[element] = q0;
        group.q1[element] = q(0);
        group.q2[element] = q(1);
        group.q3[element] = q(2);
    }
};

Eigen::Matrix3d rotationOf(double q0, const Eigen::Vector3d& v) {
    return Eigen::Quaterniond(q0, v.x(), v.y(), v.z()).toRotationMatrix();
}

Eigen::Vector3d centreOf(const std::vector<cVector3>& P) {
    Eigen::Vector3d c = Eigen::Vector3d::Zero();
    for (const cVector3& p : P) c += toEigen(p);
    return c / static_cast<double>(P.size());
}

// Direct weighted sum of squared deviations of one element turning about C:
// sum_i w_i |C + R (p_i - C) - q_i|^2.
double directSum(const std::vector<cVector3>& P, const std::vector<cVector3>& Q, const std::vector<double>* weights,
                 const Eigen::Matrix3d& R, const Eigen::Vector3d& C) {
    double sum = 0.0;
    for (std::size_t i = 0; i < P.size(); ++i) {
        const double w = weights ? (*weights)[i] : 1.0;
        sum += w * (C + R * (toEigen(P[i]) - C) - toEigen(Q[i])).squaredNorm();
    }
    return sum;
}

void addElement(RMSD& model, sElements& elements, int element, const std::vector<cVector3>& P,
                const std::vector<cVector3>& Q, const std::vector<double>* weights) {
    const double* w = weights ? weights->data() : nullptr;
    model.computeCOM(P.data(), static_cast<int>(P.size()), w);
    model.computeGyrRad(P.data(), static_cast<int>(P.size()), w);
    model.incrementInertias(P.data(), Q.data(), static_cast<int>(P.size()), w, &elements.group, element,
                            static_cast<int>(elements.group.permutations.size()));
}

double modelAt(const RMSD& m, const Eigen::Vector3d& n, const Eigen::Vector3d& x) {
    return n.dot(m.A * n) + m.b.dot(n) + m.e + m.T * x.squaredNorm() + x.dot(m.d - m.B * n);
}

const double kCosines[] = {0.0, 0.5773502691896257, 0.816496580927726, 0.9341723589627158};

}  // namespace

TEST(RMSD, RotationalModelEqualsTheDirectSumForAnyAxesAndElements) {
    std::mt19937_64 rng = seededEngine("RMSD.RotationalModel");
    std::normal_distribution<double> g;
    for (double cosine : kCosines) {
        for (bool weighted : {false, true}) {
            for (bool solveMain : {true, false}) {
                RMSD model;
                sElements elements(4);
                Eigen::Vector3d a1, a2;
                randomAxes(rng, cosine, a1, a2);
                model.a1 = toVector(a1);
                model.a2 = toVector(a2);
                double direct = 0.0;
                // One source list (as in a complete copy, where every element pairs all chains),
                // each element with its own images and rotation.
                const int n = 40;  // points
                const std::vector<cVector3> P = randomPoints(rng, n, Eigen::Vector3d(20.0, -5.0, 3.0));
                std::vector<double> weights;
                for (int i = 0; i < n; ++i) weights.push_back(0.5 + std::fabs(g(rng)));
                for (int j = 0; j < 4; ++j) {
                    const std::vector<cVector3> Q = randomPoints(rng, n, Eigen::Vector3d(-4.0, 11.0, 8.0));
                    Eigen::Quaterniond q = gaussianQuaternion(g, rng);
                    q.normalize();
                    elements.setRotation(j, q.w(), q.vec(), a1, a2);
                    addElement(model, elements, j, P, Q, weighted ? &weights : nullptr);
                    Eigen::Vector3d c = Eigen::Vector3d::Zero();
                    for (int i = 0; i < n; ++i) c += (weighted ? weights[i] : 1.0) * toEigen(P[i]);
                    c /= weighted ? std::accumulate(weights.begin(), weights.end(), 0.0) : n;
                    direct += directSum(P, Q, weighted ? &weights : nullptr, q.toRotationMatrix(), c);
                }
                model.initCoefficients(cosine);
                for (int j = 0; j < 4; ++j) model.computeCoefficients(&elements.group, solveMain, j);
                const Eigen::Vector3d axis = solveMain ? a1 : a2;
                const double value = axis.dot(model.A * axis) + model.b.dot(axis) + model.e;
                EXPECT_NEAR(value, direct, 1e-12 * direct) << "cosine " << cosine << " weighted " << weighted;
            }
        }
    }
}

TEST(RMSD, TranslationTermsModelRotationsAboutOneCentreForElementsWithDifferentCentres) {
    std::mt19937_64 rng = seededEngine("RMSD.TranslationTerms");
    for (int order : {2, 3, 5, 6}) {
        RMSD model;
        sElements elements(order);
        Eigen::Vector3d a1, a2;
        randomAxes(rng, 0.0, a1, a2);
        model.a1 = toVector(a1);
        model.a2 = toVector(a2);
        const Eigen::Vector3d u = randomUnit(rng);
        const Eigen::Vector3d x = 7.0 * (u - u.dot(a1) * a1);  // the offset lies across the axis
        // Each element pairs a different point list (as when a copy lacks chains), so the
        // elements' centres differ; all turn about the first element's centre minus x.
        std::vector<std::vector<cVector3>> Ps, Qs;
        for (int k = 0; k < order; ++k) {
            Ps.push_back(randomPoints(rng, 25 + k, Eigen::Vector3d(3.0 + 4.0 * k, 9.0, -2.0)));
            Qs.push_back(randomPoints(rng, 25 + k, Eigen::Vector3d(1.0, -6.0, 5.0)));
        }
        const Eigen::Vector3d C = centreOf(Ps[0]) - x;
        double direct = 0.0;
        for (int k = 0; k < order; ++k) {
            const double half = k * std::numbers::pi / order;
            elements.setRotation(k, std::cos(half), std::sin(half) * a1, a1, a2);
            addElement(model, elements, k, Ps[k], Qs[k], nullptr);
            direct += directSum(Ps[k], Qs[k], nullptr, rotationOf(std::cos(half), std::sin(half) * a1), C);
        }
        model.initCoefficients(0.0);
        for (int k = 0; k < order; ++k) model.computeCoefficients(&elements.group, true, k);
        EXPECT_EQ(toEigen(model.modelCentre), centreOf(Ps[0]));
        EXPECT_NEAR(modelAt(model, a1, x), direct, 1e-12 * direct) << "order " << order;
        // Any other axis through the same centre: the model follows the direct sum there too.
        const Eigen::Vector3d n = randomUnit(rng);
        RMSD turned = model;
        turned.a1 = toVector(n);
        turned.initCoefficients(0.0);
        double directTurned = 0.0;
        for (int k = 0; k < order; ++k) {
            const double half = k * std::numbers::pi / order;
            elements.setRotation(k, std::cos(half), std::sin(half) * n, n, a2);
            turned.computeCoefficients(&elements.group, true, k);
            const Eigen::Vector3d xn = x - x.dot(n) * n;
            directTurned += directSum(Ps[k], Qs[k], nullptr, rotationOf(std::cos(half), std::sin(half) * n),
                                      centreOf(Ps[0]) - xn);
        }
        const Eigen::Vector3d xn = x - x.dot(n) * n;
        EXPECT_NEAR(modelAt(turned, n, xn), directTurned, 1e-12 * directTurned) << "order " << order;
    }
}

TEST(RMSD, IdentityElementAddsOnlyItsWeight) {
    std::mt19937_64 rng = seededEngine("RMSD.IdentityElement");
    RMSD model;
    sElements elements(1);
    const std::vector<cVector3> P = randomPoints(rng, 20, Eigen::Vector3d(5.0, 5.0, 5.0));
    addElement(model, elements, 0, P, P, nullptr);
    for (int s = RMSD::eCrossZ; s <= RMSD::eSquareZ; ++s) EXPECT_EQ(model.sums[s], 0.0) << "sum " << s;
    model.a1 = cVector3(0.0, 0.0, 1.0);
    model.a2 = cVector3(1.0, 0.0, 0.0);
    model.initCoefficients(0.0);
    model.computeCoefficients(&elements.group, true, 0);
    EXPECT_EQ(model.totalWeight, 20.0);
    EXPECT_EQ(model.A.norm(), 0.0);
    EXPECT_EQ(model.e, 0.0);
    EXPECT_EQ(model.T, 0.0);
}

TEST(RMSD, ElementArraysGrowForALaterLongerElementCount) {
    RMSD model;
    sElements small(3), large(9);
    const std::vector<cVector3> P{cVector3(1.0, 2.0, 3.0), cVector3(-1.0, 0.0, 2.0)};
    model.computeCOM(P.data(), 2, nullptr);
    model.incrementInertias(P.data(), P.data(), 2, nullptr, &small.group, 2, 3);
    model.incrementInertias(P.data(), P.data(), 2, nullptr, &large.group, 8, 9);
    EXPECT_GE(model.elementSums.size(), 9u);
    EXPECT_EQ(model.elementWeights[8], 2.0);
    // An empty point list stores zero sums and weight rather than dividing by zero.
    model.incrementInertias(nullptr, nullptr, 0, nullptr, &large.group, 5, 9);
    EXPECT_EQ(model.elementWeights[5], 0.0);
    EXPECT_EQ(model.computeRMSD2(&large.group, 5), 0.0);
}

TEST(RMSD, ComputeRMSD2IsTheElementsMeanSquaredDeviationAtTheBestCentre) {
    std::mt19937_64 rng = seededEngine("RMSD.ComputeRMSD2");
    // Four copies of a point set turned by quarter turns about an axis through a centre: the
    // quarter turn maps copy k onto copy k + 1 exactly.
    const Eigen::Vector3d axis = randomUnit(rng), centre(4.0, -3.0, 12.0);
    const std::vector<cVector3> base = randomPoints(rng, 30, centre + Eigen::Vector3d(15.0, 2.0, 1.0));
    const Eigen::Matrix3d quarter = Eigen::AngleAxisd(std::numbers::pi / 2.0, axis).toRotationMatrix();
    std::vector<cVector3> P, Q;
    for (int k = 0; k < 4; ++k) {
        Eigen::Matrix3d r = Eigen::Matrix3d::Identity();
        for (int i = 0; i < k; ++i) r = quarter * r;
        for (const cVector3& p : base) {
            const Eigen::Vector3d moved = centre + r * (toEigen(p) - centre);
            P.push_back(toVector(moved));
            Q.push_back(toVector(centre + quarter * (moved - centre)));
        }
    }
    RMSD model;
    sElements elements(1);
    Eigen::Vector3d a2 = randomUnit(rng);
    a2 = (a2 - a2.dot(axis) * axis).normalized();
    elements.setRotation(0, std::cos(std::numbers::pi / 4.0), std::sin(std::numbers::pi / 4.0) * axis, axis, a2);
    addElement(model, elements, 0, P, Q, nullptr);
    model.a1 = toVector(axis);
    model.a2 = toVector(a2);
    const double msd = model.computeRMSD2(&elements.group, 0);
    EXPECT_GE(msd, 0.0);
    EXPECT_LT(msd, 1e-9);
    // Off the axis the deviation grows.
    model.a1 = toVector((axis + 0.05 * a2).normalized());
    EXPECT_GT(model.computeRMSD2(&elements.group, 0), 0.1);
}

TEST(RMSD, SolveSubProblemFindsTheGlobalMinimumOnTheSphereIncludingHardCases) {
    std::mt19937_64 rng = seededEngine("RMSD.SolveSubProblem");
    std::normal_distribution<double> g;
    struct sProblem {
        Eigen::Matrix3d H;
        Eigen::Vector3d g;
        const char* kind;
    };
    std::vector<sProblem> problems;
    for (int i = 0; i < 60; ++i)
        problems.push_back({randomSymmetric(rng, 5.0), 3.0 * gaussianVector(g, rng), "random"});
    for (int i = 0; i < 30; ++i) {
        // Eigenvalues l1 < l2 <= l3 and g without a component along the lowest eigenvector.
        const Eigen::Matrix3d Z = gaussianQuaternion(g, rng).normalized().toRotationMatrix();
        const double l1 = g(rng) * 4.0, l2 = l1 + 0.5 + std::fabs(g(rng)) * 3.0;
        const double l3 = i % 3 == 0 ? l2 : l2 + std::fabs(g(rng)) * 3.0;  // repeated eigenvalues too
        const Eigen::Matrix3d H = Z * Eigen::Vector3d(l1, l2, l3).asDiagonal() * Z.transpose();
        const double size = i % 2 == 0 ? 0.3 : 0.0;  // small g: true hard case; zero g
        const auto [along1, along2] = draws<2>(g, rng);
        problems.push_back({H, size * (along1 * Z.col(1) + along2 * Z.col(2)), "hard"});
    }
    for (int i = 0; i < 20; ++i) {
        // Positive definite H with the unconstrained minimum inside the sphere: the multiplier
        // is negative.
        const Eigen::Matrix3d Z = gaussianQuaternion(g, rng).normalized().toRotationMatrix();
        const Eigen::Vector3d l = Eigen::Vector3d(1.0, 2.0, 3.0) + gaussianVector(g, rng).cwiseAbs();
        problems.push_back({Z * l.asDiagonal() * Z.transpose(), 0.2 * randomUnit(rng), "negative multiplier"});
    }
    for (int i = 0; i < 10; ++i) {
        // The lowest eigenvalue twice, g with a tiny component along it (nearly hard).
        const Eigen::Matrix3d Z = gaussianQuaternion(g, rng).normalized().toRotationMatrix();
        const Eigen::Matrix3d H = Z * Eigen::Vector3d(-2.0, -2.0, 1.0).asDiagonal() * Z.transpose();
        problems.push_back({H, 1e-9 * Z.col(0) + 0.5 * Z.col(2), "nearly hard"});
    }
    RMSD model;
    for (const sProblem& p : problems) {
        const Eigen::Vector3d n = model.solveSubProblem(p.g, p.H, 1.0);
        const std::array<double, 9> H{p.H(0, 0), p.H(0, 1), p.H(0, 2), p.H(1, 0), p.H(1, 1),
                                      p.H(1, 2), p.H(2, 0), p.H(2, 1), p.H(2, 2)};
        const brute::tVec g3{p.g(0), p.g(1), p.g(2)};
        const double scan =
            brute::sphereMinimum([&](const brute::tVec& v) { return brute::subProblemValue(H, g3, v); }, 300);
        const double scale = p.H.norm() + p.g.norm();
        EXPECT_NEAR(n.norm(), 1.0, 1e-9) << p.kind;
        EXPECT_LE(brute::subProblemValue(H, g3, {n(0), n(1), n(2)}), scan + 1e-10 * scale) << p.kind;
    }
}

TEST(RMSD, SecondAxisIsTheBestPointOfTheCone) {
    std::mt19937_64 rng = seededEngine("RMSD.SecondAxis");
    std::normal_distribution<double> g;
    // Coordinate axes exercise the choice of the cone's frame (x is skipped for f along x).
    std::vector<Eigen::Vector3d> fixedAxes{Eigen::Vector3d::UnitZ(), Eigen::Vector3d::UnitX(), -Eigen::Vector3d::UnitY()};
    for (int i = 0; i < 8; ++i) fixedAxes.push_back(randomUnit(rng));
    for (const Eigen::Vector3d& f : fixedAxes) {
        for (double cosine : kCosines) {
            for (bool solveMain : {true, false}) {
                RMSD model;
                model.initCoefficients(cosine);
                model.A = randomSymmetric(rng, 10.0);
                model.b = 5.0 * gaussianVector(g, rng);
                model.e = 3.0;
                (solveMain ? model.a2 : model.a1) = toVector(f);
                double residual = 0.0;
                model.trustRegionSecondAxis(solveMain, residual);
                const Eigen::Vector3d n = toEigen(solveMain ? model.a1 : model.a2);
                EXPECT_NEAR(n.norm(), 1.0, 1e-12);
                EXPECT_NEAR(n.dot(f), cosine, 1e-12);
                // The cone n(phi) = c f + s (cos phi w1 + sin phi w2) in plain doubles: dense scan,
                // then golden-section refinement around the best sample.
                const Eigen::Vector3d e1 = (std::fabs(f.x()) < 0.6 ? Eigen::Vector3d::UnitX() : Eigen::Vector3d::UnitY());
                const Eigen::Vector3d w1 = (e1 - e1.dot(f) * f).normalized(), w2 = f.cross(w1);
                const double s = std::sqrt(1.0 - cosine * cosine);
                double A[3][3], b[3], c[3], u[3], v[3];
                for (int r = 0; r < 3; ++r) {
                    for (int k = 0; k < 3; ++k) A[r][k] = model.A(r, k);
                    b[r] = model.b(r);
                    c[r] = cosine * f(r);
                    u[r] = s * w1(r);
                    v[r] = s * w2(r);
                }
                auto value = [&](double phi) {
                    const double cp = std::cos(phi), sp = std::sin(phi);
                    double x[3], sum = model.e;
                    for (int r = 0; r < 3; ++r) x[r] = c[r] + cp * u[r] + sp * v[r];
                    for (int r = 0; r < 3; ++r) sum += b[r] * x[r] + x[r] * (A[r][0] * x[0] + A[r][1] * x[1] + A[r][2] * x[2]);
                    return sum;
                };
                const int samples = 3000;
                const double h = 2.0 * std::numbers::pi / samples;
                int bestK = 0;
                for (int k = 1; k < samples; ++k)
                    if (value(k * h) < value(bestK * h)) bestK = k;
                double lo = (bestK - 1) * h, hi = (bestK + 1) * h;
                for (int k = 0; k < 100; ++k) {
                    const double m1 = lo + (hi - lo) * 0.381966, m2 = hi - (hi - lo) * 0.381966;
                    if (value(m1) < value(m2)) hi = m2;
                    else lo = m1;
                }
                const double scan = std::min(value(bestK * h), value(0.5 * (lo + hi)));
                const double scale = model.A.norm() + model.b.norm();
                EXPECT_NEAR(residual, n.dot(model.A * n) + model.b.dot(n) + model.e, 1e-12 * (std::fabs(residual) + 1.0));
                EXPECT_LE(residual, scan + 1e-11 * scale);
            }
        }
    }
}

TEST(RMSD, CyclicSolversReachTheMinimumOverAxisAndCentre) {
    std::mt19937_64 rng = seededEngine("RMSD.CyclicSolvers");
    std::normal_distribution<double> g;
    for (int i = 0; i < 40; ++i) {
        RMSD model;
        model.initCoefficients(0.0);
        model.A = randomSymmetric(rng, 20.0);
        model.b = 10.0 * gaussianVector(g, rng);
        model.e = 200.0;
        model.T = 1.0 + std::fabs(g(rng)) * 5.0;
        const Eigen::Vector3d m = gaussianVector(g, rng);
        model.B << 0.0, -m.z(), m.y(), m.z(), 0.0, -m.x(), -m.y(), m.x(), 0.0;
        model.B *= 3.0;
        model.d = 4.0 * gaussianVector(g, rng);
        double residual = 0.0;
        model.TrustRegionCholeskyCyclic(residual);
        const Eigen::Vector3d n = toEigen(model.a1), x = toEigen(model.centreOffset);
        const brute::sCyclicModel plain = brute::cyclicModel(model);
        const double brute = brute::sphereMinimum([&](const brute::tVec& v) { return brute::cyclicModelAt(plain, v); }, 300);
        const double scale = model.A.norm() + model.b.norm() + model.e + (model.d.squaredNorm() + model.B.squaredNorm()) / model.T;
        EXPECT_NEAR(n.norm(), 1.0, 1e-12);
        EXPECT_NEAR(x.dot(n), 0.0, 1e-9);
        EXPECT_NEAR(residual, modelAt(model, n, x), 1e-11 * scale);
        EXPECT_LE(residual, brute + 1e-10 * scale);
    }
    // Two-fold: the lowest eigenvector of A, no centre offset.
    RMSD model;
    model.initCoefficients(0.0);
    model.A = Eigen::Vector3d(3.0, -1.0, 2.0).asDiagonal();
    model.e = 5.0;
    model.centreOffset = cVector3(1.0, 1.0, 1.0);
    double residual = 0.0;
    model.TrustRegionCholeskyCyclic2(residual);
    EXPECT_NEAR(std::fabs(model.a1.y), 1.0, 1e-15);
    EXPECT_DOUBLE_EQ(residual, 4.0);
    EXPECT_EQ(model.centreOffset, cVector3(0.0));
}

TEST(RMSD, GershgorinBoundsBoundTheEigenvaluesFromBelow) {
    std::mt19937_64 rng = seededEngine("RMSD.Gershgorin");
    RMSD model;
    for (int i = 0; i < 50; ++i) {
        const Eigen::Matrix3d H = randomSymmetric(rng, 3.0);
        const double lowest = Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(H).eigenvalues()(0);
        EXPECT_LE(model.getEigenValueLowerBound(H).minCoeff(), lowest + 1e-12);
    }
}
