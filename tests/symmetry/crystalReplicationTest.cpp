// Tests of crystal-mate replication: synthetic crystals of crambin chains near the point where
// the rotation axes of a space group meet, completed and then searched.
#include "symmetry/crystalReplication.h"

#include <gtest/gtest.h>

#include <Eigen/Dense>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <numeric>

#include "align/msa.h"
#include "app/cInfo.h"
#include "app/cParameters.h"
#include "crystal/sgBuild.h"
#include "crystal/tabSgName.h"
#include "structure/cMolecule.h"
#include "symmetry/cSym.h"
#include "symmetry/engineCallCache.h"
#include "tests/crystal/crystalReference.h"
#include "tests/libs/ReadDCD/dcdBytes.h"
#include "tests/structure/tempFile.h"
#include "tests/symmetry/syntheticAssembly.h"

namespace {

struct sCell {
    const char* spaceGroup;
    double a, b, c, alpha, beta, gamma;
};

// A cell record, then crambin (tests/data/structure/1crn.pdb, all atoms) centred and moved by
// each motion in turn, one chain per motion, chain ids from A; with noise, every coordinate then
// moved by up to that much (Å), by a fixed sequence.
std::string crystalPdb(const sCell& cell, const std::vector<cSpatialTransform>& motions, double noise = 0.0) {
    std::ifstream in(std::string(QUORIX_TEST_DATA) + "/structure/1crn.pdb");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("ATOM  ", 0) == 0) lines.push_back(line);
    const std::vector<cVector3>& centred = synthetic::crambinAtoms();  // every ATOM record, in order
    char text[100];
    std::snprintf(text, sizeof text, "CRYST1%9.3f%9.3f%9.3f%7.2f%7.2f%7.2f %-11s   1\n", cell.a, cell.b, cell.c,
                  cell.alpha, cell.beta, cell.gamma, cell.spaceGroup);
    std::string out = text;
    unsigned state = 2024u;
    auto shake = [&] {
        state = state * 1664525u + 1013904223u;
        return noise * (static_cast<double>(state >> 8) / 8388608.0 - 1.0);
    };
    for (std::size_t m = 0; m < motions.size(); ++m) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            cVector3 p;
            motions[m].transformPoint(centred.at(i), p);
            if (noise > 0.0) p += cVector3(shake(), shake(), shake());
            std::snprintf(text, sizeof text, "%8.3f%8.3f%8.3f", p.x, p.y, p.z);
            out += lines[i].substr(0, 21) + static_cast<char>('A' + m) + lines[i].substr(22, 8) + text + lines[i].substr(54) + "\n";
        }
        out += "TER\n";
    }
    return out + "END\n";
}

// The chain centred about 8 Å from the origin, off every rotation axis.
const cSpatialTransform kNearOrigin(cMatrix33::identity(), cVector3(5.0, 4.0, 4.5));

class CrystalReplication : public ::testing::Test {
protected:
    // Reads, cuts and matches the chains as a run does, in a new cSym.
    void prepare(const sCell& cell, const std::vector<cSpatialTransform>& motions, double noise = 0.0) {
        prepare(crystalPdb(cell, motions, noise));
    }
    void prepare(const std::string& pdbText) {
        sym = std::make_unique<cSym>(&parameters, &info);
        MSA::ResetIdCount();
        engineCallCache().setEngine(nullptr);
        info.setQuiet(true);
        pdb = std::make_unique<cTempFile>(pdbText);
        testing::internal::CaptureStdout();
        sym->readPDB(pdb->path());
        sym->cutIntoChains();
        sym->alignChains();
        sym->saveAlignment();
        testing::internal::GetCapturedStdout();
    }
    // The search for a group with the crystal-mate switch on; what it printed.
    std::string search(cPointSymmetryGroup& group) {
        parameters.autoreplicate = true;
        testing::internal::CaptureStdout();
        sym->loadAlignment();
        sym->findSymmetry(&group);
        return testing::internal::GetCapturedStdout();
    }
    cInfo info{75};
    cParameters parameters{&info};
    std::unique_ptr<cSym> sym;
    std::unique_ptr<cTempFile> pdb;
};

}  // namespace

