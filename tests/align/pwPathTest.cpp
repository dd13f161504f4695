// Tests of PWPath: construction, checks, path files and DiffPaths.
#include "align/pwPath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/textFile.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

namespace {

std::string PathText(const PWPath& path) {
    TempFile file;
    {
        TextFile out(file.c_str(), true);
        path.ToFile(out);
    }
    return file.read();
}

void ReadPath(const std::string& text, PWPath& path) {
    TempFile file(text);
    TextFile in(file.c_str());
    path.FromFile(in);
}

std::string Edges(const PWPath& path) {
    std::string s;
    for (unsigned i = 0; i < path.GetEdgeCount(); ++i) {
        const PWEdge& e = path.GetEdge(i);
        s += e.cType + std::to_string(e.uPrefixLengthA) + "." + std::to_string(e.uPrefixLengthB) + " ";
    }
    return s;
}

}  // namespace

using PWPathTest = EngineTest;

TEST_F(PWPathTest, FromStrCountsAndValidates) {
    PWPath p;
    p.FromStr("IIMDDMI");
    EXPECT_EQ(Edges(p), "I0.1 I0.2 M1.3 D2.3 D3.3 M4.4 I4.5 ");
    EXPECT_EQ(p.GetMatchCount(), 2u);
    EXPECT_EQ(p.GetInsertCount(), 3u);
    EXPECT_EQ(p.GetDeleteCount(), 2u);
    p.Validate();
    EXPECT_QUIT(p.FromStr("MX"), "PWPath::FromStr, invalid state X");
}

TEST_F(PWPathTest, ValidateNamesTheFirstBadEdge) {
    PWPath one;
    one.AppendEdge('M', 7, 9);  // any first edge is fine
    one.Validate();
    PWPath p;
    p.AppendEdge('M', 1, 1);
    p.AppendEdge('D', 2, 2);
    EXPECT_QUIT(p.Validate(), "PWPath::Validate DB 1");
    PWPath q;
    q.AppendEdge('M', 1, 1);
    q.AppendEdge('I', 1, 3);
    EXPECT_QUIT(q.Validate(), "PWPath::Validate IB 1");
}

TEST_F(PWPathTest, GrowingKeepsTheEdgesAndCopiesAreIndependent) {
    PWPath p;
    // Past several growths of the array (200 edges, then doubling).
    for (unsigned i = 1; i <= 1950; ++i) p.AppendEdge('M', i, i);
    ASSERT_EQ(p.GetEdgeCount(), 1950u);
    for (unsigned i : {0u, 198u, 199u, 200u, 399u, 400u, 1949u}) EXPECT_EQ(p.GetEdge(i).uPrefixLengthB, i + 1);

    PWPath copy(p);
    PWPath assigned;
    assigned = p;
    p.Clear();
    // Each copy owns its edges: clearing or destroying one leaves the others intact.
    EXPECT_EQ(copy.GetEdgeCount(), 1950u);
    EXPECT_TRUE(copy.Equal(assigned));
    EXPECT_FALSE(copy.Equal(p));
    assigned = assigned;
    EXPECT_EQ(assigned.GetEdgeCount(), 1950u);
}

TEST_F(PWPathTest, FromMSAPairSkipsColumnsThatAreGapsInBoth) {
    MSA a, b;
    MakeMSA(a, {"A-C-D", "A-C--"});
    MakeMSA(b, {"-EF-G"});
    PWPath p;
    p.FromMSAPair(a, b);
    EXPECT_EQ(Edges(p), "D1.0 I1.1 M2.2 M3.3 ");
    MSA gaps1, gaps2;
    MakeMSA(gaps1, {"--"});
    MakeMSA(gaps2, {"--", "--"});
    p.FromMSAPair(gaps1, gaps2);
    EXPECT_EQ(p.GetEdgeCount(), 0u);
    MSA shortB;
    MakeMSA(shortB, {"AC"});
    EXPECT_QUIT(p.FromMSAPair(a, shortB), "PWPath::FromMSAPair, lengths differ");
}

