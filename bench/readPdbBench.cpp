// Reading speed of the PDB reader: both passes over each file named on the command line.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "structure/cClassicalParserPDB.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <pdb file>...\n", argv[0]);
    return 1;
  }
  for (int i = 1; i < argc; ++i) {
    const std::string path = argv[i];
    double bytes = 0.0, seconds = 0.0, firstPass = 0.0;
    int atoms = 0, chains = 0, rounds = 0;
    // Repeat until about a second has passed, so that small files are timed too.
    while (seconds < 1.0 || rounds < 3) {
      const auto start = std::chrono::steady_clock::now();
      cClassicalParserPDB reader;
      int nChains = 0, nAtoms = 0;
      reader.readFile(path, nChains, nAtoms, 0, 0);
      const auto counted = std::chrono::steady_clock::now();
      std::vector<cPDBSegment> segments;
      std::vector<cPDBAtom> kept;
      reader.parseFields(segments, kept, false, ' ');
      const auto end = std::chrono::steady_clock::now();
      firstPass += std::chrono::duration<double>(counted - start).count();
      seconds += std::chrono::duration<double>(end - start).count();
      std::FILE* f = std::fopen(path.c_str(), "rb");
      std::fseek(f, 0, SEEK_END);
      bytes += static_cast<double>(std::ftell(f));
      std::fclose(f);
      atoms = reader.keptAtoms;
      chains = reader.segmentCount;
      ++rounds;
    }
    std::printf("%s: %.2f MB, %d chains, %d atoms kept, %d rounds: %.1f MB/s (read and count %.1f MB/s)\n",
                path.c_str(), bytes / rounds / 1e6, chains, atoms, rounds, bytes / seconds / 1e6,
                bytes / firstPass / 1e6);
  }
  return 0;
}
