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
#include <vector>

#include "bench/crystalCells.h"
#include "symmetry/crystalReplication.h"

int main() {
  const cVector3 references[] = {cVector3(0.13, 0.21, 0.17), cVector3(0.46, -0.47, 0.52), cVector3(2.38, -1.61, 3.29),
                                 cVector3(-0.49, 0.49, -0.49), cVector3(0.74, 0.26, -0.74)};
  double nearest = 1e9;
  std::string where;
  bench::forEachTestSetting([&](const std::string& name, const cCrystallography& block, const cMatrix33& cell) {
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
  });
  std::printf("nearest line not reached: %.3f of the shortest cell edge from the reference (%s)\n", nearest,
              where.c_str());
  return 0;
}
