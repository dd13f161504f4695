// Test cells for the crystal-mate benchmarks: every setting of the settings table built on the
// first of a few cell shapes that fits it, with the operator builder's own lines silenced.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "crystal/cCrystallography.h"
#include "crystal/tabSgName.h"

namespace bench {

struct sCellShape {
  double a, b, c, alpha, beta, gamma;
};

// From the most general to the most special: the first that fits a setting is used.
inline constexpr sCellShape kCells[] = {
    {40, 50, 60, 80, 95, 105},  {40, 50, 60, 90, 105, 90},  {40, 50, 60, 90, 90, 105}, {40, 50, 60, 105, 90, 90},
    {40, 50, 60, 90, 90, 90},   {50, 50, 70, 90, 90, 90},   {70, 50, 50, 90, 90, 90},  {50, 70, 50, 90, 90, 90},
    {50, 50, 70, 90, 90, 120},  {60, 60, 60, 70, 70, 70},   {60, 60, 60, 90, 90, 90},
};

inline cCrystallography cellBlock(const std::string& name, const sCellShape& s) {
  constexpr double kDegree = 0.017453292519943295;
  cCrystallography block;
  name.copy(block.spaceGroupName, sizeof block.spaceGroupName);
  block.cellLengths = cVector3(s.a, s.b, s.c);
  block.cellAngles = cVector3(s.alpha, s.beta, s.gamma) * kDegree;
  const double ca = std::cos(s.alpha * kDegree), cb = std::cos(s.beta * kDegree), cg = std::cos(s.gamma * kDegree);
  const double sg = std::sin(s.gamma * kDegree), f = (ca - cb * cg) / sg;
  block.cellVectors[0] = cVector3(s.a, 0.0, 0.0);
  block.cellVectors[1] = cVector3(s.b * cg, s.b * sg, 0.0);
  block.cellVectors[2] = cVector3(s.c * cb, s.c * f, s.c * std::sqrt(1.0 - cb * cb - f * f));
  return block;
}

// The operator builder prints two lines per build and reports cells that do not fit: both silenced.
inline bool buildQuietly(cCrystallography& block) {
  std::fflush(stdout);
  const int out = dup(1), err = dup(2);
  std::FILE* null = std::fopen("/dev/null", "w");
  dup2(fileno(null), 1);
  dup2(fileno(null), 2);
  block.createSymmetryOperators();
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(out, 1);
  dup2(err, 2);
  close(out);
  close(err);
  std::fclose(null);
  return !block.symmetryOperators.empty();
}

// The name of setting i of the table as the builder reads it ("226", "227:1").
inline std::string settingName(int i) {
  std::string name = std::to_string(TabSgName[i].sgNumber);
  if (TabSgName[i].extension[0]) name += std::string(":") + TabSgName[i].extension;
  return name;
}

// The setting built on the first test cell that fits it; false when none does.
inline bool buildOnTestCell(const std::string& name, cCrystallography& block) {
  for (const sCellShape& shape : kCells)
    if (buildQuietly(block = cellBlock(name, shape))) return true;
  return false;
}

// Every setting of the table that fits a test cell, built: visit(name, block, cell), the cell's
// vectors as the columns of `cell`.
template <class Visit>
void forEachTestSetting(Visit visit) {
  for (int i = 0; i < nTabSgName; ++i) {
    const std::string name = settingName(i);
    cCrystallography block;
    if (!buildOnTestCell(name, block)) continue;
    visit(name, block, cMatrix33(block.cellVectors[0], block.cellVectors[1], block.cellVectors[2]));
  }
}

}  // namespace bench
