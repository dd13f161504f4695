// RMSD: per-element sums over matched atom pairs, the quadratic RMSD model built from them, and
// the solvers that fit the symmetry axes and centre to it.
#pragma once

#include <Eigen/Core>
#include <array>
#include <vector>

#include "geometry/cVector3.h"

class cPointSymmetryGroup;

// The model. For one group element with rotation R (unit quaternion (q0, v)) and matched point
// lists P (source chains) and Q (their images), centred on P's centre of mass c (u = p - c,
// w = q - c), the weighted mean squared deviation is
//     mean|R u - w|^2 = E + v^T K v + q0 (omega . v)
// with K = 4 (tr S I - (S + S^T) / 2), S = mean(u w^T), omega = 4 mean(w x u), E = mean|u - w|^2.
// The vector part v is written in the basis of the two group axes, so the sum over elements is a
// quadratic in one unit axis n; a rotation about n through c - x, x perpendicular to n, adds the
// translation terms T |x|^2 + x . (d - B n). All quantities are in Å^2 (sums of squared Å).
//
// All elements of one model turn about the same centre C = modelCentre - x, modelCentre being
// the centre of mass c of the first element added. An element whose own c differs (a copy of
// the assembly with missing chains matches different chains under different elements) sees the
// offset x + P(c - modelCentre), P the projection across n, which adds terms to T's partners d,
// A, b and e; they vanish when every element has the same centre, as in a complete copy.
//
// Non-virtual base of cSym: no virtual operations; never delete a cSym through an RMSD pointer.
class RMSD {
public:
    // Layout of the 21 sums of one element.
    enum eSum {
        eProdXX = 0, eProdYY, eProdZZ,  // 4 mean(u_x w_x), 4 mean(u_y w_y), 4 mean(u_z w_z)
        eKxx, eKyy, eKzz,               // pair sums of those: YY + ZZ, ZZ + XX, YY + XX
        eOffYX, eOffZY, eOffXZ,         // -4 mean(u_y w_x), -4 mean(u_z w_y), -4 mean(u_x w_z)
        eOffXY, eOffYZ, eOffZX,         // -4 mean(u_x w_y), -4 mean(u_y w_z), -4 mean(u_z w_x)
        eCrossZ, eCrossX, eCrossY,      // mean(w x u), components z, x, y in that order
        eMeanX, eMeanY, eMeanZ,         // m = mean(u - w)
        eSquareX, eSquareY, eSquareZ,   // mean((u_x - w_x)^2), ... ; their sum is E
        eSumCount
    };

    RMSD();

    // Centre of mass of the points (weights null: plain mean, W = n; else weighted, W = sum of
    // weights). n <= 0 leaves the origin and W = 0 rather than dividing by zero.
    void computeCOM(const cVector3* points, int n, const double* weights);
    // Weighted mean of |p - c|^2 about the stored centre; sets W as computeCOM does.
    void computeGyrRad(const cVector3* points, int n, const double* weights);
    // Sums 1 to 3 of the layout (the products u_a w_b) about the stored centre.
    void computeInertiaTwoMolecules(const cVector3* P, const cVector3* Q, int n, const double* weights);
    // Sums 4 to 6 of the layout (cross product, mean difference, squared differences).
    void computeCrossInertia(const cVector3* P, const cVector3* Q, int n, const double* weights);
    // Both of the above for one element (n <= 0: sums, centre and W zero), then stored at the
    // element's index of arrays sized for elementCount elements.
    void incrementInertias(const cVector3* P, const cVector3* Q, int n, const double* weights,
                           cPointSymmetryGroup* group, int element, int elementCount);
    void saveCoefficients(int element, int elementCount);
    // The pairs of one element given in blocks (typically a chain and its image), unweighted and
    // already centred on the centre of mass c of their sources (u = p - c, w = q - c), with c and
    // the sources' mean squared distance from it: the same centre, gyration radius, sums and W
    // as computeCOM, computeGyrRad and incrementInertias on the concatenated lists, without
    // building the lists. Elements whose sources are the same chains share c, the gyration radius
    // and the centred positions.
    struct sCentredBlock {
        const cVector3* u;
        const cVector3* w;
        int n;
    };
    void computeCentredElementSums(const std::vector<sCentredBlock>& blocks, const cVector3& centre,
                                   double gyration2, int element, int elementCount);

