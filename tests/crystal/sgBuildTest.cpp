// Tests of BuildSgRecord: every setting against the reference operations, the name prefixes,
// real cell records, and the faults the builder must not have (writing into the caller's text,
// errors that stick, records that cannot be copied).
#include "crystal/sgBuild.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "crystal/sgError.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

TEST(BuildSgRecord, EverySettingHasTheReferenceOperations) {
  const auto& ref = RefSettings();
  ASSERT_EQ(ref.size(), static_cast<std::size_t>(nTabSgName));
  for (int i = 0; i < nTabSgName; ++i) {
    const T_SgRecord sg = BuildRow(i);
    const std::set<Op> expected(ref[i].ops.begin(), ref[i].ops.end());
    EXPECT_EQ(ExpandedOps(sg), expected) << RowName(TabSgName[i]);
    EXPECT_EQ(std::tuple(sg.fullOrder, sg.latticeInfo->code, sg.tabSgName),
              std::tuple(static_cast<int>(expected.size()), ref[i].centring[0], &TabSgName[i]))
        << RowName(TabSgName[i]);
  }
}

TEST(BuildSgRecord, NamePrefixes) {
  struct Case { const char* name; int number; const char* hall; };
  const Case cases[] = {
      {"  19", 19, " P 2ac 2ab"},        {"VolA R 3", 146, " R 3"},   {"vola  P 1", 1, " P 1"},
      {"VolI R 3", 146, " P 3*"},        {"Vol1 R 3", 146, " P 3*"},  {"VolI 3", 3, " P 2"},
      {"Hall P 2yb", 4, " P 2yb"},       {"hall-P 2ac", 14, "-P 2ac"},
      {"Hall P", 1, " P 1"},  // the centring letter alone: no matrix, still the identity
      {"P 21 21 21 extra", 19, " P 2ac 2ab"},  // only the first 10 characters count
  };
  for (const Case& c : cases) {
    T_SgRecord sg;
    ASSERT_EQ(BuildSgRecord(&sg, c.name), 0) << c.name << ": " << (SgError ? SgError : "");
    ASSERT_NE(sg.tabSgName, nullptr) << c.name;
    EXPECT_EQ(std::tuple(std::string(sg.HallSymbol), sg.tabSgName->sgNumber), std::tuple(c.hall, c.number)) << c.name;
  }
  T_SgRecord sg;
  EXPECT_EQ(BuildSgRecord(&sg, "Hall"), -1);
  EXPECT_STREQ(SgError, "Error: Lattice type not specified");
  EXPECT_EQ(BuildSgRecord(&sg, "Q 9"), -1);  // unknown name: no message
  EXPECT_EQ(SgError, nullptr);
  EXPECT_EQ(BuildSgRecord(&sg, "VolX 19"), -1);
}

TEST(BuildSgRecord, LeavesTheCallersTextAlone) {
  // An 11-character cell-record field with no terminating NUL, followed by other data.
  struct { char field[11]; char next[4]; } record;
  std::memcpy(record.field, "P 21 21 21X", 11);
  std::memcpy(record.next, "ZZZ", 4);
  T_SgRecord sg;
  ASSERT_EQ(BuildSgRecord(&sg, record.field), 0);
  EXPECT_EQ(std::memcmp(record.field, "P 21 21 21X", 11), 0);
  EXPECT_STREQ(sg.HallSymbol, " P 2ac 2ab");
  ASSERT_EQ(BuildSgRecord(&sg, "P 1"), 0);  // a literal
  EXPECT_STREQ(sg.HallSymbol, " P 1");
}

TEST(BuildSgRecord, AFailedBuildDoesNotFailTheNext) {
  T_SgRecord sg;
  EXPECT_EQ(BuildSgRecord(&sg, "Hall P 5"), -1);
  EXPECT_STREQ(SgError, "Error: Illegal 5-fold rotation");
  EXPECT_EQ(BuildSgRecord(&sg, "P 41"), 0);
  EXPECT_EQ(SgError, nullptr);
  EXPECT_STREQ(sg.HallSymbol, " P 4w");
}

TEST(BuildSgRecord, RecordsCanBeCopiedAndRebuilt) {
  T_SgRecord a;
  ASSERT_EQ(BuildSgRecord(&a, "F m -3 m"), 0);
  T_SgRecord b = a;  // owns its own lists
  ASSERT_EQ(BuildSgRecord(&a, "P 1"), 0);
  EXPECT_EQ(a.nList, 1);
  EXPECT_EQ(b.nList, 24);
  EXPECT_EQ(ExpandedOps(b).size(), 192u);
  for (int round = 0; round < 3; ++round) ASSERT_EQ(BuildSgRecord(&b, "P 31 1 2"), 0);
  EXPECT_EQ(b.nList, 6);
}

TEST(BuildSgRecord, RealCellRecords) {
  int read = 0;
  for (const auto& f : ReadTsv("cryst1_samples.tsv")) {
    const std::string& record = f[1];
    if (record.size() < 56) continue;  // the record stops before the space group
    char field[11];
    std::memset(field, ' ', sizeof field);
    record.copy(field, 11, 55);
    T_SgRecord sg;
    ASSERT_EQ(BuildSgRecord(&sg, field), 0) << f[0] << ": [" << std::string(field, 11) << "]";
    const std::string name = record.substr(55, 11);
    const int expected = name.find("P 21 21 21") == 0 ? 19 : name.find("C 1 2 1") == 0 ? 5
                         : name.find("P 1 21 1") == 0 ? 4 : name.find("F m -3 m") == 0 ? 225 : 1;
    EXPECT_EQ(sg.tabSgName->sgNumber, expected) << f[0];
    ++read;
  }
  EXPECT_GE(read, 12);
}

TEST(InitSgRecord, ResetsDerivedFieldsAndKeepsTheLists) {
  T_SgRecord sg;
  ASSERT_EQ(BuildSgRecord(&sg, "I a -3 d"), 0);
  InitSgRecord(&sg);
  EXPECT_EQ(std::tuple(sg.nList, sg.latticeInfo->code, sg.nSiVector, sg.HallSymbol[0]), std::tuple(0, 'P', -1, '\0'));
  EXPECT_EQ(std::tuple(sg.maxList, sg.ListSeitzMx.size()), std::tuple(SgMaxList, static_cast<std::size_t>(SgMaxList)));
}
