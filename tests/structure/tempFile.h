// A file with given contents in the temporary directory, removed when the object goes.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

class cTempFile {
public:
  // The extension selects the reader's mode (pdb, pqr, anything else).
  explicit cTempFile(const std::string& contents, const std::string& extension = "pdb") {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             ("quorix_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + "." + extension))
                .string();
    std::ofstream out(path_, std::ios::binary);
    out << contents;
  }
  ~cTempFile() { std::filesystem::remove(path_); }
  cTempFile(const cTempFile&) = delete;
  cTempFile& operator=(const cTempFile&) = delete;

  const std::string& path() const { return path_; }

private:
  std::string path_;
};

inline std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
