// Integer arithmetic on rotation and Seitz matrices, and the classification of a rotation.
#include "crystal/seitzMx.h"

#include <algorithm>
#include <cstdlib>

#include "crystal/sgError.h"
#include "crystal/sgTables.h"

int iModPositive(int a, int m) {
  if (m <= 0) return a;
  const int r = a % m;
  return r < 0 ? r + m : r;
}

int traceRotMx(const int* R) { return R[0] + R[4] + R[8]; }

int deterRotMx(const int* R) {
  return R[0] * (R[4] * R[8] - R[5] * R[7]) - R[1] * (R[3] * R[8] - R[5] * R[6]) +
         R[2] * (R[3] * R[7] - R[4] * R[6]);
}

void RotMx_t_Vector(int* out, const int* R, const int* v, int FacTr) {
  int r[3];
  for (int i = 0; i < 3; ++i) r[i] = R[3 * i] * v[0] + R[3 * i + 1] * v[1] + R[3 * i + 2] * v[2];
  for (int i = 0; i < 3; ++i) out[i] = FacTr > 0 ? iModPositive(r[i], FacTr) : r[i];
}

void RotMxMultiply(int* ab, const int* a, const int* b) {
  int r[9];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      r[3 * i + j] = a[3 * i] * b[j] + a[3 * i + 1] * b[3 + j] + a[3 * i + 2] * b[6 + j];
  std::copy(r, r + 9, ab);
}

void RotateRotMx(int* M, const int* RMx, const int* InvRMx) {
  RotMxMultiply(M, RMx, M);
  RotMxMultiply(M, M, InvRMx);
}

void RTMxMultiply(T_RTMx* ab, const T_RTMx* a, const T_RTMx* b, int FacAug, int FacTr) {
  T_RTMx r;
  RotMxMultiply(r.R, a->R, b->R);
  RotMx_t_Vector(r.T, a->R, b->T, 0);
  for (int i = 0; i < 3; ++i) {
    r.T[i] += FacAug * a->T[i];
    if (FacTr > 0) r.T[i] = iModPositive(r.T[i], FacTr);
  }
  *ab = r;
}

void SeitzMxMultiply(T_RTMx* ab, const T_RTMx* a, const T_RTMx* b) { RTMxMultiply(ab, a, b, 1, STBF); }

void InverseRotMx(const int* R, int* Inv) {
  int r[9];
  r[0] = R[4] * R[8] - R[5] * R[7];
  r[1] = R[2] * R[7] - R[1] * R[8];
  r[2] = R[1] * R[5] - R[2] * R[4];
  r[3] = R[5] * R[6] - R[3] * R[8];
  r[4] = R[0] * R[8] - R[2] * R[6];
  r[5] = R[2] * R[3] - R[0] * R[5];
  r[6] = R[3] * R[7] - R[4] * R[6];
  r[7] = R[1] * R[6] - R[0] * R[7];
  r[8] = R[0] * R[4] - R[1] * R[3];
  std::copy(r, r + 9, Inv);
}

void InverseRTMx(const T_RTMx* a, T_RTMx* inv) {
  T_RTMx r;
  InverseRotMx(a->R, r.R);
  RotMx_t_Vector(r.T, r.R, a->T, 0);
  for (int& t : r.T) t = -t;
  *inv = r;
}

int IsSMxTransl0(const T_LatticeInfo* L, const int* T) {
  for (int v = 0; v < L->nTrVector; ++v) {
    const int* c = L->trVector + 3 * v;
    if (iModPositive(T[0] + c[0], STBF) == 0 && iModPositive(T[1] + c[1], STBF) == 0 &&
        iModPositive(T[2] + c[2], STBF) == 0)
      return 1;
  }
  return 0;
}

int CompareSeitzMx(const T_LatticeInfo* L, const T_RTMx* a, const T_RTMx* b) {
  if (!std::equal(a->R, a->R + 9, b->R)) return 1;
  for (int v = 0; v < L->nTrVector; ++v) {
    const int* c = L->trVector + 3 * v;
    if (iModPositive(a->T[0] + c[0], STBF) == iModPositive(b->T[0], STBF) &&
        iModPositive(a->T[1] + c[1], STBF) == iModPositive(b->T[1], STBF) &&
        iModPositive(a->T[2] + c[2], STBF) == iModPositive(b->T[2], STBF))
      return 0;
  }
  return -1;
}

int GetRotMxOrder(const int* R) {
  const int det = deterRotMx(R);
  if (det != 1 && det != -1) return 0;
  switch (traceRotMx(R)) {
    case 3: return 1;
    case 2: return 6;
    case 1: return det == 1 ? 4 : -2;
    case 0: return det == 1 ? 3 : -3;
    case -1: return det == 1 ? 2 : -4;
    case -2: return -6;
    case -3: return -1;
    default: return 0;
  }
}

int GetRotMxInfo(const int* R, T_RotMxInfo* info) {
  const int order = GetRotMxOrder(R);
  if (info) info->order = order;
  if (order == 0) return 0;
  // Compare the proper part with the reference rotations of the same order, each turned into
  // the orientations that its direction code stands for.
  int P[9];
  for (int i = 0; i < 9; ++i) P[i] = order > 0 ? R[i] : -R[i];
  const int n = std::abs(order);
  const T_TabXtalRotMx* row = TabXtalRotMx;
  while (row->Order != 0 && row->Order != n) ++row;
  for (; row->Order == n; ++row) {
    const int *G = nullptr, *InvG = nullptr;
    int nOrient = 1;
    switch (row->DirCode) {
      case '.': break;
      case '=': case '"': case '\'': case '|': case '\\':
        G = RMx_3_111, InvG = RMx_3i111, nOrient = 3;
        break;
      case '*':
        G = RMx_4_001, InvG = RMx_4i001, nOrient = 4;
        break;
      default:
        SetSgError("Internal Error: Corrupt DirCode");
        return 0;
    }
    int Q[9], axis[3];
    std::copy(row->RMx, row->RMx + 9, Q);
    std::copy(row->EigenVector, row->EigenVector + 3, axis);
    for (int k = 0; k < nOrient; ++k) {
      if (k > 0) {
        RotateRotMx(Q, G, InvG);
        RotMx_t_Vector(axis, G, axis, 0);
      }
      int inverse = -1;
      if (std::equal(P, P + 9, Q)) {
        inverse = 0;
      } else if (n > 2) {
        int InvQ[9];
        InverseRotMx(Q, InvQ);
        if (std::equal(P, P + 9, InvQ)) inverse = 1;
      }
      if (inverse < 0) continue;
      if (info) {
        info->inverse = inverse;
        info->DirCode = row->DirCode;
        std::copy(axis, axis + 3, info->axis);
        info->refAxis = G == RMx_3_111 ? "zxy"[k] : 'o';
      }
      return order;
    }
  }
  return 0;
}

const T_RotMxInfo* ListOrBufRotMxInfo(const T_SgRecord* sg, int i, T_RotMxInfo* buf) {
  if (!sg->ListRotMxInfo.empty()) return &sg->ListRotMxInfo[i];
  if (GetRotMxInfo(sg->ListSeitzMx[i].R, buf) == 0) {
    SetSgError("Error: Illegal SeitzMx in list");
    return nullptr;
  }
  return buf;
}