TEST_F(CrystalReplication, CompletesThePointGroupWhereTheAxesMeet) {
    struct Case {
        sCell cell;
        int order, chains;  // the chains of the point group, or 1 when nothing is added
    };
    const Case cases[] = {
        {{"P 1 2 1", 50, 40, 60, 90, 105, 90}, 2, 2},   {{"P 2 2 2", 60, 70, 80, 90, 90, 90}, 4, 4},
        {{"P 3 2 1", 70, 70, 90, 90, 90, 120}, 6, 6},   {{"P 4 2 2", 70, 70, 90, 90, 90, 90}, 8, 8},
        {{"P 6 2 2", 80, 80, 90, 90, 90, 120}, 12, 12}, {{"P 2 3", 90, 90, 90, 90, 90, 90}, 12, 12},
        {{"P 4 3 2", 100, 100, 100, 90, 90, 90}, 24, 24},
        {{"P 1", 50, 60, 70, 90, 90, 90}, 2, 1},        {{"P 21 21 21", 60, 70, 80, 90, 90, 90}, 4, 1},
        {{"P 2 2 2", 60, 70, 80, 90, 90, 90}, 3, 1},  // no point gives a multiple of 3 chains
        {{"Q 99", 60, 70, 80, 90, 90, 90}, 2, 1},     // no such space group
    };
    for (const auto& [cell, order, chains] : cases) {
        prepare(cell, {kNearOrigin});
        testing::internal::CaptureStdout();
        sym->replicateChainsCrystal(order);
        testing::internal::GetCapturedStdout();
        ASSERT_EQ(sym->chainCount, chains) << cell.spaceGroup;
        ASSERT_EQ(sym->chains.size(), static_cast<std::size_t>(chains));
        EXPECT_EQ(sym->chainIndices, std::vector<int>(chains, 0));
        EXPECT_EQ(sym->pairRMSD.size(), static_cast<std::size_t>(chains));
        if (chains == 1) continue;

        // The group's rotations through the origin, from the reference operations and the cell.
        const cMatrix33 A(sym->crystal.cellVectors[0], sym->crystal.cellVectors[1], sym->crystal.cellVectors[2]);
        std::vector<cMatrix33> rotations;
        for (const Op& o : RefSettings()[sym->crystal.sgRecord.tabSgName - TabSgName].ops) {
            const cMatrix33 R(o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8]);
            if (o[9] == 0 && o[10] == 0 && o[11] == 0 && R.det() > 0 && R.m[0] + R.m[4] + R.m[8] < 3)
                rotations.push_back(A * R * A.Inverse());
        }
        const std::vector<cPDBAtom>& source = sym->chains[0]->alignedAtoms;
        ASSERT_EQ(source.size(), 46u) << "every CA of the lone chain";
        std::vector<int> used(rotations.size(), 0);
        for (int c = 1; c < chains; ++c) {
            const std::vector<cPDBAtom>& mate = sym->chains[c]->alignedAtoms;
            ASSERT_EQ(mate.size(), 46u);
            EXPECT_EQ(sym->chains[c]->segments.at(0).atomCount, 46);
            std::size_t r = 0;
            for (; r < rotations.size(); ++r) {
                double worst = 0.0;
                for (std::size_t i = 0; i < 46; ++i)
                    worst = std::max(worst, (rotations[r] * source[i].position - mate[i].position).norm());
                if (worst < 1e-6) break;
            }
            ASSERT_LT(r, rotations.size()) << cell.spaceGroup << ": chain " << c << " is no rotation of the group";
            EXPECT_EQ(++used[r], 1) << cell.spaceGroup << ": two chains from one rotation";
        }
    }
}

TEST(CrystalRotationAxes, OnlyTrueRotationsOncePerAxisWhereverTheyLie) {
    // Rotoinversions (mirrors, -1, -4) and screw axes give none; rotations whose translation is
    // perpendicular to their axis are rotations about an axis off the origin.
    const std::pair<const char*, std::multiset<int>> cases[] = {
        {"P -1", {}}, {"P 31", {}}, {"P m m 2", {2}}, {"I 41/a", {2}}, {"I 2 2 2", {2, 2, 2}},
        {"P 4 2 2", {4, 2, 2, 2, 2, 2}}, {"P 6 2 2", {6, 3, 2, 2, 2, 2, 2, 2, 2}}, {"P 21 21 21", {}},
        {"I 21 21 21", {2, 2, 2}}, {"P 4 21 2", {4, 4, 2, 2, 2}},  // 4-folds at (0, 1/2, z) and (1/2, 0, z)
        {"P 31 2 1", {2, 2, 2}}, {"I 21 3", {3, 3, 3, 3, 3, 3, 3, 2, 2, 2}},
    };
    // Fixed points do not depend on the cell's shape: an oblique one checks the conversions.
    const cMatrix33 cell(40, 5, 3, 0, 50, 7, 0, 0, 60);
    for (const auto& [name, expected] : cases) {
        T_SgRecord sg;
        ASSERT_EQ(BuildSgRecord(&sg, name), 0) << name;
        std::multiset<int> orders;
        for (const sCrystalAxis& axis : crystalRotationAxes(sg, cell)) {
            orders.insert(axis.order);
            // A true axis: some operation of the full group, plus a lattice vector, fixes its point.
            const cVector3 f = cell.Inverse() * axis.point;
            bool fixed = false;
            for (const Op& o : RefSettings()[sg.tabSgName - TabSgName].ops) {
                const cMatrix33 R(o[0], o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8]);
                const cVector3 d = R * f + cVector3(o[9], o[10], o[11]) / 12.0 - f;
                const bool lattice = std::fabs(d.x - std::round(d.x)) + std::fabs(d.y - std::round(d.y)) +
                                         std::fabs(d.z - std::round(d.z)) < 1e-9;
                fixed = fixed || (lattice && R.det() > 0 && std::lround(R.m[0] + R.m[4] + R.m[8]) < 3);
            }
            EXPECT_TRUE(fixed) << name << ": no rotation fixes " << axis.point.x << " " << axis.point.y << " "
                               << axis.point.z;
        }
        EXPECT_EQ(orders, expected) << name;
    }
}

