// Tests of the space-group name lookup, setting extensions and setting identifiers.
#include "crystal/sgNames.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <tuple>

#include "crystal/sgError.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

namespace {
std::string Resolve(const std::string& name, int volume = 'A') {
  const T_TabSgName* row = FindTabSgNameEntry(name.c_str(), volume);
  return row ? RowName(*row) : "none";
}

// The labels of a row, '_' kept.
std::vector<std::string> Labels(const T_TabSgName& row) {
  std::vector<std::string> out;
  std::string all = row.sgLabels;
  for (std::size_t start = 0;;) {
    const std::size_t sep = all.find(" = ", start);
    out.push_back(all.substr(start, sep - start));
    if (sep == std::string::npos) return out;
    start = sep + 3;
  }
}
}  // namespace

TEST(FindTabSgNameEntry, EveryRowByNumberLabelAndSchoenfliesSymbol) {
  for (int i = 0; i < nTabSgName; ++i) {
    const T_TabSgName& row = TabSgName[i];
    const std::string ext = row.extension[0] ? std::string(":") + row.extension : "";
    const std::string name = RowName(row);
    EXPECT_EQ(Resolve(name), name);
    EXPECT_EQ(Resolve(std::string(SchoenfliesSymbols[row.sgNumber]) + ext), name);
    for (const std::string& label : Labels(row)) EXPECT_EQ(Resolve(label + ext), name) << row.sgLabels;
  }
}

TEST(FindTabSgNameEntry, NameForms) {
  struct Case { const char* name; int volume; const char* row; };
  const Case cases[] = {
      {"P 21 21 21", 'A', "19"}, {"p212121", 'A', "19"}, {"19", 'A', "19"}, {"D2^4", 'A', "19"},
      {"d2-4", 0, "19"}, {"P 1 21/c 1", 'A', "14:b1"}, {"P 21/c", ' ', "14:b1"}, {"P 21/c", 'I', "14:c1"},
      {"P n n n :2", 'A', "48:2"}, {"P n n n Z", 'A', "48:2"}, {"P n n n", 'A', "48:1"},
      {"P n n n S", 'A', "48:1"}, {"P n n n:1", 'A', "48:1"}, {"R 3", 'A', "146:H"}, {"R 3", 'I', "146:R"},
      {"R 3", '1', "146:R"}, {"R3R", 'A', "146:R"}, {"146", 'a', "146:H"}, {"H 3", 'A', "146:H"},
      {"F m 3 m", 'A', "225"}, {"Ia3d", 'A', "230"}, {"P -3", 'A', "147"}, {"P 3-", 'A', "147"},
      {"P 3B", 'A', "147"}, {"Pb1", 'A', "2"}, {"C2h^5:c3", 'A', "14:c3"}, {"15:-b2", 'A', "15:-b2"},
      {"68:1ba-c", 'A', "68:1ba-c"}, {"C c c b", 'A', "68:1ba-c"}, {"C c c b:2", 'A', "68:2ba-c"},
      {"P 2 21 21", 'A', "18:cab"}, {"P 21 2 21", 'A', "18:bca"}, {"18:cab", 'A', "18:cab"},
      {"I 41/a", 'A', "88:1"}, {"I 41/a :2", 'A', "88:2"}, {"3", 'A', "3:b"}, {"3", 'I', "3:c"},
      // Full monoclinic symbols name their own setting; short ones are expanded for an axis.
      {"P 1 21/n 1", 'A', "14:b2"}, {"P 21/n", 'A', "14:b2"}, {"P 1 1 21/b", 'A', "14:c3"},
      {"P 21/b", 'A', "14:c3"}, {"I 1 2 1", 'A', "5:b3"}, {"P 1 1 21", 'A', "4:c"}, {"P 21/a :c", 'A', "14:c1"},
      // Unknown or malformed names.
      {"", 'A', "none"}, {":b", 'A', "none"}, {"0", 'A', "none"}, {"231", 'A', "none"}, {"P 5", 'A', "none"},
      {"Q 1", 'A', "none"}, {"19", 'X', "none"}, {"P2121212121212121212121", 'A', "none"},
      {"P 1 :abcdef", 'A', "none"}, {"P n n n Z:1", 'A', "none"}, {"P 1 :H", 'A', "none"},
      {"P 1 21/c 1 :b2", 'A', "none"}, {"12a", 'A', "none"}, {"P 21 21 21:2", 'A', "none"},
  };
  for (const Case& c : cases) EXPECT_EQ(Resolve(c.name, c.volume), c.row) << '"' << c.name << '"';
  EXPECT_EQ(SgError, nullptr);  // an unresolved name sets no message
}

