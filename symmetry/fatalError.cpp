// Ending the process on a fatal input problem of the symmetry stages.
#include "symmetry/fatalError.h"

#include <cstdlib>
#include <ostream>

void endRun(std::ostream& out, std::string_view text) {
    out << text << std::endl;
    std::exit(1);
}
