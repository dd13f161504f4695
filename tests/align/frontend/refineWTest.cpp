// Tests of windowed refinement: the windows of a 450-column alignment with offsets and ranges,
// windows beyond the last column, rows without letters, the inspection files and AppendMSA.
#include "align/frontend/refineW.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "align/msa.h"
#include "align/params.h"
#include "align/timeLimit.h"
#include "tests/align/alignTestUtil.h"
#include "tests/align/treeTestUtil.h"
#include "tests/structure/tempFile.h"

namespace {

namespace fs = std::filesystem;

std::string Letters(std::string row) {
    std::erase(row, '-');
    return row;
}

// RefineW's result, and what it wrote on standard error.
std::string Refined(const MSA& a, MSA& out) {
    ::testing::internal::CaptureStderr();
    RefineW(a, out);
    return ::testing::internal::GetCapturedStderr();
}

using RefineWindows = ProteinScoringTest<SEQWEIGHT_ClustalW>;

TEST_F(RefineWindows, WindowsOffsetsAndRanges) {
    // Three rows of 450 columns; row 2 has no letters in columns 200 .. 399.
    std::vector<std::string> rows = ProteinFamily(TestSeed(7), 3, 450, 0.2, 0);
    SCOPED_TRACE("seed " + std::to_string(TestSeed(7)));
    rows[2].replace(200, 200, std::string(200, '-'));
    MSA::SetIdCount(3);
    MSA a;
    MakeMSA(a, rows, {0, 1, 2});
    const std::string all = "\nWindow 0 of 3    \rWindow 1 of 3    \rWindow 2 of 3    \r\n";
    // offset, from, to; the progress lines; the columns of a whose letters the result holds;
    // g_uWindowTo afterwards. Windows past the last column are skipped, by range or offset.
    const std::tuple<unsigned, unsigned, unsigned, std::string, unsigned, unsigned, unsigned> cases[] = {
        {0, 0, 0, all, 0, 450, 2},
        {10, 0, 0, all, 0, 450, 2},
        {0, 1, 1, "\nWindow 1 of 3    \r\n", 200, 400, 1},
        {0, 0, 7, all, 0, 450, 7},
        {200, 0, 0, "\nWindow 0 of 3    \rWindow 1 of 3    \r\n", 0, 450, 2}};
    for (const auto& [offset, from, to, progress, first, last, windowTo] : cases) {
        g_uWindowOffset = offset;
        g_uWindowFrom = from;
        g_uWindowTo = to;
        MSA out;
        EXPECT_EQ(Refined(a, out), progress) << offset << " " << from;
        EXPECT_EQ(g_uWindowTo, windowTo);
        for (unsigned row = 0; row < 3; ++row) {
            EXPECT_EQ(out.GetSeqId(row), row);
            EXPECT_EQ(Letters(RowText(out, row)), Letters(rows[row].substr(first, last - first)));
            EXPECT_EQ(RowText(out, row).substr(0, offset), rows[row].substr(0, offset));  // copied unchanged
        }
    }
}

TEST_F(RefineWindows, EdgesAndInspectionFiles) {
    // An alignment without columns has no windows (the last window does not wrap round).
    MSA::SetIdCount(3);
    MSA empty, out;
    MakeMSA(empty, {"", ""}, {0, 1});
    EXPECT_EQ(Refined(empty, out), "\n\n");
    EXPECT_EQ(g_uWindowTo, 0u);

    // Columns that are gaps in every row vanish; a row without letters in a window is gaps there,
    // and a lone row with letters is its own alignment.
    MSA a;
    MakeMSA(a, {"MKV---L--LLA", "------------", "MK-------VLA"}, {2, 0, 1});
    g_uRefineWindow = 3;
    g_uSaveWindow = 2;
    const fs::path dir = fs::path(::testing::TempDir()) / ("quorix_refinew_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path home = fs::current_path();
    fs::current_path(dir);
    Refined(a, out);
    fs::current_path(home);
    EXPECT_EQ(RowText(out, 0) + RowText(out, 1) + RowText(out, 2), "MKVLLLA-------MK--VLA");
    // The files of window 2: its columns as they were, the sequences aligned, their alignment.
    for (const auto& [name, text] : {std::pair{"win2_inaln.tmp", ">r0\nL--\n>r1\n---\n>r2\n---\n"},
                                     {"win2_inseqs.tmp", ">r0\nL\n"}, {"win2_outaln.tmp", ">r0\nL\n"}}) {
        EXPECT_EQ(readWholeFile(dir / name), text) << name;
    }
    fs::remove_all(dir);

    // The time limit's save never finds a window's alignment (gone, or only part of the result):
    // striking inside a window it saves the input, afterwards nothing.
    g_uSaveWindow = uInsane;
    TempFile saved("untouched");
    SetOutputFileName(saved.c_str());
    EXPECT_EXIT((RefineW(a, out), SaveCurrentAlignment()), ::testing::ExitedWithCode(2),
                "Alignment not completed, cannot save.");
    EXPECT_EQ(saved.read(), "untouched");
    g_ulMaxSecs = 1;  // the start time was never set: the first check strikes
    EXPECT_EXIT((RefineW(a, out), exit(3)), ::testing::ExitedWithCode(0), "Current alignment saved");
    g_ulMaxSecs = 0;
    EXPECT_EQ(saved.read(), ">r0\nMKV---L--LLA\n>r1\n------------\n>r2\nMK-------VLA\n");
    // Striking in window 1 (window 0 has no letters to align), the save holds window 0 as
    // realigned, its gap columns gone, then the input from window 1 on.
    MSA late;
    MakeMSA(late, {"---KL-LLA", "-----D-LA", "---MCDLLA"}, {0, 1, 2});
    g_ulMaxSecs = 1;
    EXPECT_EXIT((RefineW(late, out), exit(3)), ::testing::ExitedWithCode(0), "Current alignment saved");
    g_ulMaxSecs = 0;
    EXPECT_EQ(saved.read(), ">r0\nKL-LLA\n>r1\n--D-LA\n>r2\nMCDLLA\n");

    // AppendMSA matches rows by id; a row without a partner gets gaps.
    MSA b;
    MakeMSA(b, {"AC", "GT"}, {2, 1});
    AppendMSA(a, b);
    EXPECT_EQ(RowText(a, 0) + RowText(a, 1) + RowText(a, 2), "MKV---L--LLAAC--------------MK-------VLAGT");
}

}  // namespace
