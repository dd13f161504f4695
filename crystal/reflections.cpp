// Reflection utilities over a completed space group.
#include "crystal/reflections.h"

#include <array>

#include "crystal/seitzMx.h"
#include "crystal/sgError.h"
#include "crystal/sgTables.h"

namespace {

using Hkl = std::array<int, 3>;

// Reflection indices transform as a row vector: (h,k,l).R
Hkl Transform(const Hkl& h, const int* R) {
  return {h[0] * R[0] + h[1] * R[3] + h[2] * R[6], h[0] * R[1] + h[1] * R[4] + h[2] * R[7],
          h[0] * R[2] + h[1] * R[5] + h[2] * R[8]};
}

Hkl Negated(const Hkl& h) { return {-h[0], -h[1], -h[2]}; }

int Phase(const Hkl& h, const int* T, const int* v) {
  return iModPositive(h[0] * (T[0] + v[0]) + h[1] * (T[1] + v[1]) + h[2] * (T[2] + v[2]), STBF);
}

bool WithinBounds(const Hkl& h, int Minh, int Mink, int Minl, int Maxk, int Maxl) {
  return h[0] >= Minh && h[1] >= Mink && h[1] <= Maxk && h[2] >= Minl && h[2] <= Maxl;
}

const char* const Inconsistent = "Internal Error: Inconsistent symmetry matrices";

}  // namespace

int IsSysAbsent_hkl(const T_SgRecord* sg, int h, int k, int l, int* TH_Restriction) {
  const Hkl hkl = {h, k, l}, minus = Negated(hkl);
  const T_LatticeInfo* L = sg->latticeInfo;
  for (int i = 0; i < sg->nList; ++i)
    for (int j = 0; j < L->nTrVector; ++j) {
      const T_RTMx& m = sg->ListSeitzMx[i];
      const Hkl image = Transform(hkl, m.R);
      const int p = Phase(hkl, m.T, L->trVector + 3 * j);
      if (p == 0) continue;
      if (image == hkl) return i + sg->nList * j + 1;
      if (image == minus && sg->centric == -1) return -(i + sg->nList * j) - 1;
    }
  // A present reflection of an acentric group: every operation that turns it into its Friedel
  // mate restricts its phase to the same value, unless the operations are inconsistent. (An
  // absent reflection may see different values, so this comes after the absences.)
  int restriction = -1;
  if (sg->centric != -1)
    for (int i = 0; i < sg->nList; ++i)
      for (int j = 0; j < L->nTrVector; ++j) {
        const T_RTMx& m = sg->ListSeitzMx[i];
        if (Transform(hkl, m.R) != minus) continue;
        const int p = Phase(hkl, m.T, L->trVector + 3 * j);
        if (restriction < 0) {
          restriction = p;
        } else if (restriction != p) {
          SetSgError(Inconsistent);
          return -1;
        }
      }
  if (TH_Restriction) *TH_Restriction = sg->centric == -1 ? 0 : restriction;
  return 0;
}

int BuildEq_hkl(const T_SgRecord* sg, T_Eq_hkl* eq, int h, int k, int l) {
  eq->M = 1;
  eq->N = 1;
  eq->h[0] = h, eq->k[0] = k, eq->l[0] = l, eq->TH[0] = 0;
  if (h == 0 && k == 0 && l == 0) return 1;
  const Hkl hkl = {h, k, l};
  eq->M = 2;
  for (int i = 1; i < sg->nList; ++i) {
    const T_RTMx& m = sg->ListSeitzMx[i];
    const Hkl image = Transform(hkl, m.R), minus = Negated(image);
    bool stored = false;
    for (int n = 0; n < eq->N && !stored; ++n) {
      const Hkl s = {eq->h[n], eq->k[n], eq->l[n]};
      stored = s == image || s == minus;
    }
    if (stored) continue;
    // Check the room before storing: a 25th index would overrun the arrays.
    if (eq->N == MaxEq_hkl) {
      SetSgError(Inconsistent);
      return 0;
    }
    const int zero[3] = {0, 0, 0};
    eq->h[eq->N] = image[0], eq->k[eq->N] = image[1], eq->l[eq->N] = image[2];
    eq->TH[eq->N] = Phase(hkl, m.T, zero);
    ++eq->N;
    eq->M += 2;
  }
  if (sg->nList % eq->N != 0) {
    SetSgError(Inconsistent);
    return 0;
  }
  return eq->M;
}

int AreSymEquivalent_hkl(const T_SgRecord* sg, int h1, int k1, int l1, int h2, int k2, int l2) {
  const Hkl first = {h1, k1, l1}, second = {h2, k2, l2}, minus = Negated(second);
  for (int i = 0; i < sg->nList; ++i) {
    const Hkl image = Transform(first, sg->ListSeitzMx[i].R);
    if (image == second) return i + 1;
    if (image == minus) return -(i + 1);
  }
  return 0;
}

void SetListMin_hkl(const T_SgRecord* sg, int Maxk, int Maxl, int* Minh, int* Mink, int* Minl) {
  *Minh = 0;
  *Mink = 0;
  *Minl = 0;
  switch (sg->crystalSystem) {
    case XS_Triclinic:
      *Mink = -Maxk, *Minl = -Maxl;
      break;
    case XS_Monoclinic:
      if (sg->uniqueRefAxis == 'z') *Mink = -Maxk;
      else *Minl = -Maxl;
      break;
    case XS_Trigonal:
      if (sg->uniqueDirCode == '*') *Mink = -Maxk;
      break;
  }
}

int IsSuppressed_hkl(const T_SgRecord* sg, int Minh, int Mink, int Minl, int Maxk, int Maxl, int h, int k,
                     int l) {
  const Hkl hkl = {h, k, l}, minus = Negated(hkl);
  // A reflection comes before another in list order: by h, then k, then l.
  auto precedes = [&](const Hkl& other) {
    return WithinBounds(other, Minh, Mink, Minl, Maxk, Maxl) && other < hkl;
  };
  if (precedes(minus)) return -1;
  for (int i = 1; i < sg->nList; ++i) {
    const Hkl image = Transform(hkl, sg->ListSeitzMx[i].R);
    if (precedes(image)) return i + 1;
    if (precedes(Negated(image))) return -(i + 1);
  }
  return 0;
}
