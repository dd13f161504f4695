// Tests of the group permutations: the elements enumerated from the generator permutations,
// their numbering, their quaternions, and the refusal of permutations that are not permutations.
#include "symmetry/groupPermutations.h"

#include <gtest/gtest.h>

#include <Eigen/Geometry>
#include <cmath>
#include <unistd.h>

#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/cSym.h"
#include "symmetry/elementTables.h"

namespace {

int storedElements(const cPointSymmetryGroup& group) {
    int count = 0;
    for (const std::vector<int>& p : group.permutations) count += !p.empty();
    return count;
}

// Rotation matrices of every stored element for axes a1, a2 at the group's cosine.
std::vector<Eigen::Matrix3d> elementRotations(const cPointSymmetryGroup& group) {
    const double c = group.cosine;
    const Eigen::Vector3d a1(0.0, 0.0, 1.0), a2(std::sqrt(1.0 - c * c), 0.0, c);
    std::vector<Eigen::Matrix3d> rotations;
    for (std::size_t j = 0; j < group.permutations.size(); ++j) {
        if (group.permutations[j].empty()) continue;
        const Eigen::Vector3d v = group.q1[j] * a1 + group.q2[j] * a2 + group.q3[j] * a1.cross(a2);
        EXPECT_NEAR(group.q0[j] * group.q0[j] + v.squaredNorm(), 1.0, 1e-12) << "element " << j;
        rotations.push_back(Eigen::Quaterniond(group.q0[j], v.x(), v.y(), v.z()).toRotationMatrix());
    }
    return rotations;
}

// Runs the statement in a child process with standard output sent to standard error, so that
// the death-test matcher sees the message.
#define EXPECT_REJECTED(statement)                \
    EXPECT_EXIT(                                  \
        {                                         \
            ::dup2(STDERR_FILENO, STDOUT_FILENO); \
            statement;                            \
        },                                        \
        testing::ExitedWithCode(1), "Incorrect permutation provided")

}  // namespace

