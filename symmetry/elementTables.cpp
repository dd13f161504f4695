// Element graphs and generator tables of the point groups, indexed by element number.
#include "symmetry/elementTables.h"

#include <iterator>

namespace {

// Cubic groups. Element x is the permutation of element numbers, generated from the identity 0
// by the two generator tables, that sends 0 to x. Its four neighbours in the element graph are
// first its two partners around a 3-fold axis, {x g, x g^2}, then its two neighbours around the
// axis of h, {x h, x h^-1} (each pair in either order: nothing depends on the order within a
// pair), with g the main generator (order 3), s the second generator (order 2), h = g g s for
// T (order 3) and O (order 4), h = g s g for I (order 5), and (a b)[k] = a[b[k]]. The tests
// rebuild these graphs from the generators.

constexpr int kTElementGraph[][4] = {
    { 1,  2,  3,  4},  // 0
    { 0,  2,  5,  6},  // 1
    { 0,  1,  8,  7},  // 2
    { 9,  8,  0,  4},  // 3
    {10,  5,  0,  3},  // 4
    { 4, 10,  1,  6},  // 5
    { 7, 11,  5,  1},  // 6
    { 6, 11,  2,  8},  // 7
    { 3,  9,  2,  7},  // 8
    { 3,  8, 10, 11},  // 9
    { 4,  5,  9, 11},  // 10
    { 6,  7, 10,  9},  // 11
};

constexpr int kTMainGenerator[] = {
     1,  2,  0,  5,  6,  7,  8,  3,  4, 10, 11,  9,  // 0-11
};

constexpr int kTSecondGenerator[] = {
     5,  4, 10,  6,  1,  0,  3,  9, 11,  7,  2,  8,  // 0-11
};

constexpr int kOElementGraph[][4] = {
    { 4,  6,  1,  2},  // 0
    { 5,  7,  0,  3},  // 1
    { 8, 10,  0,  3},  // 2
    { 9, 11,  1,  2},  // 3
    { 6,  0, 12,  5},  // 4
    { 1,  7,  4, 13},  // 5
    { 0,  4, 14,  8},  // 6
    { 1,  5, 15,  9},  // 7
    { 2, 10, 16,  6},  // 8
    { 3, 11,  7, 17},  // 9
    { 2,  8, 18, 11},  // 10
    { 3,  9, 10, 19},  // 11
    {20, 14, 13,  4},  // 12
    {21, 15,  5, 12},  // 13
    {12, 20,  6, 16},  // 14
    {13, 21,  7, 17},  // 15
    {22, 18,  8, 14},  // 16
    {19, 23,  9, 15},  // 17
    {16, 22, 10, 19},  // 18
    {17, 23, 11, 18},  // 19
    {12, 14, 21, 22},  // 20
    {13, 15, 23, 20},  // 21
    {16, 18, 20, 23},  // 22
    {17, 19, 21, 22},  // 23
};

constexpr int kOMainGenerator[] = {
     4, 12,  5, 13,  6, 14,  0, 20,  1, 21,  7, 15,  // 0-11
     8, 16,  2, 22,  3, 23,  9, 17, 10, 18, 11, 19,  // 12-23
};

constexpr int kOSecondGenerator[] = {
     5,  4, 13, 12,  1,  0,  7,  6, 15, 14, 21, 20,  // 0-11
     3,  2,  9,  8, 17, 16, 23, 22, 11, 10, 19, 18,  // 12-23
};

constexpr int kIElementGraph[][4] = {
    { 1,  2,  4,  6},  // 0
    { 2,  0,  3,  8},  // 1
    { 0,  1,  7,  5},  // 2
    { 4,  9, 11,  1},  // 3
    { 9,  3,  0, 13},  // 4
    {14,  6,  2, 16},  // 5
    { 5, 14,  0, 18},  // 6
    { 8, 19,  2, 21},  // 7
    {19,  7,  1, 23},  // 8
    { 3,  4, 12, 10},  // 9
    {11, 24,  9, 26},  // 10
    {10, 24,  3, 23},  // 11
    {13, 28,  9, 30},  // 12
    {28, 12,  4, 18},  // 13
    { 6,  5, 15, 17},  // 14
    {16, 32, 34, 14},  // 15
    {32, 15, 21,  5},  // 16
    {31, 18, 14, 37},  // 17
    {31, 17, 13,  6},  // 18
    { 8,  7, 20, 22},  // 19
    {21, 35, 19, 39},  // 20
    {35, 20,  7, 16},  // 21
    {23, 27, 19, 41},  // 22
    {27, 22,  8, 11},  // 23
    {10, 11, 27, 25},  // 24
    {26, 42, 24, 44},  // 25
    {42, 25, 10, 30},  // 26
    {22, 23, 24, 40},  // 27
    {12, 13, 29, 31},  // 28
    {30, 45, 28, 47},  // 29
    {45, 29, 26, 12},  // 30
    {18, 17, 36, 28},  // 31
    {15, 16, 35, 33},  // 32
    {34, 48, 32, 50},  // 33
    {33, 48, 37, 15},  // 34
    {21, 20, 38, 32},  // 35
    {51, 37, 47, 31},  // 36
    {51, 36, 17, 34},  // 37
    {39, 53, 50, 35},  // 38
    {38, 53, 41, 20},  // 39
    {55, 41, 44, 27},  // 40
    {40, 55, 22, 39},  // 41
    {25, 26, 43, 45},  // 42
    {44, 56, 42, 58},  // 43
    {43, 56, 40, 25},  // 44
    {30, 29, 42, 46},  // 45
    {47, 52, 45, 58},  // 46
    {46, 52, 36, 29},  // 47
    {33, 34, 49, 51},  // 48
    {50, 54, 48, 59},  // 49
    {49, 54, 38, 33},  // 50
    {37, 36, 48, 52},  // 51
    {46, 47, 51, 59},  // 52
    {38, 39, 55, 54},  // 53
    {50, 49, 53, 57},  // 54
    {41, 40, 56, 53},  // 55
    {44, 43, 55, 57},  // 56
    {58, 59, 56, 54},  // 57
    {59, 57, 43, 46},  // 58
    {57, 58, 52, 49},  // 59
};

constexpr int kIMainGenerator[] = {
     1,  2,  0,  7,  8,  4,  3,  6,  5, 19, 20, 21,  // 0-11
    22, 23,  9, 12, 13, 10, 11, 14, 17, 18, 15, 16,  // 12-23
    35, 38, 39, 32, 27, 40, 41, 24, 28, 29, 30, 31,  // 24-35
    25, 26, 36, 37, 33, 34, 53, 54, 50, 55, 56, 44,  // 36-47
    45, 46, 47, 42, 43, 51, 52, 48, 49, 59, 57, 58,  // 48-59
};

constexpr int kISecondGenerator[] = {
    19,  7,  8, 21, 20, 23, 22,  1,  2, 35, 32, 16,  // 0-11
    38, 39, 27, 24, 11, 40, 41,  0,  4,  3,  6,  5,  // 12-23
    15, 34, 33, 14, 53, 54, 50, 55, 10, 26, 25,  9,  // 24-35
    56, 44, 12, 13, 17, 18, 48, 51, 37, 49, 59, 57,  // 36-47
    42, 45, 30, 43, 58, 28, 29, 31, 36, 47, 52, 46,  // 48-59
};

static_assert(std::size(kTElementGraph) == kTElementCount && std::size(kTMainGenerator) == kTElementCount &&
              std::size(kTSecondGenerator) == kTElementCount);
static_assert(std::size(kOElementGraph) == kOElementCount && std::size(kOMainGenerator) == kOElementCount &&
              std::size(kOSecondGenerator) == kOElementCount);
static_assert(std::size(kIElementGraph) == kIElementCount && std::size(kIMainGenerator) == kIElementCount &&
              std::size(kISecondGenerator) == kIElementCount);

template <std::size_t N>
std::vector<std::vector<int>> graphOf(const int (&rows)[N][4]) {
    std::vector<std::vector<int>> graph;
    for (const auto& row : rows) graph.emplace_back(std::begin(row), std::end(row));
    return graph;
}

template <std::size_t N>
std::vector<int> tableOf(const int (&table)[N]) {
    return std::vector<int>(std::begin(table), std::end(table));
}

}  // namespace

