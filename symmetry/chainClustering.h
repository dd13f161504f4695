// Chain clustering: the distance between chains and the greedy merging of chains into copies of
// the assembly. cSym::clusterChains puts the two together.
#pragma once

#include <vector>

using tMatrix = std::vector<std::vector<double>>;  // n rows of n values

// D[i][j] = R/rDen + (S - sLow)/sDen + (5 T)/tDen + (5 X)/xDen for the sequence term S, the pair
// RMSD R (Å^2), the angle term T (radians: distance of the pair's rotation angle A from the
// nearest expected angle, pi when none is expected) and the centre displacement X (Å^2). The
// scales are taken over all pairs: sLow = min(0, S) - 40, sDen = max(0, S) - sLow,
// rDen = max(0, R) + 3, tDen = max(0, T) + 0.05, xDen = max(0, X) + 3.
tMatrix chainClusterDistances(const tMatrix& S, const tMatrix& R, const tMatrix& A, const tMatrix& X,
                              const std::vector<double>& expectedAngles);

// Greedy agglomeration of n chains into n / m clusters of at most m chains: repeatedly merge
// the two clusters at the smallest distance (first pair met in index order on ties) whose sizes
// add up to at most m. Only row a of the merged pair a < b is updated (size-weighted mean).
struct sChainClusters {
    std::vector<int> representative;  // per chain: the smallest chain index of its cluster
    std::vector<int> size;            // per representative: chains in its cluster (0 for others)
    int count = 0;                    // clusters
    bool complete = true;             // the target count n / m was reached
};
sChainClusters mergeChainClusters(tMatrix D, int m);
