// Tests of cPeriodicTable: the element table's keys, rows and corrected weights.
#include "structure/cPeriodicTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

TEST(cPeriodicTable, HoldsExactlyTheElementsHToRg) {
  const cPeriodicTable elements;
  EXPECT_EQ(elements.table.size(), kElementCount);
  std::set<std::string> symbols;
  for (std::size_t i = 0; i < kElementCount; ++i) {
    const sElementRow& row = kElementRows[i];
    const std::string symbol = row.symbol;
    ASSERT_TRUE(symbol.size() == 1 || symbol.size() == 2) << symbol;
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(symbol[0]))) << symbol;
    if (symbol.size() == 2) {
      EXPECT_TRUE(std::islower(static_cast<unsigned char>(symbol[1]))) << symbol;
    }
    EXPECT_TRUE(symbols.insert(symbol).second) << "duplicate " << symbol;
    const elementInformation* info = elements.find(cPeriodicTable::packElementSymbol(symbol));
    ASSERT_NE(info, nullptr) << symbol;
    EXPECT_EQ(info->radius, row.info.radius) << symbol;
    EXPECT_EQ(info->mass, row.info.mass) << symbol;
    EXPECT_GT(info->radius, 1.0f) << symbol;
    EXPECT_GT(info->mass, i == 0 ? 1.0f : kElementRows[i - 1].info.mass - 2.5f) << symbol;  // catches a lost digit
  }
  EXPECT_EQ(std::string(kElementRows[0].symbol), "H");
  EXPECT_EQ(std::string(kElementRows[kElementCount - 1].symbol), "Rg");
}

TEST(cPeriodicTable, PacksSymbolsCaseExactly) {
  EXPECT_EQ(cPeriodicTable::packElementSymbol("C"), 17152);
  EXPECT_EQ(cPeriodicTable::packElementSymbol("Cl"), 17260);
  EXPECT_EQ(cPeriodicTable::packElementSymbol(""), 0);
  const cPeriodicTable elements;
  EXPECT_EQ(elements.find(cPeriodicTable::packElementSymbol("CL")), nullptr);  // the reader normalises case
  EXPECT_EQ(elements.find(cPeriodicTable::packElementSymbol("Xx")), nullptr);
  EXPECT_EQ(elements.find(0), nullptr);
}

TEST(cPeriodicTable, CarbonAndCalciumDiffer) {
  const cPeriodicTable elements;
  const elementInformation* carbon = elements.find(cPeriodicTable::packElementSymbol("C"));
  const elementInformation* calcium = elements.find(cPeriodicTable::packElementSymbol("Ca"));
  ASSERT_TRUE(carbon && calcium);
  EXPECT_FLOAT_EQ(carbon->radius, 1.7f);
  EXPECT_FLOAT_EQ(carbon->mass, 12.0107f);
  EXPECT_FLOAT_EQ(calcium->radius, 1.2f);
  EXPECT_FLOAT_EQ(calcium->mass, 40.078f);
}

// Standard atomic weights of the elements whose masses were once left as placeholders.
TEST(cPeriodicTable, StandardAtomicWeights) {
  const cPeriodicTable elements;
  const struct {
    const char* symbol;
    float mass;
  } expected[] = {{"Fe", 55.845f}, {"Tl", 204.38f}, {"Pb", 207.2f}, {"Er", 167.259f}, {"Hf", 178.49f},
                  {"H", 1.00794f}, {"O", 15.9994f}, {"S", 32.065f}, {"Zn", 65.409f}, {"U", 238.0289f}};
  for (const auto& e : expected) {
    const elementInformation* info = elements.find(cPeriodicTable::packElementSymbol(e.symbol));
    ASSERT_NE(info, nullptr) << e.symbol;
    EXPECT_FLOAT_EQ(info->mass, e.mass) << e.symbol;
  }
}

TEST(cPeriodicTable, FirstInsertionWins) {
  cPeriodicTable elements;
  elements.table[cPeriodicTable::packElementSymbol("C")] = elementInformation{9.0f, 9.0f};
  elements.initializePeriodicTableMap();  // refilling keeps the value already there
  EXPECT_FLOAT_EQ(elements.find(cPeriodicTable::packElementSymbol("C"))->radius, 9.0f);
  EXPECT_EQ(elements.table.size(), kElementCount);
}
