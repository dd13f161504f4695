// Group permutations: every element of the tested group as a permutation of the chain slots,
// with its rotation as a unit quaternion in the basis (a1, a2, a1 x a2) of the group's axes.
#include "symmetry/groupPermutations.h"

#include <cmath>
#include <iostream>

#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kCos60 = 0.5;
constexpr double kSin60 = 0.8660254037844386;

// r = g o cur on the defined slots: r[i] = g[cur[i]].
std::vector<int> compose(const std::vector<int>& g, const std::vector<int>& cur) {
    std::vector<int> r(cur.size(), -1);
    for (std::size_t i = 0; i < cur.size(); ++i)
        if (cur[i] != -1) r[i] = g[cur[i]];
    return r;
}

// Empty element slots and zero quaternions and results for `length` element indices.
void resetElements(cPointSymmetryGroup* group, int length) {
    group->permutations.assign(length, {});
    group->q0.assign(length, 0.0);
    group->q1.assign(length, 0.0);
    group->q2.assign(length, 0.0);
    group->q3.assign(length, 0.0);
}

[[noreturn]] void rejectPermutation() { endRun(std::cout, "Incorrect permutation provided"); }

}  // namespace

bool isSlotPermutation(const std::vector<int>& p, int length) {
    if (length < 0 || static_cast<int>(p.size()) != length) return false;
    std::vector<char> hit(length, 0);
    for (int v : p) {
        if (v == -1) continue;
        if (v < 0 || v >= length || hit[v]) return false;
        hit[v] = 1;
    }
    // One to one, and every image is itself defined: p is a bijection of its defined slots.
    for (int i = 0; i < length; ++i)
        if (hit[i] && p[i] == -1) return false;
    return true;
}

int cycleLength(const std::vector<int>& p, int start) {
    const int size = static_cast<int>(p.size());
    if (start < 0 || start >= size) return -1;
    int count = 1;
    for (int x = p[start]; x != start; x = p[x]) {
        if (x < 0 || x >= size || count >= size) return -1;
        ++count;
    }
    return count;
}

int PGCD(int a, int b) {
    while (b != 0) {
        const int r = a % b;
        a = b;
        b = r;
    }
    return a;
}

void cSym::initPermutations(cPointSymmetryGroup* group) {
    const int L = permutationLength;
    group->RMSD.assign(std::max(L, 0), 0.0);
    group->RMSD_R.assign(std::max(L, 0), 0.0);
    group->RMSD_T.assign(std::max(L, 0), 0.0);
    group->RMSD_Z.assign(std::max(L, 0), 0.0);
    if (group->type == "c") {
        initPermutationsCyclic(group);
        return;
    }
    // Both generators must permute the same defined slots: anything else would index past the
    // arrays or store elements under slots of another copy.
    if (L <= 0 || !isSlotPermutation(mainPermutation, L) || !isSlotPermutation(secondPermutation, L))
        rejectPermutation();
    bool anyDefined = false;
    for (int i = 0; i < L; ++i) {
        if ((mainPermutation[i] == -1) != (secondPermutation[i] == -1)) rejectPermutation();
        anyDefined = anyDefined || mainPermutation[i] != -1;
    }
    if (!anyDefined) rejectPermutation();

    resetElements(group, L);
    std::vector<int> start(L, -1);
    for (int i = 0; i < L; ++i)
        if (mainPermutation[i] != -1) start[i] = i;
    explorePermutations(group, start, secondPermutation, mainPermutation, 1.0, 0.0, 0.0, 0.0);
}

void cSym::explorePermutations(cPointSymmetryGroup* group, const std::vector<int>& cur,
                               const std::vector<int>& second, const std::vector<int>& main, double q0,
                               double q1, double q2, double q3) {
    // Elements are stored under the image of the first defined slot.
    int index = -1;
    for (int v : cur)
        if (v != -1) {
            index = v;
            break;
        }
    if (index < 0 || !group->permutations[index].empty()) return;
    group->permutations[index] = cur;
    group->q0[index] = q0;
    group->q1[index] = q1;
    group->q2[index] = q2;
    group->q3[index] = q3;

    // Products r (x) q with the generator's quaternion r applied after the current element,
    // written in the basis (a1, a2, a1 x a2) with a1 . a2 = g.
    const double g = group->cosine;
    explorePermutations(group, compose(second, cur), second, main, -g * q1 - q2, q3, q0 - g * q3, -q1);

    double c = kCos60, s = kSin60;
    if (group->type == "d") {
        c = std::cos(kPi / group->order);
        s = std::sin(kPi / group->order);
    }
    explorePermutations(group, compose(main, cur), second, main, c * q0 - s * (g * q2 + q1),
                        c * q1 + s * (g * q3 + q0), c * q2 - s * q3, s * q2 + c * q3);
}

void cSym::initPermutationsCyclic(cPointSymmetryGroup* group) {
    const int L = permutationLength;
    const std::vector<int>& p = mainPermutation;
    // A generator that is not a permutation of its defined slots would leave an orbit that
    // never returns (or runs off the array).
    if (L <= 0 || !isSlotPermutation(p, L)) rejectPermutation();
    resetElements(group, L);
    std::vector<int> cur(L, -1);
    int first = -1;
    for (int i = 0; i < L; ++i) {
        if (p[i] == -1) continue;
        cur[i] = i;
        if (first < 0) first = i;
    }
    if (first < 0) rejectPermutation();

    const double angle = kPi / group->order;
    const double cs = std::cos(angle), sn = std::sin(angle);
    int index = first;
    double qa = 1.0, qb = 0.0;
    do {
        group->permutations[index] = cur;
        group->q0[index] = qa;
        group->q1[index] = qb;
        for (int& v : cur)
            if (v != -1) v = p[v];
        index = p[index];
        const double na = qa * cs - qb * sn;
        const double nb = qa * sn + qb * cs;
        qa = na;
        qb = nb;
    } while (index != first);
}