TEST(FindTabSgNameEntry, AgreesWithThePeerLibraryOnRealNames) {
  // Where the peer's answer is one of its own quirks (see tests/data/crystal/README.md), or a
  // setting outside the 530, the expected answer is this library's.
  const std::set<std::string> differences = {"0", "F m 3 m", "P 21 21 2 A", "I 1 21 1", "C 1 21 1"};
  std::size_t compared = 0;
  for (const auto& f : ReadTsv("names.tsv")) {
    if (differences.count(f[0])) continue;
    EXPECT_EQ(Resolve(f[0]), f[2] == "none" ? "none" : f[1] + (f[2].empty() ? "" : ":" + f[2])) << '"' << f[0] << '"';
    ++compared;
  }
  EXPECT_EQ(compared + differences.size(), ReadTsv("names.tsv").size());  // every difference is in the file
}

TEST(ParseSgNameExtension, ShapesAndCanonicalCodes) {
  struct Case { const char* text; int rc; int origin, cell, basis; const char* axis; };
  const Case cases[] = {
      {"", 0, ' ', ' ', ' ', ""},      {"1", 0, '1', '1', ' ', ""},       {"3", 0, ' ', '3', ' ', ""},
      {"Z", 0, '2', ' ', ' ', ""},     {"s", 0, '1', ' ', ' ', ""},       {"h", 0, ' ', ' ', 'H', ""},
      {"b1", 0, '1', '1', ' ', "b"},   {"-C3", 0, ' ', '3', ' ', "-c"},   {"bac", 0, ' ', ' ', ' ', "ba-c"},
      {"cba2", 0, '2', '2', ' ', "-cba"}, {"1cab", 0, '1', '1', ' ', "cab"}, {"2a-cb", 0, '2', '2', ' ', "a-cb"},
      {"b-", 0, ' ', ' ', ' ', "-b"},  {"ab", 0, ' ', ' ', ' ', "-a"},    {"bc", 0, ' ', ' ', ' ', "-c"},
      {"12", -1, 0, 0, 0, ""},         {"b12", -1, 0, 0, 0, ""},          {"1b2", -1, 0, 0, 0, ""},
      {"x", -1, 0, 0, 0, ""},          {"b1x", -1, 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    SgNameExtension ext;
    ASSERT_EQ(ParseSgNameExtension(c.text, &ext), c.rc) << c.text;
    if (c.rc) continue;
    EXPECT_EQ(std::tuple(ext.originChoice, ext.cellChoice, ext.basisChoice, std::string(ext.axisCode)),
                std::tuple(c.origin, c.cell, c.basis, c.axis))
          << c.text;
  }
}

TEST(ExpandMonoclinicSgLabel, PutsThePartOnTheUniqueAxis) {
  const std::tuple<char, const char*, const char*> cases[] = {{'a', "P21/c", "P21/c11"}, {'C', "C2", "C112"},
                                                               {'x', "Pm", "P1m1"}};
  for (const auto& [axis, label, expanded] : cases) {
    char out[32];
    ExpandMonoclinicSgLabel(axis, label, out);
    EXPECT_STREQ(out, expanded);
  }
}

TEST(SgID_Number, DistinctForEveryRow) {
  std::set<int> ids;
  for (int i = 0; i < nTabSgName; ++i) {
    EXPECT_GT(SgID_Number(&TabSgName[i]), 0) << RowName(TabSgName[i]);
    ids.insert(SgID_Number(&TabSgName[i]));
  }
  EXPECT_EQ(ids.size(), static_cast<std::size_t>(nTabSgName));
  // Axis, cell choice and origin choice each have their own digits.
  const std::pair<T_TabSgName, int> rows[] = {
      {TabSgName[RowIndex("14:b1")], 14},           {TabSgName[RowIndex("14:c3")], 23014},
      {{"-P 2ybc", 14, "-b2", ""}, 15014},          {{"-P 2ab 2bc", 48, "2", ""}, 20048},
      {{" P 2 2ab", 18, "cab", ""}, 18 + 11000 + 2000}, {{" C 2 2 -1bc", 68, "2ba-c", ""}, 68 + 11000 + 1000 + 10000},
  };
  for (const auto& [row, id] : rows) EXPECT_EQ(SgID_Number(&row), id) << RowName(row);
  EXPECT_EQ(SgError, nullptr);
  const T_TabSgName corrupt = {" P 1", 1, "q", "P_1"};
  EXPECT_SG_ERROR(SgID_Number(&corrupt), 0, "Internal Error: Corrupt TabSgName");
}
