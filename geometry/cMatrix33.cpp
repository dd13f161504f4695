// cMatrix33: arithmetic, Jacobi eigen-decomposition, rotation builders and decompositions.
#include "geometry/cMatrix33.h"

#include <cmath>
#include <iostream>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

// Right-handed rotations about the coordinate axes.
cMatrix33 rotX(double t) {
  const double c = std::cos(t), s = std::sin(t);
  return cMatrix33(1, 0, 0, 0, c, -s, 0, s, c);
}

cMatrix33 rotY(double t) {
  const double c = std::cos(t), s = std::sin(t);
  return cMatrix33(c, 0, s, 0, 1, 0, -s, 0, c);
}

cMatrix33 rotZ(double t) {
  const double c = std::cos(t), s = std::sin(t);
  return cMatrix33(c, -s, 0, s, c, 0, 0, 0, 1);
}

double signOf(double v) { return v < 0 ? -1.0 : 1.0; }

// Quaternion of a rotation matrix. Each branch divides by the component just found, so a
// component at or below `threshold` is treated as zero and the next branch is tried.
void quaternionOf(const double* m, double threshold, double& w, double& x, double& y, double& z) {
  const double w2 = (1 + m[0] + m[4] + m[8]) / 4;
  if (w2 > threshold) {
    w = std::sqrt(w2);
    x = (m[7] - m[5]) / (4 * w);
    y = (m[2] - m[6]) / (4 * w);
    z = (m[3] - m[1]) / (4 * w);
    return;
  }
  w = 0;
  const double x2 = -(m[4] + m[8]) / 2;
  if (x2 > threshold) {
    x = std::sqrt(x2);
    y = m[3] / (2 * x);
    z = m[6] / (2 * x);
    return;
  }
  x = 0;
  const double y2 = (1 - m[8]) / 2;
  if (y2 > threshold) {
    y = std::sqrt(y2);
    z = m[7] / (2 * y);
    return;
  }
  y = 0;
  z = 1;
}

// One Jacobi plane rotation of the pair (a[i][j], a[k][l]).
inline void rotatePair(double (*a)[3], int i, int j, int k, int l, double s, double tau) {
  const double g = a[i][j];
  const double h = a[k][l];
  a[i][j] = g - s * (h + g * tau);
  a[k][l] = h + s * (g - h * tau);
}

// Prints the value, or "O" for a value so tiny it is zero in all but name.
void printEntry(double v) {
  std::cout << "\t[";
  if (v != 0 && std::fabs(v) < 1e-199) std::cout << "O";
  else std::cout << v;
  std::cout << "]";
}

}  // namespace

cMatrix33::cMatrix33() { setZero(); }

cMatrix33::cMatrix33(double v) {
  for (double& e : m) e = v;
}

cMatrix33::cMatrix33(const cVector3& d) : cMatrix33() {
  m[0] = d.x;
  m[4] = d.y;
  m[8] = d.z;
}


cMatrix33::cMatrix33(double m00, double m01, double m02, double m10, double m11, double m12, double m20,
                     double m21, double m22)
    : m{m00, m01, m02, m10, m11, m12, m20, m21, m22} {}

cMatrix33::cMatrix33(const cVector3& a, const cVector3& b, const cVector3& c)
    : m{a.x, b.x, c.x, a.y, b.y, c.y, a.z, b.z, c.z} {}

cMatrix33& cMatrix33::setIdentity() {
  setZero();
  m[0] = m[4] = m[8] = 1.0;
  return *this;
}

cMatrix33& cMatrix33::setZero() {
  for (double& e : m) e = 0.0;
  return *this;
}

cMatrix33 cMatrix33::identity() { return cMatrix33().setIdentity(); }

cMatrix33 cMatrix33::diagMat(const cVector3& v) { return cMatrix33(v); }

void cMatrix33::toArray(double* out) const {
  for (int i = 0; i < 9; ++i) out[i] = m[i];
}

void cMatrix33::fromArray(const double* in) {
  for (int i = 0; i < 9; ++i) m[i] = in[i];
}

