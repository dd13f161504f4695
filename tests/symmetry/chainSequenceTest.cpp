// The alignment files that the chain and segment aligners can write: HTML beside an alignment of
// chains, ClustalW ("toto") for a pair of segments.
#include "symmetry/chainSequence.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "align/msa.h"
#include "align/textFile.h"
#include "structure/cMolecule.h"
#include "structure/cPDBSegment.h"
#include "symmetry/engineCallCache.h"
#include "tests/structure/tempFile.h"

namespace {

cPDBSegment segment(const std::string& letters) {
    cPDBSegment s;
    for (size_t i = 0; i < letters.size(); ++i) s.residues[static_cast<int>(i) + 1] = letters[i];
    return s;
}

class chainSequenceFiles : public ::testing::Test {
protected:
    void SetUp() override {
        MSA::ResetIdCount();
        engineCallCache().setEngine(nullptr);
        dir = std::filesystem::temp_directory_path() / ("quorix_files_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

}  // namespace

TEST_F(chainSequenceFiles, ChainAlignmentWritesHtmlOnlyWhenAPathIsGiven) {
    cMolecule a, b;
    a.segments = {segment("KVLAWQRSTY")};
    b.segments = {segment("KVLAWQRTY")};
    std::vector<cMolecule*> chains = {&a, &b};
    const std::string none, path = (dir / "chains.html").string();
    cMolecule::align(chains, &none);
    a.align(&b, &none);
    EXPECT_TRUE(std::filesystem::is_empty(dir));

    for (int pairwise = 0; pairwise < 2; ++pairwise) {
        std::unique_ptr<MSA> msa = pairwise ? a.align(&b, &path) : cMolecule::align(chains, &path);
        {
            TextFile file((dir / "direct.html").c_str(), true);
            msa->ToHTMLFile(file);
        }
        EXPECT_EQ(readWholeFile(path), readWholeFile(dir / "direct.html")) << pairwise;
        EXPECT_EQ(readWholeFile(path).rfind("<HTML>\n", 0), 0u) << pairwise;
    }
}

TEST_F(chainSequenceFiles, SegmentAlignmentWritesClustalToToto) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const cPDBSegment a = segment("ACDEFGHIKL"), b = segment("ACDEFGHIKL");
    a.align(&b);
    std::filesystem::current_path(previous);
    const std::string row = std::string(15, ' ') + "ACDEFGHIKL\n";
    EXPECT_EQ(readWholeFile(dir / "toto"), "Corvid (" QUORIX_VERSION ") multiple sequence alignment\n\n\nA" + row + "B" +
                                          row + std::string(16, ' ') + "**********\n");
}
