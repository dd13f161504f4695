// Places of the chains of an incomplete cyclic copy around its ring, from their turns.
#include "symmetry/ringPlaces.h"

#include <gtest/gtest.h>

#include <Eigen/Geometry>
#include <numbers>
#include <random>

#include "tests/geometry/randomSeed.h"

namespace {

// Frames of chains turned by turns[k] * 2 pi / order about the unit axis u, as the chain
// preparation stores them: the rows of the rotation that takes each chain back onto chain 0.
void framesOf(const std::vector<double>& turns, int order, const Eigen::Vector3d& u, std::vector<cVector3>& d1,
              std::vector<cVector3>& d2) {
    for (double turn : turns) {
        const Eigen::Matrix3d back = Eigen::AngleAxisd(-2.0 * std::numbers::pi * turn / order, u).toRotationMatrix();
        d1.emplace_back(back(0, 0), back(0, 1), back(0, 2));
        d2.emplace_back(back(1, 0), back(1, 1), back(1, 2));
    }
}

}  // namespace

TEST(RingPlaces, ChainsTakeTheirTurnsFromTheFirstAsDistinctPlaces) {
    std::mt19937_64 rng = seededEngine("RingPlaces.Turns");
    std::normal_distribution<double> normal;
    struct sCase {
        int order;
        std::vector<double> turns;  // per chain, about the axis from an arbitrary chain
        std::vector<int> places;    // expected, in the sense the turns are given
    };
    const sCase cases[] = {
        {5, {0, 2}, {0, 2}},                    // two chains, a gap between them
        {6, {2, 5}, {0, 3}},                    // a half turn apart, first chain not at 0
        {7, {0, 1, 2, 3}, {0, 1, 2, 3}},        // a run of three gaps
        {7, {3, 0, 6, 1}, {0, 4, 3, 5}},        // out of order around the ring
        {12, {0, 11, 6, 5}, {0, 11, 6, 5}},     // gaps on both sides
        {6, {0, 1.45, 1.1}, {0, 2, 1}},         // two turns nearest one place: the cheaper split,
                                                // not the first chain's nearest place
        {8, {0, 4.05, 1.97, 6.02}, {0, 4, 2, 6}},  // turns off by noise
    };
    for (const sCase& c : cases) {
        const auto [ux, uy, uz] = draws<3>(normal, rng);
        const Eigen::Vector3d u(ux, uy, uz);
        std::vector<cVector3> d1, d2;
        framesOf(c.turns, c.order, u.normalized(), d1, d2);
        const std::vector<int> places =
            ringPlaces(d1.data(), d2.data(), nullptr, 0.0, c.order, static_cast<int>(c.turns.size()));
        // The sense about the axis is the places' own choice: either that of the turns or the
        // opposite one, for every chain alike.
        std::vector<int> mirrored;
        for (int place : c.places) mirrored.push_back((c.order - place) % c.order);
        EXPECT_TRUE(places == c.places || places == mirrored) << "c" << c.order << " turn " << c.turns[1];
    }
}

TEST(RingPlaces, CentresOnOneRingPlaceChainsWhereTheTurnsCannot) {
    // A wide ring of small chains: a turn off by half a step or more is the noise of a small
    // chain, while its centre, 180 Å from the axis, still lies at its place. Two chains leave
    // the place to their turn. Centres that do not lie on one ring (every other chain 150 Å up the
    // axis), or that lie on one but off the group's places, say nothing: the turns' places stand.
    const Eigen::Vector3d axis = Eigen::Vector3d(1.0, 2.0, 2.0) / 3.0;
    const Eigen::Vector3d out = Eigen::Vector3d(2.0, -1.0, 0.0).normalized();  // across the axis
    struct sCase {
        int order;
        std::vector<double> centreSteps;  // where the centres lie, in steps from the first
        std::vector<double> turnErrors;   // per chain, in steps
        double zigzag;                    // Å along the axis of every other chain
        std::vector<int> places;          // expected
    };
    const sCase cases[] = {
        {60, {0, 1, 2, 3, 7, 8, 20, 31, 45, 59}, {0, 0.6, -0.7, 0.55, 0.8, -0.6, 0.9, -0.65, 0.7, -0.8}, 0.0,
         {0, 1, 2, 3, 7, 8, 20, 31, 45, 59}},
        {60, {0, 8}, {0, -0.7}, 0.0, {0, 7}},
        {6, {0, 1, 2, 3}, {0, 1, 2, 2}, 150.0, {0, 2, 4, 5}},
        // On one ring, but not at the group's places: the centres place nothing.
        {4, {0, 1.45, 2.7}, {0, 0.1, 0}, 0.0, {0, 2, 3}},
    };
    for (const sCase& c : cases) {
        std::vector<double> turns;
        std::vector<cVector3> centres;
        for (std::size_t k = 0; k < c.centreSteps.size(); ++k) {
            turns.push_back(c.centreSteps[k] + c.turnErrors[k]);
            const double angle = 2.0 * std::numbers::pi * c.centreSteps[k] / c.order;
            const Eigen::Vector3d p = Eigen::Vector3d(12.0, -7.0, 25.0) +
                                      Eigen::AngleAxisd(angle, axis) * (180.0 * out) + c.zigzag * (k % 2) * axis;
            centres.emplace_back(p.x(), p.y(), p.z());
        }
        std::vector<cVector3> d1, d2;
        framesOf(turns, c.order, axis, d1, d2);
        const std::vector<int> places =
            ringPlaces(d1.data(), d2.data(), centres.data(), 10.0, c.order, static_cast<int>(turns.size()));
        std::vector<int> mirrored;
        for (int place : c.places) mirrored.push_back((c.order - place) % c.order);
        EXPECT_TRUE(places == c.places || places == mirrored)
            << "c" << c.order << " with " << c.places.size() << " chains, zigzag " << c.zigzag << ": "
            << testing::PrintToString(places);
    }
}