cMatrix33 cMatrix33::operator+(const cMatrix33& o) const {
  cMatrix33 r;
  for (int i = 0; i < 9; ++i) r.m[i] = m[i] + o.m[i];
  return r;
}

cMatrix33 cMatrix33::operator-(const cMatrix33& o) const {
  cMatrix33 r;
  for (int i = 0; i < 9; ++i) r.m[i] = m[i] - o.m[i];
  return r;
}

cMatrix33& cMatrix33::operator+=(const cMatrix33& o) {
  for (int i = 0; i < 9; ++i) m[i] += o.m[i];
  return *this;
}

cMatrix33 cMatrix33::operator*(const cMatrix33& o) const {
  const double* b = o.m;
  return cMatrix33(m[0] * b[0] + m[1] * b[3] + m[2] * b[6], m[0] * b[1] + m[1] * b[4] + m[2] * b[7],
                   m[0] * b[2] + m[1] * b[5] + m[2] * b[8],
                   m[3] * b[0] + m[4] * b[3] + m[5] * b[6], m[3] * b[1] + m[4] * b[4] + m[5] * b[7],
                   m[3] * b[2] + m[4] * b[5] + m[5] * b[8],
                   m[6] * b[0] + m[7] * b[3] + m[8] * b[6], m[6] * b[1] + m[7] * b[4] + m[8] * b[7],
                   m[6] * b[2] + m[7] * b[5] + m[8] * b[8]);
}

cMatrix33 cMatrix33::operator*(double s) const {
  cMatrix33 r;
  for (int i = 0; i < 9; ++i) r.m[i] = m[i] * s;
  return r;
}

cMatrix33& cMatrix33::operator*=(double s) {
  for (double& e : m) e *= s;
  return *this;
}

cMatrix33 cMatrix33::getTranspose() const {
  return cMatrix33(m[0], m[3], m[6], m[1], m[4], m[7], m[2], m[5], m[8]);
}

double cMatrix33::det() const {
  return m[0] * m[4] * m[8] + m[1] * m[5] * m[6] + m[2] * m[3] * m[7] - m[2] * m[4] * m[6] -
         m[0] * m[5] * m[7] - m[1] * m[3] * m[8];
}

cMatrix33 cMatrix33::Inverse() const {
  const double d = det();
  return cMatrix33((m[4] * m[8] - m[5] * m[7]) / d, (m[2] * m[7] - m[1] * m[8]) / d,
                   (m[1] * m[5] - m[2] * m[4]) / d,
                   (m[5] * m[6] - m[3] * m[8]) / d, (m[0] * m[8] - m[2] * m[6]) / d,
                   (m[2] * m[3] - m[0] * m[5]) / d,
                   (m[3] * m[7] - m[4] * m[6]) / d, (m[1] * m[6] - m[0] * m[7]) / d,
                   (m[0] * m[4] - m[1] * m[3]) / d);
}

double cMatrix33::norm2() const {
  cVector3 values(0.0);
  cMatrix33 vectors;
  (getTranspose() * (*this)).diagonalize(values, vectors);
  double largest = std::fabs(values.x);
  if (std::fabs(values.y) > largest) largest = std::fabs(values.y);
  if (std::fabs(values.z) > largest) largest = std::fabs(values.z);
  return std::sqrt(largest);
}

// Each eigenvalue's magnitude is compared with the previous signed result, so a negative
// first eigenvalue wins outright; kept as is for compatibility.
double cMatrix33::cosphi() const {
  cVector3 values(0.0);
  cMatrix33 vectors;
  diagonalize(values, vectors);
  const double a = std::fabs(values.x) < 1 ? values.x : 1;
  const double b = std::fabs(values.y) < a ? values.y : a;
  return std::fabs(values.z) < b ? values.z : b;
}

