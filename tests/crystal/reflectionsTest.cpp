// Tests of the reflection utilities against a brute force over the reference operations.
#include "crystal/reflections.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "crystal/sgError.h"
#include "crystal/sgTables.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

namespace {
using Hkl = std::array<int, 3>;
Hkl Image(const Hkl& h, const Op& op) {
  return {h[0] * op[0] + h[1] * op[3] + h[2] * op[6], h[0] * op[1] + h[1] * op[4] + h[2] * op[7],
          h[0] * op[2] + h[1] * op[5] + h[2] * op[8]};
}
const char* const Groups[] = {"19", "14:b1", "4:b", "146:H", "167:R", "96", "122", "142:2", "206", "230", "185"};
}  // namespace

TEST(IsSysAbsent_hkl, AbsencesAndMultiplicitiesMatchABruteForce) {
  for (const char* name : Groups) {
    const int row = RowIndex(name);
    const T_SgRecord sg = BuildRow(row);
    const std::vector<Op>& ops = RefSettings()[row].ops;
    for (int h = -6; h <= 6; ++h)
      for (int k = -6; k <= 6; ++k)
        for (int l = -6; l <= 6; ++l) {
          const Hkl hkl = {h, k, l};
          bool absent = false;
          std::set<Hkl> orbit;
          for (const Op& op : ops) {
            const Hkl image = Image(hkl, op);
            orbit.insert(image);
            orbit.insert({-image[0], -image[1], -image[2]});
            absent |= image == hkl && (h * op[9] + k * op[10] + l * op[11]) % 12 != 0;
          }
          EXPECT_EQ(IsSysAbsent_hkl(&sg, h, k, l, nullptr) != 0, absent) << name << " " << h << k << l;
          T_Eq_hkl eq;
          EXPECT_EQ(BuildEq_hkl(&sg, &eq, h, k, l), static_cast<int>(orbit.size())) << name << " " << h << k << l;
        }
    EXPECT_EQ(SgError, nullptr) << name;
  }
}

TEST(IsSysAbsent_hkl, CodesAndPhaseRestrictions) {
  // The phase restriction of a present reflection: 0 in a centric zone or group (0 or 1/2),
  // -1 for none, else the restricting phase in twelfths.
  const struct { const char* row; int h, k, l, th; } present[] = {
      {"19", 0, 0, 2, 0}, {"19", 1, 2, 3, -1}, {"19", 0, 1, 1, 6}, {"229", 1, 1, 0, 0}};
  for (const auto& c : present) {
    const T_SgRecord sg = BuildRow(RowIndex(c.row));
    int th = 99;
    EXPECT_EQ(IsSysAbsent_hkl(&sg, c.h, c.k, c.l, &th), 0) << c.row << " " << c.h << c.k << c.l;
    EXPECT_EQ(th, c.th) << c.row << " " << c.h << c.k << c.l;
  }
  T_SgRecord sg = BuildRow(RowIndex("19"));
  EXPECT_NE(IsSysAbsent_hkl(&sg, 0, 0, 1, nullptr), 0);
  sg = BuildRow(RowIndex("229"));  // I m -3 m: absent through a centring vector of entry 0
  EXPECT_EQ(IsSysAbsent_hkl(&sg, 1, 0, 0, nullptr), 0 + sg.nList * 1 + 1);
}

TEST(BuildEq_hkl, IndicesPhasesAndBound) {
  // The counts are checked by the brute force above; here the stored indices and phases.
  T_SgRecord sg = BuildRow(RowIndex("76"));  // P 41
  T_Eq_hkl eq;
  ASSERT_EQ(BuildEq_hkl(&sg, &eq, 1, 2, 3), 8);
  EXPECT_EQ(eq.N, 4);
  EXPECT_EQ((std::array<int, 4>{eq.h[1], eq.k[1], eq.l[1], eq.TH[1]}), (std::array<int, 4>{2, -1, 3, 9}));
  // More stored indices than the record holds: refused before anything is written past it.
  sg = EmptyRecord();
  sg.nList = 30;
  for (int i = 0; i < sg.nList; ++i) sg.ListSeitzMx[i] = T_RTMx{{i + 1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}};
  EXPECT_SG_ERROR(BuildEq_hkl(&sg, &eq, 1, 2, 3), 0, "Internal Error: Inconsistent symmetry matrices");
  EXPECT_EQ(eq.N, MaxEq_hkl);
}

TEST(AreSymEquivalent_hkl, ImageOrFriedelMate) {
  const T_SgRecord sg = BuildRow(RowIndex("76"));
  EXPECT_EQ(AreSymEquivalent_hkl(&sg, 1, 2, 3, 1, 2, 3), 1);
  EXPECT_GT(AreSymEquivalent_hkl(&sg, 1, 2, 3, 2, -1, 3), 1);
  EXPECT_EQ(AreSymEquivalent_hkl(&sg, 1, 2, 3, -1, -2, -3), -1);
  EXPECT_EQ(AreSymEquivalent_hkl(&sg, 1, 2, 3, 1, 2, -3), -3);  // through the 2-fold, entry 2
  EXPECT_EQ(AreSymEquivalent_hkl(&sg, 1, 2, 3, 1, 3, 2), 0);
}

TEST(IsSuppressed_hkl, OneRepresentativePerOrbitWithinTheBounds) {
  for (const char* name : {"1", "14:b1", "19", "146:R", "150", "227:2"}) {
    const T_SgRecord sg = BuildRow(RowIndex(name));
    constexpr int Max = 5;
    int Minh, Mink, Minl;
    SetListMin_hkl(&sg, Max, Max, &Minh, &Mink, &Minl);
    std::set<std::set<Hkl>> orbits, represented;
    for (int h = Minh; h <= Max; ++h)
      for (int k = Mink; k <= Max; ++k)
        for (int l = Minl; l <= Max; ++l) {
          T_Eq_hkl eq;
          BuildEq_hkl(&sg, &eq, h, k, l);
          std::set<Hkl> orbit;
          for (int n = 0; n < eq.N; ++n) {
            orbit.insert({eq.h[n], eq.k[n], eq.l[n]});
            orbit.insert({-eq.h[n], -eq.k[n], -eq.l[n]});
          }
          orbits.insert(orbit);
          if (IsSuppressed_hkl(&sg, Minh, Mink, Minl, Max, Max, h, k, l) == 0) {
            EXPECT_TRUE(represented.insert(orbit).second) << name << " " << h << k << l;
          }
        }
    EXPECT_EQ(represented, orbits) << name;
  }
}

TEST(SetListMin_hkl, BoundsByCrystalSystem) {
  struct Case { const char* name; int mink, minl; };
  const Case cases[] = {{"2", -4, -5}, {"14:b1", 0, -5}, {"14:c1", -4, 0}, {"146:R", -4, 0}, {"146:H", 0, 0}, {"19", 0, 0}};
  for (const Case& c : cases) {
    const T_SgRecord sg = BuildRow(RowIndex(c.name));
    int h, k, l;
    SetListMin_hkl(&sg, 4, 5, &h, &k, &l);
    EXPECT_EQ(std::tuple(h, k, l), std::tuple(0, c.mink, c.minl)) << c.name;
  }
}
