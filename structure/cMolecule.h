// cMolecule: one chain of the complex, its aligned atoms and its superposition on another chain.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "geometry/cMatrix33.h"
#include "geometry/cSpatialTransform.h"
#include "geometry/cVector3.h"
#include "structure/cPDBAtom.h"
#include "structure/cPDBSegment.h"

class MSA;

// Residues: a residue is a maximal run of consecutive atoms with the same residue number and
// chain; residue ordinals count these runs from 0.
//
// Pairwise comparisons pair aligned atom i of this chain with aligned atom i of the other,
// over the smaller of the two aligned-atom counts. They use the centres of mass as last
// computed, and find the rotation R with y ~ c_other + R (x - c_this) that minimises the
// squared deviation (quaternion method).
class cMolecule {
public:
  std::vector<cPDBAtom> atoms;         // the chain's kept atoms in file order
  std::vector<cPDBAtom> alignedAtoms;  // copies of the atoms chosen by createAlignedAtoms
  std::vector<cPDBSegment> segments;   // the segment(s) the chain came from (its sequence)
  std::vector<unsigned> alignedAtomIndices;  // index in atoms of each aligned atom
  std::vector<unsigned> alignedResidues;     // ascending ordinals of the aligned residues
  cVector3 centreOfMass{0.0};
  cVector3 direction1{0.0}, direction2{0.0};  // rows 1 and 2 of the last superposition rotation
  cMatrix33 inertia;  // zero until computeInertia
  double inertiaCount = 0.0;  // atoms summed into the inertia
  bool flag = false;
  std::string label;

  // Unweighted mean position of the aligned atoms, or of all atoms when none is aligned.
  // A molecule without atoms gets the origin and false.
  [[nodiscard]] bool computeCM();
  // Unweighted inertia tensor of all atoms about the centre of mass.
  void computeInertia();

  void applyTransform(const cVector3& shift);
  // Rotation about the centre of mass: p -> R (p - c) + t + c.
  void applyTransform(const cSpatialTransform& transform);
  void move(const cSpatialTransform& transform);
  void moveBack(const cSpatialTransform& transform);  // the inverse transform

  // Appends one atom per aligned residue (its CA with caOnly, else its first atom) to the
  // aligned atoms, which the caller empties first, and rebuilds the index list.
  void createAlignedAtoms(bool caOnly);
  // Appends every atom of the residues whose ordinals are listed (ascending).
  void copyAligned(std::vector<cPDBAtom>& out, const std::vector<int>& residueOrdinals) const;

  void computeDirections(const cMolecule* other);
  // Mean squared deviation (not its root) of the optimal superposition; 0 without pairs.
  double computeRMSD(const cMolecule* other) const;
  // Rotation angle of the optimal superposition, in [0, pi] radians.
  double computeAngle(const cMolecule* other) const;
  // Squared distance between c and its image c_other + R (c - c_this): 0 when c lies on the
  // axis of a rotation that maps this chain onto the other.
  double computeDistAxisCenter(const cMolecule* other, cVector3 c) const;

  // The three quantities above and the direction vectors, from one superposition of point
  // lists (this chain's a with centre ca onto the other's b with centre cb): the same values
  // as the member functions give for aligned atoms at those positions.
  struct sComparison {
    double rmsd2;                    // computeRMSD
    double angle;                    // computeAngle
    double centreDistance2;          // computeDistAxisCenter
    cVector3 direction1, direction2;  // what computeDirections stores
  };
  static sComparison compare(const std::vector<cVector3>& a, const cVector3& ca, const std::vector<cVector3>& b,
                             const cVector3& cb, const cVector3& c);
  // For each residue ordinal (the residues createAlignedAtoms counts), the index in atoms of its
  // first CA, or -1 for a residue without one.
  std::vector<int> residueCAIndices() const;

  // Sequence alignment of chains through the alignment engine (defined with the chain matching,
  // in symmetry/chainSequenceAlignment.cpp, which links the engine). Each chain's sequence is
  // the residue letters of its segments in residue-number order. The multiple form leaves out
  // (and removes from the list) a chain whose sequence has no letter other than 'x', returns an
  // empty alignment for a single sequence without calling the engine, and lets the engine end
  // the process for none. The pairwise form names the sequences "A" (this) and "B". With a
  // non-empty htmlPath the alignment is also written there as HTML (the run never asks for it).
  static std::unique_ptr<MSA> align(std::vector<cMolecule*>& chains, const std::string* htmlPath = nullptr);
  std::unique_ptr<MSA> align(const cMolecule* other, const std::string* htmlPath = nullptr) const;

  // Each atom (all, or the aligned ones) in the debug form, then "TER"; nothing when empty.
  void print();
  void printAligned();

private:
  struct sSuperposition;
  sSuperposition superpose(const cMolecule* other) const;
  static sSuperposition superpose(const std::vector<cVector3>& a, const cVector3& ca, const std::vector<cVector3>& b,
                                  const cVector3& cb);
};
