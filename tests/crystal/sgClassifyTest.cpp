// Tests of the classification of completed groups: crystal systems, point groups, extra
// information, the rebuilt Hall symbol and the centring matrix.
#include "crystal/sgClassify.h"

#include <gtest/gtest.h>

#include <tuple>

#include "crystal/sgError.h"
#include "crystal/sgTables.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

TEST(Classification, EverySettingAgreesWithTheReference) {
  const auto& ref = RefSettings();
  for (int i = 0; i < nTabSgName; ++i) {
    const T_SgRecord sg = BuildRow(i);
    std::string xs = XS_Name[sg.crystalSystem];
    xs[0] = static_cast<char>(std::tolower(xs[0]));
    // The table's Hall symbol is the reference spelling, and the rebuilt symbol is the table's.
    const std::string hall = TabSgName[i].HallSymbol;
    const std::string pointGroup = PG_Names[PG_Index(sg.pointGroup)];
    EXPECT_EQ(std::tuple(hall.substr(hall[0] == ' '), std::string(sg.HallSymbol), xs, pointGroup),
              std::tuple(ref[i].hall, hall, ref[i].crystalSystem, ref[i].pointGroup))
        << RowName(TabSgName[i]);
  }
}

TEST(Classification, ExtraInformationUniqueAxisAndCentringMatrix) {
  struct Case { const char* hall; int extra, refAxis, dirCode; const int* ccMx; };
  const Case cases[] = {
      {" R 3", EI_Obverse, 'z', '=', CCMx_RP_z},   {" T 3", EI_Reverse, 'z', '=', CCMx_TP_z},
      {" P 4w", EI_Enantiomorphic, 'z', '=', CCMx_PP}, {" P 4c", 0, 'z', '=', CCMx_PP},
      {" P 2ac 2ab", 0, 0, 0, CCMx_PP},            {" P 3*", 0, 'o', '*', CCMx_PP},
      {"-F 4 2 3", 0, 0, 0, CCMx_FP},              {" C 2y", 0, 'y', '=', CCMx_CP},
      {" I 4bw 2bw", 0, 'z', '=', CCMx_IP},        {" P 61 2 (0 0 -1)", EI_Enantiomorphic, 'z', '=', CCMx_PP},
  };
  for (const Case& c : cases) {
    const T_SgRecord sg = FromHall(c.hall);
    EXPECT_EQ(std::tuple(sg.extraInfo, sg.uniqueRefAxis, sg.uniqueDirCode, sg.ccMx),
              std::tuple(c.extra, c.refAxis, c.dirCode, c.ccMx))
        << c.hall;
  }
}

TEST(BuildHSym, RebuildsOriginShiftsAndFindsTableRows) {
  struct Case { const char* hall; const char* rebuilt; int sz; bool inTable; };
  const Case cases[] = {
      {" P 31 2c (0 0 1)", " P 31 2c (0 0 1)", 1, true},
      {"-P 1 (1 0 0)", "-P 1 (1 0 0)", 0, false},
      {" P 2 (0 0 1)", " P 2", 0, true},  // a shift along the 2-fold changes nothing
      {"P 61 2 (0 0 5)", " P 61 2 (0 0 -1)", -1, true},
      {"-I 4bd 2c 3", "-I 4bd 2c 3", 0, true},
  };
  for (const Case& c : cases) {
    const T_SgRecord sg = FromHall(c.hall);
    EXPECT_EQ(std::tuple(std::string(sg.HallSymbol), sg.originShift[2], sg.tabSgName != nullptr),
              std::tuple(c.rebuilt, c.sz, c.inTable))
        << c.hall;
  }
  T_SgRecord sg = EmptyRecord();
  EXPECT_SG_ERROR(BuildHSym(&sg), -1, "Internal Error: BuildHSym(): Empty generator list");
}
