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

TEST(TransformSgRecord, NewAxesGiveTheOtherSetting) {
  const struct { const char* from; T_RTMx toNew, toOld; const char* hall; const char* to; } cases[] = {
      // a' = c, b' = a, c' = b turn P 1 21/c 1 into P 1 1 21/a.
      {"14:b1", CB({0, 0, 12, 12, 0, 0, 0, 12, 0}), CB({0, 12, 0, 0, 0, 12, 12, 0, 0}), "-P 2ac", "14:c1"},
      // R 3 on the obverse rhombohedral cell a' = (2a+b+c)/3, b' = (-a+b+c)/3, c' = (-a-2b+c)/3:
      // the centring disappears and the group is the rhombohedral setting.
      {"146:H", CB({12, 0, 12, -12, 12, 12, 0, -12, 12}), CB({8, -4, -4, 4, 4, -8, 4, 4, 4}), " P 3*", "146:R"},
  };
  for (const auto& c : cases) {
    const T_SgRecord from = BuildRow(RowIndex(c.from));
    T_SgRecord out = EmptyRecord();
    SgError = nullptr;
    ASSERT_EQ(TransformSgRecord(&from, &c.toNew, &c.toOld, &out), 0) << SgError;
    ASSERT_EQ(CompleteSgRecord(&out), 0) << SgError;
    EXPECT_STREQ(out.HallSymbol, c.hall);
    EXPECT_EQ(out.latticeInfo->code, 'P');
    ASSERT_NE(out.tabSgName, nullptr);
    EXPECT_EQ(RowName(*out.tabSgName), c.to);
    const auto& ref = RefSettings()[RowIndex(c.to)].ops;
    EXPECT_EQ(ExpandedOps(out), std::set<Op>(ref.begin(), ref.end())) << c.to;
  }
}

TEST(CB_SMx, OriginShiftsAndFailures) {
  // A shift of the origin by (1/4, 0, 0) turns a 2-fold through the origin into one at x = 1/4.
  const T_RTMx shift = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {18, 0, 0}), back = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {-18, 0, 0});
  const T_RTMx twoZ = {{-1, 0, 0, 0, -1, 0, 0, 0, 1}, {0, 0, 0}};
  T_RTMx out;
  ASSERT_EQ(CB_SMx(&out, &shift, &twoZ, &back), 0);
  EXPECT_EQ(ToOp(out), (Op{-1, 0, 0, 0, -1, 0, 0, 0, 1, 6, 0, 0}));
  const T_RTMx half = CB({6, 0, 0, 0, 12, 0, 0, 0, 12}), twice = CB({24, 0, 0, 0, 12, 0, 0, 0, 12});
  const T_RTMx mixing = {{0, 1, 0, 1, 0, 0, 0, 0, 1}, {0, 0, 0}};
  EXPECT_SG_ERROR(CB_SMx(&out, &half, &mixing, &twice), -1, "Internal Error: Corrupt CBMx/SMx/InvCBMx");
  const T_RTMx tiny = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {1, 0, 0}), tinyBack = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {-1, 0, 0});
  EXPECT_SG_ERROR(CB_SMx(&out, &tiny, &twoZ, &tinyBack), -1, "Internal Error: Out of STBF range");
  // A group moved by a caller's origin shift of 1/8: the 4-fold's translation is off the twelfths.
  const T_SgRecord p4 = BuildRow(RowIndex("75"));
  const T_RTMx eighth = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {9, 0, 0}), eighthBack = CB({12, 0, 0, 0, 12, 0, 0, 0, 12}, {-9, 0, 0});
  T_SgRecord moved = EmptyRecord();
  EXPECT_SG_ERROR(TransformSgRecord(&p4, &eighth, &eighthBack, &moved), -1, "Error: Origin shift is not a multiple of 1/12");
}
