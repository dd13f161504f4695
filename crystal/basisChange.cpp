// Change of basis of symmetry operations and of whole space groups.
#include "crystal/basisChange.h"

#include "crystal/seitzMx.h"
#include "crystal/sgComplete.h"
#include "crystal/sgError.h"

int CB_SMx(T_RTMx* out, const T_RTMx* CBMx, const T_RTMx* SMx, const T_RTMx* InvCBMx) {
  // SMx . InvCBMx: rotation scaled by CRBF, translation by CTBF (twelfths times CTBF/STBF).
  T_RTMx right, product;
  RTMxMultiply(&right, SMx, InvCBMx, CTBF / STBF, 0);
  // CBMx . (SMx . InvCBMx): rotation scaled by CRBF^2, translation by CRBF * CTBF.
  RTMxMultiply(&product, CBMx, &right, CRBF, CRBF * CTBF);
  constexpr int RotationScale = CRBF * CRBF;
  for (int i = 0; i < 9; ++i) {
    if (product.R[i] % RotationScale != 0) {
      SetSgError("Internal Error: Corrupt CBMx/SMx/InvCBMx");
      return -1;
    }
    out->R[i] = product.R[i] / RotationScale;
  }
  constexpr int TranslationScale = CRBF * CTBF / STBF;  // from 1/864 to twelfths
  for (int i = 0; i < 3; ++i) {
    if (product.T[i] % TranslationScale != 0) {
      SetSgError("Internal Error: Out of STBF range");
      return -1;
    }
    out->T[i] = product.T[i] / TranslationScale;
  }
  return 0;
}

int TransformSgRecord(const T_SgRecord* sg, const T_RTMx* CBMx, const T_RTMx* InvCBMx, T_SgRecord* out) {
  const T_LatticeInfo* L = sg->latticeInfo;
  const int nInversion = sg->centric == -1 ? 2 : 1;
  for (int v = 0; v < L->nTrVector; ++v)
    for (int inv = 0; inv < nInversion; ++inv)
      for (int i = 0; i < sg->nList; ++i) {
        const T_RTMx& e = sg->ListSeitzMx[i];
        T_RTMx s, t;
        for (int k = 0; k < 9; ++k) s.R[k] = inv ? -e.R[k] : e.R[k];
        for (int k = 0; k < 3; ++k) s.T[k] = iModPositive((inv ? -e.T[k] : e.T[k]) + L->trVector[3 * v + k], STBF);
        if (CB_SMx(&t, CBMx, &s, InvCBMx) < 0 || Add2ListSeitzMx(out, &t) < 0) return -1;
      }
  return 0;
}
