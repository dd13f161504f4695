// cVector3: arithmetic, comparison, printing and file storage of three-component vectors.
#include "geometry/cVector3.h"

#include <climits>
#include <cmath>
#include <fstream>
#include <iostream>
#include <limits>

namespace {

// Floor converted through int as the callers expect; values an int cannot hold (and NaN)
// keep their floor instead of invoking an undefined conversion.
double floorThroughInt(double v) {
  const double f = std::floor(v);
  if (f >= static_cast<double>(INT_MIN) && f <= static_cast<double>(INT_MAX)) return static_cast<int>(f);
  return f;
}

}  // namespace

cVector3& cVector3::setZero() {
  x = y = z = 0.0;
  return *this;
}

double cVector3::norm() const { return std::sqrt(x * x + y * y + z * z); }

double cVector3::norm2() const { return x * x + y * y + z * z; }

cVector3& cVector3::normalize() {
  const double n = norm();
  x /= n;
  y /= n;
  z /= n;
  return *this;
}

cVector3 cVector3::normalizedVersion() const {
  const double n = norm();
  return cVector3(x / n, y / n, z / n);
}

cVector3& cVector3::scale(const cVector3& o) {
  x *= o.x;
  y *= o.y;
  z *= o.z;
  return *this;
}

cVector3& cVector3::round() {
  x = floorThroughInt(x);
  y = floorThroughInt(y);
  z = floorThroughInt(z);
  return *this;
}

double cVector3::operator|(const cVector3& o) const { return x * o.x + y * o.y + z * o.z; }

cVector3 cVector3::operator^(const cVector3& o) const {
  return cVector3(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
}

cVector3 cVector3::operator+(const cVector3& o) const { return cVector3(x + o.x, y + o.y, z + o.z); }
cVector3 cVector3::operator-(const cVector3& o) const { return cVector3(x - o.x, y - o.y, z - o.z); }

cVector3& cVector3::operator+=(const cVector3& o) {
  x += o.x;
  y += o.y;
  z += o.z;
  return *this;
}

cVector3& cVector3::operator-=(const cVector3& o) {
  x -= o.x;
  y -= o.y;
  z -= o.z;
  return *this;
}

cVector3 cVector3::operator*(double s) const { return cVector3(x * s, y * s, z * s); }

cVector3& cVector3::operator*=(double s) {
  x *= s;
  y *= s;
  z *= s;
  return *this;
}

cVector3 cVector3::operator/(double s) const { return cVector3(x / s, y / s, z / s); }

cVector3& cVector3::operator/=(double s) {
  x /= s;
  y /= s;
  z /= s;
  return *this;
}

cVector3 cVector3::operator*(const cVector3& o) const { return cVector3(x * o.x, y * o.y, z * o.z); }
cVector3 cVector3::operator/(const cVector3& o) const { return cVector3(x / o.x, y / o.y, z / o.z); }
cVector3 cVector3::operator-() const { return cVector3(-x, -y, -z); }

bool cVector3::operator==(const cVector3& o) const { return x == o.x && y == o.y && z == o.z; }
bool cVector3::operator!=(const cVector3& o) const { return !(*this == o); }

bool cVector3::operator<(const cVector3& o) const { return x < o.x && y < o.y && !(z >= o.z); }

void cVector3::updateMinMax(cVector3& min, cVector3& max) const {
  if (x < min.x) min.x = x;
  else if (x > max.x) max.x = x;
  if (y < min.y) min.y = y;
  else if (y > max.y) max.y = y;
  if (z < min.z) min.z = z;
  else if (z > max.z) max.z = z;
}

void cVector3::print() const {
  std::cout << " [" << x << " x" << " " << y << " x" << " " << z << "]" << std::endl;
}

void cVector3::save(std::ofstream& out) const { out << x << " " << y << " " << z << " "; }

// Reads into temporaries so that a short or malformed file leaves the vector as it was.
void cVector3::load(std::ifstream& in) {
  double a, b, c;
  if (in >> a >> b >> c) {
    x = a;
    y = b;
    z = c;
  }
}

// Full round-trip precision: a file written here reads back to the same vector.
void cVector3::save(const std::string& path) const {
  std::ofstream out(path, std::ios::out | std::ios::trunc);
  out.precision(std::numeric_limits<double>::max_digits10);
  save(out);
}

void cVector3::load(const std::string& path) {
  std::ifstream in(path);
  load(in);
}

cVector3 operator*(double s, const cVector3& v) { return cVector3(s * v.x, s * v.y, s * v.z); }

std::ostream& operator<<(std::ostream& os, const cVector3& v) { return os << v.x << " " << v.y << " " << v.z; }
