// The chain permutations given by hand on the command line (-P): "(1,2,0)" for a cyclic group,
// "(main);(second)" for the others, 0-based chain slots.
#pragma once

#include <string>
#include <vector>

// Pieces of the text between delimiters, as successive std::getline calls give them: empty
// pieces between two delimiters are kept, a trailing delimiter adds no empty piece, and an
// empty text gives none.
std::vector<std::string> split(const std::string& text, char delimiter);

struct sManualPermutations {
    std::vector<int> main;    // the main generator's slot permutation
    std::vector<int> second;  // the second generator's (empty for a cyclic group)
    std::string error;        // the message for the user when the text is unusable; empty if not
};

// Parses the text for a group of the given type letter and order on chainCount chains. The
// values of each permutation must be whole numbers forming a permutation of the slots
// 0 .. L-1, L being their number: a multiple of the order, equal to the chain count for a
// non-cyclic group and never below it.
sManualPermutations parseManualPermutations(const std::string& text, const std::string& type, int order,
                                            int chainCount);
