// Tests of cMatrix33 against Eigen: arithmetic, Jacobi eigen-decomposition, rotation
// builders and their decompositions, quaternions and printing.
#include "geometry/cMatrix33.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "tests/geometry/randomSeed.h"

namespace {

constexpr double kPi = 3.141592653589793;

Eigen::Matrix3d toEigen(const cMatrix33& a) { return Eigen::Map<const Eigen::Matrix<double, 3, 3, Eigen::RowMajor>>(a.m); }

void expectNear(const cMatrix33& a, const cMatrix33& b, double tol) {
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(a.m[i], b.m[i], tol) << "entry " << i;
}
void expectNear(const cMatrix33& a, const Eigen::Matrix3d& b, double tol) {
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(a.m[i], b(i / 3, i % 3), tol) << "entry " << i;
}

void expectRotation(const cMatrix33& r, double tol) {
  expectNear(r.getTranspose() * r, cMatrix33::identity(), tol);
  EXPECT_NEAR(r.det(), 1, tol);
}

// Right-handed rotation about coordinate axis 0, 1 or 2.
cMatrix33 axisRotation(int axis, double angle) {
  return cMatrix33().fromAxisAngle(cVector3(axis == 0, axis == 1, axis == 2), angle);
}

cVector3 randomUnit(std::mt19937_64& rng) {
  std::normal_distribution<double> n;
  const auto [x, y, z] = draws<3>(n, rng);
  return cVector3(x, y, z).normalizedVersion();
}

}  // namespace

TEST(cMatrix33, ConstructorFromVectorsTakesColumns) {
  const cVector3 a(1, 2, 3), b(4, 5, 6), c(7, 8, 9);
  const cMatrix33 m(a, b, c);
  EXPECT_EQ(m * cVector3(1, 0, 0), a);
  EXPECT_EQ(m * cVector3(0, 0, 1), c);
  EXPECT_EQ(m.m[1], 4);  // row-major: entry 1 is row 0, column 1
}

TEST(cMatrix33, ArithmeticMatchesEigen) {
  auto rng = seededEngine("cMatrix33.ArithmeticMatchesEigen");
  std::uniform_real_distribution<double> u(-3, 3);
  for (int i = 0; i < 50; ++i) {
    cMatrix33 a, b;
    for (int k = 0; k < 9; ++k) a.m[k] = u(rng), b.m[k] = u(rng);
    const Eigen::Matrix3d ea = toEigen(a);
    expectNear(a * b, ea * toEigen(b), 1e-13);
    const auto [x, y, z] = draws<3>(u, rng);
    const cVector3 v(x, y, z);
    EXPECT_NEAR((a * v).y, (ea * Eigen::Vector3d(v.x, v.y, v.z)).y(), 1e-13);
    EXPECT_NEAR(a.det(), ea.determinant(), 1e-12);
    if (std::fabs(ea.determinant()) > 0.1) expectNear(a.Inverse(), ea.inverse(), 1e-9);
    expectNear(a.getTranspose(), ea.transpose(), 0);
    EXPECT_NEAR(a.norm2(), Eigen::JacobiSVD<Eigen::Matrix3d>(ea).singularValues()(0), 1e-10);
  }
}

TEST(cMatrix33, DiagonalizeMatchesSelfAdjointEigenSolver) {
  auto rng = seededEngine("cMatrix33.DiagonalizeMatchesSelfAdjointEigenSolver");
  std::uniform_real_distribution<double> u(-5, 5);
  for (int i = 0; i < 200; ++i) {
    cMatrix33 a;
    for (int r = 0; r < 3; ++r)
      for (int c = r; c < 3; ++c) a(r, c) = a(c, r) = u(rng);
    cMatrix33 upper = a;  // only the upper triangle is read: garbage below must not matter
    upper(1, 0) = upper(2, 0) = upper(2, 1) = 1e6;
    cVector3 values;
    cMatrix33 vectors;
    upper.diagonalize(values, vectors);

    const Eigen::Vector3d expected = Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(toEigen(a)).eigenvalues();
    double got[3] = {values.x, values.y, values.z};
    std::sort(got, got + 3);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], expected(k), 1e-11);
    expectNear(vectors.getTranspose() * vectors, cMatrix33::identity(), 1e-13);
    const double vals[3] = {values.x, values.y, values.z};
    for (int k = 0; k < 3; ++k) {
      const cVector3 v(vectors(0, k), vectors(1, k), vectors(2, k));
      EXPECT_LT((a * v - v * vals[k]).norm(), 1e-11);  // column k belongs to value k
    }
    const cMatrix33 s = a.getTranspose() * a + cMatrix33::identity();  // positive definite
    expectNear(s.getSquareRoot() * s.getSquareRoot(), s, 1e-10);
    expectNear((s.getInverseSquareRoot() * s) * s.getInverseSquareRoot(), cMatrix33::identity(), 1e-12);
  }
}

