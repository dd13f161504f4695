// cSymmetryTransform: one crystal symmetry operation, in integer cell form and as a Cartesian
// rigid transform.
#pragma once

#include "geometry/cSpatialTransform.h"

// The base transform holds the operation in Cartesian form (Å); R and T keep it as the space-group
// library gives it. Held by value in lists, so copies are plain member copies of this class.
class cSymmetryTransform : public cSpatialTransform {
public:
  int R[9] = {};  // rotation on fractional coordinates, row-major, entries -1, 0 or 1
  int T[3] = {};  // translation in units of 1/translationBase of the cell edges
  void* spare = nullptr;             // nothing uses it
  bool isSignedPermutation = false;  // set by the orthogonal-axes class: no Cartesian conversion
  short axisOf[3] = {};    // per row: the column of its entry beyond +-0.5
  short positive[3] = {};  // per row: 1 when that entry is above 0.5
  short negative[3] = {};  // per row: 1 when that entry is below -0.5
  int spareIndex = -1;      // nothing uses it
  int translationBase = 12;  // twelfths, as the space-group library keeps translations

  cSymmetryTransform() = default;
  // Rotation and translation of *t (a default operator for null).
  explicit cSymmetryTransform(const cSpatialTransform* t);
  cSymmetryTransform(const cMatrix33& rotation, const cVector3& translation);

  void assignR(const int* r);
  void assignT(const int* t);
  void assignT(const int* t, const int& base);
  // True when this operation after `other` is exactly the identity in integer form:
  // R.other.R = I and R.other.T + T = 0, with no reduction modulo the base.
  bool checkInverse(const cSymmetryTransform& other) const;
  // Called once per operation after R, T, the rotation and the translation are set.
  virtual void init() {}
};

// Operations of orthorhombic, tetragonal and cubic groups: on a cell with orthogonal axes along
// x, y and z every rotation is a signed permutation, so the cell form is already Cartesian.
class cOrthorhombicSymmetryTransform : public cSymmetryTransform {
public:
  // Marks the operation as a signed permutation and records, per row, where its +-1 stands.
  void init() override;
};