TEST(groupPermutations, CyclicPowersCarryTheirHalfAngleQuaternions) {
    cSym sym(nullptr, nullptr);
    cCnSymmetry c3(3);
    sym.permutationLength = 3;
    sym.mainPermutation = {1, 2, 0};
    sym.initPermutations(&c3);
    ASSERT_EQ(storedElements(c3), 3);
    EXPECT_EQ(c3.permutations[0], (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(c3.permutations[1], (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(c3.permutations[2], (std::vector<int>{2, 0, 1}));
    EXPECT_DOUBLE_EQ(c3.q0[0], 1.0);
    EXPECT_NEAR(c3.q0[1], 0.5, 1e-15);
    EXPECT_NEAR(c3.q0[2], -0.5, 1e-15);
    EXPECT_EQ(c3.q1[0], 0.0);
    EXPECT_NEAR(c3.q1[1], 0.8660254037844386, 1e-15);
    EXPECT_NEAR(c3.q1[2], 0.8660254037844386, 1e-15);
    EXPECT_EQ(c3.RMSD.size(), 3u);
    EXPECT_EQ(c3.RMSD_Z.size(), 3u);
}

TEST(groupPermutations, ElementsAreNumberedByTheImageOfTheFirstDefinedSlot) {
    cSym sym(nullptr, nullptr);
    cDnSymmetry d2(2);
    sym.permutationLength = 4;
    sym.mainPermutation = {1, 0, 3, 2};
    sym.secondPermutation = {2, 3, 0, 1};
    sym.initPermutations(&d2);
    ASSERT_EQ(storedElements(d2), 4);
    for (int j = 0; j < 4; ++j) EXPECT_EQ(d2.permutations[j][0], j);

    // Slot 0 undefined (a slot of another copy): elements go by the image of slot 1.
    cCnSymmetry c2(2);
    sym.permutationLength = 3;
    sym.mainPermutation = {-1, 2, 1};
    sym.initPermutations(&c2);
    EXPECT_TRUE(c2.permutations[0].empty());
    EXPECT_EQ(c2.permutations[1], (std::vector<int>{-1, 1, 2}));
    EXPECT_EQ(c2.permutations[2], (std::vector<int>{-1, 2, 1}));
}

TEST(groupPermutations, CubicGeneratorsEnumerateEveryRotationOfTheGroup) {
    // The generator tables themselves are chain permutations of a complete copy.
    std::vector<std::unique_ptr<cPointSymmetryGroup>> groups;
    groups.push_back(std::make_unique<cTSymmetry>());
    groups.push_back(std::make_unique<cOSymmetry>());
    groups.push_back(std::make_unique<cISymmetry>());
    groups.push_back(std::make_unique<cDnSymmetry>(5));
    for (const auto& group : groups) {
        SCOPED_TRACE(group->getDescription());
        const char type = group->type[0];
        cSym sym(nullptr, nullptr);
        sym.mainPermutation = groupMainGenerator(type, group->order);
        sym.secondPermutation = groupSecondGenerator(type, group->order);
        sym.permutationLength = static_cast<int>(sym.mainPermutation.size());
        sym.initPermutations(group.get());
        EXPECT_EQ(storedElements(*group), group->chainsPerAssembly);
        // With the axes at the group's angle the quaternions are unit and give distinct
        // rotations that form a group: the products of the generators are faithful.
        const std::vector<Eigen::Matrix3d> rotations = elementRotations(*group);
        for (std::size_t a = 0; a < rotations.size(); ++a) {
            for (std::size_t b = a + 1; b < rotations.size(); ++b)
                EXPECT_GT((rotations[a] - rotations[b]).norm(), 1e-6) << a << " " << b;
            bool closed = false;
            const Eigen::Matrix3d square = rotations[a] * rotations[a];
            for (const Eigen::Matrix3d& r : rotations) closed = closed || (r - square).norm() < 1e-9;
            EXPECT_TRUE(closed) << "element " << a;
        }
    }
}

TEST(groupPermutations, PermutationsThatAreNotPermutationsAreRefused) {
    EXPECT_TRUE(isSlotPermutation({1, 2, 0}, 3));
    EXPECT_TRUE(isSlotPermutation({-1, 2, 1}, 3));
    EXPECT_FALSE(isSlotPermutation({1, 1, 0}, 3));   // two slots onto one
    EXPECT_FALSE(isSlotPermutation({1, 2, 3}, 3));   // past the slots
    EXPECT_FALSE(isSlotPermutation({1, -1, 0}, 3));  // an orbit runs into an undefined slot
    EXPECT_FALSE(isSlotPermutation({1, 0}, 3));      // wrong length
    EXPECT_FALSE(isSlotPermutation({-2, 0, 1}, 3));
    EXPECT_EQ(cycleLength({1, 2, 0, 4, 3}, 0), 3);
    EXPECT_EQ(cycleLength({1, 2, 0, 4, 3}, 4), 2);
    EXPECT_EQ(cycleLength({1, 1, 0}, 0), -1);
    EXPECT_EQ(PGCD(12, 18), 6);
    EXPECT_EQ(PGCD(7, 0), 7);

    auto run = [](std::vector<int> main, std::vector<int> second, bool cyclic) {
        cSym sym(nullptr, nullptr);
        sym.permutationLength = 3;
        sym.mainPermutation = std::move(main);
        sym.secondPermutation = std::move(second);
        cCnSymmetry c3(3);
        cDnSymmetry d3(3);
        sym.initPermutations(cyclic ? static_cast<cPointSymmetryGroup*>(&c3) : &d3);
    };
    EXPECT_REJECTED(run({1, 1, 0}, {}, true));      // the orbit of slot 0 would never close
    EXPECT_REJECTED(run({1, 2, 7}, {}, true));      // a slot number from the command line past the end
    EXPECT_REJECTED(run({-1, -1, -1}, {}, true));   // no slot defined
    EXPECT_REJECTED(run({1, 2, 0}, {0, 2}, false));  // second generator of the wrong length
    EXPECT_REJECTED(run({1, 2, 0}, {0, -1, 1}, false));
    EXPECT_REJECTED(run({1, 2}, {0, 1, 2}, false));
}
