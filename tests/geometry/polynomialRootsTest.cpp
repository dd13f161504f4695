// Tests of the polynomial root solvers on polynomials built from known roots.
#include "geometry/polynomialRoots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/geometry/randomSeed.h"

namespace {

struct Pair {
  double re, im;
};

// Coefficients after the leading 1 of prod (t - r) * prod (t^2 - 2 re t + re^2 + im^2).
std::vector<double> monic(const std::vector<double>& roots, const std::vector<Pair>& pairs = {}) {
  std::vector<double> c{1};
  auto multiply = [&c](const std::vector<double>& f) {
    std::vector<double> out(c.size() + f.size() - 1, 0.0);
    for (size_t i = 0; i < c.size(); ++i)
      for (size_t k = 0; k < f.size(); ++k) out[i + k] += c[i] * f[k];
    c = out;
  };
  for (double r : roots) multiply({1, -r});
  for (const Pair& p : pairs) multiply({1, -2 * p.re, p.re * p.re + p.im * p.im});
  c.erase(c.begin());
  return c;
}

void expectRoots(const double* x, std::vector<double> expected, double tol) {
  std::vector<double> got(x, x + expected.size());
  std::sort(got.begin(), got.end());
  std::sort(expected.begin(), expected.end());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], expected[i], tol) << "root " << i;
}

// Real roots in [-5, 5], at least 0.1 apart so that the problem stays well conditioned.
std::vector<double> separatedRoots(std::mt19937_64& rng, int n) {
  std::uniform_real_distribution<double> u(-5, 5);
  for (;;) {
    std::vector<double> r(n);
    for (double& v : r) v = u(rng);
    std::vector<double> s = r;
    std::sort(s.begin(), s.end());
    if (std::adjacent_find(s.begin(), s.end(), [](double a, double b) { return b - a < 0.1; }) == s.end()) return r;
  }
}

}  // namespace

TEST(polynomialRoots, QuadraticAndCubicListedCases) {
  double x[3];
  EXPECT_EQ(SolveP2(x, 3, 2), 2);  // t^2 - 3t + 2: a enters with a minus sign
  EXPECT_EQ(x[0], 2);
  EXPECT_EQ(x[1], 1);
  EXPECT_EQ(SolveP2(x, 0, 1), 0);
  EXPECT_EQ(x[0], 0);
  EXPECT_EQ(x[1], 1);

  EXPECT_EQ(SolveP3(x, -6, 11, -6), 3);
  expectRoots(x, {1, 2, 3}, 1e-14);
  EXPECT_EQ(SolveP3(x, 0, 0, -8), 1);  // Cardano path: root3 accuracy
  EXPECT_NEAR(x[0], 2, 1e-7);
  EXPECT_NEAR(x[1], -1, 1e-7);
  EXPECT_NEAR(std::fabs(x[2]), std::sqrt(3.0), 1e-7);
  EXPECT_EQ(SolveP3(x, 0, 0, 0), 2);
  expectRoots(x, {0, 0, 0}, 0);
  EXPECT_EQ(SolveP3(x, -5, 8, -4), 2);  // (t - 1)(t - 2)^2
  expectRoots(x, {1, 2, 2}, 1e-7);
}

TEST(polynomialRoots, CubicRandomRoots) {
  auto rng = seededEngine("polynomialRoots.CubicRandomRoots");
  std::uniform_real_distribution<double> imag(0.1, 5);
  double x[3];
  for (int i = 0; i < 200; ++i) {
    const std::vector<double> r = separatedRoots(rng, 3);
    std::vector<double> c = monic(r);
    ASSERT_EQ(SolveP3(x, c[0], c[1], c[2]), 3);
    expectRoots(x, r, 1e-9);

    const double q = imag(rng);  // root3 limits this path to about 1e-7 relative
    c = monic({r[0]}, {{r[1], q}});
    ASSERT_EQ(SolveP3(x, c[0], c[1], c[2]), 1);
    EXPECT_NEAR(x[0], r[0], 1e-6);
    EXPECT_NEAR(x[1], r[1], 1e-6);
    EXPECT_NEAR(std::fabs(x[2]), q, 1e-6);
  }
}

