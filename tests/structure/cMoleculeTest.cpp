// Tests of cMolecule: centre and inertia, rigid moves, aligned atoms and the superposition
// checked against an independent SVD (Kabsch) fit.
#include "structure/cMolecule.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "tests/geometry/randomSeed.h"

namespace {

cPDBAtom atomAt(const cVector3& p, const char* name = "CA", const char* residue = "ALA", int number = 1,
                char chain = 'A') {
  cPDBAtom atom;
  atom.position = p;
  atom.name = name;
  atom.residueName = residue;
  atom.residueType = cPDBAtom::findResType(residue);
  atom.residueNumber = number;
  atom.chain = chain;
  return atom;
}

// A chain whose aligned atoms are the given points (and whose atoms are the same).
cMolecule chainOf(const std::vector<cVector3>& points) {
  cMolecule m;
  for (std::size_t i = 0; i < points.size(); ++i) m.atoms.push_back(atomAt(points[i], "CA", "ALA", static_cast<int>(i)));
  m.alignedAtoms = m.atoms;
  EXPECT_TRUE(m.computeCM());
  return m;
}

std::vector<cVector3> randomPoints(std::mt19937_64& rng, int n, double spread = 15.0) {
  std::normal_distribution<double> g(0.0, spread);
  std::vector<cVector3> points;
  for (int i = 0; i < n; ++i) {
    const auto [x, y, z] = draws<3>(g, rng);
    points.emplace_back(x + 30.0, y - 10.0, z + 5.0);
  }
  return points;
}

cMatrix33 randomRotation(std::mt19937_64& rng, double angle) {
  std::normal_distribution<double> g;
  const auto [x, y, z] = draws<3>(g, rng);
  return cMatrix33().fromAxisAngle(cVector3(x, y, z).normalize(), angle);
}

std::vector<cVector3> transformed(const std::vector<cVector3>& points, const cMatrix33& r, const cVector3& t) {
  std::vector<cVector3> out;
  for (const cVector3& p : points) out.push_back(r * p + t);
  return out;
}

// Kabsch: the rotation R minimising sum |y_i - cy - R (x_i - cx)|^2, and that minimum.
struct sKabsch {
  Eigen::Matrix3d rotation;
  double residual;
};
sKabsch kabsch(const std::vector<cVector3>& x, const std::vector<cVector3>& y) {
  const auto n = static_cast<Eigen::Index>(x.size());
  Eigen::Matrix3Xd a(3, n), b(3, n);
  for (Eigen::Index i = 0; i < n; ++i) {
    a.col(i) << x[i].x, x[i].y, x[i].z;
    b.col(i) << y[i].x, y[i].y, y[i].z;
  }
  a.colwise() -= a.rowwise().mean();
  b.colwise() -= b.rowwise().mean();
  const Eigen::JacobiSVD<Eigen::Matrix3d> svd(b * a.transpose(), Eigen::ComputeFullU | Eigen::ComputeFullV);
  Eigen::Matrix3d d = Eigen::Matrix3d::Identity();
  d(2, 2) = (svd.matrixU() * svd.matrixV().transpose()).determinant() < 0 ? -1.0 : 1.0;
  const Eigen::Matrix3d r = svd.matrixU() * d * svd.matrixV().transpose();
  return {r, (b - r * a).squaredNorm()};
}

double angleOf(const Eigen::Matrix3d& r) { return std::acos(std::clamp((r.trace() - 1.0) / 2.0, -1.0, 1.0)); }

class cMoleculeTest : public ::testing::Test {
protected:
  void SetUp() override { cPDBAtom::initMaps(); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry of one chain

TEST_F(cMoleculeTest, CentreOfMassUsesAlignedAtomsWhenThereAreAny) {
  cMolecule m;
  m.atoms = {atomAt(cVector3(0, 0, 0)), atomAt(cVector3(4, 0, 0)), atomAt(cVector3(0, 8, 0))};
  m.atoms[2].mass = 100.0f;  // masses are not used
  EXPECT_TRUE(m.computeCM());
  EXPECT_EQ(m.centreOfMass, cVector3(4.0 / 3, 8.0 / 3, 0));
  m.alignedAtoms = {atomAt(cVector3(2, 2, 2)), atomAt(cVector3(4, 4, 4))};
  EXPECT_TRUE(m.computeCM());
  EXPECT_EQ(m.centreOfMass, cVector3(3, 3, 3));

  cMolecule empty;
  empty.centreOfMass = cVector3(7.0);
  EXPECT_FALSE(empty.computeCM());  // no NaN: the origin, and the caller is told
  EXPECT_EQ(empty.centreOfMass, cVector3(0.0));
}

TEST_F(cMoleculeTest, InertiaMatchesTheTensorSum) {
  auto rng = seededEngine("cMolecule.InertiaMatchesTheTensorSum");
  cMolecule m = chainOf(randomPoints(rng, 25));
  m.alignedAtoms.resize(5);  // the centre then comes from five atoms, the sum from all
  ASSERT_TRUE(m.computeCM());
  m.computeInertia();
  Eigen::Matrix3d expected = Eigen::Matrix3d::Zero();
  for (const cPDBAtom& a : m.atoms) {
    const Eigen::Vector3d d(a.position.x - m.centreOfMass.x, a.position.y - m.centreOfMass.y,
                            a.position.z - m.centreOfMass.z);
    expected += d.squaredNorm() * Eigen::Matrix3d::Identity() - d * d.transpose();
  }
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(m.inertia(r, c), expected(r, c), 1e-9 * expected.norm());
  EXPECT_EQ(m.inertiaCount, 25.0);
}

TEST_F(cMoleculeTest, TransformsRotateAboutTheCentre) {
  auto rng = seededEngine("cMolecule.TransformsRotateAboutTheCentre");
  const std::vector<cVector3> points = randomPoints(rng, 10);
  cMolecule m = chainOf(points);
  const cVector3 c = m.centreOfMass;
  const cSpatialTransform t(randomRotation(rng, 1.1), cVector3(1, -2, 3));
  m.move(t);
  for (std::size_t i = 0; i < points.size(); ++i)
    EXPECT_LT((m.atoms[i].position - (t.rotation * (points[i] - c) + t.translation + c)).norm(), 1e-12);
  m.moveBack(t);  // the inverse, about the same centre
  for (std::size_t i = 0; i < points.size(); ++i) EXPECT_LT((m.atoms[i].position - points[i]).norm(), 1e-11);
  m.applyTransform(cVector3(1, 2, 3));
  EXPECT_LT((m.atoms[0].position - (points[0] + cVector3(1, 2, 3))).norm(), 1e-11);
}

// ---------------------------------------------------------------------------------------------
// Aligned atoms

namespace {

// ALA N CA C | GLY N CA | SER N CB (no CA) | LYS N CA | THR CA
cMolecule fiveResidues() {
  cMolecule m;
  const struct {
    const char* name;
    const char* residue;
    int number;
  } rows[] = {{"N", "ALA", 1}, {"CA", "ALA", 1}, {"C", "ALA", 1}, {"N", "GLY", 2}, {"CA", "GLY", 2},
              {"N", "SER", 3}, {"CB", "SER", 3}, {"N", "LYS", 4}, {"CA", "LYS", 4}, {"CA", "THR", 5}};
  for (const auto& r : rows) m.atoms.push_back(atomAt(cVector3(r.number, 0, 0), r.name, r.residue, r.number));
  return m;
}

std::vector<unsigned> indices(const cMolecule& m) { return m.alignedAtomIndices; }

}  // namespace

TEST_F(cMoleculeTest, AlignedCaAtoms) {
  cMolecule m = fiveResidues();
  m.alignedResidues = {1};
  m.createAlignedAtoms(true);
  EXPECT_EQ(indices(m), (std::vector<unsigned>{4}));
  ASSERT_EQ(m.alignedAtoms.size(), 1u);
  EXPECT_EQ(m.alignedAtoms[0].residueName, "GLY");

  m.alignedAtoms.clear();
  m.alignedResidues = {0, 0, 1, 4};  // a repeated ordinal still gives one atom
  m.createAlignedAtoms(true);
  EXPECT_EQ(indices(m), (std::vector<unsigned>{1, 4, 9}));

  // The aligned atoms are appended to, the index list rebuilt.
  m.alignedResidues = {3};
  m.createAlignedAtoms(true);
  EXPECT_EQ(indices(m), (std::vector<unsigned>{8}));
  EXPECT_EQ(m.alignedAtoms.size(), 4u);
}

TEST_F(cMoleculeTest, ResidueWithoutCaTakesTheNextOne) {
  cMolecule m = fiveResidues();
  m.alignedResidues = {2, 3};
  testing::internal::CaptureStdout();
  m.createAlignedAtoms(true);
  const std::string out = testing::internal::GetCapturedStdout();
  // SER has no CA: LYS stands in for it (under SER's ordinal), so entry 3 then finds THR.
  EXPECT_EQ(indices(m), (std::vector<unsigned>{8, 9}));
  EXPECT_EQ(out.rfind("CA not found", 0), 0u);
  EXPECT_NE(out.find("LYS"), std::string::npos);
  EXPECT_EQ(out.back(), '\n');

  // A chain that ends while a residue waits for its CA prints nothing.
  cMolecule tail;
  tail.atoms = {atomAt(cVector3(0.0), "N", "GLY", 1), atomAt(cVector3(0.0), "N", "SER", 2)};
  tail.alignedResidues = {1};
  testing::internal::CaptureStdout();
  tail.createAlignedAtoms(true);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(tail.alignedAtomIndices.empty());
}

TEST_F(cMoleculeTest, AlignedFirstAtomsAndCopies) {
  cMolecule m = fiveResidues();
  m.alignedResidues = {0, 0, 2};  // ordinal 0 listed twice: its first two atoms
  m.createAlignedAtoms(false);
  EXPECT_EQ(indices(m), (std::vector<unsigned>{0, 1, 5}));

  std::vector<cPDBAtom> copies;
  m.copyAligned(copies, {1, 2, 4, 7});
  ASSERT_EQ(copies.size(), 5u);  // every atom of GLY, SER and THR; no residue 7
  EXPECT_EQ(copies[0].residueName, "GLY");
  EXPECT_EQ(copies[4].residueName, "THR");

  // A new chain character starts a new residue even with the same number.
  cMolecule twoChains;
  twoChains.atoms = {atomAt(cVector3(0.0), "CA", "ALA", 1, 'A'), atomAt(cVector3(0.0), "CA", "GLY", 1, 'B')};
  twoChains.alignedResidues = {1};
  twoChains.createAlignedAtoms(true);
  EXPECT_EQ(indices(twoChains), (std::vector<unsigned>{1}));
}

TEST_F(cMoleculeTest, PrintsAtomsThenTer) {
  cMolecule m;
  testing::internal::CaptureStdout();
  m.print();
  m.printAligned();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  m.atoms = {atomAt(cVector3(1, 2, 3)), atomAt(cVector3(4, 5, 6))};
  testing::internal::CaptureStdout();
  m.print();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.substr(0, 6), "ATOM  ");
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3);
  EXPECT_EQ(out.substr(out.size() - 4), "TER\n");
}

// ---------------------------------------------------------------------------------------------
// Superposition

TEST_F(cMoleculeTest, SuperpositionMatchesKabsch) {
  auto rng = seededEngine("cMolecule.SuperpositionMatchesKabsch");
  std::uniform_real_distribution<double> angles(0.0, std::numbers::pi);
  std::normal_distribution<double> noise(0.0, 0.4);
  for (int trial = 0; trial < 60; ++trial) {
    SCOPED_TRACE(trial);
    const std::vector<cVector3> x = randomPoints(rng, 40);
    const double angle = trial == 0 ? std::numbers::pi - 1e-9 : angles(rng);
    std::vector<cVector3> y = transformed(x, randomRotation(rng, angle), cVector3(5, -3, 12));
    if (trial % 2) {
      for (cVector3& p : y) {
        const auto [dx, dy, dz] = draws<3>(noise, rng);
        p += cVector3(dx, dy, dz);
      }
    }
    cMolecule a = chainOf(x), b = chainOf(y);
    const sKabsch fit = kabsch(x, y);

    EXPECT_NEAR(a.computeRMSD(&b), fit.residual / 40.0, 1e-9 * (1.0 + fit.residual));
    const double angleFit = angleOf(fit.rotation);
    EXPECT_NEAR(a.computeAngle(&b), angleFit, trial == 0 ? 1e-6 : 1e-7);
    EXPECT_GE(a.computeAngle(&b), 0.0);
    EXPECT_LE(a.computeAngle(&b), std::numbers::pi);
    if (trial % 2 == 0) {
      EXPECT_NEAR(a.computeAngle(&b), angle, 1e-6);
    }

    // The rotation takes this chain onto the other: its rows are Kabsch's.
    a.computeDirections(&b);
    EXPECT_NEAR(a.direction1.x, fit.rotation(0, 0), 1e-7);
    EXPECT_NEAR(a.direction1.y, fit.rotation(0, 1), 1e-7);
    EXPECT_NEAR(a.direction1.z, fit.rotation(0, 2), 1e-7);
    EXPECT_NEAR(a.direction2.x, fit.rotation(1, 0), 1e-7);
    EXPECT_NEAR(a.direction2.y, fit.rotation(1, 1), 1e-7);
    EXPECT_NEAR(a.direction2.z, fit.rotation(1, 2), 1e-7);
    // The reverse comparison has the same deviation and angle.
    EXPECT_NEAR(b.computeRMSD(&a), a.computeRMSD(&b), 1e-9 * (1.0 + fit.residual));
    EXPECT_NEAR(b.computeAngle(&a), a.computeAngle(&b), 1e-6);
  }
}

TEST_F(cMoleculeTest, IdenticalAndQuarterTurnedChains) {
  auto rng = seededEngine("cMolecule.IdenticalAndQuarterTurnedChains");
  const std::vector<cVector3> x = randomPoints(rng, 30);
  cMolecule a = chainOf(x), same = chainOf(x);
  EXPECT_NEAR(a.computeRMSD(&same), 0.0, 1e-10);
  EXPECT_NEAR(a.computeAngle(&same), 0.0, 1e-6);
  EXPECT_NEAR(a.computeDistAxisCenter(&same, cVector3(3, -40, 7)), 0.0, 1e-12);

  // 90 degrees about z through the centre.
  std::vector<cVector3> y;
  for (const cVector3& p : x) {
    const cVector3 d = p - a.centreOfMass;
    y.push_back(a.centreOfMass + cVector3(-d.y, d.x, d.z));
  }
  cMolecule turned = chainOf(y);
  EXPECT_NEAR(a.computeAngle(&turned), std::numbers::pi / 2, 1e-9);
  EXPECT_NEAR(a.computeRMSD(&turned), 0.0, 1e-9);
  a.computeDirections(&turned);
  EXPECT_LT((a.direction1 - cVector3(0, -1, 0)).norm(), 1e-9);  // rows of the rotation x -> (-y, x)
  EXPECT_LT((a.direction2 - cVector3(1, 0, 0)).norm(), 1e-9);
}

// A chain and its image under an exact 3-fold rotation: a point on the axis is its own image.
TEST_F(cMoleculeTest, ExactThreeFoldCentreDistance) {
  auto rng = seededEngine("cMolecule.ExactThreeFoldCentreDistance");
  for (int trial = 0; trial < 20; ++trial) {
    const std::vector<cVector3> x = randomPoints(rng, 50);
    const cVector3 centre(12.0, -7.0, 30.0);
    const cVector3 axis = cVector3(1.0, 2.0, -0.5 + trial * 0.1).normalize();
    const cMatrix33 r = cMatrix33().fromAxisAngle(axis, 2 * std::numbers::pi / 3);
    const std::vector<cVector3> y = transformed(x, r, centre - r * centre);
    cMolecule a = chainOf(x), b = chainOf(y);
    EXPECT_NEAR(a.computeDistAxisCenter(&b, centre), 0.0, 1e-16);
    EXPECT_NEAR(a.computeDistAxisCenter(&b, centre + axis * 25.0), 0.0, 1e-16);  // anywhere on the axis
    const cVector3 off = centre + (axis ^ cVector3(0, 0, 1)).normalize() * 2.0;
    EXPECT_NEAR(a.computeDistAxisCenter(&b, off), 3 * 4.0, 1e-9);  // chord of 120 degrees at radius 2
    EXPECT_NEAR(a.computeAngle(&b), 2 * std::numbers::pi / 3, 1e-9);
  }
}

TEST_F(cMoleculeTest, PairsOverTheSmallerCount) {
  auto rng = seededEngine("cMolecule.PairsOverTheSmallerCount");
  const std::vector<cVector3> x = randomPoints(rng, 30);
  const std::vector<cVector3> y = transformed(x, randomRotation(rng, 0.8), cVector3(1, 2, 3));
  cMolecule longer = chainOf(y);
  cMolecule shorter = chainOf(std::vector<cVector3>(x.begin(), x.begin() + 20));
  cMolecule truncated = chainOf(std::vector<cVector3>(y.begin(), y.begin() + 20));
  truncated.centreOfMass = longer.centreOfMass;  // the pairs use the centres as they are
  for (cMolecule* other : {&longer}) {
    EXPECT_NEAR(shorter.computeRMSD(other), shorter.computeRMSD(&truncated), 1e-9);
    EXPECT_NEAR(other->computeRMSD(&shorter), truncated.computeRMSD(&shorter), 1e-9);
    EXPECT_NEAR(shorter.computeAngle(other), shorter.computeAngle(&truncated), 1e-9);
  }

  cMolecule empty;
  EXPECT_EQ(empty.computeRMSD(&longer), 0.0);
  EXPECT_EQ(longer.computeRMSD(&empty), 0.0);
  EXPECT_EQ(empty.computeAngle(&longer), 0.0);
  EXPECT_FALSE(std::isnan(empty.computeDistAxisCenter(&longer, cVector3(1.0))));
}
