// Tests of the structure seminvariants: permissible origins against the reference, and the
// seminvariant vectors against a brute force over the reference operations.
#include "crystal/seminvariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "crystal/reflections.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

TEST(Set_si, TriclinicGroups) {
  struct Case { int row; std::vector<int> vectors, moduli; };
  const Case cases[] = {{0, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}},   // P 1: only 000 is invariant
                        {1, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {2, 2, 2}}};  // P -1: origins 0 or 1/2
  for (const Case& c : cases) {
    T_SgRecord sg = BuildRow(c.row);
    ASSERT_EQ(Set_si(&sg), 0);
    ASSERT_EQ(sg.nSiVector, 3);
    EXPECT_EQ(std::vector<int>(sg.siVector, sg.siVector + 9), c.vectors);
    EXPECT_EQ(std::vector<int>(sg.siModulus, sg.siModulus + 3), c.moduli);
  }
  T_SgRecord p1bar = BuildRow(1);
  std::vector<int> grid(nLegalOriginGrid);
  MarkLegalOrigins(&p1bar, grid.data());
  int legal = 0;
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 12; ++y)
      for (int z = 0; z < 12; ++z)
        if (grid[(x * 12 + y) * 12 + z]) {
          ++legal;
          EXPECT_TRUE(x % 6 == 0 && y % 6 == 0 && z % 6 == 0);
        }
  EXPECT_EQ(legal, 8);
  // Products reduced by the moduli (2, 2, 2); the C remainder keeps the sign.
  ASSERT_EQ(Set_si(&p1bar), 0);
  int uvw[3];
  Set_uvw(&p1bar, 3, -5, 4, uvw);
  EXPECT_EQ(std::vector<int>(uvw, uvw + 3), (std::vector<int>{1, -1, 0}));
  EXPECT_EQ(Is_si(&p1bar, 2, 4, -6), 1);
  EXPECT_EQ(Is_si(&p1bar, 2, 1, 0), 0);
}

TEST(MarkLegalOrigins, EverySettingHasTheReferenceOrigins) {
  std::vector<int> grid(nLegalOriginGrid);
  for (int i = 0; i < nTabSgName; ++i) {
    const T_SgRecord sg = BuildRow(i);
    MarkLegalOrigins(&sg, grid.data());
    EXPECT_EQ(std::count_if(grid.begin(), grid.end(), [](int g) { return g != 0; }), RefSettings()[i].originShifts)
        << RowName(TabSgName[i]);
  }
}

TEST(Set_si, SeminvariantsMatchABruteForceOverTheReferenceOperations) {
  const auto& ref = RefSettings();
  for (const char* name : {"19", "14:b1", "76", "146:H", "146:R", "160:H", "199", "227:1", "68:1", "43"}) {
    const int row = RowIndex(name);
    T_SgRecord sg = BuildRow(row);
    ASSERT_EQ(Set_si(&sg), 0) << name;
    // Origins that every operation maps onto itself up to a centring translation (the identity
    // parts of the reference list are the centring translations).
    std::set<std::array<int, 3>> centring, origins;
    for (const Op& op : ref[row].ops)
      if (op[0] == 1 && op[4] == 1 && op[8] == 1) centring.insert({op[9], op[10], op[11]});
    for (int x = 0; x < 12; ++x)
      for (int y = 0; y < 12; ++y)
        for (int z = 0; z < 12; ++z) {
          bool legal = true;
          for (const Op& op : ref[row].ops) {
            std::array<int, 3> d;
            for (int r = 0; r < 3; ++r)
              d[r] = ((op[3 * r] * x + op[3 * r + 1] * y + op[3 * r + 2] * z - (r == 0 ? x : r == 1 ? y : z)) % 12 + 12) % 12;
            legal &= centring.count(d) == 1;
          }
          if (legal) origins.insert({x, y, z});
        }
    // Directions of continuous freedom: a shift of 1/12 along them is a permissible origin.
    std::vector<std::array<int, 3>> free;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        for (int dz = -1; dz <= 1; ++dz)
          if ((dx || dy || dz) && origins.count({(dx + 12) % 12, (dy + 12) % 12, (dz + 12) % 12}))
            free.push_back({dx, dy, dz});
    // A present reflection is a seminvariant when no permissible origin changes its phase and
    // it has no component along a direction of continuous freedom.
    for (int h = -4; h <= 4; ++h)
      for (int k = -4; k <= 4; ++k)
        for (int l = -4; l <= 4; ++l) {
          if (IsSysAbsent_hkl(&sg, h, k, l, nullptr)) continue;
          bool invariant = true;
          for (const auto& s : origins) invariant &= (h * s[0] + k * s[1] + l * s[2]) % 12 == 0;
          for (const auto& d : free) invariant &= h * d[0] + k * d[1] + l * d[2] == 0;
          EXPECT_EQ(Is_si(&sg, h, k, l), invariant) << name << " " << h << k << l;
        }
  }
}
