// Tests of cSpatialTransform: inversion, composition, motion/force transforms and layouts.
#include "geometry/cSpatialTransform.h"

#include <gtest/gtest.h>

#include <Eigen/Geometry>
#include <cmath>

#include "tests/geometry/randomSeed.h"

namespace {

struct RandomTransforms {
  std::mt19937_64 rng;
  std::uniform_real_distribution<double> u{-10, 10};
  explicit RandomTransforms(const char* name) : rng(seededEngine(name)) {}

  // One draw per statement: the order of a call's arguments is the compiler's choice.
  cVector3 vector() {
    const auto [x, y, z] = draws<3>(u, rng);
    return cVector3(x, y, z);
  }
  cSpatialTransform transform() {
    const cVector3 axis = vector().normalize();
    const double angle = u(rng);
    const cVector3 shift = vector();
    return cSpatialTransform(cMatrix33().fromAxisAngle(axis, angle), shift);
  }
  cVector3 apply(const cSpatialTransform& t, const cVector3& p) {
    cVector3 out;
    t.transformPoint(p, out);
    return out;
  }
};

void expectNear(const cVector3& a, const cVector3& b, double tol) { EXPECT_LT((a - b).norm(), tol) << a << " vs " << b; }

}  // namespace

TEST(cSpatialTransform, InverseAndCompositions) {
  RandomTransforms random("cSpatialTransform.InverseAndCompositions");
  for (int i = 0; i < 50; ++i) {
    const cSpatialTransform t = random.transform(), a = random.transform();
    const cVector3 p = random.vector();
    cSpatialTransform inv, both, aAfterT, aAfterInverseT;
    t.computeInverse(inv);
    t.rightMultiply3d(inv, both);
    for (int k = 0; k < 9; ++k) EXPECT_NEAR(both.rotation.m[k], cMatrix33::identity().m[k], 1e-13);
    expectNear(both.translation, cVector3(0.0), 1e-13);
    expectNear(random.apply(inv, random.apply(t, p)), p, 1e-13);

    t.rightMultiply3d(a, aAfterT);
    expectNear(random.apply(aAfterT, p), random.apply(a, random.apply(t, p)), 1e-12);
    t.rightMultiplyInverse3d(a, aAfterInverseT);
    expectNear(random.apply(aAfterInverseT, p), random.apply(a, random.apply(inv, p)), 1e-12);

    cSpatialTransform inPlace = t;  // the result may be written over an input
    inPlace.rightMultiply3d(a, inPlace);
    expectNear(random.apply(inPlace, p), random.apply(aAfterT, p), 1e-12);
  }
}

TEST(cSpatialTransform, MotionAndForceTransforms) {
  RandomTransforms random("cSpatialTransform.MotionAndForceTransforms");
  for (int i = 0; i < 50; ++i) {
    const cSpatialTransform t = random.transform();
    const cVector6 motion{random.vector(), random.vector()}, force{random.vector(), random.vector()};
    cVector6 moved, back, pushed;
    t.transformMotion(motion, moved);
    t.inverseTransformMotion(moved, back);
    expectNear(back.angular, motion.angular, 1e-12);
    expectNear(back.linear, motion.linear, 1e-12);

    // Power (force . motion) does not depend on the frame.
    t.transformForce(force, pushed);
    const double power = (force.angular | motion.angular) + (force.linear | motion.linear);
    const double movedPower = (pushed.angular | moved.angular) + (pushed.linear | moved.linear);
    EXPECT_NEAR(movedPower, power, 1e-9 * (1 + std::fabs(power)));
  }
}

TEST(cSpatialTransform, OpenGlMatrixAndPrintLayouts) {
  double m[16];
  cSpatialTransform().openGlMatrix(m);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0 : 0.0) << i;

  const cSpatialTransform t(cMatrix33(1, 2, 3, 4, 5, 6, 7, 8, 9), cVector3(-1, -2, -3));
  t.openGlMatrix(m);
  Eigen::Affine3d e = Eigen::Affine3d::Identity();
  e.linear() << 1, 2, 3, 4, 5, 6, 7, 8, 9;
  e.translation() << -1, -2, -3;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], e.matrix().data()[i]) << i;  // Eigen is column-major too

  testing::internal::CaptureStdout();
  t.print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\t[1]\t[2]\t[3]\t[-1]\n\t[4]\t[5]\t[6]\t[-2]\n\t[7]\t[8]\t[9]\t[-3]\n\n\n");
}