TEST_F(CrystalReplication, SearchFitsTheCompletedAssembly) {
    // B is A turned about z: with the crystal's 2-fold about y the two make a D2 tetramer.
    cSpatialTransform pairB;
    kNearOrigin.rightMultiply3d(cSpatialTransform(cMatrix33(-1, 0, 0, 0, -1, 0, 0, 0, 1), cVector3(0.0)), pairB);
    struct Case {
        sCell cell;
        std::vector<cSpatialTransform> file;
        char type;
        int order, chains, clusters;
    };
    const Case cases[] = {
        {{"P 1 2 1", 50, 40, 60, 90, 105, 90}, {kNearOrigin, pairB}, 'c', 2, 4, 2},  // two dimers
        {{"P 1 2 1", 50, 40, 60, 90, 105, 90}, {kNearOrigin, pairB}, 'd', 2, 4, 1},
        // A dihedral group needs its 2N chains, not N (one 2-fold would give a C2 dimer).
        {{"P 2 2 2", 60, 70, 80, 90, 90, 90}, {kNearOrigin}, 'd', 2, 4, 1},
        {{"P 3 2 1", 70, 70, 90, 90, 90, 120}, {kNearOrigin}, 'd', 3, 6, 1},
        {{"P 2 3", 90, 90, 90, 90, 90, 90}, {kNearOrigin}, 't', 12, 12, 1},
    };
    for (const Case& k : cases) {
        // The d2 search on the P 1 2 1 pair follows its c2 search: its mates replace the earlier ones.
        if (&k == cases || k.cell.spaceGroup != (&k - 1)->cell.spaceGroup) prepare(k.cell, k.file);
        auto group = synthetic::makeGroup(k.type, k.order);
        search(*group);
        const std::string name = std::string(k.cell.spaceGroup) + " " + group->getDescription();
        ASSERT_TRUE(sym->chainToCluster.has_value()) << name;
        EXPECT_LT(std::sqrt(group->residual / sym->totalWeight), 0.01) << name;
        EXPECT_EQ(sym->chainCount, k.chains) << name;
        EXPECT_EQ(sym->clusterIds.size(), static_cast<std::size_t>(k.clusters)) << name;
    }
    // Nothing to complete the assembly with, whatever the number of chains: the search ends
    // saying why. Screw axes only; a dimer about a 2-fold of P 1 2 1, whose 2-folds are all
    // parallel (no D2) and whose rotations are no 5-fold; two chains a quarter turn apart about
    // the 4-fold of P 4, which its 2-fold there completes to a C4, no D2.
    cSpatialTransform dimerB, quarterB;
    kNearOrigin.rightMultiply3d(cSpatialTransform(cMatrix33(-1, 0, 0, 0, 1, 0, 0, 0, -1), cVector3(0.0)), dimerB);
    kNearOrigin.rightMultiply3d(cSpatialTransform(cMatrix33(0, -1, 0, 1, 0, 0, 0, 0, 1), cVector3(0.0)), quarterB);
    struct Refusal {
        sCell cell;
        std::vector<cSpatialTransform> file;
        char type;
        int order;
        const char* group;  // as the message names it
    };
    const sCell p121{"P 1 2 1", 50, 40, 60, 90, 105, 90};
    const Refusal refusals[] = {
        {{"P 21 21 21", 60, 70, 80, 90, 90, 90}, {kNearOrigin}, 'd', 2, "D2"},
        {p121, {kNearOrigin, dimerB}, 'd', 2, "D2"},
        {p121, {kNearOrigin, dimerB}, 'c', 5, "C5"},
        {{"P 4", 50, 50, 70, 90, 90, 90}, {kNearOrigin, quarterB}, 'd', 2, "D2"},
        {p121, {kNearOrigin}, 'i', 60, "I"},
    };
    // A failed replication writes no replicated file.
    const std::string written = ::testing::TempDir() + "crystalMatesNotWritten.pdb";
    parameters.autoreplicateOutputPath = written;
    for (const Refusal& r : refusals) {
        prepare(r.cell, r.file);
        std::remove(written.c_str());
        EXPECT_EXIT(search(*synthetic::makeGroup(r.type, r.order)), testing::ExitedWithCode(1),
                    std::string("Automatic chain replication failed, please provide a file with all the chains\n") +
                        "no site of " + r.cell.spaceGroup + " near the chains holds the group " + r.group)
            << r.cell.spaceGroup << " " << r.type << r.order;
        EXPECT_FALSE(std::ifstream(written).good()) << r.cell.spaceGroup << " " << r.type << r.order;
    }
    parameters.autoreplicateOutputPath.clear();
}

