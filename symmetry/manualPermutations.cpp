// Parsing of the -P permutation text.
#include "symmetry/manualPermutations.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

// A whole decimal number, blanks allowed around it; false for anything else (empty included).
bool readSlot(const std::string& text, int& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || v < -1000000000L || v > 1000000000L) return false;
    for (const char* p = end; *p; ++p)
        if (*p != ' ' && *p != '\t') return false;
    value = static_cast<int>(v);
    return true;
}

// Every slot 0 .. size-1 exactly once.
bool isPermutation(const std::vector<int>& p) {
    std::vector<char> seen(p.size(), 0);
    for (int v : p) {
        if (v < 0 || v >= static_cast<int>(p.size()) || seen[v]) return false;
        seen[v] = 1;
    }
    return true;
}

}  // namespace

std::vector<std::string> split(const std::string& text, char delimiter) {
    std::vector<std::string> pieces;
    std::stringstream stream(text);
    std::string piece;
    while (std::getline(stream, piece, delimiter)) pieces.push_back(piece);
    return pieces;
}

sManualPermutations parseManualPermutations(const std::string& text, const std::string& type, int order,
                                            int chainCount) {
    sManualPermutations result;
    const bool cyclic = type == "c";
    const std::vector<std::string> items = split(text, ';');
    const std::size_t expected = cyclic ? 1 : 2;
    if (items.size() != expected) {
        result.error = "Syntax error in permutations," + std::to_string(expected) + " permutation(s) expected for " +
                       type + " symmetries (use \";\" as separator) ";
        return result;
    }
    for (std::size_t item = 0; item < items.size(); ++item) {
        const std::string& p = items[item];
        if (p.size() < 2 || p.front() != '(' || p.back() != ')') {
            result.error = "Syntax error in permutations, parenthesis expected";
            return result;
        }
        const std::vector<std::string> values = split(p.substr(1, p.size() - 2), ',');
        const int count = static_cast<int>(values.size());
        if (order <= 0 || count % order != 0 || (!cyclic && count != chainCount)) {
            result.error = "Permutation size does not contains the expected nb of elements";
            return result;
        }
        std::vector<int>& target = item == 0 ? result.main : result.second;
        for (const std::string& value : values) {
            int slot = 0;
            if (!readSlot(value, slot)) {
                result.error = "Incorrect permutation provided";
                return result;
            }
            target.push_back(slot);
        }
        // Slots index the chains and every element's permutation: they must all be there once,
        // and cover every chain.
        if (count < chainCount || !isPermutation(target)) {
            result.error = "Incorrect permutation provided";
            return result;
        }
    }
    return result;
}