TEST_F(PWPathTest, PathFilesRoundTrip) {
    PWPath p;
    p.FromStr("IMMDDMI");
    const std::string text = PathText(p);
    EXPECT_EQ(text, "Path\nedges 7\n0 I 0 1\n1 M 1 2\n2 M 2 3\n3 D 3 3\n4 D 4 3\n5 M 5 4\n6 I 5 5\n//\n");
    PWPath back;
    back.AppendEdge('M', 9, 9);  // reading replaces what was there
    ReadPath(text, back);
    back.AssertEqual(p);
    EXPECT_EQ(PathText(back), text);

    PWPath empty;
    EXPECT_EQ(PathText(empty), "Path\nedges 0\n//\n");
    ReadPath("Path\nedges 0\n//\n", back);
    EXPECT_EQ(back.GetEdgeCount(), 0u);
    // A file without a final newline, and an 'S' state, are accepted too.
    ReadPath("Path edges 1\n0 S 0 0\n//", back);
    EXPECT_EQ(back.GetEdge(0).cType, 'S');
}

TEST_F(PWPathTest, MalformedPathFilesEndTheRun) {
    PWPath p;
    EXPECT_QUIT(ReadPath("Pith\n", p), "Invalid path file (Path)");
    EXPECT_QUIT(ReadPath("Path\nedge 1\n", p), "Invalid path file (edges)");
    EXPECT_QUIT(ReadPath("Path\nedges x\n", p), "Invalid path file (edges value)");
    EXPECT_QUIT(ReadPath("Path\nedges 1\nz M 1 1\n//\n", p), "Invalid path file, invalid index 'z'");
    EXPECT_QUIT(ReadPath("Path\nedges 2\n0 M 1 1\n2 M 2 2\n//\n", p), "Invalid path file, expecting edge 1 got 2");
    EXPECT_QUIT(ReadPath("Path\nedges 1\n0 MM 1 1\n//\n", p), "Invalid path file, expecting state, got 'MM'");
    EXPECT_QUIT(ReadPath("Path\nedges 1\n0 X 1 1\n//\n", p), "Invalid path file, expecting state, got 'X'");
    EXPECT_QUIT(ReadPath("Path\nedges 1\n0 M a 1\n//\n", p), "Invalid path file, bad prefix length A 'a'");
    EXPECT_QUIT(ReadPath("Path\nedges 1\n0 M 1 -1\n//\n", p), "Invalid path file, bad prefix length B '-1'");
    EXPECT_QUIT(ReadPath("Path\nedges 1\n0 M 1 1\n/\n", p), "Invalid path file (//)");
    EXPECT_QUIT(ReadPath("Path\nedges 1\n0 M 1 1\n", p), "End-of-file in GetTokenX");
}

TEST_F(PWPathTest, AssertEqualReportsCountsAndEdges) {
    PWPath a, b;
    a.FromStr("MM");
    b.FromStr("M");
    EXPECT_QUIT(a.AssertEqual(b), "PWPath::AssertEqual, Edge count different 2 1\n");
    b.FromStr("DI");
    EXPECT_QUIT(a.AssertEqual(b), "PWPath::AssertEqual, edge 0 different\n");
}

TEST_F(PWPathTest, DiffPathsListsTheEdgesNotShared) {
    PWPath p1, p2;
    p1.FromStr("MMM");
    p2.AppendEdge('M', 1, 1);
    p2.AppendEdge('D', 2, 1);
    p2.AppendEdge('I', 2, 2);
    p2.AppendEdge('M', 3, 3);
    unsigned e1[3], e2[4], c1 = 0, c2 = 0;
    DiffPaths(p1, p2, e1, &c1, e2, &c2);
    ASSERT_EQ(c1, 1u);
    EXPECT_EQ(e1[0], 1u);
    ASSERT_EQ(c2, 2u);
    EXPECT_EQ(e2[0], 1u);
    EXPECT_EQ(e2[1], 2u);

    // Same prefix lengths, different types: both edges count; leftovers of either path too.
    PWPath q1, q2;
    q1.FromStr("MD");
    q2.AppendEdge('M', 1, 1);
    q2.AppendEdge('M', 2, 1);
    q2.AppendEdge('I', 2, 2);
    unsigned f1[2], f2[3];
    DiffPaths(q1, q2, f1, &c1, f2, &c2);
    EXPECT_EQ(c1, 1u);
    EXPECT_EQ(c2, 2u);
    TestDiffPaths();
}

TEST_F(PWPathTest, LogMeBreaksLinesEveryTenEdges) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    PWPath p;
    p.FromStr("MMMMMMMMMMM");
    p.LogMe();
    SetListFileName("", false);
    EXPECT_EQ(log.read(), "M1.1 M2.2 M3.3 M4.4 M5.5 M6.6 M7.7 M8.8 M9.9 M10.10 M11.11\n");
}
