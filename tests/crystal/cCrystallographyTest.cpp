// Tests of cCrystallography::createSymmetryOperators: operators against the reference operations
// converted with the cell, the printed lines, failed builds and copies of the block.
#include "crystal/cCrystallography.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "crystal/seitzMx.h"
#include "crystal/tabSgName.h"
#include "tests/crystal/crystalReference.h"

namespace {

constexpr double kDegree = 0.017453292519943295;

// The cell record's space-group field: the name, then NULs (none when it fills all 11).
void setName(cCrystallography& block, const char* name) {
  std::memset(block.spaceGroupName, 0, sizeof block.spaceGroupName);
  std::memcpy(block.spaceGroupName, name, std::min(std::strlen(name), sizeof block.spaceGroupName));
}

// A block as the PDB reader fills it from a cell record (lengths in Å, angles in degrees).
cCrystallography cellBlock(const char* name, double a, double b, double c, double alpha, double beta, double gamma) {
  cCrystallography block;
  setName(block, name);
  block.cellLengths = cVector3(a, b, c);
  block.cellAngles = cVector3(alpha, beta, gamma) * kDegree;
  const double ca = std::cos(alpha * kDegree), cb = std::cos(beta * kDegree), cg = std::cos(gamma * kDegree);
  const double sg = std::sin(gamma * kDegree), f = (ca - cb * cg) / sg;
  block.cellVectors[0] = cVector3(a, 0.0, 0.0);
  block.cellVectors[1] = cVector3(b * cg, b * sg, 0.0);
  block.cellVectors[2] = cVector3(c * cb, c * f, c * std::sqrt(1.0 - cb * cb - f * f));
  block.cellRead = true;
  return block;
}

double maxDifference(const cMatrix33& x, const cMatrix33& y) {
  double d = 0.0;
  for (int k = 0; k < 9; ++k) d = std::max(d, std::fabs(x.m[k] - y.m[k]));
  return d;
}

std::string build(cCrystallography& block) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(block.createSymmetryOperators(), 0);
  return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(cCrystallography, OperatorsAreTheReferenceOperationsInCartesianForm) {
  struct Case {
    const char* name;
    double a, b, c, alpha, beta, gamma;
    int count, nLoopInv, nList;
    bool signedPermutation;  // orthorhombic, tetragonal, cubic: no conversion
  };
  const Case cases[] = {
      {"P 1", 30, 40, 50, 80, 95, 105, 1, 1, 1, false},
      {"P -1", 30, 40, 50, 80, 95, 105, 2, 2, 1, false},
      {"P 1 2 1", 50, 40, 60, 90, 105, 90, 2, 1, 2, false},
      {"P 1 21/c 1", 50, 40, 60, 90, 105, 90, 4, 2, 2, false},  // negative translations
      {"P 21 21 21", 40, 50, 60, 90, 90, 90, 4, 1, 4, true},    // half cell lengths
      {"P 31", 45, 45, 70, 90, 90, 120, 3, 1, 3, false},         // 3-fold: 120 degrees about z
      {"P 6 2 2", 45, 45, 70, 90, 90, 120, 12, 1, 12, false},
      {"R 3", 45, 45, 70, 90, 90, 120, 3, 1, 3, false},  // centring translations left out
      {"I 41/a", 60, 60, 80, 90, 90, 90, 8, 1, 8, true},
      {"P 4 3 2", 70, 70, 70, 90, 90, 90, 24, 1, 24, true},
  };
  for (const Case& k : cases) {
    cCrystallography block = cellBlock(k.name, k.a, k.b, k.c, k.alpha, k.beta, k.gamma);
    EXPECT_EQ(build(block), "nLoopInv = " + std::to_string(k.nLoopInv) + "\nSgRecord->nList = " +
                                std::to_string(k.nList) + "\n");
    ASSERT_EQ(static_cast<int>(block.symmetryOperators.size()), k.count) << k.name;
    // Every reference operation in Cartesian form: A R A^-1 and A t, A the cell vectors as columns.
    const cMatrix33 A(block.cellVectors[0], block.cellVectors[1], block.cellVectors[2]);
    const RefSetting& ref = RefSettings()[block.sgRecord.tabSgName - TabSgName];
    std::set<std::size_t> matched;
    for (const cSymmetryTransform& op : block.symmetryOperators) {
      EXPECT_EQ(op.isSignedPermutation, k.signedPermutation) << k.name;
      std::size_t r = 0;
      for (; r < ref.ops.size(); ++r) {
        const Op& o = ref.ops[r];
        const cMatrix33 R(o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8]);
        const cVector3 t = A * cVector3(o[9] / 12.0, o[10] / 12.0, o[11] / 12.0);
        if (maxDifference(A * R * A.Inverse(), op.rotation) < 1e-9 && (t - op.translation).norm() < 1e-9) break;
      }
      EXPECT_TRUE(r < ref.ops.size() && matched.insert(r).second) << k.name << ": not an operation, or twice";
    }
    EXPECT_EQ(matched.size() * block.sgRecord.latticeInfo->nTrVector, ref.ops.size()) << k.name;
  }
}

