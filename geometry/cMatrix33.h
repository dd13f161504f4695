// cMatrix33: 3x3 double matrix with rotation builders, Euler/quaternion decompositions and a
// Jacobi eigen-decomposition for symmetric matrices.
#pragma once

#include <iosfwd>
#include <type_traits>

#include "geometry/cVector3.h"

// Plain value type stored row-major (element (r, c) is m[3r + c]). Nothing is checked: a
// singular matrix inverts to infinities/NaN and negative eigenvalues give NaN square roots.
class cMatrix33 {
public:
  double m[9];

  cMatrix33();  // zero matrix
  explicit cMatrix33(double v);
  explicit cMatrix33(const cVector3& diagonal);
  // Copy of a 3x3 array (a template for the same reason as cVector3's array constructor).
  template <class P>
    requires std::is_pointer_v<P> && std::is_convertible_v<P, const double (*)[3]>
  explicit cMatrix33(P a) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) m[3 * r + c] = a[r][c];
  }
  cMatrix33(double m00, double m01, double m02, double m10, double m11, double m12, double m20, double m21,
            double m22);
  // The three vectors become the COLUMNS: cMatrix33(a, b, c) * (1, 0, 0) == a.
  cMatrix33(const cVector3& a, const cVector3& b, const cVector3& c);

  double& operator()(int r, int c) { return m[3 * r + c]; }
  double operator()(int r, int c) const { return m[3 * r + c]; }

  cMatrix33& setIdentity();
  cMatrix33& setZero();
  [[nodiscard]] static cMatrix33 identity();
  [[nodiscard]] static cMatrix33 diagMat(const cVector3& v);
  void toArray(double* out) const;
  void fromArray(const double* in);

  cMatrix33 operator+(const cMatrix33& o) const;
  cMatrix33 operator-(const cMatrix33& o) const;
  cMatrix33& operator+=(const cMatrix33& o);
  cMatrix33 operator*(const cMatrix33& o) const;
  cVector3 operator*(const cVector3& v) const {  // inline: it moves every atom of a fit
    return cVector3(m[0] * v.x + m[1] * v.y + m[2] * v.z, m[3] * v.x + m[4] * v.y + m[5] * v.z,
                    m[6] * v.x + m[7] * v.y + m[8] * v.z);
  }
  cMatrix33 operator*(double s) const;
  cMatrix33& operator*=(double s);

  cMatrix33 getTranspose() const;
  double det() const;
  cMatrix33 Inverse() const;  // adjugate / determinant, no singularity test
  double norm2() const;       // spectral norm
  double cosphi() const;

  // Cyclic Jacobi on the upper triangle; column k of vectors belongs to values[k]. Values
  // are not sorted. Prints a message and leaves both outputs untouched after 50 sweeps.
  void diagonalize(cVector3& values, cMatrix33& vectors) const;
  cMatrix33 getSquareRoot() const;
  cMatrix33 getInverseSquareRoot() const;

  // Rotation builders: each sets this matrix and returns it.
  cMatrix33& fromAxisAngle(const cVector3& axis, double angle);  // axis used as given
  cMatrix33& fromAxisAnglePi(const cVector3& axis);               // half-turn 2 a a^T - I
  cMatrix33& revoluteJointZAxisMatrix(const cVector3& axis);
  cVector3 rotateToAxis(const cVector3& axis);  // returns (phi, theta, 0)
  cMatrix33& makeEulerRotationZYZ(double alpha, double beta, double gamma);  // (Rz Ry Rz)^T
  cMatrix33& makeEulerRotationXYZ(double alpha, double beta, double gamma);  // Rz(g) Ry(b) Rx(a)
  cMatrix33& rotationXYZ(double alpha, double beta, double gamma);           // Rx(a) Ry(b) Rz(g)
  cMatrix33& makeEulerRotationYZX(double alpha, double beta, double gamma);  // Rx(g) Rz(b) Ry(a)

  void computeEulerDecompositionZYZ(double& alpha, double& beta, double& gamma) const;
  void computeEulerDecomposition(double& a, double& b, double& c) const;
  void computeEulerDecompositionZY(const double& theta, double& phi) const;  // prints diagnostics

  void toQuaternion(double& w, double& x, double& y, double& z) const;
  cMatrix33& orthonormalize();  // rotation of this matrix's normalised quaternion

  void print() const;
  void getAxis(cVector3& axis) const;  // prints the eigenvalues; axis is left unchanged
};

std::ostream& operator<<(std::ostream& os, const cMatrix33& m);
