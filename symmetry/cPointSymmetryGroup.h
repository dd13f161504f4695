// Point-group models: the groups a complex is tested against, and the results of each test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "geometry/cVector3.h"

class cPointSymmetryGroup {
public:
    virtual ~cPointSymmetryGroup() = default;
    virtual std::string getDescription() const = 0;

    int order = 0;              // order of the main rotation: n for Cn and Dn, 12, 24, 60
    int chainsPerAssembly = 0;  // chains in one copy of the assembly: n, 2n, 12, 24, 60
    cVector3 mainAxis{0.0};     // fitted main rotation axis (non-cyclic groups)
    std::string type;           // group letter: "c", "d", "t", "o", "i" or "h"
    cVector3 secondAxis{0.0};   // fitted second generator axis (non-cyclic groups)
    double cosine = 0.0;        // cosine between the main and the second generator axis

    // Per element slot: the chain permutation (chain indices, -1 undefined; empty where the
    // slot holds no element), the rotation as a unit quaternion (q0 scalar) in the frame
    // (main axis, second axis, main x second), and the deviation with its radial,
    // tangential and axial parts. Sized by the symmetry search.
    std::vector<std::vector<int>> permutations;
    std::vector<double> q0, q1, q2, q3;
    double residual = 0.0;  // residual of the last axis fit
    std::vector<double> RMSD, RMSD_R, RMSD_T, RMSD_Z;

protected:
    cPointSymmetryGroup(const char* letter, int order, int chains, double cosine);
};

class cCnSymmetry : public cPointSymmetryGroup {
public:
    explicit cCnSymmetry(int n);
    std::string getDescription() const override;
};

class cDnSymmetry : public cPointSymmetryGroup {
public:
    explicit cDnSymmetry(int n);
    std::string getDescription() const override;
};

// The cubic groups; the cosines are those between a three-fold and an adjacent two-fold axis,
// written out to the last digit because fits compare against them.
class cCubicSymmetry : public cPointSymmetryGroup {
public:
    std::string getDescription() const override;

protected:
    using cPointSymmetryGroup::cPointSymmetryGroup;
};

class cTSymmetry : public cCubicSymmetry {
public:
    cTSymmetry();  // order 12, cosine 1/sqrt(3)
};

class cOSymmetry : public cCubicSymmetry {
public:
    cOSymmetry();  // order 24, cosine sqrt(2/3)
};

class cISymmetry : public cCubicSymmetry {
public:
    cISymmetry();  // order 60, cosine (1 + sqrt(5)) / (2 sqrt(3))
};

// A helical kind that no stage handles; its order, chain count and cosine are zero.
class cHelicalSymmetry : public cPointSymmetryGroup {
public:
    cHelicalSymmetry();
    std::string getDescription() const override;
};

// Point groups live as long as the process: every stage may hold plain pointers to them. This
// hands a group to a process-wide pool that releases it only at exit.
cPointSymmetryGroup* keepForProcess(std::unique_ptr<cPointSymmetryGroup> group);
