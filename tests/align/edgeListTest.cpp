// Tests of EdgeList.
#include "align/edgeList.h"

#include <gtest/gtest.h>

#include "tests/align/engineTestUtil.h"

using EdgeListTest = EngineTest;

TEST_F(EdgeListTest, GrowsPastOneBlockAndKeepsTheOrder) {
    EdgeList list;
    for (unsigned i = 0; i < 1300; ++i) list.Add(i, 2 * i);
    EXPECT_EQ(list.GetCount(), 1300u);
    unsigned a, b;
    for (unsigned i : {0u, 511u, 512u, 1299u}) {
        list.GetEdge(i, &a, &b);
        EXPECT_EQ(a, i);
        EXPECT_EQ(b, 2 * i);
    }
    EXPECT_QUIT(list.GetEdge(1300, &a, &b), "EdgeList::GetEdge(1300) count=1300");
    EdgeList copy;
    copy.Add(7, 7);
    copy.Copy(list);
    EXPECT_EQ(copy.GetCount(), 1300u);
    copy.GetEdge(0, &a, &b);
    EXPECT_EQ(a, 0u);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    list.Add(3, 4);
    list.GetEdge(0, &a, &b);
    EXPECT_EQ(b, 4u);
}
