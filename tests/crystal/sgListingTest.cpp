// Tests of the printed forms: computer-algebra matrices, group listings and table rows.
#include "crystal/sgListing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "crystal/seminvariants.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

namespace {
// What a printing call writes, and its result.
template <class Print>
std::string Printed(Print print, int* result = nullptr) {
  char* text = nullptr;
  std::size_t size = 0;
  FILE* fp = open_memstream(&text, &size);
  const int r = print(fp);
  std::fclose(fp);
  if (result) *result = r;
  std::string out(text, size);
  std::free(text);
  return out;
}
}  // namespace

TEST(PrintCasRTMx, FourByFourMatrix) {
  const T_RTMx m = {{0, -1, 0, 1, -1, 0, 0, 0, 1}, {0, 6, 8}};
  EXPECT_EQ(Printed([&](FILE* fp) { PrintCasRTMx(&m, 1, 12, "m3", fp); return 0; }),
            "m3 := matrix(4,4, [ 0,-1,0,0, 1,-1,0,1/2, 0,0,1,2/3, 0,0,0,1]);\n");
}

TEST(ListSgRecord, SummaryAndOperations) {
  T_SgRecord sg = BuildRow(RowIndex("152"));  // P 31 2 1
  ASSERT_EQ(Set_si(&sg), 0);
  int rc = -1;
  const std::string text = Printed([&](FILE* fp) { return ListSgRecord(&sg, 1, 1, fp); }, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(text.substr(0, text.find("(1)")),
            "Point Group  321\nLaue  Group  -3m1\nTrigonal\nUnique Axis  z\nEnantiomorphic\n\n"
            "Order     6\nOrder P   6\ns.i.Vector  Modulus\n  0  0  1   2\n#List     6\n\n");
  EXPECT_NE(text.find("(2)    3    [ 0  0  1] 'z' '=' -y,x-y,z+1/3\n"), std::string::npos) << text;
  EXPECT_NE(text.find("(6)    2    [ 1  1  0] 'z' '\"' y,x,-z\n"), std::string::npos) << text;
  const std::string matrices = Printed([&](FILE* fp) { return ListSgRecord(&sg, 0, 1, fp); });
  EXPECT_NE(matrices.find("(3)    3^-1 [ 0  0  1] 'z' '=' -1  1  0      0 -1  0  0      0  0  0  1    2/3\n"),
            std::string::npos) << matrices;

  sg = BuildRow(RowIndex("48:1"));
  const std::string offOrigin = Printed([&](FILE* fp) { return ListSgRecord(&sg, 1, 0, fp); });
  EXPECT_NE(offOrigin.find("Point Group  mmm\n"), std::string::npos);
  EXPECT_NE(offOrigin.find("Note: Inversion operation off origin\n"), std::string::npos);
  EXPECT_EQ(offOrigin.find("s.i."), std::string::npos);
  EXPECT_EQ(offOrigin.find("(1)"), std::string::npos);
}

TEST(PrintTabSgNameEntry, ColumnsAndFullSymbols) {
  struct Case { const char* row; int Style, space; const char* entry; const char* full; };
  const Case cases[] = {
      {"1", 1, ' ', "  1       C1^1          P 1                          P 1", "P 1"},
      {"14:c3", 1, ' ', " 14:c3    C2h^5         P 21/c:c3= P 1 1 21/b = P 21/b -P 2bc", "P 1 1 21/b"},
      {"48:1", 0, '_', "48:1 D2h^2 P_n_n_n  P 2 2 -1n", "P_n_n_n:1"},
      {"146:R", 0, 0, "146:R C3^4 R3  P 3*", "R3:R"},
  };
  for (const Case& c : cases) {
    const T_TabSgName& row = TabSgName[RowIndex(c.row)];
    int n = 0;
    EXPECT_EQ(Printed([&](FILE* fp) { return PrintTabSgNameEntry(&row, c.Style, c.space, fp); }, &n), c.entry);
    EXPECT_EQ(n, static_cast<int>(std::string(c.entry).size()));
    EXPECT_EQ(Printed([&](FILE* fp) { return PrintFullHM_SgName(&row, c.space, fp); }, &n), c.full);
    EXPECT_EQ(n, static_cast<int>(std::string(c.full).size()));
  }
}
