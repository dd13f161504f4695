// Element graphs and generator tables of the point groups (c, d, t, o, i), used to match chains
// to group elements.
#pragma once

#include <vector>

// Elements of the cubic groups; the tables in elementTables.cpp are checked against these sizes.
inline constexpr int kTElementCount = 12;
inline constexpr int kOElementCount = 24;
inline constexpr int kIElementCount = 60;

// Number of elements: c order N: N; d order N: 2N; t 12; o 24; i 60; 0 for any other letter.
int groupElementCount(char type, int order);

// Neighbour lists of the element graph, one list per element:
//   c: (k + 1) mod N, (k - 1) mod N;
//   d: (k + 2) mod 2N, (k - 2) mod 2N, then k + 1 for even k, k - 1 for odd k;
//   t, o, i: two partners around a 3-fold axis, then two around the second kind of axis.
std::vector<std::vector<int>> groupElementGraph(char type, int order);

// Element i goes to entry i under the main generator (c: (i + 1) mod N; d: 2k -> 2k + 2,
// 2k + 1 -> 2k + 3, mod 2N), and under the second generator (d: 2N - 1 - i; empty for c).
std::vector<int> groupMainGenerator(char type, int order);
std::vector<int> groupSecondGenerator(char type, int order);