TEST_F(CrystalReplication, MatesAreTrueCrystalMatesFormingTheGroupSearched) {
    // Cells, chain centres and every true mate within 80 Å, from gemmi's operations
    // (tests/data/crystal/crystal_mates.tsv, written by makeCrystalMates.py there).
    std::map<std::string, std::vector<std::string>> cells;
    std::map<std::string, std::vector<cSpatialTransform>> trueMates;
    for (const std::vector<std::string>& f : ReadTsv("crystal_mates.tsv")) {
        if (f[0] == "cell") cells[f[1]] = f;
        std::istringstream in(f[2]);
        cSpatialTransform t;
        for (double& x : t.rotation.m) in >> x;
        in >> t.translation.x >> t.translation.y >> t.translation.z;
        if (f[0] == "mate") trueMates[f[1]].push_back(t);
    }
    // chains 0: no point of the crystal has such a group, replication fails; within: Å from the
    // chain's centre to every mate's (the nearest qualifying axis is used).
    struct Case { const char* name; char type; int order, chains; double within; };
    const Case cases[] = {
        {"I212121", 'c', 2, 2, 16},  {"P4212", 'c', 4, 4, 20},  {"1tii_D", 'c', 2, 2, 70},
        {"R3_hexagonal", 'c', 3, 3, 16}, {"R32_rhombohedral", 'd', 3, 6, 24},
        {"P321", 'd', 3, 6, 18},     {"P23", 't', 12, 12, 16},
        {"P321", 'c', 5, 0, 0},      {"P23", 'c', 5, 0, 0},  // a 3-fold and 2-folds are no C5
        {"P422", 'd', 2, 4, 80},  // the 222 site, not the nearer 4-fold: four chains, but no D2
    };
    for (const Case& k : cases) {
        const std::vector<std::string>& cell = cells.at(k.name);
        if (k.name == std::string("1tii_D")) {
            std::ifstream in(std::string(QUORIX_TEST_DATA) + "/crystal/1tii_chainD_ca.pdb");
            prepare(std::string(std::istreambuf_iterator<char>(in), {}));
        } else {
            std::istringstream in(cell[3] + " " + cell[4]);
            sCell c{cell[2].c_str(), 0, 0, 0, 0, 0, 0};
            cVector3 centre;
            in >> c.a >> c.b >> c.c >> c.alpha >> c.beta >> c.gamma >> centre.x >> centre.y >> centre.z;
            prepare(c, {cSpatialTransform(cMatrix33::identity(), centre)});
        }
        auto group = synthetic::makeGroup(k.type, k.order);
        const std::string name = std::string(k.name) + " " + group->getDescription();
        if (k.chains == 0) {
            EXPECT_EXIT(search(*group), testing::ExitedWithCode(1), "Automatic chain replication failed") << name;
            continue;
        }
        testing::internal::CaptureStdout();
        sym->replicateChainsCrystal(group->chainsPerAssembly, k.type);
        testing::internal::GetCapturedStdout();
        ASSERT_EQ(sym->chainCount, k.chains) << name;
        const std::vector<cPDBAtom>& source = sym->chains[0]->alignedAtoms;  // CA atoms only
        std::vector<cSpatialTransform> motions{cSpatialTransform()};
        for (const cSym::sCrystalMate& mate : sym->crystalMates) {
            const std::vector<cPDBAtom>& atoms = sym->chains[mate.chain]->alignedAtoms;
            ASSERT_EQ(atoms.size(), source.size()) << name;
            double best = 1e9;  // CA RMSD to the nearest true mate (Å)
            for (const cSpatialTransform& t : trueMates.at(k.name)) {
                double sum = 0.0;
                for (std::size_t i = 0; i < source.size(); ++i)
                    sum += (t.rotation * source[i].position + t.translation - atoms[i].position).norm2();
                best = std::min(best, std::sqrt(sum / source.size()));
            }
            cVector3 move(0.0);  // of the centre
            for (std::size_t i = 0; i < source.size(); ++i)
                move += (atoms[i].position - source[i].position) / source.size();
            EXPECT_LT(best, 0.001) << name << ": chain " << mate.chain << " is no crystal mate";
            EXPECT_LT(move.norm(), k.within) << name << ": chain " << mate.chain;
            motions.push_back(mate.motion);
        }
        // The motions with the identity form a group: closed under products. The orders of its
        // rotations (from their traces) tell which: Cn has the turns p/n, Dn adds n half-turns, T
        // has eight third turns and three half-turns.
        std::multiset<int> orders, expected;
        for (const cSpatialTransform& x : motions) {
            const long trace = std::lround(x.rotation.m[0] + x.rotation.m[4] + x.rotation.m[8]);
            orders.insert(trace < -1 || trace > 3 ? 0 : std::array{2, 3, 4, 6, 1}[trace + 1]);
            for (const cSpatialTransform& y : motions) {
                const cSpatialTransform xy(x.rotation * y.rotation, x.rotation * y.translation + x.translation);
                EXPECT_TRUE(std::any_of(motions.begin(), motions.end(), [&](const cSpatialTransform& z) {
                    return (z.rotation - xy.rotation).norm2() < 1e-6 && (z.translation - xy.translation).norm() < 1e-4;
                })) << name << ": not closed under products";
            }
        }
        if (k.type == 't') expected = {1, 3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2};
        for (int p = 0; p < k.order && k.type != 't'; ++p) {
            expected.insert(k.order / std::gcd(p, k.order));
            if (k.type == 'd') expected.insert(2);
        }
        EXPECT_EQ(orders, expected) << name;
    }
}

