// Tests of group completion: closure, centring and inversion handling, origin shifts, the
// order of the list, and the completion of a record.
#include "crystal/sgComplete.h"

#include <gtest/gtest.h>

#include <cstring>

#include "crystal/hallSymbol.h"
#include "crystal/seitzMx.h"
#include "crystal/sgError.h"
#include "crystal/sgTables.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

namespace {
// An empty record that keeps centring and inversion implicit, holding the inversion.
T_SgRecord ImplicitCentricRecord() {
  T_SgRecord sg = EmptyRecord();
  SgError = nullptr;
  sg.generatorOption = 1;
  AddInversion2ListSeitzMx(&sg);
  return sg;
}
const T_RTMx TwoZ = MakeRTMx({-1, 0, 0, 0, -1, 0, 0, 0, 1});
const T_RTMx FourZ = MakeRTMx({0, -1, 0, 1, 0, 0, 0, 0, 1});
const T_RTMx FourX = MakeRTMx({1, 0, 0, 0, 0, -1, 0, 1, 0});
}  // namespace

TEST(CompleteSgRecord, ListsOnlyWhatIsNotImplicit) {
  struct Case { const char* hall; int nList, centric, primitiveOrder, fullOrder; };
  const Case cases[] = {
      {" P 1", 1, 0, 1, 1},          {"-P 1", 1, -1, 2, 2},      {" P 2ac 2ab", 4, 0, 4, 4},
      {"-F 4 2 3", 24, -1, 48, 192}, {" R 3", 3, 0, 3, 9},       {" P 2 2 -1n", 8, 0, 8, 8},
  };
  for (const Case& c : cases) {
    T_SgRecord sg;
    ASSERT_EQ(BuildFromHall(sg, c.hall), 0) << c.hall << ": " << SgError;
    EXPECT_EQ(sg.nList, c.nList) << c.hall;
    EXPECT_EQ(sg.centric, c.centric) << c.hall;
    EXPECT_EQ(sg.primitiveOrder, c.primitiveOrder) << c.hall;
    EXPECT_EQ(sg.fullOrder, c.fullOrder) << c.hall;
    EXPECT_EQ(sg.inversionOffOrigin, std::strcmp(c.hall, " P 2 2 -1n") == 0) << c.hall;
    EXPECT_EQ(ToOp(sg.ListSeitzMx[0]), (Op{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0})) << c.hall;
  }
}

TEST(SortSgRecordList, PrincipalAxesInOrderAndPowersFollowTheirRotation) {
  T_SgRecord sg;
  ASSERT_EQ(BuildFromHall(sg, " P 2ac 2ab"), 0);
  const char axes[] = {'o', 'z', 'x', 'y'};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sg.ListRotMxInfo[i].refAxis, axes[i]);

  // A 6-fold is followed by its powers in turn.
  ASSERT_EQ(BuildFromHall(sg, " P 61"), 0);
  T_RTMx power = sg.ListSeitzMx[1];
  for (int p = 2; p < 6; ++p) {
    SeitzMxMultiply(&power, &sg.ListSeitzMx[1], &power);
    EXPECT_EQ(ToOp(sg.ListSeitzMx[p]), ToOp(power)) << p;
  }
  // In every setting, a proper rotation of order above 2 comes before its powers (those of a
  // rotoinversion may be powers of a proper rotation placed before it).
  for (int row = 0; row < nTabSgName; ++row) {
    sg = BuildRow(row);
    for (int i = 0; i < sg.nList; ++i) {
      const int n = sg.ListRotMxInfo[i].order;
      if (n <= 2 || sg.ListRotMxInfo[i].inverse) continue;
      power = sg.ListSeitzMx[i];
      for (int p = 2; p < n; ++p) {
        SeitzMxMultiply(&power, &sg.ListSeitzMx[i], &power);
        for (int j = 0; j < i; ++j)
          EXPECT_NE(CompareSeitzMx(sg.latticeInfo, &sg.ListSeitzMx[j], &power), 0) << RowName(TabSgName[row]) << " " << i;
      }
    }
  }
  // Translations take their preferred representative: most zeros, then the smallest sum.
  ASSERT_EQ(BuildFromHall(sg, " I 2b 2c 3"), 0);
  for (int i = 0; i < sg.nList; ++i) {
    const int* T = sg.ListSeitzMx[i].T;
    const int zeros = (T[0] == 0) + (T[1] == 0) + (T[2] == 0);
    EXPECT_GE(zeros, 1) << i;
  }
}

