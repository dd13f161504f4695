// cCrystallography: the space-group text of the cell record and the Cartesian operators of its
// space group.
#include "crystal/cCrystallography.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "crystal/seitzMx.h"
#include "crystal/seminvariants.h"
#include "crystal/sgBuild.h"
#include "crystal/sgNames.h"
#include "crystal/sgTables.h"

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kPi = 3.141592653589793;
// A cell fits a rotation R (on fractional coordinates) when R^T G R = G for its metric G = A^T A,
// to this fraction of the largest squared edge. Cell records round lengths to 0.001 Å and angles
// to 0.01 degree, which moves G by less than 2e-4 of it for edges of 5 Å and more.
constexpr double kMetricTolerance = 5e-4;

// Why the lengths (Å) and angles (radians) cannot describe a cell, or null when they can.
const char* impossibleCell(const cCrystallography& c) {
  const double lengths[3] = {c.cellLengths.x, c.cellLengths.y, c.cellLengths.z};
  const double angles[3] = {c.cellAngles.x, c.cellAngles.y, c.cellAngles.z};
  for (double l : lengths)
    if (!std::isfinite(l) || l <= 0.0) return "a cell length is not a positive number";
  for (double a : angles)
    if (!std::isfinite(a) || a <= 0.0 || a >= kPi) return "a cell angle is not between 0 and 180 degrees";
  // The volume and the metric (products of two and three lengths) must be ordinary numbers, or
  // every later step would overflow to infinity or vanish.
  for (double l : lengths)
    if (!std::isnormal(l * l)) return "the cell lengths are out of range";
  if (!std::isnormal(lengths[0] * lengths[1] * lengths[2])) return "the cell lengths are out of range";
  // The three angles must close a cell: its volume is real and not zero.
  const cMatrix33 A(c.cellVectors[0], c.cellVectors[1], c.cellVectors[2]);
  const double volume = A.det();
  if (!std::isfinite(volume) || volume <= 1e-9 * lengths[0] * lengths[1] * lengths[2])
    return "the cell angles do not close a cell";
  return nullptr;
}

// True when every listed rotation maps the lattice of the cell (edges as columns of A) onto itself,
// which is also what makes its Cartesian form A R A^-1 orthonormal.
bool fitsCell(const T_SgRecord& sg, const cMatrix33& A) {
  const cMatrix33 G = A.getTranspose() * A;
  const double scale = std::max({G.m[0], G.m[4], G.m[8]});
  for (int i = 0; i < sg.nList; ++i) {
    const int* r = sg.ListSeitzMx[i].R;
    const cMatrix33 R(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8]);
    const cMatrix33 misfit = R.getTranspose() * G * R - G;
    for (double d : misfit.m)
      if (std::fabs(d) > kMetricTolerance * scale) return false;
  }
  return true;
}

// A rhombohedral group named without its axes (no ":H" or ":R", no "VolI"): the table's other
// setting as "number:basis", or empty when the text names its axes or the group is not rhombohedral.
std::string otherRhombohedralBasis(const std::string& text, const T_SgRecord& built) {
  const T_TabSgName* asBuilt = built.tabSgName;
  const std::string used = text.substr(0, 10);  // as the builder reads it
  const std::size_t start = used.find_first_not_of(' ');
  if (asBuilt == nullptr || start == std::string::npos) return "";
  const std::string name = used.substr(start);
  const T_TabSgName* hexagonal = FindTabSgNameEntry(name.c_str(), 'A');  // blank basis: H
  const T_TabSgName* rhombohedral = FindTabSgNameEntry(name.c_str(), 'I');  // blank basis: R
  if (hexagonal == nullptr || rhombohedral == nullptr || hexagonal == rhombohedral ||
      std::strcmp(hexagonal->extension, "H") != 0 || std::strcmp(rhombohedral->extension, "R") != 0)
    return "";
  const T_TabSgName* other = asBuilt == hexagonal ? rhombohedral : hexagonal;
  return std::to_string(other->sgNumber) + ":" + other->extension;
}

// A field of the cell record with the given decimals; a value too large for any cell in %g, so
// that its digits do not fill the line.
std::string fieldText(double value, int decimals) {
  char text[32];
  if (std::fabs(value) < 1e9)
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
  else
    std::snprintf(text, sizeof text, "%g", value);
  return text;
}