void cMatrix33::diagonalize(cVector3& values, cMatrix33& vectors) const {
  double a[3][3], v[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      a[r][c] = m[3 * r + c];
      v[r][c] = (r == c) ? 1.0 : 0.0;
    }
  double d[3], b[3], z[3] = {0, 0, 0};
  for (int p = 0; p < 3; ++p) b[p] = d[p] = a[p][p];

  for (int sweep = 1; sweep <= 50; ++sweep) {
    const double sm = std::fabs(a[0][1]) + std::fabs(a[0][2]) + std::fabs(a[1][2]);
    if (sm == 0.0) {
      values = cVector3(d[0], d[1], d[2]);
      vectors = cMatrix33(&v[0]);
      return;
    }
    // Early sweeps only rotate the large off-diagonal entries.
    const double threshold = (sweep < 4) ? 0.2 * sm / 9 : 0.0;
    for (int p = 0; p < 2; ++p) {
      for (int q = p + 1; q < 3; ++q) {
        const double g = 100.0 * std::fabs(a[p][q]);
        // Once the entry is negligible beside both diagonal entries, drop it.
        if (sweep > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) && std::fabs(d[q]) + g == std::fabs(d[q])) {
          a[p][q] = 0.0;
        } else if (std::fabs(a[p][q]) > threshold) {
          double h = d[q] - d[p];
          double t;
          if (std::fabs(h) + g == std::fabs(h)) {
            t = a[p][q] / h;
          } else {
            const double theta = 0.5 * h / a[p][q];
            t = 1.0 / (std::fabs(theta) + std::sqrt(1.0 + theta * theta));
            if (theta < 0.0) t = -t;
          }
          const double c = 1.0 / std::sqrt(1 + t * t);
          const double s = t * c;
          const double tau = s / (1.0 + c);
          h = t * a[p][q];
          z[p] -= h;
          z[q] += h;
          d[p] -= h;
          d[q] += h;
          a[p][q] = 0.0;
          for (int j = 0; j < p; ++j) rotatePair(a, j, p, j, q, s, tau);
          for (int j = p + 1; j < q; ++j) rotatePair(a, p, j, j, q, s, tau);
          for (int j = q + 1; j < 3; ++j) rotatePair(a, p, j, q, j, s, tau);
          for (int j = 0; j < 3; ++j) rotatePair(v, j, p, j, q, s, tau);
        }
      }
    }
    for (int p = 0; p < 3; ++p) {
      b[p] += z[p];
      d[p] = b[p];
      z[p] = 0.0;
    }
  }
  std::cout << "Error in diagonalization in Matrix33" << std::endl;
}

cMatrix33 cMatrix33::getSquareRoot() const {
  cVector3 values(0.0);
  cMatrix33 vectors;
  diagonalize(values, vectors);
  const cVector3 roots(std::sqrt(values.x), std::sqrt(values.y), std::sqrt(values.z));
  return (vectors * diagMat(roots)) * vectors.getTranspose();
}

cMatrix33 cMatrix33::getInverseSquareRoot() const {
  cVector3 values(0.0);
  cMatrix33 vectors;
  diagonalize(values, vectors);
  const cVector3 roots(1 / std::sqrt(values.x), 1 / std::sqrt(values.y), 1 / std::sqrt(values.z));
  return (vectors * diagMat(roots)) * vectors.getTranspose();
}

cMatrix33& cMatrix33::fromAxisAngle(const cVector3& a, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const double t = 1 - c;
  m[0] = c + t * a.x * a.x;
  m[1] = t * a.x * a.y - s * a.z;
  m[2] = t * a.x * a.z + s * a.y;
  m[3] = t * a.y * a.x + s * a.z;
  m[4] = c + t * a.y * a.y;
  m[5] = t * a.y * a.z - s * a.x;
  m[6] = t * a.z * a.x - s * a.y;
  m[7] = t * a.z * a.y + s * a.x;
  m[8] = c + t * a.z * a.z;
  return *this;
}

