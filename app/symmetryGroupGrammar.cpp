// Parsing of one symmetry-group argument into a point-group object.
#include "app/symmetryGroupGrammar.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {
constexpr const char* kBadArgument = "Error in symmetry group argument";
constexpr const char* kBadOrder = "Error in symmetry group order";
constexpr const char* kBadName = "Error in symmetry group name";

sGroupArgument reject(const char* label) { return sGroupArgument{nullptr, label}; }
}  // namespace

sGroupArgument parseSymmetryGroup(const std::string& argument) {
    if (argument.empty()) return reject(kBadArgument);

    // Groups may be written like options ("-c3", "--c3"); a bare prefix is not a group.
    std::size_t letterPos = 0;
    if (argument[0] == '-') {
        if (argument.size() < 2) return reject(kBadArgument);
        letterPos = 1;
        if (argument[1] == '-') {
            if (argument.size() < 3) return reject(kBadArgument);
            letterPos = 2;
        }
    }
    const char letter = argument[letterPos];

    // The order: decimal, nothing left over; an empty remainder reads as 0.
    const char* digits = argument.c_str() + letterPos + 1;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(digits, &end, 10);
    if (*end != '\0') return reject(kBadOrder);
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN) return reject(kBadOrder);
    const int order = static_cast<int>(value);

    switch (letter) {
    case 'c':
    case 'd':
        // C1 and D1 describe no symmetry to test; very large orders are refused up front.
        if (order < 2 || order > kMaxGroupOrder) return reject(kBadOrder);
        if (letter == 'c') return sGroupArgument{std::make_unique<cCnSymmetry>(order), nullptr};
        return sGroupArgument{std::make_unique<cDnSymmetry>(order), nullptr};
    case 't':
        return sGroupArgument{std::make_unique<cTSymmetry>(), nullptr};
    case 'o':
        return sGroupArgument{std::make_unique<cOSymmetry>(), nullptr};
    case 'i':
        return sGroupArgument{std::make_unique<cISymmetry>(), nullptr};
    default:
        // 'h' (helical) included: no stage of the search can test it.
        return reject(kBadName);
    }
}
