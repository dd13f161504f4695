// Candidate groups of automatic detection, from the chain count alone.
#include "symmetry/groupDetection.h"

#include <gtest/gtest.h>

namespace {
std::string candidates(int n) {
    std::string list;
    for (const auto& group : candidateGroups(n)) {
        if (!list.empty()) list += ',';
        list += group->getDescription();
    }
    return list;
}
}  // namespace

TEST(candidateGroups, FollowTheChainCount) {
    EXPECT_EQ(candidates(0), "");
    EXPECT_EQ(candidates(1), "");
    EXPECT_EQ(candidates(2), "c2");
    EXPECT_EQ(candidates(3), "c3");
    EXPECT_EQ(candidates(6), "d3,c6");
    EXPECT_EQ(candidates(12), "t,d6,c12");
    EXPECT_EQ(candidates(23), "c23");
    EXPECT_EQ(candidates(24), "o,t");
    EXPECT_EQ(candidates(25), "c25");
    EXPECT_EQ(candidates(26), "d13");
    EXPECT_EQ(candidates(36), "t");
    EXPECT_EQ(candidates(60), "i,t");
    EXPECT_EQ(candidates(120), "i,o,t");
    const auto d13 = candidateGroups(26);
    EXPECT_EQ(d13.at(0)->chainsPerAssembly, 26);
}
