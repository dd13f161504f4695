// Structure seminvariants of a completed space group.
#include "crystal/seminvariants.h"

#include <algorithm>
#include <new>
#include <vector>

#include "crystal/reflections.h"
#include "crystal/seitzMx.h"
#include "crystal/sgError.h"

namespace {

// One trial seminvariant system: n rows of (u1, u2, u3, modulus).
struct SiSystem {
  int n;
  int rows[3][4];
};

// Tried in this order; the first that matches the permissible origins is kept.
const SiSystem SiSystems[] = {
    {0, {}},
    {1, {{0, 2, -1, 4}}}, {1, {{2, -1, 0, 4}}}, {1, {{-1, 0, 2, 4}}}, {1, {{2, 4, 3, 6}}},
    {1, {{4, 3, 2, 6}}}, {1, {{3, 2, 4, 6}}}, {1, {{1, 1, 1, 4}}}, {1, {{1, 1, 1, 2}}},
    {1, {{1, 1, 1, 0}}}, {1, {{0, 0, 1, 2}}}, {1, {{0, 1, 0, 2}}}, {1, {{1, 0, 0, 2}}},
    {1, {{0, 0, 1, 0}}}, {1, {{0, 1, 0, 0}}}, {1, {{1, 0, 0, 0}}},
    {2, {{1, -1, 0, 3}, {0, 0, 1, 0}}}, {2, {{-1, 0, 1, 3}, {0, 1, 0, 0}}},
    {2, {{0, 1, -1, 3}, {1, 0, 0, 0}}}, {2, {{0, 1, 1, 4}, {1, 0, 0, 0}}},
    {2, {{1, 0, 1, 4}, {0, 1, 0, 0}}}, {2, {{1, 1, 0, 4}, {0, 0, 1, 0}}},
    {2, {{1, 0, 0, 2}, {0, 0, 1, 2}}}, {2, {{0, 1, 0, 2}, {0, 0, 1, 2}}},
    {2, {{1, 0, 0, 2}, {0, 1, 0, 2}}}, {2, {{1, 1, 0, 2}, {0, 0, 1, 2}}},
    {2, {{1, 0, 1, 2}, {0, 1, 0, 2}}}, {2, {{0, 1, 1, 2}, {1, 0, 0, 2}}},
    {2, {{1, 0, 0, 2}, {0, 0, 1, 0}}}, {2, {{0, 1, 0, 2}, {0, 0, 1, 0}}},
    {2, {{1, 0, 0, 2}, {0, 1, 0, 0}}}, {2, {{1, 0, 0, 0}, {0, 0, 1, 2}}},
    {2, {{0, 1, 0, 0}, {0, 0, 1, 2}}}, {2, {{1, 0, 0, 0}, {0, 1, 0, 2}}},
    {2, {{1, 1, 0, 2}, {0, 0, 1, 0}}}, {2, {{1, 0, 1, 2}, {0, 1, 0, 0}}},
    {2, {{0, 1, 1, 2}, {1, 0, 0, 0}}}, {2, {{1, 0, 0, 0}, {0, 0, 1, 0}}},
    {2, {{0, 1, 0, 0}, {0, 0, 1, 0}}}, {2, {{1, 0, 0, 0}, {0, 1, 0, 0}}},
    {3, {{1, 0, 0, 2}, {0, 1, 0, 2}, {0, 0, 1, 2}}}, {3, {{1, 0, 0, 0}, {0, 1, 0, 2}, {0, 0, 1, 2}}},
    {3, {{1, 0, 0, 2}, {0, 1, 0, 0}, {0, 0, 1, 2}}}, {3, {{1, 0, 0, 2}, {0, 1, 0, 2}, {0, 0, 1, 0}}},
    {3, {{1, 0, 0, 2}, {0, 1, 0, 0}, {0, 0, 1, 0}}}, {3, {{1, 0, 0, 0}, {0, 1, 0, 2}, {0, 0, 1, 0}}},
    {3, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 2}}}, {3, {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}},
    {3, {{-1, 0, 0, 2}, {0, -1, 1, 4}, {0, 1, 1, 4}}}, {3, {{-1, 0, 1, 4}, {0, -1, 0, 2}, {1, 0, 1, 4}}},
    {3, {{1, 1, 0, 4}, {1, -1, 0, 4}, {0, 0, -1, 2}}}, {3, {{-1, 1, 1, 4}, {1, -1, 1, 4}, {1, 1, -1, 4}}},
    {3, {{0, 1, 1, 4}, {1, 0, 1, 4}, {1, 1, 0, 4}}}, {3, {{-1, 0, 0, 0}, {0, -1, 1, 4}, {0, 1, 1, 4}}},
    {3, {{-1, 0, 1, 4}, {0, -1, 0, 0}, {1, 0, 1, 4}}}, {3, {{1, 1, 0, 4}, {1, -1, 0, 4}, {0, 0, -1, 0}}},
    {-1, {}},
};
static_assert(sizeof SiSystems / sizeof SiSystems[0] == 57);  // 56 systems and the end mark

