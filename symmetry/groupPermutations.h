// Checks and helpers for the chain-slot permutations of group elements.
#pragma once

#include <vector>

// True when p has `length` entries, each -1 (undefined) or a slot below `length`, and p maps
// its defined slots one to one onto themselves, so that every orbit is a cycle.
bool isSlotPermutation(const std::vector<int>& p, int length);

// Members of the cycle of p through slot `start` (start, p[start], ... back to start); -1 when
// the orbit meets an undefined or out-of-range slot, or does not return within p.size() steps.
int cycleLength(const std::vector<int>& p, int start);

// Greatest common divisor by Euclid's remainder loop.
int PGCD(int a, int b);
