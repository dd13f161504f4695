// Chain clustering: chains are merged greedily into clusters, each one copy of the assembly of
// the tested group, by a distance that mixes superposition RMSD, sequence similarity, the
// rotation angle between chains and the displacement of the assembly centre.
#include "symmetry/chainClustering.h"

#include <cmath>
#include <iostream>

#include "structure/cMolecule.h"
#include "symmetry/cSym.h"

namespace {

constexpr double kPi = 3.141592653589793;

bool isSquare(const tMatrix& m, int n) {
    if (static_cast<int>(m.size()) != n) return false;
    for (const std::vector<double>& row : m)
        if (static_cast<int>(row.size()) != n) return false;
    return true;
}

}  // namespace

tMatrix chainClusterDistances(const tMatrix& S, const tMatrix& R, const tMatrix& A, const tMatrix& X,
                              const std::vector<double>& expectedAngles) {
    const std::size_t n = S.size();
    tMatrix T(n, std::vector<double>(n, kPi));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            for (double angle : expectedAngles) T[i][j] = std::min(T[i][j], std::fabs(A[i][j] - angle));

    // Scales start at 0, so a minimum is never above 0 and a maximum never below.
    double sMin = 0.0, sMax = 0.0, rMax = 0.0, xMax = 0.0, tMax = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (S[i][j] < sMin) sMin = S[i][j];
            if (S[i][j] > sMax) sMax = S[i][j];
            if (R[i][j] > rMax) rMax = R[i][j];
            if (X[i][j] > xMax) xMax = X[i][j];
            if (T[i][j] > tMax) tMax = T[i][j];
        }
    }
    const double sLow = sMin - 40.0;
    const double sDen = sMax - sLow;
    const double rDen = rMax + 3.0;
    const double xDen = xMax + 3.0;
    double tDen = tMax + 0.05;
    if (tDen == 0.0) tDen = 1.0;

    tMatrix D(n, std::vector<double>(n, 0.0));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            D[i][j] = R[i][j] / rDen + (S[i][j] - sLow) / sDen + (5.0 * T[i][j]) / tDen + (5.0 * X[i][j]) / xDen;
    return D;
}

sChainClusters mergeChainClusters(tMatrix D, int m) {
    const int n = static_cast<int>(D.size());
    sChainClusters clusters;
    clusters.representative.resize(n);
    clusters.size.assign(n, 1);
    for (int i = 0; i < n; ++i) clusters.representative[i] = i;
    clusters.count = n;
    if (m <= 0) return clusters;
    const int target = n / m;
    std::vector<int>& rep = clusters.representative;
    std::vector<int>& size = clusters.size;

    while (clusters.count > target) {
        double best = 1e9;
        int a = -1, b = -1;
        for (int i = 0; i < n; ++i) {
            if (rep[i] != i) continue;
            for (int j = i + 1; j < n; ++j) {
                if (rep[j] != j) continue;
                if (D[i][j] < best && size[i] + size[j] <= m) {
                    best = D[i][j];
                    a = i;
                    b = j;
                }
            }
        }
        if (a < 0) {
            clusters.complete = false;
            break;
        }
        for (int x = 0; x < n; ++x) {
            if (rep[x] == b) {
                rep[x] = a;
            } else if (rep[x] == x) {
                D[a][x] = (size[a] * D[a][x] + size[b] * D[b][x]) / (size[a] + size[b]);
            }
        }
        size[a] += size[b];
        size[b] = 0;
        --clusters.count;
    }
    return clusters;
}

void cSym::clusterChains(int m, std::vector<double> angles, bool strict) {
    const int n = chainCount;
    chainToCluster = std::vector<int>(std::max(n, 0), 0);
    if (n == m) {
        clusterIds = {0};
        permutationLength = m;
        return;
    }
    // m <= 0 would divide by zero below: no assembly holds no chains.
    if (m <= 0 || (strict && (n % m != 0 || n <= 0))) {
        std::cout << "Error, unexpected number of chains" << std::endl;
        chainToCluster.reset();
        return;
    }
    if (!isSquare(pairRMSD, n) || !isSquare(pairAngle, n) || !isSquare(pairCentreDistance, n) ||
        static_cast<int>(chains.size()) < n) {
        std::cout << "Error, the chains have not been compared pairwise" << std::endl;
        chainToCluster.reset();
        return;
    }

    tMatrix S(n, std::vector<double>(n, 0.0));
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) S[i][j] = S[j][i] = sequenceTerm(i, j);
    const sChainClusters clusters =
        mergeChainClusters(chainClusterDistances(S, pairRMSD, pairAngle, pairCentreDistance, angles), m);
    if (!clusters.complete && (strict || strictAngles)) {
        chainToCluster.reset();
        std::cout << "Error, unable to cluster the chains" << std::endl;
        return;
    }

    clusterIds.clear();
    for (int x = 0; x < n; ++x)
        if (clusterIds.empty() || clusters.representative[x] > clusterIds.back())
            clusterIds.push_back(clusters.representative[x]);
    permutationLength = m * static_cast<int>(clusterIds.size());

    // Chain slots: the chains, then m - h slots for the missing chains of each cluster of h < m.
    std::vector<int> slots(clusters.representative);
    for (int id : clusterIds) {
        const int h = clusters.size[id];
        if (h > 0 && h < m) slots.insert(slots.end(), m - h, id);
    }
    chainToCluster = std::move(slots);

    // Align each copy's chains again, so that the aligned residues are those common to one copy.
    for (int id : clusterIds) {
        std::vector<cMolecule*> members;
        for (int k = 0; k < n; ++k)
            if ((*chainToCluster)[k] == id) members.push_back(chains[k]);
        realignCluster(members);
    }
}