TEST(Add2ListSeitzMx, GeneratorOptions) {
  // Implicit centring and inversion: only the proper operations of one primitive cell are listed.
  T_SgRecord sg = ImplicitCentricRecord();
  ASSERT_EQ(AddLatticeTr2ListSeitzMx(&sg, &LI_I), 0);
  ASSERT_EQ(Add2ListSeitzMx(&sg, &FourZ), 0);
  EXPECT_EQ(sg.centric, -1);
  EXPECT_EQ(sg.latticeInfo->code, 'I');
  EXPECT_EQ(sg.latticeTrStatus, 0);
  EXPECT_EQ(sg.nList, 4);
  // A negative option adds one matrix without closing the group.
  sg = EmptyRecord();
  sg.generatorOption = -1;
  ASSERT_EQ(Add2ListSeitzMx(&sg, &FourZ), 0);
  EXPECT_EQ(sg.nList, 2);
}

TEST(Add2ListSeitzMx, Failures) {
  T_SgRecord sg = EmptyRecord();
  SgError = nullptr;
  const T_RTMx shear = MakeRTMx({1, 1, 0, 0, 1, 0, 0, 0, 1});
  EXPECT_EQ(Add2ListSeitzMx(&sg, &shear), -1);
  EXPECT_STREQ(SgError, "Error: Generators produce non-crystallographic operation");

  sg = EmptyRecord();
  SgError = nullptr;
  sg.maxList = 2;
  EXPECT_EQ(Add2ListSeitzMx(&sg, &FourZ), -1);
  EXPECT_STREQ(SgError, "Internal Error: Allocated space for ListSeitzMx too small");

  sg = EmptyRecord();
  SgError = nullptr;
  const T_RTMx quarter = MakeRTMx({1, 0, 0, 0, 1, 0, 0, 0, 1}, {3, 0, 0});
  EXPECT_EQ(Add2ListSeitzMx(&sg, &quarter), -1);
  EXPECT_STREQ(SgError, "Error: Illegal lattice translation");
  SgError = nullptr;
}

TEST(ApplyOriginShift, MovesTranslationsAndTheImplicitInversion) {
  T_SgRecord sg = ImplicitCentricRecord();
  ASSERT_EQ(Add2ListSeitzMx(&sg, &TwoZ), 0);
  EXPECT_EQ(ApplyOriginShift(&sg), 0);
  sg.originShift[0] = 1;
  EXPECT_EQ(ApplyOriginShift(&sg), 1);
  EXPECT_EQ(ToOp(sg.ListSeitzMx[1]), (Op{-1, 0, 0, 0, -1, 0, 0, 0, 1, 2, 0, 0}));
  EXPECT_EQ(ToOp(sg.ListSeitzMx[2]), (Op{-1, 0, 0, 0, -1, 0, 0, 0, -1, 2, 0, 0}));
  EXPECT_EQ(sg.centric, 0);
  EXPECT_EQ(sg.inversionOffOrigin, 1);
}

TEST(FindSeitzMx, OrderSignAxisAndDirection) {
  T_SgRecord sg;
  ASSERT_EQ(BuildFromHall(sg, " P -4 2 3"), 0);
  const int minus4 = FindSeitzMx(&sg, 4, 0, 'z', '=');
  ASSERT_GE(minus4, 0);
  EXPECT_EQ(sg.ListRotMxInfo[minus4].order, -4);
  EXPECT_EQ(FindSeitzMx(&sg, 4, 1, 'z', '='), -1);
  const int threefold = FindSeitzMx(&sg, 3, 1, 0, '*');
  ASSERT_GE(threefold, 0);
  EXPECT_EQ(sg.ListRotMxInfo[threefold].axis[0] + sg.ListRotMxInfo[threefold].axis[1], 2);
  EXPECT_EQ(FindSeitzMx(&sg, 6, 0, 0, 0), -1);
}

TEST(CompleteSgRecord, Failures) {
  // A table row whose Hall symbol is not the group's.
  T_SgRecord sg = EmptyRecord();
  SgError = nullptr;
  sg.tabSgName = &TabSgName[0];
  ParseHallSymbol(" P 2", &sg);
  EXPECT_EQ(CompleteSgRecord(&sg), -1);
  EXPECT_STREQ(SgError, "Internal Error: Input/Output HallSymbol mismatch:  P 1 <>  P 2");
  // Two 4-folds that were never closed into a group.
  sg = EmptyRecord();
  SgError = nullptr;
  sg.generatorOption = -1;
  Add2ListSeitzMx(&sg, &FourZ);
  Add2ListSeitzMx(&sg, &FourX);
  sg.generatorOption = 0;
  EXPECT_EQ(CompleteSgRecord(&sg), -1);
  EXPECT_STREQ(SgError, "Error: Can't determine crystal system");
  SgError = nullptr;
}
