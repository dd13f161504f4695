// Construction and destruction of the analysis object.
#include "symmetry/cSym.h"

#include "structure/cMolecule.h"

cSym::cSym(cParameters* parameters_, cInfo* report_) : parameters(parameters_), report(report_) {}

cSym::~cSym() {
    while (!chains.empty()) {
        delete chains.back();
        chains.pop_back();
    }
}
