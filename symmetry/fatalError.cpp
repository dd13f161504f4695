// Ending the process on a fatal input problem of the symmetry stages.
#include "symmetry/fatalError.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

void endRun(std::ostream& out, std::string_view text) {
    out << text << std::endl;
    std::exit(1);
}

void checkStandardOutput() {
    errno = 0;
    std::cout.flush();
    const bool lost = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!lost) return;
    const int error = errno;
    std::fprintf(stderr, "Error: could not write the results to standard output%s%s\n", error ? ": " : "",
                 error ? std::strerror(error) : "");
    std::exit(1);
}