TEST_F(CrystalReplication, NearestSiteAndNoCopiesOfChainsPresent) {
    // Sites every axis of which is a translated one (P 2 2 2 body centre, F 2 2 2 at (1/4, 1/4,
    // 1/4), R 3 2 on rhombohedral axes at (1/2, 1/2, 1/2)); pairs of chains already related by a
    // 2-fold of the nearest site; half a D2 tetramer in P 2 2 2, whose nearer lone 2-folds would
    // add a pair that forms no D2 with it; a dimer about a 2-fold of P 1 2 1, which no site makes
    // a D2; a chain on the plane z = 0 of P 4 2 2 and of P 6 2 2, where the nearest 4-fold (6-fold)
    // meets 2-folds; two very oblique cells. gemmi's nearest site of the group (a point of the axis
    // for a cyclic group) or none, and true mates of chain A (tests/data/crystal/
    // replication_sites.tsv, written by makeReplicationSites.py there).
    struct sCase {
        std::vector<std::string> fields;
        std::vector<cSpatialTransform> chains, mates;
    };
    std::map<std::string, sCase> cases;
    for (const std::vector<std::string>& f : ReadTsv("replication_sites.tsv")) {
        std::istringstream in(f[2]);
        cSpatialTransform t;
        for (double& x : t.rotation.m) in >> x;
        in >> t.translation.x >> t.translation.y >> t.translation.z;
        if (f[0] == "case") cases[f[1]].fields = f;
        (f[0] == "chain" ? cases[f[1]].chains : cases[f[1]].mates).push_back(t);
    }
    ASSERT_EQ(cases.size(), 12u);
    auto caAtoms = [](const cMolecule& chain) {
        std::vector<cVector3> ca;
        for (const cPDBAtom& atom : chain.alignedAtoms)
            if (atom.isCA()) ca.push_back(atom.position);
        return ca;
    };
    auto rmsd = [](const std::vector<cVector3>& x, const std::vector<cVector3>& y) {
        double sum = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) sum += (x[i] - y[i]).norm2();
        return std::sqrt(sum / x.size());
    };
    // The point nearest p that every motion leaves in place: the group's centre, or a point of its
    // axis for a cyclic group (least squares of smallest norm).
    auto fixedPointNearest = [](const std::vector<cSpatialTransform>& motions, const cVector3& p) {
        Eigen::MatrixXd A(3 * motions.size(), 3);
        Eigen::VectorXd b(3 * motions.size());
        for (std::size_t k = 0; k < motions.size(); ++k) {
            const cMatrix33& R = motions[k].rotation;
            const cVector3 rhs = motions[k].translation - (p - R * p);
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c) A(3 * k + r, c) = (r == c) - R(r, c);
                b(3 * k + r) = std::array{rhs.x, rhs.y, rhs.z}[r];
            }
        }
        Eigen::JacobiSVD<Eigen::MatrixXd> svd(A, Eigen::ComputeThinU | Eigen::ComputeThinV);
        svd.setThreshold(1e-8);
        const Eigen::VectorXd d = svd.solve(b);
        return p + cVector3(d(0), d(1), d(2));
    };
    for (const auto& [name, k] : cases) {
        sCell cell{k.fields[2].c_str(), 0, 0, 0, 0, 0, 0};
        std::istringstream in(k.fields[3] + " " + k.fields[4] + " " + k.fields[5] + " " + k.fields[6]);
        char type;
        int order;
        in >> cell.a >> cell.b >> cell.c >> cell.alpha >> cell.beta >> cell.gamma >> type >> order;
        const bool none = k.fields[5] == "none";
        cVector3 site;
        double distance = 0.0;
        if (!none) in >> site.x >> site.y >> site.z >> distance;
        prepare(cell, k.chains);
        auto group = synthetic::makeGroup(type, order);
        testing::internal::CaptureStdout();
        const std::string failure = sym->replicateChainsCrystal(group->chainsPerAssembly, type);
        testing::internal::GetCapturedStdout();
        if (none) {
            EXPECT_EQ(sym->chainCount, static_cast<int>(k.chains.size())) << name << ": nothing may be added";
            EXPECT_EQ(failure, "no site of " + k.fields[2] + " near the chains holds the group D" +
                                   std::to_string(order))
                << name;
            continue;
        }
        EXPECT_EQ(failure, "") << name;
        EXPECT_EQ(sym->chainCount, group->chainsPerAssembly) << name;
        if (sym->chainCount != group->chainsPerAssembly) continue;

        const std::vector<cVector3> source = caAtoms(*sym->chains[0]);
        ASSERT_EQ(source.size(), 46u) << name;
        cVector3 mean(0.0);  // the file chains' placements
        for (const cSpatialTransform& t : k.chains) mean += t.translation / k.chains.size();
        std::vector<cSpatialTransform> motions;
        for (const cSym::sCrystalMate& mate : sym->crystalMates) motions.push_back(mate.motion);
        for (int c = 0; c < sym->chainCount; ++c) {
            const std::vector<cVector3> atoms = caAtoms(*sym->chains[c]);
            ASSERT_EQ(atoms.size(), source.size()) << name;
            double best = 1e9;
            for (const cSpatialTransform& t : k.mates) {
                std::vector<cVector3> moved;
                for (const cVector3& p : source) moved.push_back(t.rotation * p + t.translation);
                best = std::min(best, rmsd(moved, atoms));
            }
            EXPECT_LT(best, 0.001) << name << ": chain " << c << " is no crystal mate";
            for (int d = 0; d < c; ++d)
                EXPECT_GT(rmsd(caAtoms(*sym->chains[d]), atoms), 1.0) << name << ": chains " << d << " and " << c;
        }
        EXPECT_LT((fixedPointNearest(motions, site) - site).norm(), 1e-3) << name << ": not the nearest site";
        EXPECT_NEAR((fixedPointNearest(motions, mean) - mean).norm(), distance, 1e-3) << name;

        // Of the groups about the site, the one that also relates the file's chains is taken, in
        // whichever order the candidates come.
        std::vector<std::vector<cVector3>> file;
        std::vector<cVector3> centres;
        for (std::size_t c = 0; c < k.chains.size(); ++c) {
            file.push_back(caAtoms(*sym->chains[c]));
            centres.push_back(sym->chains[c]->centreOfMass);
        }
        const cMatrix33 A(sym->crystal.cellVectors[0], sym->crystal.cellVectors[1], sym->crystal.cellVectors[2]);
        const std::vector<sCrystalAxis> axes = crystalRotationAxes(sym->crystal.sgRecord, A);
        std::vector<sReplicationCentre> candidates =
            replicationCandidates(axes, *sym->crystal.sgRecord.latticeInfo, A, centres);
        for (int reversed = 0; reversed < 2; ++reversed) {
            if (reversed) std::reverse(candidates.begin(), candidates.end());
            const sReplicationCentre* chosen = chooseReplicationCentre(candidates, axes, file, group->chainsPerAssembly, type);
            ASSERT_NE(chosen, nullptr) << name;
            int copies = 0;
            (void)replicationImages(chosen->point, generatedRotations(chosen->axes, axes), file, &copies);
            EXPECT_EQ(copies > 0, file.size() > 1) << name << (reversed ? ", candidates reversed" : "");
        }
    }
}

