// Construction and descriptions of the point-group models.
#include "symmetry/cPointSymmetryGroup.h"

cPointSymmetryGroup::cPointSymmetryGroup(const char* letter, int n, int chains, double cos)
    : order(n), chainsPerAssembly(chains), type(letter), cosine(cos) {}

cCnSymmetry::cCnSymmetry(int n) : cPointSymmetryGroup("c", n, n, 0.0) {}

std::string cCnSymmetry::getDescription() const { return type.substr(0, 1) + std::to_string(order); }

cDnSymmetry::cDnSymmetry(int n) : cPointSymmetryGroup("d", n, 2 * n, 0.0) {}

std::string cDnSymmetry::getDescription() const { return type.substr(0, 1) + std::to_string(order); }

std::string cCubicSymmetry::getDescription() const { return type.substr(0, 1); }

cTSymmetry::cTSymmetry() : cCubicSymmetry("t", 12, 12, 0.5773502691896257) {}

cOSymmetry::cOSymmetry() : cCubicSymmetry("o", 24, 24, 0.816496580927726) {}

cISymmetry::cISymmetry() : cCubicSymmetry("i", 60, 60, 0.9341723589627158) {}

cHelicalSymmetry::cHelicalSymmetry() : cPointSymmetryGroup("h", 0, 0, 0.0) {}

std::string cHelicalSymmetry::getDescription() const { return type.substr(0, 1); }

cPointSymmetryGroup* keepForProcess(std::unique_ptr<cPointSymmetryGroup> group) {
    static std::vector<std::unique_ptr<cPointSymmetryGroup>> pool;
    pool.push_back(std::move(group));
    return pool.back().get();
}
