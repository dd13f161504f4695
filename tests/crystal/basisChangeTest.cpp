// Tests of the change of basis of operations and groups.
#include "crystal/basisChange.h"

#include <gtest/gtest.h>

#include "crystal/sgComplete.h"
#include "crystal/sgError.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

namespace {
// A change of basis with rotation rows r (in units of 1/12) and translation t (units of 1/72).
T_RTMx CB(std::initializer_list<int> r, std::initializer_list<int> t = {0, 0, 0}) { return MakeRTMx(r, t); }
}  // namespace

TEST(TransformSgRecord, AxisPermutationGivesTheOtherSetting) {
  // New axes a' = c, b' = a, c' = b turn P 1 21/c 1 (14:b1) into P 1 1 21/a (14:c1).
  const T_RTMx toNew = CB({0, 0, 12, 12, 0, 0, 0, 12, 0}), toOld = CB({0, 12, 0, 0, 0, 12, 12, 0, 0});
  const T_SgRecord b1 = BuildRow(RowIndex("14:b1"));
  T_SgRecord out = EmptyRecord();
  SgError = nullptr;
  ASSERT_EQ(TransformSgRecord(&b1, &toNew, &toOld, &out), 0);
  ASSERT_EQ(CompleteSgRecord(&out), 0) << SgError;
  EXPECT_STREQ(out.HallSymbol, "-P 2ac");
  ASSERT_NE(out.tabSgName, nullptr);
  EXPECT_EQ(RowName(*out.tabSgName), "14:c1");
  const auto& ref = RefSettings()[out.tabSgName - TabSgName].ops;
  EXPECT_EQ(ExpandedOps(out), std::set<Op>(ref.begin(), ref.end()));
}

TEST(TransformSgRecord, HexagonalToRhombohedralAxes) {
  // R 3 on the obverse rhombohedral cell a' = (2a+b+c)/3, b' = (-a+b+c)/3, c' = (-a-2b+c)/3:
  // the centring disappears and the group is the rhombohedral setting.
  const T_RTMx toNew = CB({12, 0, 12, -12, 12, 12, 0, -12, 12}), toOld = CB({8, -4, -4, 4, 4, -8, 4, 4, 4});
  const T_SgRecord hexagonal = BuildRow(RowIndex("146:H"));
  T_SgRecord out = EmptyRecord();
  SgError = nullptr;
  ASSERT_EQ(TransformSgRecord(&hexagonal, &toNew, &toOld, &out), 0) << SgError;
  ASSERT_EQ(CompleteSgRecord(&out), 0) << SgError;
  EXPECT_EQ(out.latticeInfo->code, 'P');
  EXPECT_STREQ(out.HallSymbol, " P 3*");
  const auto& ref = RefSettings()[RowIndex("146:R")].ops;
  EXPECT_EQ(ExpandedOps(out), std::set<Op>(ref.begin(), ref.end()));
}

TEST(CB_SMx, OriginShiftsAndFailures) {
  // A shift of the origin by (1/4, 0, 0) turns a 2-fold through the origin into one at x = 1/4.
  const T_RTMx shift = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {18, 0, 0}), back = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {-18, 0, 0});
  const T_RTMx twoZ = {{-1, 0, 0, 0, -1, 0, 0, 0, 1}, {0, 0, 0}};
  T_RTMx out;
  ASSERT_EQ(CB_SMx(&out, &shift, &twoZ, &back), 0);
  EXPECT_EQ(ToOp(out), (Op{-1, 0, 0, 0, -1, 0, 0, 0, 1, 6, 0, 0}));
  SgError = nullptr;
  const T_RTMx half = CB({6, 0, 0, 0, 12, 0, 0, 0, 12}), twice = CB({24, 0, 0, 0, 12, 0, 0, 0, 12});
  const T_RTMx mixing = {{0, 1, 0, 1, 0, 0, 0, 0, 1}, {0, 0, 0}};
  EXPECT_EQ(CB_SMx(&out, &half, &mixing, &twice), -1);
  EXPECT_STREQ(SgError, "Internal Error: Corrupt CBMx/SMx/InvCBMx");
  SgError = nullptr;
  const T_RTMx tiny = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {1, 0, 0}), tinyBack = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {-1, 0, 0});
  EXPECT_EQ(CB_SMx(&out, &tiny, &twoZ, &tinyBack), -1);
  EXPECT_STREQ(SgError, "Internal Error: Out of STBF range");
  SgError = nullptr;
}
