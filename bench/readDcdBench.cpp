// Benchmark of the DCD reader: reads every frame of each file given and prints MB/s.
// Usage: bench_read_dcd [--seconds S] file.dcd...
// Small files are read again and again until S seconds (default 1) have passed, so the
// figure measures the reader rather than opening a file; they come from the page cache.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "libs/ReadDCD/dcd_r.h"

namespace {

// Reads the header and every complete frame once; returns the frames read.
long long readAll(const char* path, double& checksum) {
  DCD_R dcd(path);
  dcd.read_header();
  const long long frames = dcd.getNFramesInFile();
  for (long long k = 0; k < frames; ++k) {
    dcd.read_oneFrame();
    checksum += dcd.getX()[0] + dcd.getY()[dcd.getNATOM() / 2] + dcd.getZ()[dcd.getNATOM() - 1];
  }
  return frames;
}

}  // namespace

int main(int argc, char** argv) {
  double minSeconds = 1.0;
  std::vector<const char*> paths;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      minSeconds = std::atof(argv[++i]);
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty()) {
    std::fprintf(stderr, "usage: %s [--seconds S] file.dcd...\n", argv[0]);
    return 1;
  }

  using Clock = std::chrono::steady_clock;
  double checksum = 0;  // printed so that the reads cannot be optimised away
  for (const char* path : paths) {
    try {
      const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
      long long frames = 0;
      long long rounds = 0;
      const auto start = Clock::now();
      double seconds = 0;
      do {
        frames = readAll(path, checksum);
        ++rounds;
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
      } while (seconds < minSeconds);
      std::printf("%s: %.3f MB, %lld frames, read %lld times in %.3f s: %.1f MB/s\n", path, megabytes, frames,
                  rounds, seconds, megabytes * static_cast<double>(rounds) / seconds);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return 1;
    }
  }
  std::printf("checksum %g\n", checksum);
  return 0;
}
