// Chain preparation of cSym: reading and cutting the complex, the chain-pair matrices (chains of
// one sequence matched once), the saved alignment, and the sequence side of clustering (sequence
// term, re-alignment of a cluster).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "align/corvid.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "app/cInfo.h"
#include "app/cParameters.h"
#include "structure/cMolecule.h"
#include "symmetry/cSym.h"
#include "symmetry/engineCallCache.h"
#include "tests/structure/tempFile.h"
#include "tests/symmetry/chainPdb.h"

namespace {

constexpr double kPi = 3.141592653589793;

// A bent strand of n CA atoms about 10 Å from the z axis, turned by `angle` about z.
std::vector<cVector3> turnedStrand(int n, double angle) {
    std::vector<cVector3> positions;
    const double c = std::cos(angle), s = std::sin(angle);
    for (int i = 0; i < n; ++i) {
        const cVector3 p(10.0 + 1.5 * i, 2.0 * std::sin(i), 3.8 * i);
        positions.emplace_back(c * p.x - s * p.y, s * p.x + c * p.y, p.z);
    }
    return positions;
}

// The same pair matrices, aligned residues and directions in both.
void expectSameMatching(const cSym& a, const cSym& b) {
    EXPECT_EQ(a.pairRMSD, b.pairRMSD);
    EXPECT_EQ(a.pairAngle, b.pairAngle);
    EXPECT_EQ(a.pairCentreDistance, b.pairCentreDistance);
    ASSERT_EQ(a.chains.size(), b.chains.size());
    for (std::size_t k = 0; k < a.chains.size(); ++k) {
        EXPECT_EQ(a.chains[k]->alignedResidues, b.chains[k]->alignedResidues) << k;
        EXPECT_EQ(a.chains[k]->direction1, b.chains[k]->direction1) << k;
    }
}

class cSymPreparation : public ::testing::Test {
protected:
    void SetUp() override {
        MSA::ResetIdCount();
        engineCallCache().setEngine(nullptr);
        info.setQuiet(true);
    }
    void prepare(const std::vector<chainPdb::sChain>& chains, bool align = true) {
        cTempFile pdb(chainPdb::text(chains));
        sym.readPDB(pdb.path());
        sym.cutIntoChains();
        if (align) {
            sym.alignChains();
            sym.saveAlignment();
        }
    }
    cInfo info{75};
    cParameters parameters{&info};
    cSym sym{&parameters, &info};
};

}  // namespace

TEST_F(cSymPreparation, ChainsWithoutKnownResiduesAreDroppedBeforeCounting) {
    info.setQuiet(false);
    testing::internal::CaptureStdout();
    prepare({{'A', "AGSK", {}}, {'B', "????", {}}, {'C', "AGSK", {}}}, false);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Number of chains read....."), std::string::npos);
    EXPECT_NE(out.find("Chain without known residues dropped"), std::string::npos) << out;
    EXPECT_NE(out.find(" : chain 'B', atom serials 5 to 8\n"), std::string::npos) << out;
    EXPECT_EQ(sym.chainCount, 2);
    ASSERT_EQ(sym.chains.size(), 2u);
    EXPECT_EQ(sym.chains[1]->atoms.front().chain, 'C');
    EXPECT_EQ(sym.segments.size(), 2u);
}

TEST_F(cSymPreparation, PairMatricesOfATrimer) {
    prepare({{'A', "AGSKWV", turnedStrand(6, 0.0)},
             {'B', "AGSKWV", turnedStrand(6, 2 * kPi / 3)},
             {'C', "AGSKWV", turnedStrand(6, 4 * kPi / 3)}});
    EXPECT_EQ(sym.chainIndices, (std::vector<int>{0, 1, 2}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sym.chains[i]->alignedAtoms.size(), 6u);
        for (int j = 0; j < 3; ++j) {
            // Coordinates carry the PDB format's 0.0005 Å rounding.
            EXPECT_NEAR(sym.pairRMSD[i][j], 0.0, 1e-6);
            EXPECT_NEAR(sym.pairAngle[i][j], i == j ? 0.0 : 2 * kPi / 3, 2e-4) << i << j;
            // The trimer's centre lies on the axis of every rotation between its chains.
            EXPECT_NEAR(sym.pairCentreDistance[i][j], 0.0, 1e-5);
        }
    }
    EXPECT_EQ(sym.chains[0]->direction1, cVector3(1.0, 0.0, 0.0));
    EXPECT_EQ(sym.chains[0]->direction2, cVector3(0.0, 1.0, 0.0));
    // Chain 1 turned back onto chain 0: rows of a rotation by -120 degrees about z.
    EXPECT_NEAR(sym.chains[1]->direction1.x, std::cos(2 * kPi / 3), 2e-4);
    EXPECT_NEAR(std::fabs(sym.chains[1]->direction1.y), std::sin(2 * kPi / 3), 2e-4);
}

