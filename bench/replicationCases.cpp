// What crystal-mate replication makes of the cases of tests/data/crystal/replication_cases.tsv,
// for comparing two builds: per case, the line of refusal, or the chains after replication, the
// root-mean-square distance (Å) of the file's chain centres from the point all added chains turn
// about (nearest the chains where that is a line), the candidate site chosen (its point and the
// crystal axes through it) and the CA RMSD (Å) of the symmetry fit of the group to the chains.
// Usage: bench_replication_cases TESTS_DATA_DIR [CASE] (the folder tests/data of the sources; a
// refusal that ends the search ends the program, so one case per run is the safe way)
#include <Eigen/Dense>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include "align/msa.h"
#include "app/cInfo.h"
#include "app/cParameters.h"
#include "structure/cMolecule.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/crystalReplication.h"
#include "symmetry/engineCallCache.h"

namespace {

std::vector<std::string> split(const std::string& line, char by) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, by);) out.push_back(field);
  return out;
}

// The PDB text of the case: its cell record, then crambin's ATOM records centred on their mean and
// placed once per chain, every coordinate moved by up to `noise` by the tests' fixed sequence.
std::string casePdb(const std::string& data, const std::vector<std::string>& c,
                    const std::vector<std::vector<double>>& placements) {
  std::ifstream in(data + "/structure/1crn.pdb");
  std::vector<std::string> lines;
  cVector3 mean(0.0);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("ATOM  ", 0) == 0) {
      lines.push_back(line);
      mean += cVector3(std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)), std::stod(line.substr(46, 8)));
    }
  mean /= static_cast<double>(lines.size());
  std::istringstream cell(c[3]);
  double v[6];
  for (double& x : v) cell >> x;
  char text[100];
  std::snprintf(text, sizeof text, "CRYST1%9.3f%9.3f%9.3f%7.2f%7.2f%7.2f %-11s   1\n", v[0], v[1], v[2], v[3], v[4], v[5],
                c[2].c_str());
  std::string out = text;
  const double noise = std::stod(c[7]);
  unsigned state = 2024u;
  auto shake = [&] {
    state = state * 1664525u + 1013904223u;
    return noise * (static_cast<double>(state >> 8) / 8388608.0 - 1.0);
  };
  for (std::size_t m = 0; m < placements.size(); ++m) {
    const std::vector<double>& p = placements[m];
    for (const std::string& line : lines) {
      const cVector3 x =
          cVector3(std::stod(line.substr(30, 8)), std::stod(line.substr(38, 8)), std::stod(line.substr(46, 8))) - mean;
      cVector3 y(p[0] * x.x + p[1] * x.y + p[2] * x.z + p[9], p[3] * x.x + p[4] * x.y + p[5] * x.z + p[10],
                 p[6] * x.x + p[7] * x.y + p[8] * x.z + p[11]);
      if (noise > 0.0) y += cVector3(shake(), shake(), shake());
      std::snprintf(text, sizeof text, "%8.3f%8.3f%8.3f", y.x, y.y, y.z);
      out += line.substr(0, 21) + static_cast<char>('A' + m) + line.substr(22, 8) + text + line.substr(54) + "\n";
    }
    out += "TER\n";
  }
  return out + "END\n";
}

