// Tests of the Hall-symbol parser: generators, defaults, origin shifts and every error.
#include "crystal/hallSymbol.h"

#include <gtest/gtest.h>

#include <set>

#include "crystal/sgError.h"
#include "tests/crystal/crystalReference.h"

TEST(ParseHallSymbol, Errors) {
  struct Case { const char* hall; const char* error; };
  const Case cases[] = {
      {"", "Error: Lattice type not specified"},
      {" - ", "Error: Lattice type not specified"},
      {"Q 1", "Error: Illegal lattice code"},
      {"--P 1", "Error: Illegal lattice code"},
      {"P 5", "Error: Illegal 5-fold rotation"},
      {"P 2k", "Error: Illegal character in Hall symbol"},
      {"P 2-", "Error: Illegal character in Hall symbol"},
      {"P 2yy", "Error: Illegal character in Hall symbol"},
      {"P 2 (0 0 1) x", "Error: Illegal character in Hall symbol"},
      {"P x", "Error: Illegal generator or need explicit axis symbol"},
      {"P 2 2 2", "Error: Illegal generator or need explicit axis symbol"},
      {"P 4 3'", "Error: Illegal generator or need explicit axis symbol"},
      {"P 3 21\"", "Error: Screw for non-principal direction"},
      {"P 1c", "Error: Illegal lattice translation"},
      {"P 4 3x", "Error: Generators produce non-crystallographic operation"},
      {"P 2 (0 0)", "Error: Missing origin shift values"},
      {"P 2 (0 0 0 0)", "Error: Too much origin shift values"},
      {"P 2 (0 0 7)", "Error: Illegal origin shift value"},
      {"P 2 (0 --1 0)", "Error: Illegal origin shift value"},
      {"P 2 (0 10 0)", "Error: Illegal origin shift value"},
  };
  for (const Case& c : cases) {
    T_SgRecord sg = EmptyRecord();
    SgError = nullptr;
    ParseHallSymbol(c.hall, &sg);
    EXPECT_STREQ(SgError, c.error) << '"' << c.hall << '"';
  }
  SgError = nullptr;
}

TEST(ParseHallSymbol, GeneratorsAndDefaults) {
  T_SgRecord sg = EmptyRecord();
  SgError = nullptr;
  ParseHallSymbol(" P 2ac 2ab", &sg);
  ASSERT_EQ(SgError, nullptr);
  std::set<Op> ops;
  for (int i = 0; i < sg.nList; ++i) ops.insert(ToOp(sg.ListSeitzMx[i]));
  EXPECT_EQ(ops, (std::set<Op>{{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0},
                               {-1, 0, 0, 0, -1, 0, 0, 0, 1, 6, 0, 6},
                               {1, 0, 0, 0, -1, 0, 0, 0, -1, 6, 6, 0},
                               {-1, 0, 0, 0, 1, 0, 0, 0, -1, 0, 6, 6}}));

  // A 3-fold screw along z, then a 2-fold along a-b with translation c; the shift is kept.
  sg = EmptyRecord();
  ParseHallSymbol(" P 31 2c (0 0 1)", &sg);
  ASSERT_EQ(SgError, nullptr);
  EXPECT_EQ(ToOp(sg.ListSeitzMx[1]), (Op{0, -1, 0, 1, -1, 0, 0, 0, 1, 0, 0, 4}));
  bool twoFold = false;
  for (int i = 0; i < sg.nList; ++i)
    twoFold |= ToOp(sg.ListSeitzMx[i]) == Op{0, -1, 0, -1, 0, 0, 0, 0, -1, 0, 0, 6};
  EXPECT_TRUE(twoFold);
  EXPECT_EQ(sg.originShift[2], 1);

  // Spellings of the same group: 'q' and '+' for the quotes, '_' and '.' as blanks, lower case.
  const std::set<std::string> spellings[] = {{"P 3 2\"", "p 3 2+", "P_3.2\""}, {"P 3 2", "P 3 2'", "P 3 2q"}};
  for (const auto& group : spellings) {
    std::set<std::set<Op>> results;
    for (const std::string& hall : group) {
      ASSERT_EQ(BuildFromHall(sg, hall.c_str()), 0) << hall << ": " << SgError;
      results.insert(ExpandedOps(sg));
    }
    EXPECT_EQ(results.size(), 1u);
  }
}

TEST(ParseHallSymbol, SymbolsOutsideTheTableAgreeWithThePeerLibrary) {
  int agree = 0, n = 0;
  for (const auto& f : ReadTsv("hall_extra.tsv")) {
    T_SgRecord sg;
    const int rc = BuildFromHall(sg, f[0].c_str());
    ++n;
    if (f[1] == "error" || f[0] == "P 2 (0 0)") {  // two origin-shift values: rejected here
      EXPECT_EQ(rc, -1) << '"' << f[0] << '"';
      agree += rc == -1;
      continue;
    }
    ASSERT_EQ(rc, 0) << '"' << f[0] << "\": " << SgError;
    const std::vector<Op> ref = DecodeOps(f[1]);
    EXPECT_EQ(ExpandedOps(sg), std::set<Op>(ref.begin(), ref.end())) << f[0];
    agree += ExpandedOps(sg) == std::set<Op>(ref.begin(), ref.end());
  }
  EXPECT_EQ(agree, n);
  SgError = nullptr;
}