TEST_F(cSymPreparation, LoadAlignmentGivesBackTheSavedAlignedAtoms) {
    prepare({{'A', "AGSKW", {}}, {'B', "AGSKW", chainPdb::strand(5, cVector3(0.0, 20.0, 0.0))}});
    const std::vector<cPDBAtom> before = sym.chains[1]->alignedAtoms;
    sym.chains[1]->alignedAtoms.front().position = cVector3(99.0);
    sym.chains[1]->alignedAtoms.pop_back();
    sym.chains[1]->alignedResidues.clear();
    sym.loadAlignment();
    ASSERT_EQ(sym.chains[1]->alignedAtoms.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(sym.chains[1]->alignedAtoms[i].position, before[i].position);
    EXPECT_EQ(sym.chains[1]->alignedResidues.size(), before.size());
    EXPECT_EQ(sym.alignment, sym.savedAlignment);
}

TEST_F(cSymPreparation, SequenceTermSumsTheColumnScoresOfThePair) {
    prepare({{'A', "AGSKW", {}}, {'B', "AGSKW", chainPdb::strand(5, cVector3(0.0, 20.0, 0.0))},
             {'C', "AGSKA", chainPdb::strand(5, cVector3(0.0, 40.0, 0.0))}});
    EXPECT_DOUBLE_EQ(sym.sequenceTerm(0, 0), -(4 + 6 + 4 + 5 + 11));
    EXPECT_DOUBLE_EQ(sym.sequenceTerm(0, 1), -(4 + 6 + 4 + 5 + 11));
    EXPECT_DOUBLE_EQ(sym.sequenceTerm(1, 2), -(4 + 6 + 4 + 5 - 3));
}

TEST_F(cSymPreparation, ClusterRealignmentMatchesTheResiduesCommonToTheCluster) {
    // Column 0 (A, A, W) scores (4 - 3 - 3) / 3 < 0 in the alignment of all three chains.
    prepare({{'A', "AGSKW", {}}, {'B', "AGSKW", chainPdb::strand(5, cVector3(0.0, 20.0, 0.0))},
             {'C', "WGSKW", chainPdb::strand(5, cVector3(0.0, 40.0, 0.0))}});
    EXPECT_EQ(sym.chains[0]->alignedResidues, (std::vector<unsigned>{1, 2, 3, 4}));
    std::vector<cMolecule*> cluster{sym.chains[0], sym.chains[1]};
    sym.realignCluster(cluster);
    EXPECT_EQ(sym.chains[0]->alignedResidues, (std::vector<unsigned>{0, 1, 2, 3, 4}));
    EXPECT_EQ(sym.chains[1]->alignedAtoms.size(), 5u);
    EXPECT_EQ(sym.chains[2]->alignedAtoms.size(), 4u);
}

TEST_F(cSymPreparation, ASingleChainIsPreparedWithoutEngineOutput) {
    testing::internal::CaptureStdout();
    prepare({{'A', "AGSKW", {}}});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(sym.chainCount, 1);
    EXPECT_DOUBLE_EQ(sym.pairRMSD.at(0).at(0), 0.0);
}

TEST_F(cSymPreparation, ReusedEngineResultsGiveTheSameMatching) {
    // Trimmed chains of different lengths: the engine places gaps.
    const std::string path = std::string(QUORIX_TEST_DATA) + "/symmetry/c3_noise0.5_shuffled_trimmed_ca.pdb";
    auto prepareFile = [&](cSym& target, bool cache) {
        MSA::ResetIdCount();
        engineCallCache().clear();
        engineCallCache().setEnabled(cache);
        target.readPDB(path);
        target.cutIntoChains();
        target.alignChains();
    };
    cSym uncached(&parameters, &info);
    prepareFile(uncached, false);
    prepareFile(sym, true);
    engineCallCache().setEnabled(true);
    EXPECT_GT(engineCallCache().hits(), 0u);
    expectSameMatching(sym, uncached);
}

namespace {

// The engine, with a line on standard error after every call when noteEngineCalls is set.
bool noteEngineCalls = false;
void notingEngine(SeqVect& v, MSA& a) {
    DoMultipleCorvid(v, a);
    if (noteEngineCalls) std::fputs("engine note\n", stderr);
}

}  // namespace

TEST_F(cSymPreparation, PairsOfTheSameSequencesAreMatchedOnceUnlessTheEnginePrinted) {
    // Two sequences, each in two chains; the shorter one lines up with gaps.
    const std::vector<chainPdb::sChain> chains = {{'A', "AGSKWVLLE", turnedStrand(9, 0.0)},
                                                  {'B', "GSKWVLL", turnedStrand(7, 1.0)},
                                                  {'C', "AGSKWVLLE", turnedStrand(9, 2.0)},
                                                  {'D', "GSKWVLL", turnedStrand(7, 3.0)}};
    cSym noted(&parameters, &info);
    for (const bool notes : {false, true}) {
        SCOPED_TRACE(notes);
        noteEngineCalls = notes;
        engineCallCache().setEngine(notingEngine);
        MSA::ResetIdCount();
        cSym& target = notes ? noted : sym;
        cTempFile pdb(chainPdb::text(chains));
        target.readPDB(pdb.path());
        target.cutIntoChains();
        testing::internal::CaptureStderr();
        target.alignChains();
        const std::string err = testing::internal::GetCapturedStderr();
        std::size_t lines = 0;
        for (std::size_t at = err.find("engine note\n"); at != std::string::npos; at = err.find("engine note\n", at + 1))
            ++lines;
        // Chain 0 with the three others, the 16 ordered pairs and the whole set: every one
        // prints its note. Without notes, each pair of sequences is matched once, and each
        // chain with itself goes through the matching of its own.
        if (notes)
            EXPECT_EQ(lines, 3u + 16u + 1u);
        else
            EXPECT_EQ(engineCallCache().hits() + engineCallCache().misses(), 4u + 4u);
    }
    noteEngineCalls = false;
    engineCallCache().setEngine(nullptr);
    expectSameMatching(sym, noted);
}
