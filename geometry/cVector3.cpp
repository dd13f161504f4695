// cVector3: rounding, bounds, printing and file storage (the arithmetic is inline in the header).
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

cVector3& cVector3::round() {
  x = floorThroughInt(x);
  y = floorThroughInt(y);
  z = floorThroughInt(z);
  return *this;
}

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

std::ostream& operator<<(std::ostream& os, const cVector3& v) { return os << v.x << " " << v.y << " " << v.z; }
