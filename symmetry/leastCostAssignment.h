// Least-cost assignment of rows to distinct columns (the Hungarian method).
#pragma once

#include <vector>

// cost: one row per item, `columns` entries each (rows <= columns). Returns each row's column,
// all distinct, with the least total cost.
std::vector<int> assignRows(const std::vector<std::vector<double>>& cost, int columns);
