// Results of one group: the fixed-column table, the global RMSD line, the optional permutation
// and PyMOL arrow lines, and the group's object in the JSON document.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>
#include <nlohmann/json.hpp>

#include "app/cParameters.h"
#include "geometry/cMatrix33.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

namespace {

using nlohmann::json;

// The two variants of the output differ only in their arrows.
struct sArrowStyle {
    double projectionScale;   // arrow ends at the centre +- scale * largest projection * axis
    bool fixedPymolArrows;    // PyMOL arrows from centre + 50 a to centre - 50 a instead
};
constexpr sArrowStyle kStandardArrows{1.2, false};
constexpr sArrowStyle kFixedArrows{1.0, true};
constexpr double kFixedHalfLength = 50.0;  // Å
// A figure that could not be computed: printed "nan", written null in the JSON document.
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

json toJson(const cVector3& v) { return json::array({v.x, v.y, v.z}); }

// Steps from chain 0 back to chain 0 (or to an undefined slot) under the element's permutation.
// More steps than the group's order means the permutation is not one of the group's elements.
int elementOrder(const std::vector<int>& P, int groupOrder) {
    int steps = 1;
    int x = P[0];
    while (x > 0) {
        if (x >= static_cast<int>(P.size())) endRun(std::cout, "permutation appears to be wrong");
        x = P[x];
        if (++steps > groupOrder) endRun(std::cout, "permutation appears to be wrong");
    }
    return steps;
}

// Rotation of the unit quaternion with scalar part q0 and vector part w.
cMatrix33 quaternionRotation(double q0, const cVector3& w) {
    const double x = w.x, y = w.y, z = w.z;
    return cMatrix33(q0 * q0 + x * x - y * y - z * z, 2 * (x * y - q0 * z), 2 * (x * z + q0 * y),
                     2 * (x * y + q0 * z), q0 * q0 - x * x + y * y - z * z, 2 * (y * z - q0 * x),
                     2 * (x * z - q0 * y), 2 * (y * z + q0 * x), q0 * q0 - x * x - y * y + z * z);
}

// Radius of gyration of the atoms about the line through `centre` along the unit axis a, and the
// largest projection of the atoms on the axis (never below 0).
struct sExtent {
    double sum = 0.0;
    long count = 0;
    double h = 0.0;
    void add(const cVector3& p, const cVector3& centre, const cVector3& a) {
        const cVector3 u = p - centre;
        addOffset(u, u.norm2(), a);
    }
    // The same for the offset u = p - centre already taken, with its squared length u2.
    void addOffset(const cVector3& u, double u2, const cVector3& a) {
        const double along = a | u;
        h = std::max(h, along);
        sum += u2 - along * along;
        ++count;
    }
    double radius() const { return count > 0 ? std::sqrt(sum / count) : 0.0; }
};

void writeArrow(std::FILE* out, const cVector3& from, const cVector3& to) {
    std::fprintf(out, "cgo_arrow [%g,%g,%g], [%g,%g,%g] \n", from.x, from.y, from.z, to.x, to.y, to.z);
}

void writePermutation(std::FILE* out, const std::vector<int>& P, int length, json& element) {
    length = std::min(length, static_cast<int>(P.size()));
    std::fprintf(out, "(");
    json values = json::array();
    for (int l = 0; l < length; ++l) {
        std::fprintf(out, l + 1 < length ? "%i, " : "%i)\n", P[l]);
        values.push_back(P[l]);
    }
    if (length <= 0) std::fprintf(out, ")\n");
    element["permutation"] = values;
}

// One element of a group that does not cover every chain, fitted on its own: its axis a through
// its centre c, and the RMSD of its atom pairs; fitted is false when it pairs none. A half turn
// is the same rotation about a and -a, so only the other elements' axes show the group's sense.
struct sElementFit {
    bool fitted = false;
    bool halfTurn = false;
    double rmsd = kNoValue;
    double weight = 0.0;
    cVector3 a{kNoValue};
    cVector3 c{kNoValue};
};

sElementFit fitElementAlone(cSym& sym, cPointSymmetryGroup* group, int k) {
    sym.initCoefficients(0.0);
    sym.computeCoefficients(group, true, k);
    double residual = 0.0;
    if (group->order == 2) sym.TrustRegionCholeskyCyclic2(residual);
    else sym.TrustRegionCholeskyCyclic(residual);
    sElementFit fit;
    fit.weight = sym.totalWeight;
    fit.fitted = sym.totalWeight > 0.0;
    fit.halfTurn = std::fabs(group->q0[k]) < 1e-9;
    if (fit.fitted) {
        fit.rmsd = std::sqrt(std::max(residual, 0.0) / sym.totalWeight);
        fit.a = sym.a1;
        fit.c = sym.elementCentres[k] - sym.centreOffset;
    }
    return fit;
}

// The axis line that every rotation of a cyclic group shares, from the elements that could be
// fitted: their axes, turned to the sense of the heaviest element that is not a half turn,
// averaged with their pair counts as weights, through the weighted mean of their centres; the
// centre is the point of that line nearest the centre of mass of the chains present. Returns
// false when no element was fitted.
bool sharedAxis(const std::vector<sElementFit>& fits, const std::vector<cMolecule*>& chains, int n, cVector3& a,
                cVector3& centre) {
    const sElementFit* sense = nullptr;
    for (const sElementFit& fit : fits)
        if (fit.fitted && (!sense || (sense->halfTurn && !fit.halfTurn) ||
                           (sense->halfTurn == fit.halfTurn && fit.weight > sense->weight)))
            sense = &fit;
    if (!sense) return false;
    cVector3 sumAxis(0.0), sumCentre(0.0);
    double weight = 0.0;
    for (const sElementFit& fit : fits) {
        if (!fit.fitted) continue;
        sumAxis += fit.a * ((fit.a | sense->a) < 0.0 ? -fit.weight : fit.weight);
        sumCentre += fit.c * fit.weight;
        weight += fit.weight;
    }
    const double length = sumAxis.norm();
    if (!(length > 0.0)) return false;
    a = sumAxis / length;
    const cVector3 onLine = sumCentre / weight;
    cVector3 mass(0.0);
    long count = 0;
    for (int j = 0; j < n; ++j)
        for (const cPDBAtom& atom : chains[j]->alignedAtoms) {
            mass += atom.position;
            ++count;
        }
    centre = count > 0 ? onLine + a * (a | (mass / static_cast<double>(count) - onLine)) : onLine;
    return true;
}

void writeResults(cSym& sym, cPointSymmetryGroup* group, std::FILE* out, json* document, const sArrowStyle& style) {
    const int n = sym.chainCount;
    const int L = std::min(sym.permutationLength, static_cast<int>(group->permutations.size()));
    const bool full = sym.permutationLength == n;
    const std::vector<cMolecule*>& chains = sym.chains;
    const bool permutationOutput = sym.parameters->permutationOutput;
    const bool pymolOutput = sym.parameters->pymolOutput;

    if (full)
        std::fprintf(out, "%7s%7s%7s%7s%7s%6s%8s%8s%8s%10s%10s%10s\n", "RMSD", "RMSD_R", "RMSD_T", "RMSD_Z", "RADGYR",
                     "ORDER", "AXIS X", "AXIS Y", "AXIS Z", "CENTER X", "CENTER Y", "CENTER Z");
    else
        std::fprintf(out, "%7s%7s%6s%8s%8s%8s%10s%10s%10s\n", "RMSD", "RADGYR", "ORDER", "AXIS X", "AXIS Y", "AXIS Z",
                     "CENTER X", "CENTER Y", "CENTER Z");

    json groupObject = json::object();
    groupObject["group"] = group->getDescription();
    groupObject["transforms"] = json::array();
    // Centre of mass of the last point list of the fit: for a group that covers every chain,
    // that of all aligned atoms, which every element of a symmetric assembly leaves in place.
    const cVector3 C = sym.centreOfMass;
    std::vector<int> printed;
    // Full form: every aligned atom about C, and its squared distance from C, the same for every
    // element.
    std::vector<std::vector<cVector3>> aboutC;
    std::vector<std::vector<double>> distance2;
    if (full) {
        for (const cMolecule* chain : chains) {
            std::vector<cVector3>& u = aboutC.emplace_back();
            std::vector<double>& r2 = distance2.emplace_back();
            u.reserve(chain->alignedAtoms.size());
            r2.reserve(chain->alignedAtoms.size());
            for (const cPDBAtom& atom : chain->alignedAtoms) {
                u.push_back(atom.position - C);
                r2.push_back(u.back().norm2());
            }
        }
    }

    // Partial form: every element fitted on its own first, so that an element that pairs no
    // chains can be given the axis and centre that the others share.
    std::vector<sElementFit> fits;
    cVector3 groupAxis(kNoValue), groupCentre(kNoValue);
    if (!full) {
        fits.resize(std::max(L, 0));
        bool unfitted = false;
        for (int k = 0; k < L; ++k) {
            const std::vector<int>& P = group->permutations[k];
            if (P.empty() || P[0] == 0) continue;
            fits[k] = fitElementAlone(sym, group, k);
            unfitted = unfitted || !fits[k].fitted;
        }
        if (unfitted) sharedAxis(fits, chains, n, groupAxis, groupCentre);
    }

    for (int k = 0; k < L; ++k) {
        const std::vector<int>& P = group->permutations[k];
        if (P.empty() || P[0] == 0) continue;  // the identity
        printed.push_back(k);
        json element = json::object();
        const int order = elementOrder(P, group->order);
        // What both layouts write after their RMSD figures: the element's axis a through centre,
        // its end points projectionScale * h (Å) to either side, and the optional permutation
        // and PyMOL lines.
        auto writeAxis = [&](const cVector3& a, const cVector3& centre, double h, double radius) {
            const cVector3 P0 = centre + a * (style.projectionScale * h);
            const cVector3 P1 = centre - a * (style.projectionScale * h);
            element["RAD_GYR"] = radius;
            element["ORDER"] = order;
            element["AXIS"] = toJson(a);
            element["CENTER"] = toJson(centre);
            element["P0"] = toJson(P0);
            element["P1"] = toJson(P1);
            if (permutationOutput) writePermutation(out, P, sym.permutationLength, element);
            // An element without an axis gets no arrow: PyMOL cannot draw "nan".
            if (pymolOutput && std::isfinite(a.x)) {
                if (style.fixedPymolArrows)
                    writeArrow(out, centre + a * kFixedHalfLength, centre - a * kFixedHalfLength);
                else
                    writeArrow(out, P0, P1);
            }
        };

        if (full) {
            const cVector3 w = sym.a1 * group->q1[k] + sym.a2 * group->q2[k] + (sym.a1 ^ sym.a2) * group->q3[k];
            const double wn = w.norm();
            const cVector3 a = wn > 0.0 ? w / wn : sym.a1;

            // Radius of gyration about the axis through C.
            sExtent gyration;
            for (std::size_t c = 0; c < aboutC.size(); ++c)
                for (std::size_t i = 0; i < aboutC[c].size(); ++i) gyration.addOffset(aboutC[c][i], distance2[c][i], a);
            const double radius = gyration.radius();

            const cMatrix33 R = quaternionRotation(group->q0[k], w);
            double sumD = 0.0, sumR = 0.0, sumT = 0.0, sumZ = 0.0, h = 0.0;
            long pairs = 0, splitPairs = 0;
            for (int c = 0; c < n && c < static_cast<int>(P.size()); ++c) {
                const int image = P[c];
                if (image < 0 || image >= n) continue;  // no chain to compare with
                const std::vector<cVector3>& source = aboutC[c];
                const std::vector<cVector3>& targetAboutC = aboutC[image];
                const std::vector<cPDBAtom>& target = chains[image]->alignedAtoms;
                const std::size_t common = std::min(source.size(), target.size());
                for (std::size_t i = 0; i < common; ++i) {
                    const cVector3 q = C + R * source[i];
                    const cVector3& s = target[i].position;
                    h = std::max(h, a | targetAboutC[i]);
                    const cVector3 m = (q + s) * 0.5;
                    const cVector3 d = q - s;
                    sumD += d | d;
                    sumZ += (a | d) * (a | d);
                    ++pairs;
                    // Radial and tangential directions at the midpoint; a midpoint on the axis
                    // has neither, and stays out of that split.
                    cVector3 r = (m - C) - a * (a | (m - C));
                    const double rn = r.norm();
                    if (!(rn > 0.0) || !std::isfinite(rn)) continue;
                    r /= rn;
                    const cVector3 t = a ^ r;
                    sumR += (r | d) * (r | d);
                    sumT += (t | d) * (t | d);
                    ++splitPairs;
                }
            }
            // Without pairs there is no deviation to report (NaN: "nan" in the table, null in
            // the JSON), never a perfect 0.
            const double rmsd = pairs > 0 ? std::sqrt(sumD / pairs) : kNoValue;
            const double rmsdR = splitPairs > 0 ? std::sqrt(sumR / splitPairs) : pairs > 0 ? 0.0 : kNoValue;
            const double rmsdT = splitPairs > 0 ? std::sqrt(sumT / splitPairs) : pairs > 0 ? 0.0 : kNoValue;
            const double rmsdZ = pairs > 0 ? std::sqrt(sumZ / pairs) : kNoValue;
            group->RMSD[k] = rmsd;
            group->RMSD_R[k] = rmsdR;
            group->RMSD_T[k] = rmsdT;
            group->RMSD_Z[k] = rmsdZ;

            std::fprintf(out, "%7.3f%7.3f%7.3f%7.3f%7.3f%6d%8.3f%8.3f%8.3f%10.3f%10.3f%10.3f\n", rmsd, rmsdR, rmsdT,
                         rmsdZ, radius, order, a.x, a.y, a.z, C.x, C.y, C.z);
            element["RMSD"] = rmsd;
            element["RMSD_R"] = rmsdR;
            element["RMSD_T"] = rmsdT;
            element["RMSD_Z"] = rmsdZ;
            writeAxis(a, C, h, radius);
        } else {
            const sElementFit& fit = fits[k];
            if (!fit.fitted && std::isfinite(groupAxis.x)) {
                // A rotation that sends no chain present onto another chain present measures
                // nothing, but it turns about the group's axis: that axis and centre, with the
                // extent of all the chains present about them.
                sExtent gyration;
                for (int j = 0; j < n; ++j)
                    for (const cPDBAtom& atom : chains[j]->alignedAtoms) gyration.add(atom.position, groupCentre, groupAxis);
                const double radius = gyration.radius();
                group->RMSD[k] = kNoValue;
                // The dash keeps a blank after it in its 7 columns: a RADGYR of 100 Å or more
                // fills its own 7 and would otherwise read as the dash's minus sign.
                std::fprintf(out, "%6s %7.3f%6d%8.3f%8.3f%8.3f%10.3f%10.3f%10.3f\n", "-", radius, order, groupAxis.x,
                             groupAxis.y, groupAxis.z, groupCentre.x, groupCentre.y, groupCentre.z);
                element["RMSD"] = nullptr;
                writeAxis(groupAxis, groupCentre, gyration.h, radius);
                groupObject["transforms"].push_back(element);
                continue;
            }
            // The element alone: its own axis and centre. (Without any fitted element there is
            // no axis at all, and its figures are no numbers.)
            const cVector3& a = fit.a;
            const cVector3& c = fit.c;

            // About the element's own axis, which passes through c.
            sExtent gyration;
            for (int j = 0; j < n && j < static_cast<int>(P.size()); ++j) {
                if (P[j] >= n) continue;  // sent to a missing chain
                for (const cPDBAtom& atom : chains[j]->alignedAtoms) gyration.add(atom.position, c, a);
            }
            const double radius = fit.fitted ? gyration.radius() : kNoValue;
            group->RMSD[k] = fit.rmsd;

            std::fprintf(out, "%7.3f%7.3f%6d%8.3f%8.3f%8.3f%10.3f%10.3f%10.3f\n", fit.rmsd, radius, order, a.x, a.y,
                         a.z, c.x, c.y, c.z);
            element["RMSD"] = fit.rmsd;
            writeAxis(a, c, fit.fitted ? gyration.h : kNoValue, radius);
        }
        groupObject["transforms"].push_back(element);
    }

    if (full) {
        double S = 0.0;
        for (int k : printed) S += sym.computeRMSD2(group, k);
        const int m = group->chainsPerAssembly;
        const double global = m > 1 ? std::sqrt(S / (m - 1)) : 0.0;
        std::fprintf(out, "RMSD : %f \n", global);
        groupObject["globalRMSD"] = global;
    }
    if (document) document->push_back(groupObject);
}

}  // namespace

void cSym::printResults(cPointSymmetryGroup* group, std::FILE* out, nlohmann::json* document) {
    writeResults(*this, group, out, document, kStandardArrows);
}

void cSym::printResults2(cPointSymmetryGroup* group, std::FILE* out, nlohmann::json* document) {
    writeResults(*this, group, out, document, kFixedArrows);
}
