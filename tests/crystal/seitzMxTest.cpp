// Tests of the Seitz-matrix arithmetic and the classification of rotations.
#include "crystal/seitzMx.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

#include "crystal/sgError.h"
#include "crystal/sgTables.h"
#include "tests/crystal/crystalReference.h"

TEST(GetRotMxInfo, ReferenceRotations) {
  struct Case { int R[9]; int order; int axis[3]; int inverse, refAxis, dirCode; };
  const Case cases[] = {
      {{1, 0, 0, 0, 1, 0, 0, 0, 1}, 1, {0, 0, 0}, 0, 'o', '.'},
      {{-1, 0, 0, 0, -1, 0, 0, 0, -1}, -1, {0, 0, 0}, 0, 'o', '.'},
      {{0, 0, 1, 1, 0, 0, 0, 1, 0}, 3, {1, 1, 1}, 0, 'o', '*'},
      {{0, 1, 0, 0, 0, 1, 1, 0, 0}, 3, {1, 1, 1}, 1, 'o', '*'},
      {{1, 0, 0, 0, -1, 0, 0, 0, -1}, 2, {1, 0, 0}, 0, 'x', '='},
      {{-1, 0, 0, 0, 1, 0, 0, 0, -1}, 2, {0, 1, 0}, 0, 'y', '='},
      {{1, 0, 0, 0, 1, 0, 0, 0, -1}, -2, {0, 0, 1}, 0, 'z', '='},
      {{0, -1, 0, 1, -1, 0, 0, 0, 1}, 3, {0, 0, 1}, 0, 'z', '='},
      {{0, 1, 0, -1, 0, 0, 0, 0, -1}, -4, {0, 0, 1}, 0, 'z', '='},
      {{1, -1, 0, 1, 0, 0, 0, 0, 1}, 6, {0, 0, 1}, 0, 'z', '='},
      {{0, 1, 0, 1, 0, 0, 0, 0, -1}, 2, {1, 1, 0}, 0, 'z', '"'},
      {{0, 0, -1, 0, -1, 0, -1, 0, 0}, 2, {-1, 0, 1}, 0, 'y', '\''},
      {{-1, 0, 0, 0, 0, -1, 0, 1, 0}, -4, {1, 0, 0}, 1, 'x', '='},
  };
  for (const Case& c : cases) {
    T_RotMxInfo info;
    ASSERT_EQ(GetRotMxInfo(c.R, &info), c.order);
    EXPECT_EQ(GetRotMxOrder(c.R), c.order);
    EXPECT_EQ(std::tuple(std::vector<int>(info.axis, info.axis + 3), info.inverse, info.refAxis, info.DirCode),
              std::tuple(std::vector<int>(c.axis, c.axis + 3), c.inverse, c.refAxis, c.dirCode))
        << c.order;
  }
  SgError = nullptr;
  // Determinant 2, and a shear (trace 3, no match): no order, and no message.
  const std::array<int, 9> notCrystallographic[] = {{2, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 1, 0, 0, 0, 1}};
  for (const auto& R : notCrystallographic) EXPECT_EQ(GetRotMxInfo(R.data(), nullptr), 0);
  EXPECT_EQ(SgError, nullptr);
}

TEST(GetRotMxInfo, EveryReferenceRotationIsClassifiedAndInverted) {
  std::set<std::array<int, 9>> rotations;
  for (const RefSetting& s : RefSettings())
    for (const Op& op : s.ops) rotations.insert({op[0], op[1], op[2], op[3], op[4], op[5], op[6], op[7], op[8]});
  for (const auto& R : rotations) {
    T_RotMxInfo info;
    const int order = GetRotMxInfo(R.data(), &info);
    ASSERT_NE(order, 0);
    // The axis is fixed by the proper part, and the inverse of R is its adjugate over det.
    int P[9], axis[3], inv[9], product[9];
    for (int i = 0; i < 9; ++i) P[i] = order > 0 ? R[i] : -R[i];
    RotMx_t_Vector(axis, P, info.axis, 0);
    EXPECT_TRUE(std::equal(axis, axis + 3, info.axis));
    InverseRotMx(R.data(), inv);
    RotMxMultiply(product, R.data(), inv);
    const int det = deterRotMx(R.data());
    EXPECT_EQ(std::vector<int>(product, product + 9), (std::vector<int>{det, 0, 0, 0, det, 0, 0, 0, det}));
  }
}

TEST(SeitzMxArithmetic, ProductsInversesAndComparisons) {
  const T_RTMx screw = {{0, -1, 0, 1, -1, 0, 0, 0, 1}, {0, 0, 4}};  // 31
  T_RTMx p = screw;
  SeitzMxMultiply(&p, &screw, &p);
  SeitzMxMultiply(&p, &screw, &p);
  EXPECT_EQ(ToOp(p), (Op{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));  // (31)^3 = a lattice translation
  T_RTMx inv, unit;
  InverseRTMx(&screw, &inv);
  RTMxMultiply(&unit, &screw, &inv, 1, 0);
  EXPECT_EQ(ToOp(unit), (Op{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(inv.T[2], -4);  // not reduced

  const T_RTMx a = {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}}, b = {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {6, 6, 6}};
  EXPECT_EQ(CompareSeitzMx(&LI_I, &a, &b), 0);
  EXPECT_EQ(CompareSeitzMx(&LI_P, &a, &b), -1);
  EXPECT_EQ(CompareSeitzMx(&LI_P, &a, &screw), 1);
  EXPECT_EQ(IsSMxTransl0(&LI_F, b.T), 0);
  EXPECT_EQ(IsSMxTransl0(&LI_R, screw.T), 0);
  const int r[3] = {4, 8, 8};
  EXPECT_EQ(IsSMxTransl0(&LI_R, r), 1);

  int M[9] = {-1, 0, 0, 0, -1, 0, 0, 0, 1};  // 2z turned twice about 111 lies along y
  RotateRotMx(M, RMx_3_111, RMx_3i111);
  RotateRotMx(M, RMx_3_111, RMx_3i111);
  EXPECT_EQ(std::vector<int>(M, M + 9), (std::vector<int>{-1, 0, 0, 0, 1, 0, 0, 0, -1}));
  const int v[3] = {1, 2, 3};
  int out[3];
  RotMx_t_Vector(out, RMx_4_001, v, 12);
  EXPECT_EQ(std::vector<int>(out, out + 3), (std::vector<int>{10, 1, 3}));
  EXPECT_EQ(iModPositive(-13, 12), 11);
  EXPECT_EQ(iModPositive(-13, 0), -13);
}

TEST(ListOrBufRotMxInfo, ComputesWhenTheListIsAbsent) {
  T_SgRecord sg;
  sg.ListSeitzMx = {{{0, -1, 0, 1, 0, 0, 0, 0, 1}, {0, 0, 0}}, {{2, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}}};
  sg.nList = 2;
  T_RotMxInfo buf;
  const T_RotMxInfo* info = ListOrBufRotMxInfo(&sg, 0, &buf);
  ASSERT_EQ(info, &buf);
  EXPECT_EQ(info->order, 4);
  EXPECT_SG_ERROR(ListOrBufRotMxInfo(&sg, 1, &buf), nullptr, "Error: Illegal SeitzMx in list");
}