cMatrix33& cMatrix33::fromAxisAnglePi(const cVector3& a) {
  m[0] = 2 * a.x * a.x - 1;
  m[1] = 2 * a.x * a.y;
  m[2] = 2 * a.x * a.z;
  m[3] = 2 * a.y * a.x;
  m[4] = 2 * a.y * a.y - 1;
  m[5] = 2 * a.y * a.z;
  m[6] = 2 * a.z * a.x;
  m[7] = 2 * a.z * a.y;
  m[8] = 2 * a.z * a.z - 1;
  return *this;
}

cMatrix33& cMatrix33::revoluteJointZAxisMatrix(const cVector3& axis) {
  const cVector3 a = axis.normalizedVersion();
  // Any helper direction not parallel to the axis will do.
  const cVector3 h = (std::fabs(axis.y) > 0.1 || std::fabs(axis.z) > 0.1) ? cVector3(1, 0, 0) : cVector3(0, 1, 0);
  const cVector3 u = (a ^ h).normalizedVersion();
  const cVector3 v = u ^ a;
  *this = cMatrix33(v, u, a);
  return *this;
}

cVector3 cMatrix33::rotateToAxis(const cVector3& axis) {
  const cVector3 v = axis.normalizedVersion();
  const double e = std::sqrt(v.x * v.x + v.y * v.y);
  double cosPhi, sinPhi;
  if (std::fabs(v.x) < 1e-10 && std::fabs(v.y) < 1e-10) {
    cosPhi = 1;
    sinPhi = 0;
  } else if (std::fabs(v.x) < 1e-10) {
    cosPhi = 0;
    sinPhi = signOf(v.y);
  } else if (std::fabs(v.y) < 1e-10) {
    cosPhi = signOf(v.x);
    sinPhi = 0;
  } else {
    const double yx = v.y / v.x, xy = v.x / v.y;
    cosPhi = signOf(v.x) / std::sqrt(1 + yx * yx);
    sinPhi = signOf(v.y) / std::sqrt(1 + xy * xy);
  }
  *this = cMatrix33(cosPhi * v.z, -sinPhi, cosPhi * e, sinPhi * v.z, cosPhi, sinPhi * e, -e, 0, v.z);
  const double theta = std::acos(v.z);
  double phi = std::acos(cosPhi);
  if (sinPhi < 0) phi = kTwoPi - phi;
  return cVector3(phi, theta, 0);
}

cMatrix33& cMatrix33::makeEulerRotationZYZ(double alpha, double beta, double gamma) {
  *this = ((rotZ(alpha) * rotY(beta)) * rotZ(gamma)).getTranspose();
  return *this;
}

cMatrix33& cMatrix33::makeEulerRotationXYZ(double alpha, double beta, double gamma) {
  *this = (rotZ(gamma) * rotY(beta)) * rotX(alpha);
  return *this;
}

cMatrix33& cMatrix33::rotationXYZ(double alpha, double beta, double gamma) {
  *this = (rotX(alpha) * rotY(beta)) * rotZ(gamma);
  return *this;
}

cMatrix33& cMatrix33::makeEulerRotationYZX(double alpha, double beta, double gamma) {
  *this = (rotX(gamma) * rotZ(beta)) * rotY(alpha);
  return *this;
}

void cMatrix33::computeEulerDecompositionZYZ(double& alpha, double& beta, double& gamma) const {
  const double m22 = m[8];
  const double m22sq = m22 * m22;
  double s = 0;
  // At the poles (beta 0 or pi) alpha and gamma are not separable: gamma takes the turn.
  if (m22sq > 1 || (s = std::sqrt(1 - m22sq)) <= 1e-8) {
    alpha = 0;
    beta = (m22 < 0) ? kPi : 0;
  } else {
    beta = std::atan2(s, m22);
    alpha = std::atan2(m[7], m[6]);
  }
  if (m22 > 0) gamma = std::atan2(m[1] - m[3], m[0] + m[4]) - alpha;
  else gamma = alpha - std::atan2(-(m[1] + m[3]), -(m[0] - m[4]));
}

void cMatrix33::computeEulerDecomposition(double& a, double& b, double& c) const {
  const double s = std::sqrt(1 - m[8] * m[8]);
  if (s > 1e-8) {
    a = std::atan2(-m[5], -m[2]);
    b = std::atan2(s, m[8]);
    c = std::atan2(-m[7], m[6]);
  } else {
    a = std::atan2(m[3], m[0]);
    b = c = 0;
  }
}

