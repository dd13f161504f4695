// The least-cost assignment against the best of every map of rows to distinct columns.
#include "symmetry/leastCostAssignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>

#include "tests/geometry/randomSeed.h"

TEST(LeastCostAssignment, FindsTheCheapestMapOnRandomSmallMatrices) {
    // Up to 6 columns (720 orders to try), costs of either sign, whole numbers in half of the
    // matrices so that equal costs tie.
    std::mt19937_64 rng = seededEngine("LeastCostAssignment.Random");
    std::uniform_real_distribution<double> real(-5.0, 5.0);
    std::uniform_int_distribution<int> whole(0, 3);
    for (int trial = 0; trial < 400; ++trial) {
        const int columns = 1 + trial % 6;
        const int rows = 1 + (trial / 6) % columns;
        std::vector<std::vector<double>> cost(rows, std::vector<double>(columns));
        for (std::vector<double>& row : cost)
            for (double& c : row) c = trial % 2 ? real(rng) : whole(rng);

        std::vector<int> order(columns);
        std::iota(order.begin(), order.end(), 0);
        double best = std::numeric_limits<double>::infinity();
        do {
            double sum = 0.0;
            for (int i = 0; i < rows; ++i) sum += cost[i][order[i]];
            best = std::min(best, sum);
        } while (std::next_permutation(order.begin(), order.end()));

        const std::vector<int> column = assignRows(cost, columns);
        ASSERT_EQ(static_cast<int>(column.size()), rows);
        std::vector<int> used(column);
        std::sort(used.begin(), used.end());
        EXPECT_EQ(std::adjacent_find(used.begin(), used.end()), used.end()) << "trial " << trial;
        double sum = 0.0;
        for (int i = 0; i < rows; ++i) {
            ASSERT_TRUE(column[i] >= 0 && column[i] < columns) << "trial " << trial;
            sum += cost[i][column[i]];
        }
        EXPECT_NEAR(sum, best, 1e-9) << "trial " << trial << ": " << rows << " x " << columns;
    }
}
