// Tests of the structure seminvariants: permissible origins against the reference, and the
// seminvariant vectors against a brute force over the reference operations.
#include "crystal/seminvariants.h"

#include <gtest/gtest.h>

#include <vector>

#include "crystal/reflections.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

TEST(Set_si, TriclinicGroups) {
  struct Case { int row; int vectors[9]; int moduli[3]; };
  const Case cases[] = {{0, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}},   // P 1: only 000 is invariant
                        {1, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {2, 2, 2}}};  // P -1: origins 0 or 1/2
  for (const Case& c : cases) {
    T_SgRecord sg = BuildRow(c.row);
    ASSERT_EQ(Set_si(&sg), 0);
    ASSERT_EQ(sg.nSiVector, 3);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(sg.siVector[i], c.vectors[i]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(sg.siModulus[i], c.moduli[i]);
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
}

TEST(MarkLegalOrigins, EverySettingHasTheReferenceOrigins) {
  const auto& ref = RefSettings();
  std::vector<int> grid(nLegalOriginGrid);
  int agree = 0;
  for (int i = 0; i < nTabSgName; ++i) {
    const T_SgRecord sg = BuildRow(i);
    MarkLegalOrigins(&sg, grid.data());
    int legal = 0;
    for (int g : grid) legal += g != 0;
    EXPECT_EQ(legal, ref[i].originShifts) << RowName(TabSgName[i]);
    agree += legal == ref[i].originShifts;
  }
  EXPECT_EQ(agree, nTabSgName);
}

TEST(Set_si, SeminvariantsMatchABruteForceOverTheReferenceOperations) {
  const auto& ref = RefSettings();
  for (const char* name : {"19", "14:b1", "76", "146:H", "146:R", "160:H", "199", "227:1", "68:1", "43"}) {
    const int row = RowIndex(name);
    T_SgRecord sg = BuildRow(row);
    ASSERT_EQ(Set_si(&sg), 0) << name;
    // Origins that every operation maps onto itself up to a centring translation (the identity
    // parts of the reference list are the centring translations).
    std::vector<std::array<int, 3>> centring, origins;
    for (const Op& op : ref[row].ops)
      if (op[0] == 1 && op[4] == 1 && op[8] == 1) centring.push_back({op[9], op[10], op[11]});
    for (int x = 0; x < 12; ++x)
      for (int y = 0; y < 12; ++y)
        for (int z = 0; z < 12; ++z) {
          bool legal = true;
          for (const Op& op : ref[row].ops) {
            std::array<int, 3> d;
            for (int r = 0; r < 3; ++r)
              d[r] = ((op[3 * r] * x + op[3 * r + 1] * y + op[3 * r + 2] * z - (r == 0 ? x : r == 1 ? y : z)) % 12 + 12) % 12;
            bool found = false;
            for (const auto& c : centring) found |= c == d;
            legal &= found;
          }
          if (legal) origins.push_back({x, y, z});
        }
    // Directions of continuous freedom: a shift of 1/12 along them is a permissible origin.
    std::vector<std::array<int, 3>> free;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        for (int dz = -1; dz <= 1; ++dz)
          for (const auto& o : origins)
            if (o == std::array<int, 3>{(dx + 12) % 12, (dy + 12) % 12, (dz + 12) % 12} && (dx || dy || dz))
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

TEST(Set_uvw, ProductsReducedByTheModuli) {
  T_SgRecord sg = BuildRow(1);  // P -1: (1 0 0; 2) (0 1 0; 2) (0 0 1; 2)
  ASSERT_EQ(Set_si(&sg), 0);
  int uvw[3];
  Set_uvw(&sg, 3, -5, 4, uvw);
  EXPECT_EQ(uvw[0], 1);
  EXPECT_EQ(uvw[1], -1);  // the C remainder keeps the sign
  EXPECT_EQ(uvw[2], 0);
  EXPECT_EQ(Is_si(&sg, 2, 4, -6), 1);
  EXPECT_EQ(Is_si(&sg, 2, 1, 0), 0);
}
