// Tests of the option tables and their lookups.
#include "align/options.h"

#include <gtest/gtest.h>

#include <strings.h>

#include "align/textUtils.h"
#include "tests/align/engineTestUtil.h"

using options = EngineTest;

TEST_F(options, EmptyTablesReadFalseAndNullIgnoringCase) {
    EXPECT_FALSE(FlagOpt("quiet"));
    EXPECT_FALSE(FlagOpt("MAKETREE"));
    EXPECT_EQ(ValueOpt("usetree_nowarn"), nullptr);
    FlagOptTable[9].bSet = true;  // "Quiet"
    EXPECT_TRUE(FlagOpt("QUIET"));
}

TEST_F(options, DuplicateWeightRowIsFoundFirst) {
    EXPECT_STREQ(ValueOptTable[31].pstrName, "Weight");
    EXPECT_STREQ(ValueOptTable[65].pstrName, "Weight");
    ValueOptTable[65].pstrValue = strsave("none");
    EXPECT_EQ(ValueOpt("weight"), nullptr);
    ValueOptTable[31].pstrValue = strsave("gsc");
    EXPECT_STREQ(ValueOpt("weight"), "gsc");
}

TEST_F(options, UnknownNamesEndTheProcess) {
    EXPECT_QUIT(FlagOpt("NoSuchFlag"), "FlagOpt(NoSuchFlag) invalid");
    EXPECT_QUIT(ValueOpt("Weight3"), "ValueOpt(Weight3) invalid");
}

TEST_F(options, EveryNameIsFoundAtItsOwnRow) {
    for (const FlagOptRow& row : FlagOptTable) {
        unsigned matches = 0;
        for (const FlagOptRow& other : FlagOptTable) matches += strcasecmp(row.pstrName, other.pstrName) == 0;
        EXPECT_EQ(matches, 1u) << row.pstrName;
    }
    for (unsigned i = 0; i < VALUE_OPT_COUNT; ++i) {
        ValueOptTable[i].pstrValue = strsave(std::to_string(i).c_str());
        // Every row but the second "Weight" is the first of its name.
        const unsigned found = i == 65 ? 31 : i;
        if (i == 31 || i == 65) continue;
        EXPECT_STREQ(ValueOpt(ValueOptTable[i].pstrName), std::to_string(found).c_str());
    }
    ClearOptionTables();
    EXPECT_EQ(ValueOpt("in"), nullptr);
}
