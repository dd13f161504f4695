// Tests of cVector3: products, the all-components comparison, rounding, printing and files.
#include "geometry/cVector3.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/geometry/randomSeed.h"

TEST(cVector3, CrossAndDotProducts) {
  const cVector3 ex(1, 0, 0), ey(0, 1, 0), ez(0, 0, 1);
  EXPECT_EQ(ex ^ ey, ez);
  EXPECT_EQ(ez ^ ex, ey);
  EXPECT_EQ(ey ^ ex, -ez);

  auto rng = seededEngine("cVector3.CrossAndDotProducts");
  std::uniform_real_distribution<double> u(-10, 10);
  for (int i = 0; i < 100; ++i) {
    const auto [ax, ay, az] = draws<3>(u, rng);
    const auto [bx, by, bz] = draws<3>(u, rng);
    const cVector3 a(ax, ay, az), b(bx, by, bz);
    const cVector3 c = a ^ b;
    EXPECT_NEAR(c | a, 0, 1e-11);
    EXPECT_NEAR(c | b, 0, 1e-11);
    // Lagrange identity |a x b|^2 = |a|^2 |b|^2 - (a.b)^2.
    EXPECT_NEAR(c.norm2(), a.norm2() * b.norm2() - (a | b) * (a | b), 1e-9);
    EXPECT_NEAR(a.normalizedVersion().norm(), 1, 1e-15);
  }
  // No checks: a zero vector normalises to NaN.
  EXPECT_TRUE(std::isnan(cVector3(0.0).normalize().x));
}

TEST(cVector3, ComparisonBoxAndRounding) {
  EXPECT_FALSE(cVector3(0, 0, 0) < cVector3(1, 1, 0));
  EXPECT_TRUE(cVector3(0, 0, 0) < cVector3(1, 1, 1));
  EXPECT_FALSE(cVector3(0, 5, 0) < cVector3(1, 0, 1));  // not lexicographic

  cVector3 lo(0.0), hi(1.0);
  cVector3(-1, 0.5, 2).updateMinMax(lo, hi);
  EXPECT_EQ(lo, cVector3(-1, 0, 0));
  EXPECT_EQ(hi, cVector3(1, 1, 2));

  EXPECT_EQ(cVector3(-1.5, 2.7, 3.0).round(), cVector3(-2, 2, 3));
  // Beyond the int range the floor is kept instead of an undefined conversion.
  EXPECT_EQ(cVector3(1e300, -1e300, 4.5).round(), cVector3(1e300, -1e300, 4));
}

TEST(cVector3, PrintFormats) {
  testing::internal::CaptureStdout();
  cVector3(1, -2.5, 3).print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), " [1 x -2.5 x 3]\n");
  std::ostringstream os;
  os << cVector3(1, -2.5, 3);
  EXPECT_EQ(os.str(), "1 -2.5 3");
}

TEST(cVector3, SaveLoadRoundTripAndFailures) {
  const std::string path = testing::TempDir() + "cVector3Test_save.txt";
  const cVector3 v(1.0 / 3, -2e-7, 12345.678901234567);
  v.save(path);
  cVector3 back(0.0);
  back.load(path);
  EXPECT_EQ(back, v);

  cVector3 untouched(7, 8, 9);
  untouched.load(testing::TempDir() + "no/such/dir/vector.txt");
  EXPECT_EQ(untouched, cVector3(7, 8, 9));
  { std::ofstream(path) << "1 2"; }  // a short file does not half-overwrite the vector
  untouched.load(path);
  EXPECT_EQ(untouched, cVector3(7, 8, 9));
  std::remove(path.c_str());
}
