// Tests of crystal-mate replication: synthetic crystals of crambin chains near the point where
// the rotation axes of a space group meet, completed and then searched.
#include "symmetry/crystalReplication.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

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
// each motion in turn, one chain per motion, chain ids from A.
std::string crystalPdb(const sCell& cell, const std::vector<cSpatialTransform>& motions) {
    std::ifstream in(std::string(QUORIX_TEST_DATA) + "/structure/1crn.pdb");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("ATOM  ", 0) == 0) lines.push_back(line);
    const std::vector<cVector3>& centred = synthetic::crambinAtoms();  // every ATOM record, in order
    char text[100];
    std::snprintf(text, sizeof text, "CRYST1%9.3f%9.3f%9.3f%7.2f%7.2f%7.2f %-11s   1\n", cell.a, cell.b, cell.c,
                  cell.alpha, cell.beta, cell.gamma, cell.spaceGroup);
    std::string out = text;
    for (std::size_t m = 0; m < motions.size(); ++m) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            cVector3 p;
            motions[m].transformPoint(centred.at(i), p);
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
    void prepare(const sCell& cell, const std::vector<cSpatialTransform>& motions) {
        sym = std::make_unique<cSym>(&parameters, &info);
        MSA::ResetIdCount();
        engineCallCache().setEngine(nullptr);
        info.setQuiet(true);
        pdb = std::make_unique<cTempFile>(crystalPdb(cell, motions));
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

TEST(CrystalRotationAxes, OnlyPureRotationsThroughTheOriginOncePerDirectionAndOrder) {
    // Rotoinversions (mirrors, -1, -4) and screw or off-origin axes give none.
    const std::pair<const char*, std::multiset<int>> cases[] = {
        {"P -1", {}}, {"P 31", {}}, {"P m m 2", {2}}, {"I 41/a", {2}}, {"I 2 2 2", {2, 2, 2}},
        {"P 4 2 2", {4, 2, 2, 2, 2, 2}}, {"P 6 2 2", {6, 3, 2, 2, 2, 2, 2, 2, 2}},
    };
    for (const auto& [name, expected] : cases) {
        T_SgRecord sg;
        ASSERT_EQ(BuildSgRecord(&sg, name), 0) << name;
        std::multiset<int> orders;
        for (const sCrystalAxis& axis : crystalRotationAxes(sg, cMatrix33::identity())) orders.insert(axis.order);
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
    // Screw axes only: nothing to replicate with.
    prepare({"P 21 21 21", 60, 70, 80, 90, 90, 90}, {kNearOrigin});
    EXPECT_EXIT(search(*synthetic::makeGroup('d', 2)), testing::ExitedWithCode(1),
                "Automatic chain replication failed, please provide a file with all the chains");
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
