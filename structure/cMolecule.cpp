// cMolecule: centre of mass, inertia, rigid moves, aligned atoms and quaternion superposition.
#include "structure/cMolecule.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

// Atoms k - 1 and k belong to different residues (k > 0).
bool startsResidue(const std::vector<cPDBAtom>& atoms, std::size_t k) {
  return k == 0 || atoms[k].residueNumber != atoms[k - 1].residueNumber || atoms[k].chain != atoms[k - 1].chain;
}

void printAtoms(std::vector<cPDBAtom>& atoms) {
  if (atoms.empty()) return;
  for (cPDBAtom& atom : atoms) std::cout << &atom << "\n";
  std::cout << "TER\n";
}

cVector3 row(const cMatrix33& m, int r) { return cVector3(m(r, 0), m(r, 1), m(r, 2)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry of one chain

bool cMolecule::computeCM() {
  const std::vector<cPDBAtom>& source = alignedAtoms.empty() ? atoms : alignedAtoms;
  centreOfMass = cVector3(0.0);
  if (source.empty()) return false;  // the origin rather than 0/0
  for (const cPDBAtom& atom : source) centreOfMass += atom.position;
  centreOfMass /= static_cast<double>(source.size());
  return true;
}

void cMolecule::computeInertia() {
  inertia = cMatrix33();
  for (const cPDBAtom& atom : atoms) {
    const cVector3 d = atom.position - centreOfMass;
    inertia(0, 0) += d.y * d.y + d.z * d.z;
    inertia(1, 1) += d.z * d.z + d.x * d.x;
    inertia(2, 2) += d.x * d.x + d.y * d.y;
    inertia(0, 1) -= d.x * d.y;
    inertia(0, 2) -= d.x * d.z;
    inertia(1, 2) -= d.y * d.z;
  }
  inertia(1, 0) = inertia(0, 1);
  inertia(2, 0) = inertia(0, 2);
  inertia(2, 1) = inertia(1, 2);
  inertiaCount = static_cast<double>(atoms.size());
}

void cMolecule::applyTransform(const cVector3& shift) {
  for (cPDBAtom& atom : atoms) atom.position += shift;
}

void cMolecule::applyTransform(const cSpatialTransform& transform) {
  const cVector3 c = centreOfMass;
  for (cPDBAtom& atom : atoms)
    atom.position = transform.rotation * (atom.position - c) + transform.translation + c;
}

void cMolecule::move(const cSpatialTransform& transform) { applyTransform(transform); }

void cMolecule::moveBack(const cSpatialTransform& transform) {
  cSpatialTransform inverse;
  transform.computeInverse(inverse);
  applyTransform(inverse);
}

// ---------------------------------------------------------------------------------------------
// Aligned atoms

void cMolecule::createAlignedAtoms(bool caOnly) {
  alignedAtomIndices.clear();
  // One atom per listed residue with caOnly; otherwise a residue's atoms, a handful each.
  const std::size_t expected = caOnly ? alignedResidues.size() : atoms.size();
  alignedAtomIndices.reserve(expected);
  alignedAtoms.reserve(alignedAtoms.size() + expected);
  const std::vector<unsigned>& list = alignedResidues;

  long ordinal = -1;  // residue ordinal of the current atom
  std::size_t j = 0;  // next entry of the aligned-residue list
  bool selected = false, taken = false;
  auto listHolds = [&](long r) { return j < list.size() && static_cast<long>(list[j]) == r; };
  auto append = [&](std::size_t k) {
    alignedAtoms.push_back(atoms[k]);
    alignedAtomIndices.push_back(static_cast<unsigned>(k));
    ++j;
  };

  for (std::size_t k = 0; k < atoms.size(); ++k) {
    const bool first = startsResidue(atoms, k);
    if (first) {
      if (caOnly && selected && !taken) {
        // The selected residue had no CA: this residue stands in for it under the same
        // ordinal (and so every later ordinal is one less than its position).
        std::cout << "CA not found" << &atoms[k] << "\n";
        taken = false;
      } else {
        ++ordinal;
        selected = listHolds(ordinal);
        taken = false;
      }
    }
    if (!selected) continue;
    if (caOnly) {
      if (taken || !atoms[k].isCA()) continue;
      append(k);
      taken = true;
      while (listHolds(ordinal)) ++j;  // one atom per residue, however often it is listed
    } else if (first) {
      append(k);
      taken = true;
    } else if (listHolds(ordinal)) {
      append(k);  // the residue is listed again: its next atom as well
    }
  }
}

void cMolecule::copyAligned(std::vector<cPDBAtom>& out, const std::vector<int>& residueOrdinals) const {
  long ordinal = -1;
  std::size_t j = 0;
  for (std::size_t k = 0; k < atoms.size(); ++k) {
    if (startsResidue(atoms, k)) ++ordinal;
    while (j < residueOrdinals.size() && residueOrdinals[j] < ordinal) ++j;
    if (j == residueOrdinals.size()) break;
    if (residueOrdinals[j] == ordinal) out.push_back(atoms[k]);
  }
}

// ---------------------------------------------------------------------------------------------
// Superposition

struct cMolecule::sSuperposition {
  double q[4];         // unit quaternion (scalar first) of the rotation taking this onto other
  double residual;     // sum over pairs of |b - R a|^2 at the optimum
  std::size_t pairs;
};

namespace {

std::vector<cVector3> positionsOf(const std::vector<cPDBAtom>& atoms) {
  std::vector<cVector3> positions;
  positions.reserve(atoms.size());
  for (const cPDBAtom& atom : atoms) positions.push_back(atom.position);
  return positions;
}

}  // namespace

cMolecule::sSuperposition cMolecule::superpose(const cMolecule* other) const {
  return superpose(positionsOf(alignedAtoms), centreOfMass, positionsOf(other->alignedAtoms), other->centreOfMass);
}

cMolecule::sSuperposition cMolecule::superpose(const std::vector<cVector3>& pa, const cVector3& ca,
                                               const std::vector<cVector3>& pb, const cVector3& cb) {
  const std::size_t pairs = std::min(pa.size(), pb.size());
  Eigen::Matrix4d k = Eigen::Matrix4d::Zero();
  for (std::size_t i = 0; i < pairs; ++i) {
    const cVector3 a = pa[i] - ca;
    const cVector3 b = pb[i] - cb;
    const cVector3 m = b - a, p = a + b;
    k(0, 0) += m.x * m.x + m.y * m.y + m.z * m.z;
    k(1, 1) += m.x * m.x + p.y * p.y + p.z * p.z;
    k(2, 2) += p.x * p.x + m.y * m.y + p.z * p.z;
    k(3, 3) += p.x * p.x + p.y * p.y + m.z * m.z;
    k(0, 1) += p.y * m.z - p.z * m.y;
    k(0, 2) += p.z * m.x - p.x * m.z;
    k(0, 3) += p.x * m.y - p.y * m.x;
    k(1, 2) += m.x * m.y - p.x * p.y;
    k(1, 3) += m.x * m.z - p.x * p.z;
    k(2, 3) += m.y * m.z - p.y * p.z;
  }
  for (int r = 0; r < 4; ++r)
    for (int c = r + 1; c < 4; ++c) k(c, r) = k(r, c);

  // The general real solver, real parts taken; the smallest eigenvalue wins, the first of equal
  // ones staying (so a degenerate minimum picks the same vector on every platform).
  const Eigen::EigenSolver<Eigen::Matrix4d> solver(k);
  const Eigen::Vector4d values = solver.eigenvalues().real();
  int smallest = 0;
  for (int i = 1; i < 4; ++i)
    if (values(i) < values(smallest)) smallest = i;
  const Eigen::Vector4d v = solver.eigenvectors().col(smallest).real();
  sSuperposition s;
  // The eigenvector of K is the rotation taking the other chain onto this one; its conjugate
  // takes this chain onto the other.
  s.q[0] = v(0);
  s.q[1] = -v(1);
  s.q[2] = -v(2);
  s.q[3] = -v(3);
  s.residual = std::max(0.0, values(smallest));  // never below 0 by rounding
  s.pairs = pairs;
  return s;
}

namespace {

cMatrix33 rotationOf(const double* q) {
  const double q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
  return cMatrix33(q0 * q0 + q1 * q1 - q2 * q2 - q3 * q3, 2 * (q1 * q2 - q0 * q3), 2 * (q1 * q3 + q0 * q2),
                   2 * (q1 * q2 + q0 * q3), q0 * q0 - q1 * q1 + q2 * q2 - q3 * q3, 2 * (q2 * q3 - q0 * q1),
                   2 * (q1 * q3 - q0 * q2), 2 * (q2 * q3 + q0 * q1), q0 * q0 - q1 * q1 - q2 * q2 + q3 * q3);
}

// The same rotation written for a unit quaternion.
cMatrix33 unitRotationOf(const double* q) {
  const double q0 = q[0], q1 = q[1], q2 = q[2], q3 = q[3];
  return cMatrix33(1 - 2 * (q2 * q2 + q3 * q3), 2 * (q1 * q2 - q0 * q3), 2 * (q1 * q3 + q0 * q2),
                   2 * (q1 * q2 + q0 * q3), 1 - 2 * (q1 * q1 + q3 * q3), 2 * (q2 * q3 - q0 * q1),
                   2 * (q1 * q3 - q0 * q2), 2 * (q2 * q3 + q0 * q1), 1 - 2 * (q1 * q1 + q2 * q2));
}

}  // namespace

namespace {

double rmsd2Of(std::size_t pairs, double residual) { return pairs == 0 ? 0.0 : residual / static_cast<double>(pairs); }

double angleOf(const double* q) {
  const double norm = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  // q and -q are the same rotation: |q0| picks the angle in [0, pi]. The bound keeps a
  // rounded-up cosine from giving NaN.
  const double angle = 2.0 * std::acos(std::min(1.0, std::fabs(q[0]) / norm));
  return std::isnan(angle) ? 0.0 : angle;
}

double centreDistance2Of(const double* q, const cVector3& c, const cVector3& ca, const cVector3& cb) {
  const cMatrix33 r = unitRotationOf(q);
  return (c - (cb + r * (c - ca))).norm2();
}

}  // namespace

void cMolecule::computeDirections(const cMolecule* other) {
  const cMatrix33 r = rotationOf(superpose(other).q);
  direction1 = row(r, 0);
  direction2 = row(r, 1);
}

double cMolecule::computeRMSD(const cMolecule* other) const {
  const sSuperposition s = superpose(other);
  return rmsd2Of(s.pairs, s.residual);
}

double cMolecule::computeAngle(const cMolecule* other) const { return angleOf(superpose(other).q); }

double cMolecule::computeDistAxisCenter(const cMolecule* other, cVector3 c) const {
  return centreDistance2Of(superpose(other).q, c, centreOfMass, other->centreOfMass);
}

cMolecule::sComparison cMolecule::compare(const std::vector<cVector3>& a, const cVector3& ca,
                                          const std::vector<cVector3>& b, const cVector3& cb, const cVector3& c) {
  const sSuperposition s = superpose(a, ca, b, cb);
  const cMatrix33 r = rotationOf(s.q);
  return {rmsd2Of(s.pairs, s.residual), angleOf(s.q), centreDistance2Of(s.q, c, ca, cb), row(r, 0), row(r, 1)};
}

std::vector<int> cMolecule::residueCAIndices() const {
  std::vector<int> indices;
  for (std::size_t k = 0; k < atoms.size(); ++k) {
    if (startsResidue(atoms, k)) indices.push_back(-1);
    if (indices.back() < 0 && atoms[k].isCA()) indices.back() = static_cast<int>(k);
  }
  return indices;
}

void cMolecule::print() { printAtoms(atoms); }

void cMolecule::printAligned() { printAtoms(alignedAtoms); }