// Tilts the frame by theta about the axis that carries e_z towards the third row, prints the
// intermediate frames, and reports the angle of the tilted frame as a rotation.
void cMatrix33::computeEulerDecompositionZY(const double& theta, double& phi) const {
  const cVector3 x(m[0], m[1], m[2]), y(m[3], m[4], m[5]), z(m[6], m[7], m[8]);
  const cVector3 z0(0, 0, 1);
  const cVector3 n = (z0 ^ z).normalizedVersion();
  std::cout << "n=" << n << std::endl;
  std::cout << "z=" << z << std::endl;
  const double c = std::cos(theta), s = std::sin(theta);
  // Rodrigues: v' = v cos + (n x v) sin + n (n.v)(1 - cos).
  auto rotate = [&](const cVector3& v) { return v * c + (n ^ v) * s + n * ((n | v) * (1 - c)); };
  const cVector3 xPrime = rotate(x), yPrime = rotate(y), zPrime = rotate(z);
  std::cout << "xPrime=" << xPrime << std::endl;
  std::cout << "yPrime=" << yPrime << std::endl;
  std::cout << "zPrime=" << zPrime << std::endl;
  std::cout << "x=" << x << std::endl;
  std::cout << "y=" << y << std::endl;
  std::cout << "xPrime*yPrime=" << (xPrime | yPrime) << std::endl;
  std::cout << "xPrime*z0=" << (xPrime | z0) << std::endl;
  std::cout << "yPrime*z0=" << (yPrime | z0) << std::endl;
  const cMatrix33 rPrime(xPrime.x, xPrime.y, xPrime.z, yPrime.x, yPrime.y, yPrime.z, zPrime.x, zPrime.y, zPrime.z);
  std::cout << "RPrime=" << rPrime;
  std::cout << "this=" << *this;
  std::cout << "RPrimeInverse=" << rPrime.Inverse();
  const double trace = rPrime.m[0] + rPrime.m[4] + rPrime.m[8];
  std::cout << "trace= " << trace << std::endl;
  phi = std::acos((trace - 1) / 2);
  std::cout << "phi= " << phi << std::endl;
}

void cMatrix33::toQuaternion(double& w, double& x, double& y, double& z) const {
  quaternionOf(m, 1e-40, w, x, y, z);
}

cMatrix33& cMatrix33::orthonormalize() {
  double w, x, y, z;
  // A looser threshold than toQuaternion: the input is only nearly a rotation.
  quaternionOf(m, 1e-8, w, x, y, z);
  const double n = std::sqrt(w * w + x * x + y * y + z * z);
  w /= n;
  x /= n;
  y /= n;
  z /= n;
  m[0] = 1 - 2 * y * y - 2 * z * z;
  m[1] = 2 * (x * y - w * z);
  m[2] = 2 * (x * z + w * y);
  m[3] = 2 * (x * y + w * z);
  m[4] = 1 - 2 * x * x - 2 * z * z;
  m[5] = 2 * (y * z - w * x);
  m[6] = 2 * (x * z - w * y);
  m[7] = 2 * (y * z + w * x);
  m[8] = 1 - 2 * x * x - 2 * y * y;
  return *this;
}

void cMatrix33::print() const {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) printEntry(m[3 * r + c]);
    std::cout << std::endl;
  }
  std::cout << std::endl << std::endl;
}

void cMatrix33::getAxis(cVector3& /*axis*/) const {
  cVector3 values(0.0);
  cMatrix33 vectors;
  diagonalize(values, vectors);
  values.print();
}

std::ostream& operator<<(std::ostream& os, const cMatrix33& a) {
  os << "\n";
  for (int r = 0; r < 3; ++r) os << a.m[3 * r] << " " << a.m[3 * r + 1] << " " << a.m[3 * r + 2] << "\n";
  return os;
}
