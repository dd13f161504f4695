// cSpatialTransform: rigid transform x' = R x + t acting on points, spatial motions and forces.
#pragma once

#include "geometry/cMatrix33.h"
#include "geometry/cVector3.h"

// Six-dimensional spatial vector: angular part first (angular velocity of a motion, moment
// of a force), then the linear part (velocity of a motion, force).
struct cVector6 {
  cVector3 angular;
  cVector3 linear;
};

// No virtual operations: cSymmetryTransform derives from it and copies are plain copies.
// The rotation is assumed orthonormal wherever its transpose stands in for its inverse.
class cSpatialTransform {
public:
  cMatrix33 rotation;
  cVector3 translation;

  cSpatialTransform() : rotation(cMatrix33::identity()), translation(0.0) {}
  cSpatialTransform(const cMatrix33& r, const cVector3& t) : rotation(r), translation(t) {}

  void transformPoint(const cVector3& p, cVector3& out) const;  // out = R p + t
  void computeInverse(cSpatialTransform& out) const;           // (R^T, -R^T t)
  // out = a after this: (a.R R, a.R t + a.t).
  void rightMultiply3d(const cSpatialTransform& a, cSpatialTransform& out) const;
  // out = a after the inverse of this: (a.R R^T, a.t - out.R t).
  void rightMultiplyInverse3d(const cSpatialTransform& a, cSpatialTransform& out) const;

  // Motion (w, v) -> (R w, R v + t x R w); force (n, f) -> (R n + t x R f, R f).
  void transformMotion(const cVector6& in, cVector6& out) const;
  void inverseTransformMotion(const cVector6& in, cVector6& out) const;
  void transformForce(const cVector6& in, cVector6& out) const;

  void openGlMatrix(double* m) const;  // 16 values, column-major 4x4
  void print() const;
};
