// Axis fitting: the main axis from the powers of one element, and for dihedral and cubic groups
// the second axis at the group's fixed angle, by alternating fits of the two axes.
#include <iostream>

#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"
#include "symmetry/groupPermutations.h"

namespace {

bool holdsElement(const cPointSymmetryGroup* group, int element) {
    return element >= 0 && static_cast<std::size_t>(element) < group->permutations.size() &&
           !group->permutations[element].empty();
}

// A perfect assembly's residual can round to slightly below zero; callers take square roots.
double clampResidual(double residual) { return residual < 0.0 ? 0.0 : residual; }

}  // namespace

void cSym::computeAxis(cPointSymmetryGroup* group) {
    computeInertiasForAllAxes(group);
    if (group->type == "c") computeAxisCn(group, -1, -1);
    else computeAxisHighOrder(group);
}

double cSym::computeAxisCn(cPointSymmetryGroup* group, int element, int order) {
    if (order == -1) order = group->order;
    if (element == -1) {
        for (int i = 1; i < static_cast<int>(group->permutations.size()); ++i) {
            if (holdsElement(group, i) && cycleLength(group->permutations[i], i) == order) {
                element = i;
                break;
            }
        }
    }
    // No element generates a cycle of the group's order: the permutation does not describe
    // the group (it was given for another order, or it is not a permutation).
    if (!holdsElement(group, element) || cycleLength(group->permutations[element], element) < 1)
        endRun(std::cout, "Incorrect permutation provided");

    // Only the powers of this element contribute: follow its cycle through its own index.
    initCoefficients(0.0);
    const std::vector<int>& p = group->permutations[element];
    int s = element;
    do {
        computeCoefficients(group, true, s);
        s = p[s];
    } while (s != element);

    double residual = 0.0;
    if (order == 2) TrustRegionCholeskyCyclic2(residual);
    else TrustRegionCholeskyCyclic(residual);
    group->residual = clampResidual(residual);
    return group->residual;
}

void cSym::computeAxisHighOrder(cPointSymmetryGroup* group) {
    // The main generator's element: the image of the first defined slot.
    int element = -1;
    for (int v : mainPermutation)
        if (v != -1) {
            element = v;
            break;
        }
    if (element < 0) endRun(std::cout, "Incorrect permutation provided");
    computeAxisCn(group, element, group->type == "d" ? group->order : 3);

    const int L = static_cast<int>(group->permutations.size());
    auto fitSecondAxis = [&] {
        double r = 0.0;
        initCoefficients(group->cosine);
        for (int j = 0; j < L; ++j) computeCoefficients(group, false, j);
        trustRegionSecondAxis(false, r);
    };
    auto fitMainAxis = [&] {
        double r = 0.0;
        initCoefficients(group->cosine);
        for (int j = 0; j < L; ++j) computeCoefficients(group, true, j);
        trustRegionSecondAxis(true, r);
        return r;
    };

    fitSecondAxis();
    double best = 0.0, previousChange = 1e99;
    cVector3 previousA1 = a1, previousA2 = a2;
    for (int pass = 0; pass < 300; ++pass) {
        fitSecondAxis();
        const double r = fitMainAxis();
        if (pass == 0) {
            best = r;
            previousA1 = a1;
            previousA2 = a2;
            previousChange = 1e99;
            continue;
        }
        const double change = r - best;
        if (pass == 1) {
            best = r;
            previousA1 = a1;
            previousA2 = a2;
            previousChange = change;
            continue;
        }
        if (r > best + 1e-6) {
            // Worse: back to the previous axes, and no extrapolation from them next time.
            a1 = previousA1;
            a2 = previousA2;
            previousChange = 0.0;
            continue;
        }
        if (change < 0.0 && previousChange - change > 0.0) {
            // The residual keeps falling: step further along the last move of a1.
            const double w = -change / (previousChange - change);
            a1 = a1 + (a1 - previousA1) * w;
            a1.normalize();
        }
        if (change == 0.0) {
            best = r;
            break;
        }
        best = r;
        previousA1 = a1;
        previousA2 = a2;
        previousChange = change;
    }
    // The last pass can leave a1 extrapolated off the cone around a2, and fits of one axis on a
    // cone can stall short of the minimum: place a1 on the cone once more and finish the fit of
    // the pair as a rigid frame.
    double residual = fitMainAxis();
    polishAxisPair(group, residual);
    group->residual = clampResidual(residual);
    group->mainAxis = a1;
    group->secondAxis = a2;
}
