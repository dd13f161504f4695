// Tests of the settings table and the Schoenflies symbols. The rows themselves are checked
// against the reference data by the sweeps of the build, name and classification tests.
#include "crystal/tabSgName.h"

#include <gtest/gtest.h>

#include <utility>

TEST(TabSgName, OrderSentinelAndSchoenfliesSymbols) {
  EXPECT_EQ(TabSgName[nTabSgName].HallSymbol, nullptr);
  for (int i = 1; i < nTabSgName; ++i) EXPECT_LE(TabSgName[i - 1].sgNumber, TabSgName[i].sgNumber);
  EXPECT_EQ(SchoenfliesSymbols[0], nullptr);
  const std::pair<int, const char*> symbols[] = {
      {1, "C1^1"}, {19, "D2^4"}, {62, "D2h^16"}, {187, "D3h^1"}, {230, "Oh^10"}};
  for (const auto& [number, symbol] : symbols) EXPECT_STREQ(SchoenfliesSymbols[number], symbol);
}