int groupElementCount(char type, int order) {
    switch (type) {
        case 'c': return order;
        case 'd': return 2 * order;
        case 't': return kTElementCount;
        case 'o': return kOElementCount;
        case 'i': return kIElementCount;
        default: return 0;
    }
}

std::vector<std::vector<int>> groupElementGraph(char type, int order) {
    std::vector<std::vector<int>> graph;
    switch (type) {
        case 'c':
            for (int k = 0; k < order; ++k) graph.push_back({(k + 1) % order, (k - 1 + order) % order});
            return graph;
        case 'd': {
            // Two rings, of the even and of the odd elements, joined by rungs 2k - 2k + 1.
            const int n = 2 * order;
            for (int k = 0; k < n; ++k) graph.push_back({(k + 2) % n, (k - 2 + n) % n, k % 2 == 0 ? k + 1 : k - 1});
            return graph;
        }
        case 't': return graphOf(kTElementGraph);
        case 'o': return graphOf(kOElementGraph);
        case 'i': return graphOf(kIElementGraph);
        default: return graph;
    }
}

std::vector<int> groupMainGenerator(char type, int order) {
    std::vector<int> table;
    switch (type) {
        case 'c':
            for (int i = 0; i < order; ++i) table.push_back((i + 1) % order);
            return table;
        case 'd': {
            const int n = 2 * order;
            for (int i = 0; i < n; ++i) table.push_back((i + 2) % n);  // 2k -> 2k + 2, 2k + 1 -> 2k + 3
            return table;
        }
        case 't': return tableOf(kTMainGenerator);
        case 'o': return tableOf(kOMainGenerator);
        case 'i': return tableOf(kIMainGenerator);
        default: return table;
    }
}

std::vector<int> groupSecondGenerator(char type, int order) {
    std::vector<int> table;
    switch (type) {
        case 'd': {
            const int n = 2 * order;
            for (int i = 0; i < n; ++i) table.push_back(n - 1 - i);
            return table;
        }
        case 't': return tableOf(kTSecondGenerator);
        case 'o': return tableOf(kOSecondGenerator);
        case 'i': return tableOf(kISecondGenerator);
        default: return table;  // cyclic groups have one generator
    }
}
