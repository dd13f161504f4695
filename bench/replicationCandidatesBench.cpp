// Speed of the crystal-mate candidate search: for every setting of the settings table on a cell
// that fits it, the rotation axes, the candidate centres near one chain and the choice for every
// assembly size a point group of a crystal can have. Prints the slowest settings; with a setting
// named as listed ("226", "227:1"), searches only that one.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/crystalCells.h"
#include "symmetry/crystalReplication.h"

namespace {

struct sTiming {
  std::string name;
  double seconds;
  std::size_t axes, candidates;
};

// Axes, candidates and the choice for every assembly size, best of three rounds.
sTiming timeSearch(const std::string& name, const cCrystallography& block) {
  const cMatrix33 cell(block.cellVectors[0], block.cellVectors[1], block.cellVectors[2]);
  // One chain at a general point of the cell: 46 C-alpha atoms on a helix about its centre.
  const std::vector<cVector3> centres{cell * cVector3(0.13, 0.21, 0.17)};
  std::vector<std::vector<cVector3>> chains(1);
  for (int i = 0; i < 46; ++i)
    chains[0].push_back(centres[0] + cVector3(2.3 * std::cos(1.75 * i), 2.3 * std::sin(1.75 * i), 1.5 * (i - 22.5)));
  sTiming timing{name, 1e9, 0, 0};
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<sCrystalAxis> axes = crystalRotationAxes(block.sgRecord, cell);
    const std::vector<sReplicationCentre> candidates =
        replicationCandidates(axes, *block.sgRecord.latticeInfo, cell, centres);
    for (const auto& [order, kind] : {std::pair{2, 'c'}, {3, 'c'}, {4, 'c'}, {6, 'c'}, {4, 'd'}, {6, 'd'},
                                      {8, 'd'}, {12, 'd'}, {12, 't'}, {24, 'o'}, {5, 'c'}})
      (void)chooseReplicationCentre(candidates, axes, chains, order, kind);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timing.seconds = std::min(timing.seconds, seconds);
    timing.axes = axes.size();
    timing.candidates = candidates.size();
  }
  return timing;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<sTiming> timings;
  int unfitted = 0;
  for (int i = 0; i < nTabSgName; ++i) {
    const std::string name = bench::settingName(i);
    if (argc > 1 && name != argv[1]) continue;
    cCrystallography block;
    const bool fits = bench::buildOnTestCell(name, block);
    if (!fits) {
      ++unfitted;
      continue;
    }
    timings.push_back(timeSearch(name, block));
  }
  std::sort(timings.begin(), timings.end(), [](const sTiming& x, const sTiming& y) { return x.seconds > y.seconds; });
  double total = 0.0;
  for (const sTiming& t : timings) total += t.seconds;
  std::printf("%zu settings searched (%d fit none of the test cells), %.1f ms in all\n", timings.size(), unfitted,
              total * 1e3);
  std::printf("slowest: axes, candidate centres and the choice for 11 assembly sizes (best of 3)\n");
  for (std::size_t k = 0; k < timings.size() && k < 5; ++k)
    std::printf("  %-10s %8.2f ms  %3zu axes  %6zu candidates\n", timings[k].name.c_str(), timings[k].seconds * 1e3,
                timings[k].axes, timings[k].candidates);
  // Axes that only nearly meet: a cubic cell whose edges differ by as much as the cell check allows.
  cCrystallography nearly = bench::cellBlock("F m -3 m", {60, 60.01, 60, 90, 90, 90});
  if (argc == 1 && bench::buildQuietly(nearly)) {
    const sTiming t = timeSearch("F m -3 m", nearly);
    std::printf("F m -3 m on a 60 x 60.01 x 60 cell: %.2f ms  %zu axes  %zu candidates\n", t.seconds * 1e3, t.axes,
                t.candidates);
  }
  return 0;
}
