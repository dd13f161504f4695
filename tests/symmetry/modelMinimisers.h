// Test support: brute-force minimisers of the RMSD model, written independently of the
// trust-region solvers: dense scans followed by Nelder-Mead refinement. Plain double
// arithmetic throughout, so that the scans stay fast in unoptimised sanitizer builds.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "symmetry/RMSD.h"

namespace brute {

using tVec = std::array<double, 3>;
using tObjective = std::function<double(const tVec&)>;

// Nelder-Mead simplex on R^D from x (updated in place); returns the minimum found.
template <std::size_t D>
double nelderMead(const std::function<double(const std::array<double, D>&)>& f, std::array<double, D>& x,
                  double step, int maxIterations = 4000);

// Minimum of f over the unit sphere: a scan of `points` near-uniform directions, then
// refinement of the best few in a local chart.
double sphereMinimum(const tObjective& f, int points);

// n^T H n - 2 g . n for a symmetric H given row by row.
double subProblemValue(const std::array<double, 9>& H, const tVec& g, const tVec& n);

// The centre-free model of a cyclic fit, min over x perpendicular to n of
// n^T A n + b . n + e + T |x|^2 + x . (d - B n), the inner minimum taken in an explicit basis
// of the plane.
struct sCyclicModel {
    std::array<double, 9> A, B;
    tVec b, d;
    double T, e;
};
sCyclicModel cyclicModel(const RMSD& model);
double cyclicModelAt(const sCyclicModel& m, const tVec& n);

// Rotational part of one element: W (E + v^T K v + q0 omega . v), from the element's 21 sums.
struct sElementTerms {
    double W, q0, q1, q2, q3, E;
    std::array<double, 9> K;
    tVec omega;
};
sElementTerms elementTerms(const RMSD& model, int element, double q0, double q1, double q2, double q3);

// Sum of the elements' rotational parts for axes a1, a2 (v = q1 a1 + q2 a2 + q3 a1 x a2).
double frameModelAt(const std::vector<sElementTerms>& terms, const tVec& a1, const tVec& a2);

// Minimum of frameModelAt over all axis pairs with a1 . a2 = cosine: random frames, then
// Nelder-Mead on rotation vectors from the best few.
double frameModelMinimum(const std::vector<sElementTerms>& terms, double cosine, unsigned seed);

tVec fromVector(const cVector3& v);

}  // namespace brute