void reportUnusableCell(const cCrystallography& c, const std::string& why) {
  std::fprintf(stderr,
               "Crystal cell record: a = %s, b = %s, c = %s Å, alpha = %s, beta = %s, gamma = %s "
               "degrees, space group \"%s\": %s; no symmetry operators built\n",
               fieldText(c.cellLengths.x, 3).c_str(), fieldText(c.cellLengths.y, 3).c_str(),
               fieldText(c.cellLengths.z, 3).c_str(), fieldText(c.cellAngles.x / kDegree, 2).c_str(),
               fieldText(c.cellAngles.y / kDegree, 2).c_str(), fieldText(c.cellAngles.z / kDegree, 2).c_str(),
               c.spaceGroupText().c_str(), why.c_str());
}

}  // namespace

std::string cCrystallography::spaceGroupText() const {
  // The text fills all eleven characters when the record does, so strlen could run past it.
  const void* nul = std::memchr(spaceGroupName, '\0', sizeof spaceGroupName);
  const std::size_t n = nul ? static_cast<const char*>(nul) - spaceGroupName : sizeof spaceGroupName;
  return std::string(spaceGroupName, n);
}

int cCrystallography::createSymmetryOperators() {
  if (const char* why = impossibleCell(*this)) {
    reportUnusableCell(*this, why);
    return 0;
  }
  // The record of a failed build may be partly filled: nothing is read from it.
  if (BuildSgRecord(&sgRecord, spaceGroupName) != 0) return 0;
  const cMatrix33 cell(cellVectors[0], cellVectors[1], cellVectors[2]);
  if (!fitsCell(sgRecord, cell)) {
    // A rhombohedral group whose axes the text leaves open takes the axes the cell has: hexagonal
    // unless the cell is rhombohedral (a = b = c, alpha = beta = gamma).
    const std::string other = otherRhombohedralBasis(spaceGroupText(), sgRecord);
    if (other.empty() || BuildSgRecord(&sgRecord, other.c_str()) != 0 || !fitsCell(sgRecord, cell)) {
      reportUnusableCell(*this, "the cell does not fit the space group");
      return 0;
    }
  }
  (void)Set_si(&sgRecord);

  // Orthorhombic, tetragonal and cubic cells have their axes along x, y and z.
  const int system = sgRecord.crystalSystem;
  const bool orthogonalAxes = system == XS_Orthorhombic || system == XS_Tetragonal || system == XS_Cubic;
  cSymmetryTransform general;
  cOrthorhombicSymmetryTransform orthogonal;
  cSymmetryTransform& op = orthogonalAxes ? orthogonal : general;

  // A centric group keeps its inversion at the origin implicit: each listed operation is
  // followed, in a second round, by its product with the inversion.
  const int nLoopInv = sgRecord.centric == -1 ? 2 : 1;
  std::printf("nLoopInv = %d\n", nLoopInv);
  std::printf("SgRecord->nList = %d\n", sgRecord.nList);

  // Unit edge directions as columns: cell-axis components (Å) to Cartesian.
  const double lengths[3] = {cellLengths.x, cellLengths.y, cellLengths.z};
  const cMatrix33 M(cellVectors[0] / lengths[0], cellVectors[1] / lengths[1], cellVectors[2] / lengths[2]);
  const cMatrix33 inverseM = M.Inverse();
  const int* L = sgRecord.latticeInfo->trVector;  // the null vector of every centring
  for (int inversion = 0; inversion < nLoopInv; ++inversion) {
    const int sign = inversion ? -1 : 1;
    for (int i = 0; i < sgRecord.nList; ++i) {
      const T_RTMx& seitz = sgRecord.ListSeitzMx[i];
      int r[9], t[3];
      for (int k = 0; k < 9; ++k) {
        r[k] = sign * seitz.R[k];
        op.rotation.m[k] = r[k];
      }
      double shift[3];
      for (int j = 0; j < 3; ++j) {
        t[j] = iModPositive(L[j] + sign * seitz.T[j], STBF);
        shift[j] = t[j] * lengths[j] / STBF;
      }
      op.assignR(r);
      op.assignT(t);
      op.translation = cVector3(shift[0], shift[1], shift[2]);
      op.init();
      if (!op.isSignedPermutation) {
        op.rotation = (M * op.rotation) * inverseM;
        op.translation = M * op.translation;
      }
      symmetryOperators.push_back(op);  // as a cSymmetryTransform
    }
  }
  return 0;
}