TEST_F(CrystalReplication, TheFilesOwnRotationsCompleteAnAssemblyOnlyWhereTheyHold) {
    // tests/data/crystal/replication_cases.tsv (makeReplicationCases.py there, with gemmi): files
    // that hold the whole assembly already (nothing added, the search goes on); sites beyond the
    // reach of a window about the rounded cell coordinates (H -3 c, I 2 2 2, C 1 2/c 1); copies
    // turned 8.6 and 3 degrees from a true group (the exact 222 site instead); chains 0.2 Å off
    // a 222 site (the site, not a 2-fold's own point); D3 from a 2-fold of the crystal and a noisy
    // 3-fold of the file; a mirror image (no rotation); refusals naming the nearest larger site or
    // the space group as the file writes it.
    struct sCase {
        std::vector<std::string> fields;
        std::vector<cSpatialTransform> chains;
        std::map<int, std::vector<cSpatialTransform>> mates;  // true mates of each file chain
    };
    std::map<std::string, sCase> cases;
    for (const std::vector<std::string>& f : ReadTsv("replication_cases.tsv")) {
        std::istringstream in(f[0] == "mate" ? f[3] : f[2]);
        cSpatialTransform t;
        for (double& x : t.rotation.m) in >> x;
        in >> t.translation.x >> t.translation.y >> t.translation.z;
        if (f[0] == "case") cases[f[1]].fields = f;
        if (f[0] == "chain") cases[f[1]].chains.push_back(t);
        if (f[0] == "mate") cases[f[1]].mates[std::stoi(f[2])].push_back(t);
    }
    ASSERT_EQ(cases.size(), 15u);
    for (const auto& [name, k] : cases) {
        sCell cell{k.fields[2].c_str(), 0, 0, 0, 0, 0, 0};
        std::istringstream in(k.fields[3] + " " + k.fields[4] + " " + k.fields[5]);
        char type;
        int order;
        std::string expect, larger;
        in >> cell.a >> cell.b >> cell.c >> cell.alpha >> cell.beta >> cell.gamma >> type >> order >> expect;
        if (expect == "larger") in >> larger;
        cVector3 site(0.0);
        in >> site.x >> site.y >> site.z;
        const int fileChains = static_cast<int>(k.chains.size()), chainsAfter = std::stoi(k.fields[6]);
        const double noise = std::stod(k.fields[7]);
        prepare(cell, k.chains, noise);
        auto group = synthetic::makeGroup(type, order);
        testing::internal::CaptureStdout();
        const std::string failure = sym->replicateChainsCrystal(group->chainsPerAssembly, type);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(sym->chainCount, chainsAfter) << name;
        const std::string wanted = type == 't' ? "T" : std::string(1, static_cast<char>(std::toupper(type))) + std::to_string(order);
        if (expect == "none") {
            EXPECT_EQ(failure, "no site of " + k.fields[2] + " near the chains holds the group " + wanted) << name;
            continue;
        }
        if (expect == "larger") {
            char distance[32];
            std::snprintf(distance, sizeof distance, "%.2f", (sym->chains[0]->centreOfMass - site).norm());
            EXPECT_EQ(failure, "no site of " + k.fields[2] + " near the chains has exactly the group " + wanted +
                                   "; the nearest site of a larger group (" + larger + ") is " + distance +
                                   " Å away, and larger groups are not cut down")
                << name;
            continue;
        }
        EXPECT_EQ(failure, "") << name;
        if (!failure.empty()) continue;
        if (expect == "whole") {
            EXPECT_TRUE(sym->crystalMates.empty()) << name;
            search(*group);
            ASSERT_TRUE(sym->chainToCluster.has_value()) << name;
            EXPECT_LT(std::sqrt(group->residual / sym->totalWeight), 0.01) << name;
            continue;
        }
        // Every chain added is a true crystal mate of the file chain it copies.
        auto caAtoms = [](const cMolecule& chain) {
            std::vector<cVector3> ca;
            for (const cPDBAtom& atom : chain.alignedAtoms)
                if (atom.isCA()) ca.push_back(atom.position);
            return ca;
        };
        for (const cSym::sCrystalMate& mate : sym->crystalMates) {
            const std::vector<cVector3> source = caAtoms(*sym->chains[mate.source]), atoms = caAtoms(*sym->chains[mate.chain]);
            double best = 1e9;
            for (const cSpatialTransform& t : k.mates.at(mate.source)) {
                double sum = 0.0;
                for (std::size_t i = 0; i < source.size(); ++i)
                    sum += (t.rotation * source[i] + t.translation - atoms[i]).norm2();
                best = std::min(best, std::sqrt(sum / source.size()));
            }
            EXPECT_LT(best, 0.001) << name << ": chain " << mate.chain << " is no crystal mate";
        }
        // About the site: the candidate chosen is that point (up to the noise for a point of an
        // axis nearest the chains).
        std::vector<std::vector<cVector3>> file;
        std::vector<cVector3> centres;
        for (int c = 0; c < fileChains; ++c) {
            file.push_back(caAtoms(*sym->chains[c]));
            centres.push_back(sym->chains[c]->centreOfMass);
        }
        const cMatrix33 A(sym->crystal.cellVectors[0], sym->crystal.cellVectors[1], sym->crystal.cellVectors[2]);
        const std::vector<sCrystalAxis> axes = crystalRotationAxes(sym->crystal.sgRecord, A);
        const std::vector<sReplicationCentre> candidates =
            replicationCandidates(axes, *sym->crystal.sgRecord.latticeInfo, A, centres);
        const sReplicationCentre* chosen = chooseReplicationCentre(candidates, axes, file, group->chainsPerAssembly, type);
        ASSERT_NE(chosen, nullptr) << name;
        EXPECT_LT((chosen->point - site).norm(), 1e-3 + noise) << name << ": not the site";
    }
}

