// cVector3: three-component double vector for positions, centres, axes and directions.
#pragma once

#include <cmath>
#include <iosfwd>
#include <string>
#include <type_traits>

// Plain value type: no checks anywhere, so a zero vector normalises to NaN and a division
// by zero gives infinities, exactly as IEEE arithmetic has it.
class cVector3 {
public:
  double x, y, z;

  cVector3() = default;  // components left unset, as for a built-in double
  explicit cVector3(double v) : x(v), y(v), z(v) {}
  cVector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  // The three values of an array. A template so that the literal 0 picks the double
  // constructor instead of being ambiguous with a null pointer.
  template <class P>
    requires std::is_pointer_v<P> && std::is_convertible_v<P, const double*>
  explicit cVector3(P v) : x(v[0]), y(v[1]), z(v[2]) {}

  // The arithmetic below is defined inline (after the class): it sits in every hot loop of
  // the fits. Each operation computes exactly what its out-of-line form did.
  cVector3& setZero();
  double norm() const;
  double norm2() const;  // squared length
  cVector3& normalize();
  cVector3 normalizedVersion() const;
  cVector3& scale(const cVector3& o);  // component-wise product in place
  cVector3& round();                   // each component replaced by its floor

  double operator|(const cVector3& o) const;    // dot product
  cVector3 operator^(const cVector3& o) const;  // cross product this x o

  cVector3 operator+(const cVector3& o) const;
  cVector3 operator-(const cVector3& o) const;
  cVector3& operator+=(const cVector3& o);
  cVector3& operator-=(const cVector3& o);
  cVector3 operator*(double s) const;
  cVector3& operator*=(double s);
  cVector3 operator/(double s) const;
  cVector3& operator/=(double s);
  cVector3 operator*(const cVector3& o) const;  // component-wise
  cVector3 operator/(const cVector3& o) const;  // component-wise
  cVector3 operator-() const;

  bool operator==(const cVector3& o) const;
  bool operator!=(const cVector3& o) const;
  // Not an ordering: true only when every component is below the other's at once.
  bool operator<(const cVector3& o) const;

  // Widens the box [min, max] to hold this point (one bound moves per component).
  void updateMinMax(cVector3& min, cVector3& max) const;

  void print() const;  // " [x x y x z]" on standard output

  void save(std::ofstream& out) const;
  void load(std::ifstream& in);
  void save(const std::string& path) const;
  void load(const std::string& path);
};

inline cVector3 operator*(double s, const cVector3& v) { return cVector3(s * v.x, s * v.y, s * v.z); }
std::ostream& operator<<(std::ostream& os, const cVector3& v);

inline cVector3& cVector3::setZero() {
  x = y = z = 0.0;
  return *this;
}

inline double cVector3::norm() const { return std::sqrt(x * x + y * y + z * z); }
inline double cVector3::norm2() const { return x * x + y * y + z * z; }

inline cVector3& cVector3::normalize() {
  const double n = norm();
  x /= n;
  y /= n;
  z /= n;
  return *this;
}

inline cVector3 cVector3::normalizedVersion() const {
  const double n = norm();
  return cVector3(x / n, y / n, z / n);
}

inline cVector3& cVector3::scale(const cVector3& o) {
  x *= o.x;
  y *= o.y;
  z *= o.z;
  return *this;
}

inline double cVector3::operator|(const cVector3& o) const { return x * o.x + y * o.y + z * o.z; }

inline cVector3 cVector3::operator^(const cVector3& o) const {
  return cVector3(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
}

inline cVector3 cVector3::operator+(const cVector3& o) const { return cVector3(x + o.x, y + o.y, z + o.z); }
inline cVector3 cVector3::operator-(const cVector3& o) const { return cVector3(x - o.x, y - o.y, z - o.z); }

inline cVector3& cVector3::operator+=(const cVector3& o) {
  x += o.x;
  y += o.y;
  z += o.z;
  return *this;
}

inline cVector3& cVector3::operator-=(const cVector3& o) {
  x -= o.x;
  y -= o.y;
  z -= o.z;
  return *this;
}

inline cVector3 cVector3::operator*(double s) const { return cVector3(x * s, y * s, z * s); }

inline cVector3& cVector3::operator*=(double s) {
  x *= s;
  y *= s;
  z *= s;
  return *this;
}

inline cVector3 cVector3::operator/(double s) const { return cVector3(x / s, y / s, z / s); }

inline cVector3& cVector3::operator/=(double s) {
  x /= s;
  y /= s;
  z /= s;
  return *this;
}

inline cVector3 cVector3::operator*(const cVector3& o) const { return cVector3(x * o.x, y * o.y, z * o.z); }
inline cVector3 cVector3::operator/(const cVector3& o) const { return cVector3(x / o.x, y / o.y, z / o.z); }
inline cVector3 cVector3::operator-() const { return cVector3(-x, -y, -z); }

inline bool cVector3::operator==(const cVector3& o) const { return x == o.x && y == o.y && z == o.z; }
inline bool cVector3::operator!=(const cVector3& o) const { return !(*this == o); }
inline bool cVector3::operator<(const cVector3& o) const { return x < o.x && y < o.y && !(z >= o.z); }
