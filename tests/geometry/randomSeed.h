// Seed for the randomised geometry tests: fixed by default, overridable through the
// environment variable QUORIX_TEST_SEED, and always printed so a failure can be replayed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <random>

inline std::mt19937_64 seededEngine(const char* testName) {
  std::uint64_t seed = 20240611;
  if (const char* env = std::getenv("QUORIX_TEST_SEED")) seed = std::strtoull(env, nullptr, 10);
  std::cout << "[ seed     ] " << testName << " QUORIX_TEST_SEED=" << seed << std::endl;
  return std::mt19937_64(seed);
}

// N draws in order, one per statement. Drawn as the arguments of one call (cVector3(g(rng),
// g(rng), g(rng))), their order would be the compiler's choice, and with it the test's data.
template <std::size_t N, class Distribution, class Engine>
std::array<double, N> draws(Distribution& d, Engine& rng) {
  std::array<double, N> values;
  for (double& v : values) v = d(rng);
  return values;
}
