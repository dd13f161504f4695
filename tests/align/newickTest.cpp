// Tests of the Newick reader and writers of Tree.
#include <gtest/gtest.h>

#include <string>

#include "align/diagnostics.h"
#include "align/textFile.h"
#include "align/tree.h"
#include "tests/align/engineTestUtil.h"
#include "tests/align/treeTestUtil.h"

using TreeNewick = EngineTest;

TEST_F(TreeNewick, TwoLeavesMakeARootedTreeOfThreeNodes) {
    Tree tree;
    TreeFromNewick("(A,B);", tree);
    EXPECT_TRUE(tree.IsRooted());
    EXPECT_EQ(tree.GetNodeCount(), 3u);
    EXPECT_EQ(tree.GetRootNodeIndex(), 0u);
    EXPECT_STREQ(tree.GetLeafName(1), "A");
    EXPECT_STREQ(tree.GetLeafName(2), "B");
    EXPECT_FALSE(tree.HasEdgeLength(0, 1));
    EXPECT_FALSE(tree.HasEdgeLength(0, 2));
}

TEST_F(TreeNewick, LengthOnTheRootGroupIsLoggedAndDropped) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    TempFile file("(A:1,B:2):5;");
    Tree tree;
    {
        TextFile f(file.c_str());
        tree.FromFile(f);
    }
    SetListFileName("", false);
    EXPECT_EQ(log.read(), " *** Warning *** edge length on root group in Newick file " + file.path() + "\n");
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(0, 1), 1.0);
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(2, 0), 2.0);
}

TEST_F(TreeNewick, ThreeTopLevelGroupsMakeAnUnrootedTree) {
    Tree tree;
    TreeFromNewick("(A:1,B:2,C:3);", tree);
    EXPECT_FALSE(tree.IsRooted());
    EXPECT_EQ(tree.GetNodeCount(), 4u);
    EXPECT_EQ(tree.GetNeighbor(0, 0), 3u);
    EXPECT_EQ(tree.GetNeighbor(0, 1), 1u);
    EXPECT_EQ(tree.GetNeighbor(0, 2), 2u);
    EXPECT_STREQ(tree.GetLeafName(3), "C");
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(3, 0), 3.0);

    // Without a length the third edge has none on either side (and validates).
    Tree bare;
    TreeFromNewick("(A,B,(C,D));", bare);
    EXPECT_FALSE(bare.HasEdgeLength(0, 3));
    EXPECT_FALSE(bare.HasEdgeLength(3, 0));
    EXPECT_EQ(SplitsOf(bare), (std::vector<std::string>{"A,B|C,D"}));
}

TEST_F(TreeNewick, QuotesCommentsAndWhiteSpace) {
    Tree tree;
    TreeFromNewick(" [a comment]( 'two words' : 0.5 ,\n\t[another]\"semi;colon(x)\":1e-1 ) ;", tree);
    EXPECT_STREQ(tree.GetLeafName(1), "two words");
    EXPECT_STREQ(tree.GetLeafName(2), "semi;colon(x)");
    EXPECT_DOUBLE_EQ(tree.GetEdgeLength(0, 2), 0.1);
    // A doubled quote inside single quotes is one quote.
    TreeFromNewick("('it''s',B);", tree);
    EXPECT_STREQ(tree.GetLeafName(1), "it's");
    TreeFromNewick("('',B);", tree);
    EXPECT_STREQ(tree.GetLeafName(1), "");
}

TEST_F(TreeNewick, RootedThreeLeafTreeIsWrittenAsTenLines) {
    Tree tree;
    CreateThreeLeaves(tree);
    EXPECT_EQ(NewickOf(tree), "(\nC:0.35\n,\n(\nA:0.1\n,\nB:0.1\n):0.25\n)\n;\n");
}

TEST_F(TreeNewick, WriteReadWriteIsByteIdentical) {
    const std::string text =
        "((('needs quotes':0.5,'a(b)c':1.25):2,(\"it's\":1e-07,'':0):0.125):3,"
        "(plain_name:100,'x''y,z;':-0.5):4);";
    Tree tree;
    TreeFromNewick(text, tree);
    const std::string first = NewickOf(tree);
    Tree again;
    TreeFromNewick(first, again);
    EXPECT_EQ(NewickOf(again), first);
    EXPECT_STREQ(again.GetLeafName(again.GetLeafNodeIndex("it's")), "it's");
    EXPECT_STREQ(again.GetLeafName(again.GetLeafNodeIndex("x'y,z;")), "x'y,z;");
    EXPECT_EQ(again.GetLeafNodeIndex(""), tree.GetLeafNodeIndex(""));
    EXPECT_DOUBLE_EQ(again.GetEdgeLength(again.GetLeafNodeIndex("it's"), again.GetParent(again.GetLeafNodeIndex("it's"))),
                     1e-7);
    EXPECT_EQ(ShapeOf(again), ShapeOf(tree));
}

TEST_F(TreeNewick, UnrootedTreesKeepTheirSplits) {
    Tree tree;
    TreeFromNewick("((A:1,B:2):0.5,(C:1,D:1):0.25,(E:3,'F G':4):1);", tree);
    const std::string written = NewickOf(tree);
    Tree again;
    TreeFromNewick(written, again);
    EXPECT_FALSE(again.IsRooted());
    EXPECT_EQ(SplitsOf(again), SplitsOf(tree));
    EXPECT_EQ(SplitsOf(tree).size(), 3u);
    const unsigned f = again.GetLeafNodeIndex("F G");
    EXPECT_DOUBLE_EQ(again.GetEdgeLength(f, again.GetLeafParent(f)), 4.0);
}

