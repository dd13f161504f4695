// cSpatialTransform: composition, inversion and application of rigid transforms.
#include "geometry/cSpatialTransform.h"

#include <iostream>

// Every operation computes its full result before writing `out`, so `out` may safely be
// one of the inputs.

void cSpatialTransform::transformPoint(const cVector3& p, cVector3& out) const { out = rotation * p + translation; }

void cSpatialTransform::computeInverse(cSpatialTransform& out) const {
  const cMatrix33 rt = rotation.getTranspose();
  const cVector3 t = -(rt * translation);
  out.rotation = rt;
  out.translation = t;
}

void cSpatialTransform::rightMultiply3d(const cSpatialTransform& a, cSpatialTransform& out) const {
  const cMatrix33 r = a.rotation * rotation;
  const cVector3 t = a.rotation * translation + a.translation;
  out.rotation = r;
  out.translation = t;
}

void cSpatialTransform::rightMultiplyInverse3d(const cSpatialTransform& a, cSpatialTransform& out) const {
  const cMatrix33 r = a.rotation * rotation.getTranspose();
  const cVector3 t = a.translation - r * translation;
  out.rotation = r;
  out.translation = t;
}

void cSpatialTransform::transformMotion(const cVector6& in, cVector6& out) const {
  const cVector3 w = rotation * in.angular;
  const cVector3 v = rotation * in.linear + (translation ^ w);
  out.angular = w;
  out.linear = v;
}

void cSpatialTransform::inverseTransformMotion(const cVector6& in, cVector6& out) const {
  const cMatrix33 rt = rotation.getTranspose();
  const cVector3 w = rt * in.angular;
  const cVector3 v = rt * (in.linear - (translation ^ in.angular));
  out.angular = w;
  out.linear = v;
}

void cSpatialTransform::transformForce(const cVector6& in, cVector6& out) const {
  const cVector3 f = rotation * in.linear;
  const cVector3 n = rotation * in.angular + (translation ^ f);
  out.angular = n;
  out.linear = f;
}

void cSpatialTransform::openGlMatrix(double* m) const {
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) m[4 * c + r] = rotation(r, c);
    m[4 * c + 3] = 0.0;
  }
  m[12] = translation.x;
  m[13] = translation.y;
  m[14] = translation.z;
  m[15] = 1.0;
}

void cSpatialTransform::print() const {
  const double t[3] = {translation.x, translation.y, translation.z};
  for (int r = 0; r < 3; ++r) {
    std::cout << "\t[" << rotation(r, 0) << "]" << "\t[" << rotation(r, 1) << "]" << "\t[" << rotation(r, 2) << "]"
              << "\t[" << t[r] << "]" << std::endl;
  }
  std::cout << std::endl << std::endl;
}
