// Change of basis of symmetry operations and of whole space groups.
#include "crystal/basisChange.h"

#include "crystal/seitzMx.h"
#include "crystal/sgComplete.h"
#include "crystal/sgError.h"

namespace {

enum eProduct { kSeitzMx, kRotationOffGrid, kTranslationOffGrid };

// out = CBMx . SMx . InvCBMx, or why the product is no Seitz matrix.
eProduct changeBasis(T_RTMx* out, const T_RTMx* CBMx, const T_RTMx* SMx, const T_RTMx* InvCBMx) {
  // SMx . InvCBMx: rotation scaled by CRBF, translation by CTBF (twelfths times CTBF/STBF).
  T_RTMx right, product;
  RTMxMultiply(&right, SMx, InvCBMx, CTBF / STBF, 0);
  // CBMx . (SMx . InvCBMx): rotation scaled by CRBF^2, translation by CRBF * CTBF.
  RTMxMultiply(&product, CBMx, &right, CRBF, CRBF * CTBF);
  constexpr int RotationScale = CRBF * CRBF;
  for (int i = 0; i < 9; ++i) {
    if (product.R[i] % RotationScale != 0) return kRotationOffGrid;
    out->R[i] = product.R[i] / RotationScale;
  }
  constexpr int TranslationScale = CRBF * CTBF / STBF;  // from 1/864 to twelfths
  for (int i = 0; i < 3; ++i) {
    if (product.T[i] % TranslationScale != 0) return kTranslationOffGrid;
    out->T[i] = product.T[i] / TranslationScale;
  }
  return kSeitzMx;
}

// The origin shift of a change of basis x' = CBMx x (its translation, in units of 1/CTBF) is off
// the grid of twelfths that Seitz matrices live on.
bool shiftOffTwelfths(const T_RTMx* CBMx) {
  constexpr int Twelfth = CTBF / STBF;
  return CBMx->T[0] % Twelfth != 0 || CBMx->T[1] % Twelfth != 0 || CBMx->T[2] % Twelfth != 0;
}

// 0, or -1 with the message for a product that is no Seitz matrix. A translation off the
// twelfths is the caller's doing when the origin shift it asked for is off them.
int productStatus(eProduct product, bool shiftOffTwelfths) {
  switch (product) {
    case kRotationOffGrid:
      SetSgError("Internal Error: Corrupt CBMx/SMx/InvCBMx");
      return -1;
    case kTranslationOffGrid:
      SetSgError(shiftOffTwelfths ? "Error: Origin shift is not a multiple of 1/12" : "Internal Error: Out of STBF range");
      return -1;
    default:
      return 0;
  }
}

}  // namespace

int CB_SMx(T_RTMx* out, const T_RTMx* CBMx, const T_RTMx* SMx, const T_RTMx* InvCBMx) {
  return productStatus(changeBasis(out, CBMx, SMx, InvCBMx), false);
}

int TransformSgRecord(const T_SgRecord* sg, const T_RTMx* CBMx, const T_RTMx* InvCBMx, T_SgRecord* out) {
  const T_LatticeInfo* L = sg->latticeInfo;
  const int nInversion = sg->centric == -1 ? 2 : 1;
  const bool shiftOff = shiftOffTwelfths(CBMx);
  for (int v = 0; v < L->nTrVector; ++v)
    for (int inv = 0; inv < nInversion; ++inv)
      for (int i = 0; i < sg->nList; ++i) {
        const T_RTMx& e = sg->ListSeitzMx[i];
        T_RTMx s, t;
        for (int k = 0; k < 9; ++k) s.R[k] = inv ? -e.R[k] : e.R[k];
        for (int k = 0; k < 3; ++k) s.T[k] = iModPositive((inv ? -e.T[k] : e.T[k]) + L->trVector[3 * v + k], STBF);
        if (productStatus(changeBasis(&t, CBMx, &s, InvCBMx), shiftOff) < 0 || Add2ListSeitzMx(out, &t) < 0)
          return -1;
      }
  return 0;
}