TEST(ChooseReplicationCentre, TiesAreWithinAThousandthOfTheNearestQualifyingDistance) {
    // Four chains: B = u A, C = v A, D = u C, with u the 2-fold about z and v the 2-fold about
    // (1, 0, 1) through the origin, which do not commute. For C2, u maps four chains onto chains
    // of the file, v two, and w, a 2-fold about y through (30, 0, 0), none. Candidates in order of
    // distance w, v, u: v displaces w only as a tie, and u must not displace v as a tie of v's
    // when it is no tie of w's.
    const std::vector<sCrystalAxis> axes{{cVector3(0, 0, 1), 2, cVector3(0.0)},
                                         {cVector3(1, 0, 1).normalizedVersion(), 2, cVector3(0.0)},
                                         {cVector3(0, 1, 0), 2, cVector3(30, 0, 0)}};
    auto turn = [&](int axis, const std::vector<cVector3>& chain) {
        std::vector<cVector3> moved;
        const cMatrix33 R = rotationAbout(cVector3(0.0), axes[axis].direction, M_PI).rotation;
        for (const cVector3& x : chain) moved.push_back(R * x);
        return moved;
    };
    std::vector<cVector3> A;
    for (int i = 0; i < 10; ++i)
        A.push_back(cVector3(8.0 + 1.5 * std::cos(i), 3.0 + 1.1 * std::sin(2.0 * i), 2.0 + 0.7 * i));
    const std::vector<std::vector<cVector3>> chains{A, turn(0, A), turn(1, A), turn(0, turn(1, A))};
    // Scores: four times the squared root-mean-square distance (Å) of the four chains.
    auto score = [](double distance) { return 4.0 * distance * distance; };
    const std::pair<const char*, std::array<double, 3>> cases[] = {
        {"v a tie of w differing in the last bits", {score(10.0), std::nextafter(score(10.0), 1e9), score(10.002)}},
        {"u 0.0012 Å beyond w, 0.0006 Å beyond v", {score(10.0), score(10.0006), score(10.0012)}},
    };
    for (const auto& [name, scores] : cases) {
        const std::vector<sReplicationCentre> candidates{
            {cVector3(30, 0, 0), {2}, scores[0]}, {cVector3(0.0), {1}, scores[1]}, {cVector3(0.0), {0}, scores[2]}};
        const sReplicationCentre* chosen = chooseReplicationCentre(candidates, axes, chains, 2, 'c');
        ASSERT_NE(chosen, nullptr) << name;
        EXPECT_EQ(chosen - candidates.data(), 1) << name;
    }
    // At the same distance, a point that only an axis's own window reaches (rank 1) comes after
    // one of the lattice point's window, wherever the list puts it: ties fall as they always did.
    const std::vector<sReplicationCentre> equal{{cVector3(30, 0, 0), {2}, score(10.0), 1},
                                                {cVector3(-30, 0, 0), {2}, std::nextafter(score(10.0), 1e9), 0}};
    const sReplicationCentre* chosen = chooseReplicationCentre(equal, axes, chains, 2, 'c');
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen - equal.data(), 1);
}