// The reduced box of each centring (twelfths): a permissible origin inside it is marked 1.
void ReducedBox(int code, int* limit) {
  struct Box { int code, x, y, z; };
  static const Box Boxes[] = {{'P', 12, 12, 12}, {'A', 12, 12, 6}, {'B', 6, 12, 12}, {'C', 12, 6, 12},
                              {'I', 12, 12, 6},  {'R', 12, 12, 4}, {'S', 12, 4, 12}, {'T', 4, 12, 12},
                              {'F', 12, 6, 6}};
  limit[0] = limit[1] = limit[2] = 12;
  for (const Box& b : Boxes)
    if (b.code == code) limit[0] = b.x, limit[1] = b.y, limit[2] = b.z;
}

// (R - I).s reduced to 0..11 is a centring vector.
bool KeepsOrigin(const T_LatticeInfo* L, const int* R, const int* s) {
  int d[3];
  RotMx_t_Vector(d, R, s, 0);
  for (int k = 0; k < 3; ++k) d[k] = iModPositive(d[k] - s[k], 12);
  return IsSMxTransl0(L, d) != 0;
}

int Dot(const int* u, int h, int k, int l) { return u[0] * h + u[1] * k + u[2] * l; }

}  // namespace

void MarkLegalOrigins(const T_SgRecord* sg, int* grid) {
  int limit[3];
  ReducedBox(sg->latticeInfo->code, limit);
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 12; ++y)
      for (int z = 0; z < 12; ++z) {
        const int s[3] = {x, y, z};
        bool legal = true;
        for (int i = 0; i < sg->nList && legal; ++i) {
          const int* R = sg->ListSeitzMx[i].R;
          legal = KeepsOrigin(sg->latticeInfo, R, s);
          if (legal && sg->centric == -1) {
            int minusR[9];
            for (int c = 0; c < 9; ++c) minusR[c] = -R[c];
            legal = KeepsOrigin(sg->latticeInfo, minusR, s);
          }
        }
        const bool inside = x < limit[0] && y < limit[1] && z < limit[2];
        grid[(x * 12 + y) * 12 + z] = legal ? (inside ? 1 : -1) : 0;
      }
}

int Verify_si(int h, int k, int l, const int* grid) {
  const int hkl[3] = {h, k, l};
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 12; ++y)
      for (int z = 0; z < 12; ++z) {
        if (grid[(x * 12 + y) * 12 + z] == 0) continue;
        if ((h * x + k * y + l * z) % 12 != 0) return 0;
        // A shift coprime to 12 along a direction stands for a continuous freedom of the
        // origin along it: only indices that cancel along those directions stay invariant.
        const int s[3] = {x, y, z};
        int free = 0;
        for (int c = 0; c < 3; ++c)
          if (s[c] == 1 || s[c] == 5 || s[c] == 7 || s[c] == 11) free += hkl[c];
        if (free != 0) return 0;
      }
  return 1;
}

int Is_si(const T_SgRecord* sg, int h, int k, int l) {
  for (int i = 0; i < sg->nSiVector; ++i) {
    const int u = Dot(sg->siVector + 3 * i, h, k, l);
    if (sg->siModulus[i] ? u % sg->siModulus[i] != 0 : u != 0) return 0;
  }
  return 1;
}

void Set_uvw(const T_SgRecord* sg, int h, int k, int l, int* uvw) {
  for (int i = 0; i < sg->nSiVector; ++i) {
    uvw[i] = Dot(sg->siVector + 3 * i, h, k, l);
    if (sg->siModulus[i]) uvw[i] %= sg->siModulus[i];
  }
}

int Set_si(T_SgRecord* sg) {
  sg->nSiVector = -1;
  constexpr int Maxk = 7, Maxl = 7, Maxh = 7;
  int Minh, Mink, Minl;
  SetListMin_hkl(sg, Maxk, Maxl, &Minh, &Mink, &Minl);
  const int nh = Maxh - Minh + 1, nk = Maxk - Mink + 1, nl = Maxl - Minl + 1;
  std::vector<int> grid, verdict;
  try {
    grid.resize(nLegalOriginGrid);
    verdict.resize(static_cast<std::size_t>(nh) * nk * nl);
  } catch (const std::bad_alloc&) {
    SetSgError("Not enough core");
    return -1;
  }
  MarkLegalOrigins(sg, grid.data());
  // -1 for an absent reflection, else whether its phase is a seminvariant.
  int* v = verdict.data();
  for (int h = Minh; h <= Maxh; ++h)
    for (int k = Mink; k <= Maxk; ++k)
      for (int l = Minl; l <= Maxl; ++l) {
        const int absent = IsSysAbsent_hkl(sg, h, k, l, nullptr);
        if (absent == -1 && SgError) return -1;
        *v++ = absent ? -1 : Verify_si(h, k, l, grid.data());
      }
  for (const SiSystem* s = SiSystems; s->n >= 0; ++s) {
    sg->nSiVector = s->n;
    for (int i = 0; i < s->n; ++i) {
      std::copy(s->rows[i], s->rows[i] + 3, sg->siVector + 3 * i);
      sg->siModulus[i] = s->rows[i][3];
    }
    bool fits = true;
    v = verdict.data();
    for (int h = Minh; h <= Maxh && fits; ++h)
      for (int k = Mink; k <= Maxk && fits; ++k)
        for (int l = Minl; l <= Maxl && fits; ++l, ++v)
          if (*v >= 0) fits = Is_si(sg, h, k, l) == *v;
    if (fits) return 0;
  }
  sg->nSiVector = -1;
  SetSgError("Internal Error: Can't determine s.i. vectors and moduli");
  return -1;
}
