// Builds small DCD files byte by byte, for header cases the data folder does not hold.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

class DcdBytes {
public:
  DcdBytes& raw(const void* p, std::size_t n) {
    bytes.append(static_cast<const char*>(p), n);
    return *this;
  }
  DcdBytes& int32(std::int32_t v) { return raw(&v, sizeof v); }
  // One record: its length, the body, its length again.
  DcdBytes& record(const void* p, std::size_t n) {
    int32(static_cast<std::int32_t>(n));
    raw(p, n);
    return int32(static_cast<std::int32_t>(n));
  }
  DcdBytes& ints(const std::vector<std::int32_t>& v) { return record(v.data(), 4 * v.size()); }
  DcdBytes& floats(const std::vector<float>& v) { return record(v.data(), 4 * v.size()); }
  DcdBytes& header(const std::array<std::int32_t, 20>& icntrl) {
    char body[84];
    std::memcpy(body, "CORD", 4);
    std::memcpy(body + 4, icntrl.data(), 80);
    return record(body, sizeof body);
  }
  DcdBytes& titles(const std::vector<std::string>& lines) {
    std::string body(4 + 80 * lines.size(), ' ');
    const std::int32_t n = static_cast<std::int32_t>(lines.size());
    std::memcpy(body.data(), &n, 4);
    for (std::size_t i = 0; i < lines.size(); ++i) body.replace(4 + 80 * i, lines[i].size(), lines[i]);
    return record(body.data(), body.size());
  }

  std::string bytes;
};

// A file in the temporary directory, removed when the test ends.
class TempDcdFile {
public:
  TempDcdFile(const std::string& name, const DcdBytes& content)
      : path((std::filesystem::temp_directory_path() /
              ("quorix_dcd_" + std::to_string(::getpid()) + "_" + name + ".dcd"))
                 .string()) {
    std::ofstream(path, std::ios::binary) << content.bytes;
  }
  ~TempDcdFile() { std::filesystem::remove(path); }
  const char* c_str() const { return path.c_str(); }

  std::string path;
};

// Control words of a CHARMM-style header: frames, first step, interval, steps, fixed atoms.
inline std::array<std::int32_t, 20> controlWords(int nFile, int fixedAtoms, int unitCell = 0) {
  std::array<std::int32_t, 20> w{};
  w[0] = nFile;
  w[1] = 100;
  w[2] = 10;
  w[3] = 10 * nFile;
  w[8] = fixedAtoms;
  w[10] = unitCell;
  w[19] = 24;
  return w;
}