TEST(cMatrix33, DiagonalizeEdgeCases) {
  cVector3 values;
  cMatrix33 vectors(5.0);
  cMatrix33(cVector3(3, 1, 2)).diagonalize(values, vectors);  // returns at once, unsorted
  EXPECT_EQ(values, cVector3(3, 1, 2));
  expectNear(vectors, cMatrix33::identity(), 0);

  // NaN never converges: message after 50 sweeps, outputs untouched.
  cMatrix33 bad = cMatrix33::identity();
  bad(0, 1) = std::nan("");
  values = cVector3(9.0);
  testing::internal::CaptureStdout();
  bad.diagonalize(values, vectors);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error in diagonalization in Matrix33\n");
  EXPECT_EQ(values, cVector3(9.0));
  expectNear(vectors, cMatrix33::identity(), 0);
}

TEST(cMatrix33, QuaternionOfSpecialRotations) {
  // Identity, then the half-turns about x, y, z (w = 0: the second and third branches).
  const cVector3 diagonals[4] = {{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}};
  const double expected[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  for (int k = 0; k < 4; ++k) {
    double q[4];
    cMatrix33(diagonals[k]).toQuaternion(q[0], q[1], q[2], q[3]);
    for (int j = 0; j < 4; ++j) EXPECT_EQ(q[j], expected[k][j]) << "case " << k << " component " << j;
  }
}

TEST(cMatrix33, AxisAngleQuaternionAndOrthonormalizeRoundTrip) {
  auto rng = seededEngine("cMatrix33.AxisAngleQuaternionAndOrthonormalizeRoundTrip");
  std::uniform_real_distribution<double> angle(0.01, kPi - 0.01), noise(-1e-6, 1e-6);
  for (int i = 0; i < 100; ++i) {
    const cVector3 a = randomUnit(rng);
    const double t = angle(rng);
    const cMatrix33 r = cMatrix33().fromAxisAngle(a, t);
    expectNear(r, Eigen::AngleAxisd(t, Eigen::Vector3d(a.x, a.y, a.z)).toRotationMatrix(), 1e-14);
    expectNear(cMatrix33().fromAxisAnglePi(a), cMatrix33().fromAxisAngle(a, kPi), 1e-15);
    // Near a half turn w = cos(t/2) is small and comes from 1 + trace, which loses digits; the
    // vector part divides the entries' differences (rounding, noise) by 4w: the tolerances grow
    // as 1/w (1/w^2 for the vector part itself).
    const double cosHalf = std::cos(t / 2);
    double w, x, y, z;
    r.toQuaternion(w, x, y, z);
    EXPECT_NEAR(w, cosHalf, 1e-12);
    EXPECT_LT((cVector3(x, y, z) - a * std::sin(t / 2)).norm(), 1e-15 / (cosHalf * cosHalf));

    cMatrix33 exact = r, noisy = r;
    expectNear(exact.orthonormalize(), r, 2e-15 / cosHalf);
    for (double& e : noisy.m) e += noise(rng);
    expectRotation(noisy.orthonormalize(), 1e-14);
    expectNear(noisy, r, 4e-6 / cosHalf);
  }
}

TEST(cMatrix33, EulerBuildersMatchAxisProducts) {
  const double a = 0.3, b = -1.2, c = 2.5;
  const cMatrix33 rx = axisRotation(0, a), ry = axisRotation(1, b), rz = axisRotation(2, c);
  expectNear(cMatrix33().makeEulerRotationXYZ(a, b, c), (rz * ry) * rx, 1e-15);
  expectNear(cMatrix33().rotationXYZ(a, b, c), (rx * ry) * rz, 1e-15);
  expectNear(cMatrix33().makeEulerRotationYZX(a, b, c), (axisRotation(0, c) * axisRotation(2, b)) * axisRotation(1, a),
             1e-15);
  expectNear(cMatrix33().makeEulerRotationZYZ(a, b, c),
             ((axisRotation(2, a) * axisRotation(1, b)) * axisRotation(2, c)).getTranspose(), 1e-15);
}

TEST(cMatrix33, EulerDecompositionsRoundTrip) {
  auto rng = seededEngine("cMatrix33.EulerDecompositionsRoundTrip");
  std::uniform_real_distribution<double> turn(-kPi, kPi), tilt(0.05, kPi - 0.05);
  double a2, b2, c2;
  for (int i = 0; i < 100; ++i) {
    const double a = turn(rng), b = tilt(rng), c = turn(rng);
    cMatrix33().makeEulerRotationZYZ(a, b, c).computeEulerDecompositionZYZ(a2, b2, c2);
    EXPECT_NEAR(std::remainder(a2 - a, 2 * kPi), 0, 1e-12);
    EXPECT_NEAR(b2, b, 1e-12);
    EXPECT_NEAR(std::remainder(c2 - c, 2 * kPi), 0, 1e-12);
    // computeEulerDecomposition inverts Rz(a) Ry(-b) Rz(c).
    ((axisRotation(2, a) * axisRotation(1, -b)) * axisRotation(2, c)).computeEulerDecomposition(a2, b2, c2);
    EXPECT_NEAR(a2, a, 1e-12);
    EXPECT_NEAR(b2, b, 1e-12);
    EXPECT_NEAR(c2, c, 1e-12);
  }
  // At the poles alpha is 0 and gamma carries the whole turn about z.
  for (double b : {0.0, kPi}) {
    const cMatrix33 m = cMatrix33().makeEulerRotationZYZ(0.4, b, 0.9);
    m.computeEulerDecompositionZYZ(a2, b2, c2);
    EXPECT_EQ(a2, 0);
    EXPECT_EQ(b2, b);
    expectNear(cMatrix33().makeEulerRotationZYZ(a2, b2, c2), m, 1e-15);
  }
}

TEST(cMatrix33, EulerDecompositionZYUntiltsTheFrame) {
  // Rows of Rz(0.8) Rx(0.5): tilting back by 0.5 about x leaves a pure turn of 0.8 about z.
  double phi = 0;
  testing::internal::CaptureStdout();
  (axisRotation(2, 0.8) * axisRotation(0, 0.5)).computeEulerDecompositionZY(-0.5, phi);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NEAR(phi, 0.8, 1e-7);
  size_t at = 0;
  for (const char* label : {"n=", "z=", "xPrime=", "yPrime=", "zPrime=", "x=", "y=", "xPrime*yPrime=", "xPrime*z0=",
                            "yPrime*z0=", "RPrime=", "this=", "RPrimeInverse=", "trace= ", "phi= "}) {
    at = out.find(label, at);
    ASSERT_NE(at, std::string::npos) << label;
  }
}

TEST(cMatrix33, AxisRotations) {
  cMatrix33 r;
  EXPECT_EQ(r.rotateToAxis(cVector3(0, 0, 1)), cVector3(0, 0, 0));
  expectNear(r, cMatrix33::identity(), 0);
  const cVector3 angles = r.rotateToAxis(cVector3(0, -1, 0));
  EXPECT_NEAR(angles.x, 3 * kPi / 2, 1e-15);
  EXPECT_NEAR(angles.y, kPi / 2, 1e-15);

  auto rng = seededEngine("cMatrix33.AxisRotations");
  const cVector3 special[4] = {{1e-12, 2, 1}, {-2, 1e-12, -1}, {5, 0, 0}, {0.05, 0.02, 0}};
  for (int i = 0; i < 100; ++i) {
    const cVector3 axis = i < 4 ? special[i] : randomUnit(rng) * 3.0;
    const cVector3 v = axis.normalizedVersion();
    const cVector3 phiTheta = r.rotateToAxis(axis);
    expectRotation(r, 1e-14);
    // Components below 1e-10 are taken as 0 by design.
    EXPECT_LT((r * cVector3(0, 0, 1) - v).norm(), i < 2 ? 1e-11 : 1e-14);
    const double phi = phiTheta.x, theta = phiTheta.y;
    EXPECT_TRUE(phi >= 0 && phi < 2 * kPi);
    const cVector3 polar(std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi), std::cos(theta));
    EXPECT_LT((polar - v).norm(), 1e-9);

    r.revoluteJointZAxisMatrix(axis);
    expectRotation(r, 1e-14);
    EXPECT_LT((r * cVector3(0, 0, 1) - v).norm(), 1e-15);
  }
}

TEST(cMatrix33, PrintFormats) {
  testing::internal::CaptureStdout();
  cMatrix33(1e-300, 0, 2.5, -1, 0, -1e-300, 0, 0, 1e-199).print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\t[O]\t[0]\t[2.5]\n\t[-1]\t[0]\t[O]\n\t[0]\t[0]\t[1e-199]\n\n\n");

  std::ostringstream os;
  os << cMatrix33(1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(os.str(), "\n1 2 3\n4 5 6\n7 8 9\n");

  cVector3 axis(7.0);
  testing::internal::CaptureStdout();
  cMatrix33(cVector3(1, 2, 3)).getAxis(axis);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), " [1 x 2 x 3]\n");
  EXPECT_EQ(axis, cVector3(7.0));
}
