// Least-cost assignment of rows to distinct columns, by the shortest augmenting paths of the
// Hungarian method: O(rows^2 columns).
#include "symmetry/leastCostAssignment.h"

#include <limits>

std::vector<int> assignRows(const std::vector<std::vector<double>>& cost, int columns) {
    const int rows = static_cast<int>(cost.size());
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<double> u(rows + 1, 0.0), v(columns + 1, 0.0);
    std::vector<int> rowOf(columns + 1, 0), way(columns + 1, 0);
    for (int i = 1; i <= rows; ++i) {
        rowOf[0] = i;
        int j0 = 0;
        std::vector<double> least(columns + 1, infinity);
        std::vector<char> done(columns + 1, 0);
        do {
            done[j0] = 1;
            const int i0 = rowOf[j0];
            double delta = infinity;
            int j1 = 0;
            for (int j = 1; j <= columns; ++j) {
                if (done[j]) continue;
                const double reduced = cost[i0 - 1][j - 1] - u[i0] - v[j];
                if (reduced < least[j]) {
                    least[j] = reduced;
                    way[j] = j0;
                }
                if (least[j] < delta) {
                    delta = least[j];
                    j1 = j;
                }
            }
            for (int j = 0; j <= columns; ++j) {
                if (done[j]) {
                    u[rowOf[j]] += delta;
                    v[j] -= delta;
                } else {
                    least[j] -= delta;
                }
            }
            j0 = j1;
        } while (rowOf[j0] != 0);
        do {
            const int j1 = way[j0];
            rowOf[j0] = rowOf[j1];
            j0 = j1;
        } while (j0 != 0);
    }
    std::vector<int> column(rows, 0);
    for (int j = 1; j <= columns; ++j)
        if (rowOf[j] > 0) column[rowOf[j] - 1] = j - 1;
    return column;
}

