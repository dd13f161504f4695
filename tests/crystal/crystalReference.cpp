// The space-group reference data of the crystal tests and helpers that compare records with it.
#include "tests/crystal/crystalReference.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "crystal/hallSymbol.h"
#include "crystal/seitzMx.h"
#include "crystal/sgComplete.h"
#include "crystal/sgBuild.h"
#include "crystal/sgError.h"
#include "crystal/tabSgName.h"

std::vector<std::vector<std::string>> ReadTsv(const std::string& name) {
  std::ifstream in(std::string(QUORIX_TEST_DATA) + "/crystal/" + name);
  if (!in) throw std::runtime_error("cannot read test data " + name);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    rows.push_back(fields);
  }
  return rows;
}

std::vector<Op> DecodeOps(const std::string& codes) {
  std::vector<Op> ops;
  std::istringstream in(codes);
  for (std::string c; in >> c;) {
    Op op;
    for (int k = 0; k < 9; ++k) op[k] = c[k] == '-' ? -1 : c[k] - '0';
    for (int k = 0; k < 3; ++k) op[9 + k] = std::stoi(c.substr(9 + k, 1), nullptr, 16);
    ops.push_back(op);
  }
  return ops;
}

const std::vector<RefSetting>& RefSettings() {
  static const std::vector<RefSetting> settings = [] {
    std::vector<RefSetting> out;
    for (const auto& f : ReadTsv("settings.tsv")) {
      RefSetting s{std::stoi(f[0]), f[1], f[2], f[3], f[4], f[5], std::stoi(f[6]), DecodeOps(f[7]), {}};
      std::istringstream in(f[8]);
      for (std::string t; std::getline(in, t, ';');) s.triplets.push_back(t);
      out.push_back(s);
    }
    return out;
  }();
  return settings;
}

Op ToOp(const T_RTMx& m) {
  Op op;
  for (int k = 0; k < 9; ++k) op[k] = m.R[k];
  for (int k = 0; k < 3; ++k) op[9 + k] = iModPositive(m.T[k], STBF);
  return op;
}

T_RTMx MakeRTMx(std::initializer_list<int> R, std::initializer_list<int> T) {
  T_RTMx m;
  std::copy(R.begin(), R.end(), m.R);
  std::copy(T.begin(), T.end(), m.T);
  return m;
}

std::set<Op> ExpandedOps(const T_SgRecord& sg) {
  std::set<Op> ops;
  const T_LatticeInfo* L = sg.latticeInfo;
  for (int i = 0; i < sg.nList; ++i)
    for (int sign : {1, -1}) {
      if (sign < 0 && sg.centric != -1) continue;
      for (int v = 0; v < L->nTrVector; ++v) {
        T_RTMx m;
        for (int k = 0; k < 9; ++k) m.R[k] = sign * sg.ListSeitzMx[i].R[k];
        for (int k = 0; k < 3; ++k) m.T[k] = sign * sg.ListSeitzMx[i].T[k] + L->trVector[3 * v + k];
        ops.insert(ToOp(m));
      }
    }
  return ops;
}

std::string RowName(const T_TabSgName& row) {
  std::string name = std::to_string(row.sgNumber);
  if (row.extension[0]) name += std::string(":") + row.extension;
  return name;
}

T_SgRecord BuildRow(int i) {
  T_SgRecord sg;
  if (BuildSgRecord(&sg, RowName(TabSgName[i]).c_str()) != 0)
    throw std::runtime_error(RowName(TabSgName[i]) + ": " + (SgError ? SgError : "not found"));
  return sg;
}

T_SgRecord EmptyRecord() {
  T_SgRecord sg;
  sg.maxList = SgMaxList;
  sg.ListSeitzMx.resize(SgMaxList);
  sg.ListRotMxInfo.resize(SgMaxList);
  InitSgRecord(&sg);
  return sg;
}

int BuildFromHall(T_SgRecord& sg, const char* hall) {
  sg = EmptyRecord();
  SgError = nullptr;
  ParseHallSymbol(hall, &sg);
  return SgError ? -1 : CompleteSgRecord(&sg);
}

T_SgRecord FromHall(const char* hall) {
  T_SgRecord sg;
  if (BuildFromHall(sg, hall) != 0) throw std::runtime_error(std::string(hall) + ": " + (SgError ? SgError : "?"));
  return sg;
}

int RowIndex(const std::string& name) {
  for (int i = 0; i < nTabSgName; ++i)
    if (RowName(TabSgName[i]) == name) return i;
  throw std::runtime_error("no table row " + name);
}
