// Parser of the expected DCD dumps: one "key values..." item per line.
#include "expectedDump.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// Title text: printable bytes as they are, '\' doubled, any other byte as \xHH.
std::string decodeTitle(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      i += 1;
    } else if (i + 3 < text.size() && text[i + 1] == 'x') {
      out += static_cast<char>(std::strtol(text.substr(i + 2, 2).c_str(), nullptr, 16));
      i += 3;
    } else {
      throw std::runtime_error("bad escape in title: " + text);
    }
  }
  return out;
}

}  // namespace

ExpectedDump readExpectedDump(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open " + path);
  ExpectedDump d;
  std::string line;
  while (std::getline(in, line)) {
    const auto start = line.find_first_not_of(' ');
    if (start == std::string::npos) continue;
    std::string key = line.substr(start, line.find(' ', start) - start);
    if (key.rfind("title[", 0) == 0) {
      d.titles.push_back(decodeTitle(line.substr(line.find(' ', start) + 1)));
      continue;
    }
    std::istringstream words(line.substr(start + key.size()));
    if (key == "HDR") {
      words >> d.hdr;
    } else if (key == "ICNTRL") {
      for (int w; words >> w;) d.icntrl.push_back(w);
    } else if (key == "n_title") {
      words >> d.nTitle;
    } else if (key == "n_atoms") {
      words >> d.nAtoms;
    } else if (key == "n_free_atoms") {
      words >> d.nFreeAtoms;
    } else if (key == "free_atoms_1based") {
      for (int a; words >> a;) d.freeAtoms.push_back(a);
    } else if (key == "n_frames_in_file") {
      words >> d.nFramesInFile;
    } else if (key == "trailing_bytes") {
      words >> d.trailingBytes;
    } else if (key == "frame") {
      d.frames.emplace_back();
    } else if (key == "cell") {
      for (std::string v; words >> v;) d.frames.back().cell.push_back(std::strtod(v.c_str(), nullptr));
    } else if (key == "atom") {
      std::string x, y, z;
      ExpectedAtom a{};
      words >> a.index >> x >> y >> z;
      a.x = std::strtof(x.c_str(), nullptr);
      a.y = std::strtof(y.c_str(), nullptr);
      a.z = std::strtof(z.c_str(), nullptr);
      d.frames.back().atoms.push_back(a);
    } else if (key == "sum") {
      for (double& s : d.frames.back().sum) {
        std::string v;
        words >> v;
        s = std::strtod(v.c_str(), nullptr);
      }
    }
  }
  return d;
}
