// Expected dumps of DCD files (*.expected.txt): header values and coordinates per frame,
// written by an independent reader.
#pragma once

#include <string>
#include <vector>

struct ExpectedAtom {
  int index;  // 0-based
  float x, y, z;
};

struct ExpectedFrame {
  std::vector<double> cell;  // empty when the file stores no unit cell
  std::vector<ExpectedAtom> atoms;  // atoms 0, 1 and the last, or all of a small system
  double sum[3] = {0, 0, 0};  // per axis, float coordinates added in atom order as doubles
};

struct ExpectedDump {
  std::string hdr;
  std::vector<int> icntrl;
  int nTitle = 0;
  std::vector<std::string> titles;  // 80 raw bytes each, escapes decoded
  int nAtoms = 0;
  int nFreeAtoms = 0;
  std::vector<int> freeAtoms;  // the first 20 at most, 1-based
  long long nFramesInFile = 0;
  long long trailingBytes = 0;
  std::vector<ExpectedFrame> frames;  // frames that the independent reader could read
};

// Parses the dump; throws std::runtime_error for a file it cannot read.
ExpectedDump readExpectedDump(const std::string& path);
