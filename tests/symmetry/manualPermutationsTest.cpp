// The -P permutation text: its syntax errors, and values that are no permutation of the slots.
#include "symmetry/manualPermutations.h"

#include <gtest/gtest.h>

namespace {
using Slots = std::vector<int>;
const std::string kIncorrect = "Incorrect permutation provided";
}  // namespace

TEST(split, KeepsInnerEmptyPiecesButNoTrailingOne) {
    EXPECT_EQ(split("", ';'), std::vector<std::string>{});
    EXPECT_EQ(split("a;;b", ';'), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(split("a;", ';'), (std::vector<std::string>{"a"}));
    EXPECT_EQ(split(";a", ';'), (std::vector<std::string>{"", "a"}));
}

TEST(parseManualPermutations, CyclicAndDihedralPermutations) {
    const sManualPermutations c3 = parseManualPermutations("(1,2,0)", "c", 3, 3);
    EXPECT_EQ(c3.error, "");
    EXPECT_EQ(c3.main, (Slots{1, 2, 0}));
    EXPECT_TRUE(c3.second.empty());

    const sManualPermutations d2 = parseManualPermutations("(1, 0, 3, 2);( 2,3,0,1 )", "d", 2, 4);
    EXPECT_EQ(d2.error, "");
    EXPECT_EQ(d2.main, (Slots{1, 0, 3, 2}));
    EXPECT_EQ(d2.second, (Slots{2, 3, 0, 1}));

    // A cyclic group may name slots for missing chains: six slots of C3 for five chains.
    EXPECT_EQ(parseManualPermutations("(1,2,0,4,5,3)", "c", 3, 5).error, "");
    EXPECT_EQ(parseManualPermutations("(1,2,0);", "c", 3, 3).error, "");  // trailing separator
}

TEST(parseManualPermutations, SyntaxErrorsGiveTheirMessages) {
    EXPECT_EQ(parseManualPermutations("(1,2,0);(0,2,1)", "c", 3, 3).error,
              "Syntax error in permutations,1 permutation(s) expected for c symmetries (use \";\" as separator) ");
    EXPECT_EQ(parseManualPermutations("(1,0,3,2)", "d", 2, 4).error,
              "Syntax error in permutations,2 permutation(s) expected for d symmetries (use \";\" as separator) ");
    for (const char* text : {"1,2,0", "(1,2,0", "1,2,0)", "(", ")", "[1,2,0]"})
        EXPECT_EQ(parseManualPermutations(text, "c", 3, 3).error, "Syntax error in permutations, parenthesis expected")
            << text;
    EXPECT_EQ(parseManualPermutations("(1,2,0);1,0,3,2", "d", 3, 3).error,
              "Syntax error in permutations, parenthesis expected");
    const std::string size = "Permutation size does not contains the expected nb of elements";
    EXPECT_EQ(parseManualPermutations("(1,0)", "c", 3, 3).error, size);
    EXPECT_EQ(parseManualPermutations("(1,0,3,2,5,4);(2,3,0,1,5,4)", "d", 2, 4).error, size);
    EXPECT_EQ(parseManualPermutations("(1,2,3,0);(2,3,0,1)", "t", 12, 4).error, size);
}

TEST(parseManualPermutations, ValuesMustBeEverySlotOnce) {
    EXPECT_EQ(parseManualPermutations("(1,2,2)", "c", 3, 3).error, kIncorrect);      // twice, 0 missing
    EXPECT_EQ(parseManualPermutations("(1,2,3)", "c", 3, 3).error, kIncorrect);      // beyond the slots
    EXPECT_EQ(parseManualPermutations("(1,-1,0)", "c", 3, 3).error, kIncorrect);
    EXPECT_EQ(parseManualPermutations("(1,x,0)", "c", 3, 3).error, kIncorrect);      // not a number
    EXPECT_EQ(parseManualPermutations("(1,,2,0,4,5)", "c", 3, 6).error, kIncorrect);  // empty value
    EXPECT_EQ(parseManualPermutations("(1,2z,0)", "c", 3, 3).error, kIncorrect);
    EXPECT_EQ(parseManualPermutations("(99999999999,2,0)", "c", 3, 3).error, kIncorrect);
    EXPECT_EQ(parseManualPermutations("(1,0)", "c", 2, 4).error, kIncorrect);         // fewer slots than chains
    EXPECT_EQ(parseManualPermutations("()", "c", 3, 3).error, kIncorrect);
    EXPECT_EQ(parseManualPermutations("(1,0,3,2);(2,3,0,0)", "d", 2, 4).error, kIncorrect);
}
