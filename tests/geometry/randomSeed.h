// Seed for the randomised geometry tests: fixed by default, overridable through the
// environment variable QUORIX_TEST_SEED, and always printed so a failure can be replayed.
#pragma once

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
