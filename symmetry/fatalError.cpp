// Ending the process on a fatal input problem of the symmetry stages.
#include "symmetry/fatalError.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <utility>

namespace {

std::function<void()>& fatalEndAction() {
    static std::function<void()> action;
    return action;
}

[[noreturn]] void endWithStatusOne() {
    std::function<void()> action = std::move(fatalEndAction());
    fatalEndAction() = nullptr;
    if (action) action();
    std::exit(1);
}

}  // namespace

void setFatalEndAction(std::function<void()> action) { fatalEndAction() = std::move(action); }

void endRun(std::ostream& out, std::string_view text) {
    out << text << std::endl;
    endWithStatusOne();
}

void checkStandardOutput() {
    errno = 0;
    std::cout.flush();
    const bool lost = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!lost) return;
    const int error = errno;
    std::fprintf(stderr, "Error: could not write the results to standard output%s%s\n", error ? ": " : "",
                 error ? std::strerror(error) : "");
    endWithStatusOne();
}