TEST_F(TreeNewick, TreesWithoutInternalNodesAreWrittenReadably) {
    Tree pair;
    pair.CreateUnrooted(3.0);
    pair.SetLeafName(0, "A");
    pair.SetLeafName(1, "B");
    EXPECT_EQ(NewickOf(pair), "(\nA:1.5\n,\nB:1.5\n)\n;\n");
    Tree back;
    TreeFromNewick(NewickOf(pair), back);
    EXPECT_DOUBLE_EQ(back.GetEdgeLength(1, 0) + back.GetEdgeLength(2, 0), 3.0);

    Tree single;
    single.CreateRooted();
    single.SetLeafName(0, "lonely leaf");
    EXPECT_EQ(NewickOf(single), "'lonely leaf'\n;\n");
    Tree singleBack;
    TreeFromNewick(NewickOf(single), singleBack);
    EXPECT_EQ(singleBack.GetNodeCount(), 1u);
    EXPECT_STREQ(singleBack.GetLeafName(0), "lonely leaf");

    Tree empty;
    EXPECT_QUIT(NewickOf(empty), "Tree::ToFile: the tree has no nodes");
}

TEST_F(TreeNewick, MalformedFilesEndTheRun) {
    Tree tree;
    EXPECT_QUIT_PREFIX(TreeFromNewick("(A,B,C,D);", tree),
                       "Tree::FromFile, expected ')' after the third top-level group, got ',' (line 1 of ");
    EXPECT_QUIT_PREFIX(TreeFromNewick("((A,B,C),D);", tree),
                       "Tree::GetGroupFromFile, a group below the top level has more than two members (line 1 of ");
    EXPECT_QUIT_PREFIX(TreeFromNewick("(A,B),C;", tree),
                       "Tree::FromFile, expected ';' after the closed top-level group, got ',' (line 1 of ");
    EXPECT_QUIT_PREFIX(TreeFromNewick("(A,B,C)D;", tree),
                       "Tree::FromFile, expected ';' at the end of the tree, got 'D' (line 1 of ");
    EXPECT_QUIT_PREFIX(TreeFromNewick("(A,B,C)]", tree),
                       "Tree::FromFile, expected ';' at the end of the tree, got ']' (line ");
    EXPECT_QUIT_PREFIX(TreeFromNewick("(A:x1,B);", tree),
                       "Tree::GetGroupFromFile, edge length 'x1' is not a number (line 1 of ");
    EXPECT_QUIT_PREFIX(TreeFromNewick("(A:1.5e,B);", tree), "Tree::GetGroupFromFile, edge length '1.5e' is not a number");
    EXPECT_QUIT_PREFIX(TreeFromNewick("(A:nan,B);", tree), "Tree::GetGroupFromFile, edge length 'nan' is not a number");
    EXPECT_QUIT(TreeFromNewick("(A:(B),C);", tree), "Tree::GetGroupFromFile, expected edge length, got '('");
    EXPECT_QUIT(TreeFromNewick("(A;B);", tree), "Tree::GetGroupFromFile, expected ',', got ';'");
    EXPECT_QUIT(TreeFromNewick("(A,B:1;", tree), "Tree::GetGroupFromFile, expected ')' or ',', got ';'");
    EXPECT_QUIT(TreeFromNewick("(,B);", tree), "Tree::GetGroupFromFile, expected '(' or leaf name, got ','");
    EXPECT_QUIT(TreeFromNewick("(A,B)):", tree), "Tree::FromFile, expected ';' or ',', got ')'");
    EXPECT_QUIT_PREFIX(TreeFromNewick("(" + std::string(1100, 'n') + ",B);", tree),
                       "Tree::GetToken: input buffer too small, token so far='nnn");
    EXPECT_QUIT(TreeFromNewick("(A,B)", tree), "End-of-file skipping white space");
    // Whatever follows the ';' is not part of the tree.
    TreeFromNewick("(A,B,C);x", tree);
    EXPECT_EQ(tree.GetNodeCount(), 4u);
}

TEST_F(TreeNewick, TokensThatRunToTheEndOfTheFile) {
    Tree tree;
    TempFile file("  'runs to the end");
    TextFile f(file.c_str());
    char buffer[64];
    EXPECT_EQ(tree.GetToken(f, buffer, sizeof(buffer)), NTT_SingleQuotedString);
    TempFile comment("[never closed");
    TextFile g(comment.c_str());
    EXPECT_EQ(tree.GetToken(g, buffer, sizeof(buffer)), NTT_Comment);
}

TEST_F(TreeNewick, CaterpillarTreesTenThousandLevelsDeep) {
    // One call frame per level would overflow the call stack long before this depth.
    constexpr unsigned kDepth = 10000;
    std::string caterpillar;
    for (unsigned i = 0; i < kDepth; ++i) caterpillar += "(L" + std::to_string(i) + ":0.5,";
    caterpillar += "(A:1,B:2)" + std::string(kDepth, ')');
    for (const bool rooted : {true, false}) {
        Tree tree;
        TreeFromNewick(rooted ? caterpillar + ";" : "(X:1,Y:2," + caterpillar + ");", tree);
        const std::string written = NewickOf(tree);
        Tree again;
        TreeFromNewick(written, again);
        EXPECT_EQ(again.IsRooted(), rooted);
        EXPECT_EQ(again.GetLeafCount(), kDepth + (rooted ? 2 : 4));
        const unsigned b = again.GetLeafNodeIndex("B");
        EXPECT_DOUBLE_EQ(again.GetEdgeLength(b, again.GetLeafParent(b)), 2.0);
        // A rooted tree reads back node for node (an unrooted one is written from another node).
        if (rooted) {
            EXPECT_TRUE(NewickOf(again) == written);
        }
    }
}
