// Tests of the settings table and the Schoenflies symbols (their agreement with the reference
// data is checked by the name and classification sweeps).
#include "crystal/tabSgName.h"

#include <gtest/gtest.h>

TEST(TabSgName, RowsAndSchoenfliesSymbols) {
  struct Case { int row; const char* hall; int number; const char* extension; const char* labels; };
  const Case cases[] = {
      {0, " P 1", 1, "", "P_1"},
      {1, "-P 1", 2, "", "P_-1"},
      {2, " P 2y", 3, "b", "P_2 = P_1_2_1"},
      {80, "-P 2ybc", 14, "b1", "P_21/c = P_1_21/c_1"},
      {85, "-P 2bc", 14, "c3", "P_21/c = P_1_1_21/b = P_21/b"},
      {227, " P 2 2 -1n", 48, "1", "P_n_n_n"},
      {228, "-P 2ab 2bc", 48, "2", "P_n_n_n"},
      {432, " R 3", 146, "H", "R_3 = H_3"},
      {433, " P 3*", 146, "R", "R_3"},
      {529, "-I 4bd 2c 3", 230, "", "I_a_-3_d"},
  };
  for (const Case& c : cases) {
    const T_TabSgName& row = TabSgName[c.row];
    EXPECT_STREQ(row.HallSymbol, c.hall);
    EXPECT_EQ(row.sgNumber, c.number);
    EXPECT_STREQ(row.extension, c.extension);
    EXPECT_STREQ(row.sgLabels, c.labels);
  }
  EXPECT_EQ(TabSgName[nTabSgName].HallSymbol, nullptr);
  for (int i = 1; i < nTabSgName; ++i) EXPECT_LE(TabSgName[i - 1].sgNumber, TabSgName[i].sgNumber);
  EXPECT_EQ(SchoenfliesSymbols[0], nullptr);
  EXPECT_STREQ(SchoenfliesSymbols[1], "C1^1");
  EXPECT_STREQ(SchoenfliesSymbols[19], "D2^4");
  EXPECT_STREQ(SchoenfliesSymbols[62], "D2h^16");
  EXPECT_STREQ(SchoenfliesSymbols[187], "D3h^1");
  EXPECT_STREQ(SchoenfliesSymbols[230], "Oh^10");
}
