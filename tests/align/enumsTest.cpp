// Tests of the enumeration texts and name tables.
#include "align/enums.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int Rows(const EnumOpt* table) {
    int rows = 0;
    while (table[rows].pstrName) ++rows;
    return rows;
}

}  // namespace

TEST(enums, TablesListEveryValueButUndefined) {
    EXPECT_EQ(Rows(ALPHA_Opts), 3);
    EXPECT_EQ(Rows(SEQTYPE_Opts), 4);
    EXPECT_EQ(Rows(CLUSTER_Opts), 5);
    EXPECT_EQ(Rows(DISTANCE_Opts), 11);
    EXPECT_EQ(Rows(SEQWEIGHT_Opts), 6);
    EXPECT_EQ(Rows(OBJSCORE_Opts), 6);
    EXPECT_STREQ(SEQTYPEToStr(SEQTYPE_Auto), "Auto");
    EXPECT_STREQ(DISTANCEToStr(DISTANCE_Kmer4_6), "Kmer4_6");
    EXPECT_STREQ(LINKAGEToStr(LINKAGE_Biased), "Biased");
    EXPECT_STREQ(OBJSCOREToStr(OBJSCORE_SPM), "SPM");
    EXPECT_STREQ(ROOTToStr(ROOT_Undefined), "Undefined");
}

TEST(enums, OutOfTableValuesShareOneBuffer) {
    const char* text = CLUSTERToStr(static_cast<CLUSTER>(9));
    EXPECT_STREQ(text, "CLUSTER_9");
    EXPECT_STREQ(TERMGAPSToStr(static_cast<TERMGAPS>(-1)), "TERMGAPS_-1");
    EXPECT_STREQ(text, "TERMGAPS_-1");  // the one shared buffer was overwritten
}

TEST(enums, NameLookupIgnoresCase) {
    int value = 0;
    EXPECT_TRUE(FindEnumOpt(DISTANCE_Opts, "kmer4_6", &value));
    EXPECT_EQ(value, DISTANCE_Kmer4_6);
    EXPECT_FALSE(FindEnumOpt(DISTANCE_Opts, "Undefined", &value));
    EXPECT_FALSE(FindEnumOpt(JOIN_Opts, "UPGMA", &value));
}
