// Tests of group completion: closure, centring and inversion handling, origin shifts, the
// order of the list, and the completion of a record.
#include "crystal/sgComplete.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

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
    const T_SgRecord sg = FromHall(c.hall);
    EXPECT_EQ(std::tuple(sg.nList, sg.centric, sg.primitiveOrder, sg.fullOrder, sg.inversionOffOrigin),
              std::tuple(c.nList, c.centric, c.primitiveOrder, c.fullOrder, std::strcmp(c.hall, " P 2 2 -1n") == 0))
        << c.hall;
    EXPECT_EQ(ToOp(sg.ListSeitzMx[0]), (Op{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0})) << c.hall;
  }
}

TEST(SortSgRecordList, PrincipalAxesInOrderAndPowersFollowTheirRotation) {
  T_SgRecord sg = FromHall(" P 2ac 2ab");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sg.ListRotMxInfo[i].refAxis, "ozxy"[i]);

  // A 6-fold is followed by its powers in turn.
  sg = FromHall(" P 61");
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
  sg = FromHall(" I 2b 2c 3");
  for (int i = 0; i < sg.nList; ++i) EXPECT_GE(std::count(sg.ListSeitzMx[i].T, sg.ListSeitzMx[i].T + 3, 0), 1) << i;
}

TEST(Add2ListSeitzMx, GeneratorOptionsAndFailures) {
  // Implicit centring and inversion: only the proper operations of one primitive cell are listed.
  T_SgRecord sg = ImplicitCentricRecord();
  ASSERT_EQ(AddLatticeTr2ListSeitzMx(&sg, &LI_I), 0);
  ASSERT_EQ(Add2ListSeitzMx(&sg, &FourZ), 0);
  EXPECT_EQ(std::tuple(sg.centric, sg.latticeInfo->code, sg.latticeTrStatus, sg.nList), std::tuple(-1, 'I', 0, 4));
  // A negative option adds one matrix without closing the group.
  sg = EmptyRecord();
  sg.generatorOption = -1;
  ASSERT_EQ(Add2ListSeitzMx(&sg, &FourZ), 0);
  EXPECT_EQ(sg.nList, 2);

  const struct { T_RTMx m; int maxList; const char* error; } failures[] = {
      {MakeRTMx({1, 1, 0, 0, 1, 0, 0, 0, 1}), SgMaxList, "Error: Generators produce non-crystallographic operation"},
      {FourZ, 2, "Internal Error: Allocated space for ListSeitzMx too small"},
      {MakeRTMx({1, 0, 0, 0, 1, 0, 0, 0, 1}, {3, 0, 0}), SgMaxList, "Error: Illegal lattice translation"},
  };
  for (const auto& f : failures) {
    sg = EmptyRecord();
    sg.maxList = f.maxList;
    EXPECT_SG_ERROR(Add2ListSeitzMx(&sg, &f.m), -1, f.error);
  }
}

TEST(ApplyOriginShift, MovesTranslationsAndTheImplicitInversion) {
  T_SgRecord sg = ImplicitCentricRecord();
  ASSERT_EQ(Add2ListSeitzMx(&sg, &TwoZ), 0);
  EXPECT_EQ(ApplyOriginShift(&sg), 0);
  sg.originShift[0] = 1;
  EXPECT_EQ(ApplyOriginShift(&sg), 1);
  EXPECT_EQ(ToOp(sg.ListSeitzMx[1]), (Op{-1, 0, 0, 0, -1, 0, 0, 0, 1, 2, 0, 0}));
  EXPECT_EQ(ToOp(sg.ListSeitzMx[2]), (Op{-1, 0, 0, 0, -1, 0, 0, 0, -1, 2, 0, 0}));
  EXPECT_EQ(std::tuple(sg.centric, sg.inversionOffOrigin), std::tuple(0, 1));
}

TEST(FindSeitzMx, OrderSignAxisAndDirection) {
  T_SgRecord sg = FromHall(" P -4 2 3");
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
  sg.tabSgName = &TabSgName[0];
  ParseHallSymbol(" P 2", &sg);
  EXPECT_SG_ERROR(CompleteSgRecord(&sg), -1, "Internal Error: Input/Output HallSymbol mismatch:  P 1 <>  P 2");
  // Two 4-folds that were never closed into a group.
  sg = EmptyRecord();
  sg.generatorOption = -1;
  Add2ListSeitzMx(&sg, &FourZ);
  Add2ListSeitzMx(&sg, &FourX);
  sg.generatorOption = 0;
  EXPECT_SG_ERROR(CompleteSgRecord(&sg), -1, "Error: Can't determine crystal system");
}