// The point nearest p that every motion leaves in place (least squares of smallest norm).
cVector3 fixedPointNearest(const std::vector<cSpatialTransform>& motions, const cVector3& p) {
  Eigen::MatrixXd A(3 * motions.size(), 3);
  Eigen::VectorXd b(3 * motions.size());
  for (std::size_t k = 0; k < motions.size(); ++k) {
    const cMatrix33& R = motions[k].rotation;
    const cVector3 rhs = motions[k].translation - (p - R * p);
    const double r[3] = {rhs.x, rhs.y, rhs.z};
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) A(3 * k + i, j) = (i == j) - R(i, j);
      b(3 * k + i) = r[i];
    }
  }
  Eigen::JacobiSVD<Eigen::MatrixXd> svd(A, Eigen::ComputeThinU | Eigen::ComputeThinV);
  svd.setThreshold(1e-8);
  const Eigen::VectorXd d = svd.solve(b);
  return p + cVector3(d(0), d(1), d(2));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s TESTS_DATA_DIR\n", argv[0]);
    return 2;
  }
  const std::string data = argv[1];
  std::ifstream in(data + "/crystal/replication_cases.tsv");
  std::vector<std::string> order;
  std::map<std::string, std::vector<std::string>> cases;
  std::map<std::string, std::vector<std::vector<double>>> placements;
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> f = split(line, '\t');
    if (f.size() < 3) continue;
    if (f[0] == "case") {
      order.push_back(f[1]);
      cases[f[1]] = f;
    } else if (f[0] == "chain") {
      std::istringstream values(f[2]);
      std::vector<double> p(12);
      for (double& x : p) values >> x;
      placements[f[1]].push_back(p);
    }
  }
  for (const std::string& name : order) {
    if (argc > 2 && name != argv[2]) continue;
    const std::vector<std::string>& c = cases[name];
    const char type = c[4][0];
    const int n = std::stoi(c[4].substr(2));
    const std::string path = "/tmp/bench_replication_case.pdb";
    std::ofstream(path) << casePdb(data, c, placements[name]);
    cInfo info(75);
    info.setQuiet(true);
    cParameters parameters(&info);
    parameters.autoreplicate = true;
    MSA::ResetIdCount();
    engineCallCache().setEngine(nullptr);
    cSym sym(&parameters, &info);
    std::cout.setstate(std::ios::failbit);  // the stages' own lines
    std::fflush(stdout);
    const int saved = dup(1), null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    sym.readPDB(path);
    sym.cutIntoChains();
    sym.alignChains();
    sym.saveAlignment();
    cPointSymmetryGroup* group = type == 'c'   ? static_cast<cPointSymmetryGroup*>(new cCnSymmetry(n))
                                 : type == 'd' ? static_cast<cPointSymmetryGroup*>(new cDnSymmetry(n))
                                 : type == 't' ? static_cast<cPointSymmetryGroup*>(new cTSymmetry())
                                               : static_cast<cPointSymmetryGroup*>(new cOSymmetry());
    const int fileChains = sym.chainCount;
    const std::string failure = sym.replicateChainsCrystal(group->chainsPerAssembly, type);
    std::string result;
    char text[200];
    if (!failure.empty()) {
      result = "refused: " + failure;
    } else {
      std::vector<cSpatialTransform> motions;
      cVector3 mean(0.0);
      for (int k = 0; k < fileChains; ++k) mean += sym.chains[k]->centreOfMass / fileChains;
      for (const cSym::sCrystalMate& mate : sym.crystalMates) motions.push_back(mate.motion);
      double rms = 0.0;
      if (!motions.empty()) {
        const cVector3 centre = fixedPointNearest(motions, mean);
        for (int k = 0; k < fileChains; ++k) rms += (sym.chains[k]->centreOfMass - centre).norm2() / fileChains;
      }
      // The candidate chosen: its point and the number of crystal axes through it.
      std::vector<std::vector<cVector3>> file(fileChains);
      std::vector<cVector3> centres;
      for (int k = 0; k < fileChains; ++k) {
        for (const cPDBAtom& atom : sym.chains[k]->alignedAtoms)
          if (atom.isCA()) file[k].push_back(atom.position);
        centres.push_back(sym.chains[k]->centreOfMass);
      }
      const cMatrix33 cell(sym.crystal.cellVectors[0], sym.crystal.cellVectors[1], sym.crystal.cellVectors[2]);
      const std::vector<sCrystalAxis> axes = crystalRotationAxes(sym.crystal.sgRecord, cell);
      const std::vector<sReplicationCentre> candidates =
          replicationCandidates(axes, *sym.crystal.sgRecord.latticeInfo, cell, centres);
      const sReplicationCentre* chosen = chooseReplicationCentre(candidates, axes, file, group->chainsPerAssembly, type);
      char where[120] = "";
      if (chosen)
        std::snprintf(where, sizeof where, ", about (%.2f %.2f %.2f) on %zu axes", chosen->point.x + 0.0,
                      chosen->point.y + 0.0, chosen->point.z + 0.0, chosen->axes.size());
      const int chains = sym.chainCount;
      sym.loadAlignment();
      sym.findSymmetry(group);
      std::snprintf(text, sizeof text, "%d chains (%d added), site %.2f A from the chains%s, fit RMSD %.3f A", chains,
                    chains - fileChains, std::sqrt(rms), where, std::sqrt(group->residual / sym.totalWeight));
      result = text;
    }
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    close(null);
    std::cout.clear();
    std::printf("%-22s %s\n", name.c_str(), result.c_str());
    std::fflush(stdout);
  }
  return 0;
}
