// Residue matching of chains: which alignment columns are accepted, how the residue ordinals
// advance, and the lists that reach the engine.
#include "symmetry/cAlignement.h"

#include <gtest/gtest.h>

#include <memory>

#include "align/msa.h"
#include "app/cInfo.h"
#include "app/cParameters.h"
#include "structure/cMolecule.h"
#include "symmetry/cSym.h"
#include "symmetry/engineCallCache.h"
#include "tests/structure/tempFile.h"
#include "tests/symmetry/chainPdb.h"

namespace {

using Ordinals = std::vector<unsigned>;

// Chains read from a PDB text as the run reads them, and a cAlignement over them.
class cAlignementTest : public ::testing::Test {
protected:
    void SetUp() override {
        MSA::ResetIdCount();
        MSA::SetIdCount(8);
        info.setQuiet(true);
        engineCallCache().setEngine(nullptr);
        chainPdb::fakeCalls = 0;
        chainPdb::fakeRowOrder.clear();
    }
    void TearDown() override { engineCallCache().setEngine(nullptr); }

    void load(const std::vector<chainPdb::sChain>& chains) {
        sym = std::make_unique<cSym>(&parameters, &info);
        cTempFile pdb(chainPdb::text(chains));
        sym->readPDB(pdb.path());
        sym->cutIntoChains();
    }
    cMolecule& chain(int k) { return *sym->chains.at(k); }
    // The engine hands back exactly these rows (one per sequence id).
    void useRows(std::vector<std::string> rows, std::vector<unsigned> order = {}) {
        engineCallCache().setEngine(chainPdb::fakeEngine);
        chainPdb::fakeRows = std::move(rows);
        chainPdb::fakeRowOrder = std::move(order);
    }

    cInfo info{75};
    cParameters parameters{&info};
    std::unique_ptr<cSym> sym;
    cAlignement alignement{&info, &parameters};
};

}  // namespace

TEST_F(cAlignementTest, IdenticalChainsMatchEveryResidueByItsCA) {
    load({{'A', "AGSKW", {}}, {'B', "AGSKW", {}}});
    std::vector<cMolecule*> list{&chain(0), &chain(1)};
    alignement.align(list);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(chain(k).alignedResidues, (Ordinals{0, 1, 2, 3, 4}));
        ASSERT_EQ(chain(k).alignedAtoms.size(), 5u);
        for (const cPDBAtom& atom : chain(k).alignedAtoms) EXPECT_EQ(atom.name, "CA");
    }
}

TEST_F(cAlignementTest, GapColumnsAreNeverMatchedButAdvanceTheChainsWithAResidue) {
    load({{'A', "AGSK", {}}, {'B', "AGK", {}}});
    useRows({"AGSK", "AG-K"}, {1, 0});  // rows in the engine's order, not the input order
    std::vector<cMolecule*> list{&chain(0), &chain(1)};
    alignement.align(list);
    EXPECT_EQ(chain(0).alignedResidues, (Ordinals{0, 1, 3}));
    EXPECT_EQ(chain(1).alignedResidues, (Ordinals{0, 1, 2}));
    EXPECT_EQ(chain(0).alignedAtoms.at(2).residueNumber, 4);
    EXPECT_EQ(chain(1).alignedAtoms.at(2).residueNumber, 3);
}

TEST_F(cAlignementTest, ColumnsWithANegativeMeanScoreAdvanceEveryChain) {
    // W against A scores -3; in three rows the mean of W-A, W-A and A-A is (-3 - 3 + 4) / 3 < 0.
    load({{'A', "AGSK", {}}, {'B', "WGSK", {}}, {'C', "AGSK", {}}});
    std::vector<cMolecule*> list{&chain(0), &chain(1), &chain(2)};
    alignement.align(list);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(chain(k).alignedResidues, (Ordinals{1, 2, 3})) << k;
}

TEST_F(cAlignementTest, LeadingMethionineComesBackAsXAndIsNotMatched) {
    load({{'A', "MGSK", {}}, {'B', "MGSK", {}}});
    std::vector<cMolecule*> list{&chain(0), &chain(1)};
    alignement.align(list);
    EXPECT_EQ(alignement.getAlignment()->GetChar(0, 0), 'X');
    EXPECT_EQ(chain(0).alignedResidues, (Ordinals{1, 2, 3}));
}

TEST_F(cAlignementTest, ChainComparedWithItselfKeepsEachCAOnce) {
    load({{'A', "AGSKW", {}}});
    std::vector<cMolecule*> list{&chain(0), &chain(0)};
    alignement.align(list);
    EXPECT_EQ(chain(0).alignedResidues, (Ordinals{0, 0, 1, 1, 2, 2, 3, 3, 4, 4}));
    EXPECT_EQ(chain(0).alignedAtoms.size(), 5u);
    EXPECT_DOUBLE_EQ(chain(0).computeRMSD(&chain(0)), 0.0);
}

TEST_F(cAlignementTest, OneChainListNeverReachesTheEngine) {
    load({{'A', "AGSK", {}}});
    useRows({"AGSK"});
    chain(0).alignedResidues = {0, 1};
    std::vector<cMolecule*> list{&chain(0)};
    testing::internal::CaptureStdout();
    alignement.align(list);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(chainPdb::fakeCalls, 0);
    EXPECT_TRUE(chain(0).alignedResidues.empty());
    EXPECT_TRUE(chain(0).alignedAtoms.empty());
}

TEST_F(cAlignementTest, PairwiseAcceptsColumnsScoringOneOrMoreAndCountsGaps) {
    load({{'A', "AGSK", {}}, {'B', "AGSA", {}}});
    testing::internal::CaptureStdout();
    alignement.align(chain(0), chain(1));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Total number of gaps 0\n");
    // K against A scores -1.
    EXPECT_EQ(chain(0).alignedResidues, (Ordinals{0, 1, 2}));
    EXPECT_EQ(chain(1).alignedResidues, (Ordinals{0, 1, 2}));
    EXPECT_EQ(chain(1).alignedAtoms.size(), 3u);
}

TEST_F(cAlignementTest, PrintShowsBlocksWithAConservationLine) {
    load({{'A', "AGSK", {}}, {'B', "AGK", {}}});
    useRows({"AGSK", "AG.K"}, {1, 0});
    std::vector<cMolecule*> list{&chain(0), &chain(1)};
    alignement.align(list);
    testing::internal::CaptureStdout();
    alignement.print(3);
    // A-A 4 and G-G 6: '*'; S against a gap: -9; K-K 5.
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "AGS\nAG-\n** \n\nK\nK\n*\n\n");
}