    // Starts a new model: stores the cosine between the group's axes, zeroes the coefficients
    // and the total weight.
    void initCoefficients(double cosine);
    // Adds one element's terms with the main axis (solveMain) or the second axis as the unknown;
    // nothing for an element that the group does not hold.
    void computeCoefficients(cPointSymmetryGroup* group, bool solveMain, int element);
    // Mean squared deviation of one element at the current main axis, the centre offset chosen
    // at its best; never below 0. Replaces the coefficient block.
    double computeRMSD2(cPointSymmetryGroup* group, int element);

    // Quantities of one element derived from its sums: K, omega = 4 mean(w x u), E = mean|u - w|^2
    // and m = mean(u - w).
    struct sElementModel {
        Eigen::Matrix3d K;
        Eigen::Vector3d omega;
        double E;
        Eigen::Vector3d m;
    };
    sElementModel elementModel(int element) const;

    // Solvers (trustRegion.cpp). Each writes the axis it fits and the model's minimum.
    // Main axis for a two-fold cycle: lowest eigenvector of A; centre offset zero.
    void TrustRegionCholeskyCyclic2(double& residual);
    // Main axis and centre offset for a cycle of order above 2.
    void TrustRegionCholeskyCyclic(double& residual);
    // Minimiser of n^T H n - 2 g . n on the sphere |n| = radius (the global one).
    Eigen::Vector3d solveSubProblem(const Eigen::Vector3d& g, const Eigen::Matrix3d& H, double radius);
    // Gershgorin lower bounds H_ii - sum_{j != i} |H_ij| of the three eigenvalues.
    Eigen::Vector3d getEigenValueLowerBound(const Eigen::Matrix3d& H);
    // One axis on the cone of the stored cosine around the other (a1 when solveMain, else a2),
    // minimising the rotational part n^T A n + b . n + e.
    void trustRegionSecondAxis(bool solveMain, double& residual);
    // Finishes a fit of both axes (framePolish.cpp): turns the pair (a1, a2) as one rigid frame
    // by damped Newton steps on the rotational model of every element the group holds, keeping
    // only steps that lower it. residual: the model at the axes on entry, lowered on return.
    void polishAxisPair(cPointSymmetryGroup* group, double& residual);

    // The sums of the layout from the accumulated products and the cross, mean and square sums,
    // divided by W.
    void storeProducts(const double (&s)[3][3]);
    void storeCross(const cVector3& cross, const cVector3& mean, const cVector3& square);

    cVector3 centreOfMass{0.0};  // of the current point list
    double gyrationRadius2 = 0.0;  // mean |p - centreOfMass|^2 of the current point list, Å^2
    std::array<double, eSumCount> sums{};  // the current element
    double cosine = 0.0;  // cosine between the main and the second axis of the fitted group

    // Per element index: its sums, its centre of mass (of P) and its weight W. Grown to the
    // largest element count met, never shrunk, so one object serves groups of any size.
    std::vector<std::array<double, eSumCount>> elementSums;
    std::vector<cVector3> elementCentres;
    std::vector<double> elementWeights;

    // The coefficient block of the model G(n, x) = n^T A n + b . n + e + T |x|^2 + x . (d - B n).
    Eigen::Matrix3d A = Eigen::Matrix3d::Zero();
    double T = 0.0;
    Eigen::Matrix3d B = Eigen::Matrix3d::Zero();  // skew-symmetric
    Eigen::Vector3d b = Eigen::Vector3d::Zero();
    Eigen::Vector3d d = Eigen::Vector3d::Zero();
    double e = 0.0;

    cVector3 a1{0.0};  // main axis (unit)
    cVector3 a2{0.0};  // second axis (unit)
    // Fitted centre offset: the symmetry centre is modelCentre minus x.
    cVector3 centreOffset{0.0};
    cVector3 modelCentre{0.0};  // centre of mass of the first element added to the model
    bool modelCentreSet = false;
    double totalWeight = 0.0;  // sum of W over the elements added since initCoefficients
    double W = 0.0;            // weight of the current element
};
