// Tests of the Hall-symbol parser: generators, defaults, origin shifts and every error.
#include "crystal/hallSymbol.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "crystal/sgError.h"
#include "tests/crystal/crystalReference.h"

TEST(ParseHallSymbol, Errors) {
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {"Error: Lattice type not specified", {"", " - "}},
      {"Error: Illegal lattice code", {"Q 1", "--P 1"}},
      {"Error: Illegal 5-fold rotation", {"P 5"}},
      {"Error: Illegal character in Hall symbol", {"P 2k", "P 2-", "P 2yy", "P 2 (0 0 1) x"}},
      {"Error: Illegal generator or need explicit axis symbol", {"P x", "P 2 2 2", "P 4 3'"}},
      {"Error: Screw for non-principal direction", {"P 3 21\""}},
      {"Error: Illegal lattice translation", {"P 1c"}},
      {"Error: Generators produce non-crystallographic operation", {"P 4 3x"}},
      {"Error: Missing origin shift values", {"P 2 (0 0)"}},
      {"Error: Too much origin shift values", {"P 2 (0 0 0 0)"}},
      {"Error: Illegal origin shift value", {"P 2 (0 0 7)", "P 2 (0 --1 0)", "P 2 (0 10 0)"}},
  };
  for (const auto& [error, symbols] : cases)
    for (const char* hall : symbols) {
      T_SgRecord sg = EmptyRecord();
      SgError = nullptr;
      ParseHallSymbol(hall, &sg);
      EXPECT_STREQ(SgError, error) << '"' << hall << '"';
    }
  SgError = nullptr;
}

TEST(ParseHallSymbol, SpellingsOfOneGroup) {
  // The generators of table symbols are checked by the sweeps over every setting (sgBuildTest).
  // Spellings of the same group: 'q' and '+' for the quotes, '_' and '.' as blanks, lower case.
  const std::set<std::string> spellings[] = {{"P 3 2\"", "p 3 2+", "P_3.2\""}, {"P 3 2", "P 3 2'", "P 3 2q"}};
  for (const auto& group : spellings) {
    std::set<std::set<Op>> results;
    for (const std::string& hall : group) results.insert(ExpandedOps(FromHall(hall.c_str())));
    EXPECT_EQ(results.size(), 1u);
  }
}

TEST(ParseHallSymbol, SymbolsOutsideTheTableAgreeWithThePeerLibrary) {
  for (const auto& f : ReadTsv("hall_extra.tsv")) {
    T_SgRecord sg;
    const int rc = BuildFromHall(sg, f[0].c_str());
    if (f[1] == "error" || f[0] == "P 2 (0 0)") {  // two origin-shift values: rejected here
      EXPECT_EQ(rc, -1) << '"' << f[0] << '"';
      continue;
    }
    ASSERT_EQ(rc, 0) << '"' << f[0] << "\": " << SgError;
    const std::vector<Op> ref = DecodeOps(f[1]);
    EXPECT_EQ(ExpandedOps(sg), std::set<Op>(ref.begin(), ref.end())) << f[0];
  }
  SgError = nullptr;
}
