// How far the candidate search reaches: for every setting of the settings table (on the first test
// cell that fits it) and five reference points (one several cells from the origin), every line of
// every rotation axis over lattice vectors of components -8..8 is compared with the lines whose
// points nearest the reference are candidates. Prints the distance from the reference of the
// nearest line that is not a candidate, as a fraction of the shortest cell edge (over all
// settings and points), and the setting where it occurs.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "crystal/cCrystallography.h"
#include "crystal/tabSgName.h"
#include "symmetry/crystalReplication.h"

namespace {

struct sCellShape {
  double a, b, c, alpha, beta, gamma;
};

// As in bench_replication_candidates: the first that fits a setting is used.
const sCellShape kCells[] = {
    {40, 50, 60, 80, 95, 105},  {40, 50, 60, 90, 105, 90},  {40, 50, 60, 90, 90, 105}, {40, 50, 60, 105, 90, 90},
    {40, 50, 60, 90, 90, 90},   {50, 50, 70, 90, 90, 90},   {70, 50, 50, 90, 90, 90},  {50, 70, 50, 90, 90, 90},
    {50, 50, 70, 90, 90, 120},  {60, 60, 60, 70, 70, 70},   {60, 60, 60, 90, 90, 90},
};

cCrystallography cellBlock(const std::string& name, const sCellShape& s) {
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

bool buildQuietly(cCrystallography& block) {
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

}  // namespace

int main() {
  const cVector3 references[] = {cVector3(0.13, 0.21, 0.17), cVector3(0.46, -0.47, 0.52), cVector3(2.38, -1.61, 3.29),
                                 cVector3(-0.49, 0.49, -0.49), cVector3(0.74, 0.26, -0.74)};
  double nearest = 1e9;
  std::string where;
  for (int i = 0; i < nTabSgName; ++i) {
    std::string name = std::to_string(TabSgName[i].sgNumber);
    if (TabSgName[i].extension[0]) name += std::string(":") + TabSgName[i].extension;
    cCrystallography block;
    bool fits = false;
    for (const sCellShape& shape : kCells)
      if ((fits = buildQuietly(block = cellBlock(name, shape)))) break;
    if (!fits) continue;
    const cMatrix33 cell(block.cellVectors[0], block.cellVectors[1], block.cellVectors[2]);
    const double edge = std::min({block.cellLengths.x, block.cellLengths.y, block.cellLengths.z});
    const std::vector<sCrystalAxis> axes = crystalRotationAxes(block.sgRecord, cell);
    const T_LatticeInfo& lattice = *block.sgRecord.latticeInfo;
    for (const cVector3& fraction : references) {
      const cVector3 reference = cell * fraction;
      const std::vector<sReplicationCentre> candidates = replicationCandidates(axes, lattice, cell, {reference});
      for (int ia = 0; ia < static_cast<int>(axes.size()); ++ia) {
        const cVector3& a = axes[ia].direction;
        auto across = [&a](cVector3 d) { return d - a * (a | d); };
        for (int v = 0; v < lattice.nTrVector; ++v)
          for (int x = -8; x <= 8; ++x)
            for (int y = -8; y <= 8; ++y)
              for (int z = -8; z <= 8; ++z) {
                const int* c = lattice.trVector + 3 * v;
                const cVector3 T = cell * cVector3(x + c[0] / 12.0, y + c[1] / 12.0, z + c[2] / 12.0);
                if (std::fabs(a | T) > 1e-5) continue;
                const cVector3 P = axes[ia].point + T / 2.0 + (a ^ T) / (2.0 * std::tan(M_PI / axes[ia].order));
                const double distance = across(reference - P).norm() / edge;
                if (distance >= nearest) continue;
                const bool reached = std::any_of(candidates.begin(), candidates.end(), [&](const sReplicationCentre& k) {
                  return k.axes == std::set<int>{ia} && across(k.point - P).norm() < 1e-4;
                });
                if (!reached) {
                  nearest = distance;
                  where = name;
                }
              }
      }
    }
  }
  std::printf("nearest line not reached: %.3f of the shortest cell edge from the reference (%s)\n", nearest,
              where.c_str());
  return 0;
}
