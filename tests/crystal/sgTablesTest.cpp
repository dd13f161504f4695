// Tests of the constant tables: point-group codes, Laue groups, reference rotations, centrings.
#include "crystal/sgTables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "crystal/seitzMx.h"

TEST(SgTables, PointGroupCodes) {
  struct Case { int code; const char* name; const char* laue; };
  const Case cases[] = {{409, "1", "-1"},          {817, "-1", "-1"},        {1226, "2", "2/m"},
                        {1634, "m", "2/m"},        {2042, "2/m", "2/m"},     {2451, "222", "mmm"},
                        {2859, "mm2", "mmm"},      {3267, "mmm", "mmm"},     {6113, "-4m2", "4/mmm"},
                        {14602, "23", "m-3"},      {15010, "m-3", "m-3"},    {15419, "432", "m-3m"},
                        {15827, "-43m", "m-3m"},   {16235, "m-3m", "m-3m"},  {PG_312, "312", "-31m"},
                        {PG_3m1, "3m1", "-3m1"},   {PG_6b2m, "-62m", "6/mmm"}};
  for (const Case& c : cases) {
    EXPECT_STREQ(PG_Names[PG_Index(c.code)], c.name);
    EXPECT_STREQ(PG_Names[PG_Index(LG_Code_of_PG_Index[PG_Index(c.code)])], c.laue) << c.name;
  }
  EXPECT_EQ(VolAPointGroups[19], PG_222);
  EXPECT_EQ(VolAPointGroups[187], PG_6bm2);
  EXPECT_EQ(VolAPointGroups[230], PG_m3bm);
}

TEST(SgTables, ReferenceRotationsMatchTheirOrderAndAxis) {
  for (const T_TabXtalRotMx* row = TabXtalRotMx; row->Order; ++row) {
    EXPECT_EQ(GetRotMxOrder(row->RMx), row->Order);
    int image[3];
    RotMx_t_Vector(image, row->RMx, row->EigenVector, 0);
    EXPECT_EQ(std::memcmp(image, row->EigenVector, sizeof image), 0) << row->Order << char(row->DirCode);
  }
  // The orientation matrices (RMx_3_111, RMx_4_001 and inverses) are checked through
  // GetRotMxInfo on every reference rotation (seitzMxTest).
  for (const T_LatticeInfo* L : {&LI_P, &LI_A, &LI_B, &LI_C, &LI_I, &LI_R, &LI_S, &LI_T, &LI_F}) {
    for (int k = 0; k < 3; ++k) EXPECT_EQ(L->trVector[k], 0);  // the null vector first
    EXPECT_EQ(L->nTrVector, std::strchr("RST", L->code) ? 3 : L->code == 'F' ? 4 : L->code == 'P' ? 1 : 2);
  }
}
