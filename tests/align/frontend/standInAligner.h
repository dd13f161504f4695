// A deterministic stand-in for the outside aligner of sub-family alignment, for the tests that
// put it first on PATH under the aligner's name.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// Logs the sequence count of its input to $STANDIN_LOG, then writes every sequence padded with
// '-' to the longest; STANDIN_MODE=fail exits with status 3, STANDIN_MODE=empty writes nothing,
// STANDIN_MODE=rename adds an x to the first name and STANDIN_MODE=twice gives the second
// sequence the first one's name.
inline constexpr char STAND_IN[] = R"(#!/bin/sh
grep -c '>' "$1" >> "$STANDIN_LOG"
[ "$STANDIN_MODE" = fail ] && exit 3
[ "$STANDIN_MODE" = empty ] && exit 0
awk -v mode="$STANDIN_MODE" '/^>/ { n++; name[n] = $0; next } { seq[n] = seq[n] $0 }
     END { for (i = 1; i <= n; i++) if (length(seq[i]) > m) m = length(seq[i])
           if (mode == "rename") name[1] = name[1] "x"
           if (mode == "twice") name[2] = name[1]
           for (i = 1; i <= n; i++) { s = seq[i]; while (length(s) < m) s = s "-"; print name[i]; print s } }' "$1"
)";

// Writes the stand-in as dir/probcons and puts dir first on PATH; returns the PATH it replaced.
inline std::string PutStandInFirstOnPath(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "probcons") << STAND_IN;
    chmod((dir / "probcons").c_str(), 0755);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (dir.string() + ":" + path).c_str(), 1);
    return path;
}