TEST(polynomialRoots, Root3AndCSqrt) {
  EXPECT_EQ(root3(0), 0);
  EXPECT_EQ(root3(-27), -root3(27));
  for (double v = 1e-12; v < 1e12; v *= 1.37) EXPECT_NEAR(root3(v) / std::cbrt(v), 1, 2e-7) << v;
  // Infinity would never leave the scaling loop; NaN stays NaN.
  EXPECT_EQ(root3(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(root3(std::nan(""))));

  const double cases[][4] = {// x, y, a, b
                             {3, 4, 2, 1}, {-3, -4, 1, -2}, {-4, 0, 0, 2}, {4, 0, 2, 0},
                             // tiny y beside a negative x: no cancellation down to a = 0, b = inf
                             {-1, 1e-20, 5e-21, 1}};
  for (const auto& k : cases) {
    double a, b;
    CSqrt(k[0], k[1], a, b);
    EXPECT_NEAR(a, k[2], 1e-15 * std::fabs(k[2]) + 1e-300) << k[0] << " " << k[1];
    EXPECT_NEAR(b, k[3], 1e-15) << k[0] << " " << k[1];
  }
}

TEST(polynomialRoots, BiquadraticBranches) {
  double x[4];
  EXPECT_EQ(SolveP4(x, 0, -5, 0, 4), 4);  // (t^2 - 1)(t^2 - 4)
  expectRoots(x, {-2, -1, 1, 2}, 1e-15);
  EXPECT_EQ(SolveP4Bi(x, 5, 4), 0);  // (t^2 + 1)(t^2 + 4)
  expectRoots(x, {0, 0, 1, 2}, 0);
  EXPECT_EQ(SolveP4Bi(x, -3, -4), 2);  // (t^2 - 4)(t^2 + 1)
  expectRoots(x, {-2, 2, 0, 1}, 1e-15);
  EXPECT_EQ(SolveP4Bi(x, 0, 1), 0);  // t^4 + 1: (+-1 +- i) / sqrt(2)
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(std::fabs(x[k]), std::sqrt(0.5), 1e-15);
}

TEST(polynomialRoots, QuarticMultipleRootsStayRoots) {
  double x[4];
  // (t - 1)^2 (t - 2)(t - 3): the slope vanishes exactly on the double root, which is kept.
  EXPECT_EQ(SolveP4(x, -7, 17, -17, 6), 4);
  expectRoots(x, {1, 1, 2, 3}, 1e-12);
  EXPECT_EQ(N4Step(1, -7, 17, -17, 6), 1);
  EXPECT_NEAR(N4Step(3.1, -7, 17, -17, 6), 3, 0.05);
  EXPECT_EQ(SolveP4(x, -6, 13, -12, 4), 4);  // (t - 1)^2 (t - 2)^2
  expectRoots(x, {1, 1, 2, 2}, 1e-12);

  // Two pairs of nearly double roots 3e-5 apart, resolved to about the square root of the
  // rounding error. The resolvent puts one pair on the local minimum between its roots,
  // where the slope is nearly 0: a Newton step from there would land near 3.15, on no root.
  const std::vector<double> r = {3.4120179230967782, 3.4120454654676413, 2.8812457961124425, 2.8812709107142251};
  std::vector<double> c = monic(r);
  EXPECT_EQ(SolveP4(x, c[0], c[1], c[2], c[3]), 4);
  expectRoots(x, r, 2e-5);
  // The same roots expanded in another order: rounding now gives the resolvent roots mixed
  // signs (-5e-10, 0.28, 1e-9), and the square root of the negative one would be NaN.
  c = {-(r[0] + r[1] + r[2] + r[3]), r[0] * r[1] + r[0] * r[2] + r[0] * r[3] + r[1] * r[2] + r[1] * r[3] + r[2] * r[3],
       -(r[0] * r[1] * r[2] + r[0] * r[1] * r[3] + r[0] * r[2] * r[3] + r[1] * r[2] * r[3]), r[0] * r[1] * r[2] * r[3]};
  EXPECT_EQ(SolveP4(x, c[0], c[1], c[2], c[3]), 4);
  expectRoots(x, r, 2e-5);
}

TEST(polynomialRoots, QuarticRandomRoots) {
  auto rng = seededEngine("polynomialRoots.QuarticRandomRoots");
  std::uniform_real_distribution<double> imag(0.1, 5);
  double x[4];
  for (int i = 0; i < 200; ++i) {
    const std::vector<double> r = separatedRoots(rng, 4);
    std::vector<double> c = monic(r);
    ASSERT_EQ(SolveP4(x, c[0], c[1], c[2], c[3]), 4);
    expectRoots(x, r, 1e-7);

    // The real roots get a Newton step; the pair does not, and inherits root3's accuracy
    // through a square root.
    const Pair pair{r[2], imag(rng)};
    c = monic({r[0], r[1]}, {pair});
    ASSERT_EQ(SolveP4(x, c[0], c[1], c[2], c[3]), 2);
    expectRoots(x, {r[0], r[1]}, 1e-6);
    EXPECT_NEAR(x[2], pair.re, 1e-3);
    EXPECT_NEAR(std::fabs(x[3]), pair.im, 1e-3);

    const Pair other{r[3], imag(rng)};
    c = monic({}, {pair, other});
    ASSERT_EQ(SolveP4(x, c[0], c[1], c[2], c[3]), 0);
    const bool inOrder = std::fabs(x[0] - pair.re) < std::fabs(x[0] - other.re);
    const Pair& p0 = inOrder ? pair : other;
    const Pair& p1 = inOrder ? other : pair;
    EXPECT_NEAR(x[0], p0.re, 1e-7);
    EXPECT_NEAR(std::fabs(x[1]), p0.im, 1e-7);
    EXPECT_NEAR(x[2], p1.re, 1e-7);
    EXPECT_NEAR(std::fabs(x[3]), p1.im, 1e-7);
  }
}

TEST(polynomialRoots, Quintic) {
  double x[5];
  // t^5 - 1: the real root 1 and the pairs cos(2 pi k / 5) +- i sin(2 pi k / 5), k = 1, 2.
  EXPECT_EQ(SolveP5(x, 0, 0, 0, 0, -1), 1);
  EXPECT_NEAR(x[0], 1, 1e-14);
  const double fifth = 2 * 3.141592653589793 / 5;
  const int k1 = x[1] > x[3] ? 1 : 3, k2 = 4 - k1;
  EXPECT_NEAR(x[k1], std::cos(fifth), 1e-9);
  EXPECT_NEAR(std::fabs(x[k1 + 1]), std::sin(fifth), 1e-9);
  EXPECT_NEAR(x[k2], std::cos(2 * fifth), 1e-9);
  EXPECT_NEAR(std::fabs(x[k2 + 1]), std::sin(2 * fifth), 1e-9);

  EXPECT_EQ(SolveP5_1(1, 2, 3, 4, 0), 0);  // zero constant term: 0 is the root found
  EXPECT_EQ(SolveP5(x, -10, 35, -50, 24, 0), 5);
  EXPECT_EQ(x[0], 0);
  expectRoots(x, {0, 1, 2, 3, 4}, 1e-9);

  auto rng = seededEngine("polynomialRoots.Quintic");
  for (int i = 0; i < 200; ++i) {
    const std::vector<double> r = separatedRoots(rng, 5);
    const std::vector<double> c = monic(r);
    const double one = SolveP5_1(c[0], c[1], c[2], c[3], c[4]);
    EXPECT_NEAR(0, *std::min_element(r.begin(), r.end(), [one](double p, double q) {
      return std::fabs(p - one) < std::fabs(q - one);
    }) - one, 1e-9);
    ASSERT_EQ(SolveP5(x, c[0], c[1], c[2], c[3], c[4]), 5);
    expectRoots(x, r, 1e-7);
  }
}
