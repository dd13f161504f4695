// Tests of cSymmetryTransform: the integer inverse check is exact, with no reduction modulo 12.
#include "crystal/cSymmetryTransform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

TEST(cSymmetryTransform, CheckInverseIsExactWithoutReductionModuloTheCell) {
  // Rotation of the left operation, then both translations; the right rotation is always R^T.
  struct Case { std::array<int, 9> R; std::array<int, 3> t, u; bool inverse; };
  const Case cases[] = {
      {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}, {0, 0, 0}, true},
      {{0, -1, 0, 1, 0, 0, 0, 0, 1}, {0, 0, 3}, {0, 0, -3}, true},   // 4-fold screw
      {{0, -1, 0, 1, 0, 0, 0, 0, 1}, {0, 0, 3}, {0, 0, 9}, false},   // inverse only modulo 12
      {{1, 0, 0, 0, -1, 0, 0, 0, -1}, {6, 0, 0}, {6, 0, 0}, false},  // 6 + 6 is not 0
      {{1, 0, 0, 0, -1, 0, 0, 0, -1}, {6, 0, 0}, {-6, 0, 0}, true},
  };
  for (const Case& c : cases) {
    cSymmetryTransform a, b;
    a.assignR(c.R.data());
    a.assignT(c.t.data());
    for (int r = 0; r < 3; ++r)
      for (int k = 0; k < 3; ++k) b.R[3 * r + k] = c.R[3 * k + r];
    b.assignT(c.u.data(), 12);
    EXPECT_EQ(a.checkInverse(b), c.inverse) << c.t[2] << " " << c.u[2];
    EXPECT_EQ(a.checkInverse(a), c.R[1] == 0 && c.t[0] == 0) << "with itself";
  }
}

TEST(cOrthorhombicSymmetryTransform, InitRecordsWhereEachRowHasItsSignedOne) {
  // Rows of the rotation, then axisOf, positive and negative per row. A later column of a row
  // overwrites an earlier one; a row with nothing beyond +-0.5 keeps the values it had (9 here).
  struct Case { std::array<double, 9> R; std::array<short, 3> axisOf, positive, negative; };
  const Case cases[] = {
      {{0, -1, 0, 1, 0, 0, 0, 0, 1}, {1, 0, 2}, {0, 1, 1}, {1, 0, 0}},   // 4-fold about z
      {{0, 0, -1, -1, 0, 0, 0, 1, 0}, {2, 0, 1}, {0, 0, 1}, {1, 1, 0}},  // 3-fold about 1,-1,-1
      {{1, 0, -1, 0, 0.4, 0, 0, 0, -1}, {2, 9, 2}, {0, 9, 0}, {1, 9, 1}},
  };
  for (const Case& c : cases) {
    cOrthorhombicSymmetryTransform op;
    for (short* field : {op.axisOf, op.positive, op.negative}) std::fill(field, field + 3, short{9});
    op.rotation.fromArray(c.R.data());
    op.init();
    EXPECT_TRUE(op.isSignedPermutation);
    for (int r = 0; r < 3; ++r)
      EXPECT_EQ(std::tuple(op.axisOf[r], op.positive[r], op.negative[r]),
                std::tuple(c.axisOf[r], c.positive[r], c.negative[r]))
          << "row " << r << " of case " << &c - cases;
  }
}