TEST_F(CrystalReplication, TrajectoryFramesMoveTheMatesWithTheirSources) {
    prepare({"P 2 2 2", 60, 70, 80, 90, 90, 90}, {kNearOrigin});
    // One frame of the file's own coordinates: the mates must follow by their rotations.
    std::vector<float> xyz[3];
    for (std::vector<float>& v : xyz) v.resize(sym->atomRecordCount);
    for (const cPDBAtom& a : sym->atoms) {
        xyz[0][a.recordOrdinal] = static_cast<float>(a.position.x);
        xyz[1][a.recordOrdinal] = static_cast<float>(a.position.y);
        xyz[2][a.recordOrdinal] = static_cast<float>(a.position.z);
    }
    DcdBytes bytes;
    bytes.header(controlWords(1, 0)).titles({"crystal"}).ints({sym->atomRecordCount});
    TempDcdFile dcd("crystalMates", bytes.floats(xyz[0]).floats(xyz[1]).floats(xyz[2]));
    parameters.trajectoryPath = dcd.path;
    const std::string out = search(*synthetic::makeGroup('d', 2));
    std::istringstream lines(out.substr(out.find('\n', out.find("SgRecord->nList"))));
    std::vector<double> rmsd{std::istream_iterator<double>(lines), std::istream_iterator<double>()};
    ASSERT_EQ(rmsd.size(), 2u) << out;  // the structure's own, then the frame's
    EXPECT_LT(std::max(rmsd[0], rmsd[1]), 0.01);
}