TEST(cCrystallography, RhombohedralAxesFromTheCellAndNothingForCellsThatDoNotFit) {
  const double nan = std::nan("");
  struct Case {
    const char* name;
    double a, b, c, alpha, beta, gamma;
    int count;              // 0: refused, with a message
    const char* extension;  // of the settings-table row built
  };
  const Case cases[] = {
      {"R 3 2", 60, 60, 60, 70, 70, 70, 6, "R"},  // no axes written: those of the cell
      {"R 3 2", 60, 60, 90, 90, 90, 120, 6, "H"},  {"146", 60, 60, 60, 70, 70, 70, 3, "R"},
      {"R 3 :H", 60, 60, 90, 90, 90, 120, 3, "H"}, {"R 3 :R", 60, 60, 90, 90, 90, 120, 0, ""},  // written: kept
      {"R 3", 60, 70, 80, 90, 90, 90, 0, ""},      {"F m -3 m", 100, 101, 100, 90, 90, 90, 0, ""},
      {"P 4 2 2", 70, 70, 90, 90, 90, 120, 0, ""}, {"P 1 2 1", 50, 40, 60, 95, 105, 90, 0, ""},
      {"P 1", 0, 40, 50, 90, 90, 90, 0, ""},       {"P 1", -30, 40, 50, 90, 90, 90, 0, ""},
      {"P 1", 30, nan, 50, 90, 90, 90, 0, ""},     {"P 1", 30, 40, 50, 0, 90, 90, 0, ""},
      {"P 1", 30, 40, 50, 90, 180, 90, 0, ""},     {"P 1", 30, 40, 50, 30, 30, 90, 0, ""},  // angles that do not close
  };
  for (const Case& k : cases) {
    cCrystallography block = cellBlock(k.name, k.a, k.b, k.c, k.alpha, k.beta, k.gamma);
    testing::internal::CaptureStderr();
    build(block);
    const std::string message = testing::internal::GetCapturedStderr();
    ASSERT_EQ(static_cast<int>(block.symmetryOperators.size()), k.count) << k.name << " " << k.b << " " << k.alpha;
    EXPECT_EQ(message.find("no symmetry operators built") != std::string::npos, k.count == 0) << k.name << message;
    if (k.count == 0) continue;
    EXPECT_STREQ(block.sgRecord.tabSgName->extension, k.extension) << k.name;
    for (const cSymmetryTransform& op : block.symmetryOperators)
      EXPECT_LT(maxDifference(op.rotation.getTranspose() * op.rotation, cMatrix33::identity()), 1e-9) << k.name;
  }
}

TEST(cCrystallography, RefusedCellsSayWhyOnAShortLine) {
  const struct {
    double a, alpha;
    const char* says;
  } cases[] = {
      {1e300, 90, "the cell lengths are out of range"},  // the volume overflows
      {1e-300, 90, "the cell lengths are out of range"},  // it vanishes
      {1e308, 90, "a = 1e+308, b = 40.000,"},
      {30, 1e308, "alpha = 1e+308, beta = 90.00,"},
  };
  for (const auto& k : cases) {
    cCrystallography block = cellBlock("P 1", k.a, 40, 50, k.alpha, 90, 90);
    testing::internal::CaptureStderr();
    build(block);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(block.symmetryOperators.empty());
    EXPECT_NE(message.find(k.says), std::string::npos) << message;
    EXPECT_LT(message.size(), 250u) << message;
  }
}

TEST(cCrystallography, FailedBuildAddsNothingAndDoesNotStopTheNext) {
  cCrystallography block = cellBlock("P 1", 30, 40, 50, 90, 90, 90);
  build(block);
  setName(block, "X 99 junk  ");  // 11 characters, no NUL
  EXPECT_EQ(build(block), "");
  EXPECT_EQ(block.symmetryOperators.size(), 1u);
  setName(block, "P 1");
  build(block);
  EXPECT_EQ(block.symmetryOperators.size(), 2u) << "each call appends the group's operators";
}

TEST(cCrystallography, CopiesAreDeepAndIndependent) {
  cCrystallography original = cellBlock("P 4 3 2", 70, 70, 70, 90, 90, 90);
  build(original);
  cCrystallography copy = original;
  setName(original, "P 1");
  original.symmetryOperators.clear();
  build(original);  // rebuilds the original's record in place
  ASSERT_EQ(copy.sgRecord.nList, 24);
  EXPECT_EQ(copy.symmetryOperators.size(), 24u);
  for (int i = 0; i < 24; ++i) EXPECT_NE(GetRotMxOrder(copy.sgRecord.ListSeitzMx[i].R), 0) << i;
}
