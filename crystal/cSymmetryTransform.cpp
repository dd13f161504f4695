// cSymmetryTransform: constructors, integer parts and the signed-permutation form.
#include "crystal/cSymmetryTransform.h"

#include <algorithm>

cSymmetryTransform::cSymmetryTransform(const cSpatialTransform* t) {
  if (t) {
    rotation = t->rotation;
    translation = t->translation;
  }
}

cSymmetryTransform::cSymmetryTransform(const cMatrix33& r, const cVector3& t) : cSpatialTransform(r, t) {}

void cSymmetryTransform::assignR(const int* r) { std::copy(r, r + 9, R); }

void cSymmetryTransform::assignT(const int* t) { std::copy(t, t + 3, T); }

void cSymmetryTransform::assignT(const int* t, const int& base) {
  assignT(t);
  translationBase = base;
}

bool cSymmetryTransform::checkInverse(const cSymmetryTransform& other) const {
  for (int r = 0; r < 3; ++r) {
    int t = T[r];
    for (int c = 0; c < 3; ++c) {
      int product = 0;
      for (int k = 0; k < 3; ++k) product += R[3 * r + k] * other.R[3 * k + c];
      if (product != (r == c ? 1 : 0)) return false;
      t += R[3 * r + c] * other.T[c];
    }
    if (t != 0) return false;
  }
  return true;
}

void cOrthorhombicSymmetryTransform::init() {
  isSignedPermutation = true;
  // A later column of the same row overwrites an earlier one; a row without an entry beyond
  // +-0.5 keeps what it had.
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const double v = rotation(r, c);
      if (v > 0.5 || v < -0.5) {
        axisOf[r] = static_cast<short>(c);
        positive[r] = v > 0.5;
        negative[r] = v < -0.5;
      }
    }
}
