// The crystal-mate choice over every setting of the settings table, for comparing two builds: for
// each setting (on the first test cell that fits it), chain layout and assembly searched, one line
// with the chosen site and the centres of the chains it adds, or "none". Layouts: one chain at
// three points of the cell (one far from the origin cell); two chains related by the first rotation
// axis of the crystal; two and three chains related by a 2-fold and a 3-fold of their own that
// meet that axis at right angles. Build it against two versions of symmetry/ and diff the outputs.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/crystalCells.h"
#include "symmetry/crystalReplication.h"

namespace {

// 46 C-alpha atoms of no symmetry of their own, centred on the origin.
std::vector<cVector3> chainShape() {
  std::vector<cVector3> atoms;
  unsigned state = 12345u;
  auto noise = [&state] {
    state = state * 1103515245u + 12345u;
    return static_cast<double>((state >> 8) % 2001u) / 1000.0 - 1.0;
  };
  cVector3 mean(0.0);
  for (int i = 0; i < 46; ++i) {
    atoms.push_back(cVector3(8.0 * std::cos(0.9 * i) + noise(), 6.0 * std::sin(0.7 * i) + noise(), 0.5 * i - 11.0 + noise()));
    mean += atoms.back() / 46.0;
  }
  for (cVector3& x : atoms) x -= mean;
  return atoms;
}

std::vector<cVector3> moved(const cSpatialTransform& t, const std::vector<cVector3>& atoms) {
  std::vector<cVector3> out(atoms.size());
  for (std::size_t i = 0; i < atoms.size(); ++i) t.transformPoint(atoms[i], out[i]);
  return out;
}

// Summed term by term, as the sweep's recorded figures were made (the library's centroid rounds
// differently, which flips candidates at exactly equal distance).
cVector3 layoutCentroid(const std::vector<cVector3>& atoms) {
  cVector3 sum(0.0);
  for (const cVector3& x : atoms) sum += x / static_cast<double>(atoms.size());
  return sum;
}

struct sLayout {
  std::string name;
  std::vector<std::vector<cVector3>> chains;
};

std::vector<sLayout> layouts(const cMatrix33& cell, const std::vector<sCrystalAxis>& axes) {
  const std::vector<cVector3> shape = chainShape();
  auto at = [&](const cVector3& centre) { return moved(cSpatialTransform(cMatrix33::identity(), centre), shape); };
  const cVector3 g = cell * cVector3(0.13, 0.21, 0.17);
  std::vector<sLayout> out{{"one-general", {at(g)}},
                           {"one-half", {at(cell * cVector3(0.46, -0.47, 0.52))}},
                           {"one-far", {at(cell * cVector3(2.38, -1.61, 3.29))}}};
  if (axes.empty()) return out;
  const sCrystalAxis& axis = axes[0];
  const cVector3& a = axis.direction;
  const std::vector<cVector3> A = at(g);
  out.push_back({"pair-crystal", {A, moved(rotationAbout(axis.point, a, 2.0 * M_PI / axis.order), A)}});
  // The foot X of g on the axis, a direction w across the axis and u, the own axes, at 35 degrees from w.
  const cVector3 X = axis.point + a * (a | (g - axis.point));
  cVector3 w = a ^ cVector3(1.0, 0.3, 0.2);
  if (w.norm() < 0.1) w = a ^ cVector3(0.2, 1.0, 0.3);
  w = w.normalizedVersion();
  const cVector3 u = w * std::cos(0.61) + (a ^ w) * std::sin(0.61);
  const std::vector<cVector3> B = at(X + w * 10.0 + a * 4.0);
  out.push_back({"pair-own-2fold", {B, moved(rotationAbout(X, u, M_PI), B)}});
  const std::vector<cVector3> C = at(X + a * 10.0 + (u ^ a) * 3.0);
  out.push_back({"trio-own-3fold",
                 {C, moved(rotationAbout(X, u, 2.0 * M_PI / 3.0), C), moved(rotationAbout(X, u, 4.0 * M_PI / 3.0), C)}});
  return out;
}

}  // namespace

int main() {
  const std::pair<int, char> requests[] = {{2, 'c'}, {3, 'c'}, {4, 'c'}, {6, 'c'}, {4, 'd'}, {6, 'd'},
                                           {8, 'd'}, {12, 'd'}, {12, 't'}, {24, 'o'}, {5, 'c'}};
  bench::forEachTestSetting([&](const std::string& name, const cCrystallography& block, const cMatrix33& cell) {
    const std::vector<sCrystalAxis> axes = crystalRotationAxes(block.sgRecord, cell);
    for (const sLayout& layout : layouts(cell, axes)) {
      std::vector<cVector3> centres;
      for (const std::vector<cVector3>& chain : layout.chains) centres.push_back(layoutCentroid(chain));
      const std::vector<sReplicationCentre> candidates =
          replicationCandidates(axes, *block.sgRecord.latticeInfo, cell, centres);
      for (const auto& [order, kind] : requests) {
        std::vector<cMatrix33> group;
        std::vector<sReplicationImage> images;
        const sReplicationCentre* chosen =
            chooseReplicationCentre(candidates, axes, layout.chains, order, kind, &group, &images);
        std::printf("%s %s %c%d:", name.c_str(), layout.name.c_str(), kind, order);
        if (!chosen) {
          std::printf(" none\n");
          continue;
        }
        std::vector<std::string> added;
        for (const sReplicationImage& image : images) {
          const cSpatialTransform t(group[image.element], chosen->point - group[image.element] * chosen->point);
          const cVector3 c = layoutCentroid(moved(t, layout.chains[image.source]));
          char text[80];
          std::snprintf(text, sizeof text, " (%.2f %.2f %.2f)", c.x + 0.0, c.y + 0.0, c.z + 0.0);
          added.push_back(text);
        }
        std::sort(added.begin(), added.end());
        std::printf(" %zu added at %.3f Å:", images.size(), std::sqrt(chosen->score / layout.chains.size()));
        for (const std::string& s : added) std::printf("%s", s.c_str());
        std::printf("\n");
      }
    }
  });
  return 0;
}
