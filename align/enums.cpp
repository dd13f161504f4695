// The engine's enumerations, their value-to-text converters and their name tables.
#include "align/enums.h"

#include <cstdio>
#include <strings.h>

namespace {

// Shared by every converter: the text of an out-of-table value lives until the next call.
char unknownValueText[64];

const char* ToStr(const EnumOpt* table, int value, const char* typeName) {
    for (const EnumOpt* row = table; row->pstrName; ++row)
        if (row->iValue == value) return row->pstrName;
    snprintf(unknownValueText, sizeof(unknownValueText), "%s_%d", typeName, value);
    return unknownValueText;
}

}  // namespace

const EnumOpt ALPHA_Opts[] = {{"Amino", 1}, {"DNA", 2}, {"RNA", 3}, {nullptr, 0}};
const EnumOpt SEQTYPE_Opts[] = {{"Protein", 1}, {"DNA", 2}, {"RNA", 3}, {"Auto", 4}, {nullptr, 0}};
const EnumOpt ROOT_Opts[] = {{"Pseudo", 1}, {"MidLongestSpan", 2}, {"MinAvgLeafDist", 3}, {nullptr, 0}};
const EnumOpt CLUSTER_Opts[] = {{"UPGMA", 1}, {"UPGMAMax", 2}, {"UPGMAMin", 3},
                                {"UPGMB", 4}, {"NeighborJoining", 5}, {nullptr, 0}};
const EnumOpt JOIN_Opts[] = {{"NearestNeighbor", 1}, {"NeighborJoining", 2}, {nullptr, 0}};
const EnumOpt LINKAGE_Opts[] = {{"Min", 1}, {"Avg", 2}, {"Max", 3}, {"NeighborJoining", 4}, {"Biased", 5}, {nullptr, 0}};
const EnumOpt DISTANCE_Opts[] = {{"Kmer6_6", 1},     {"Kmer20_3", 2},    {"Kmer20_4", 3}, {"Kbit20_3", 4},
                                 {"Kmer4_6", 5},     {"PctIdKimura", 6}, {"PctIdLog", 7}, {"PWKimura", 8},
                                 {"PWScoreDist", 9}, {"ScoreDist", 10},  {"Edit", 11},    {nullptr, 0}};
const EnumOpt PPSCORE_Opts[] = {{"LE", 1}, {"SP", 2}, {"SV", 3}, {"SPN", 4}, {nullptr, 0}};
const EnumOpt SEQWEIGHT_Opts[] = {{"None", 1}, {"Henikoff", 2}, {"HenikoffPB", 3}, {"GSC", 4},
                                  {"ClustalW", 5}, {"ThreeWay", 6}, {nullptr, 0}};
const EnumOpt OBJSCORE_Opts[] = {{"SP", 1}, {"DP", 2}, {"XP", 3}, {"PS", 4}, {"SPF", 5}, {"SPM", 6}, {nullptr, 0}};
const EnumOpt TERMGAPS_Opts[] = {{"Full", 1}, {"Half", 2}, {"Ext", 3}, {nullptr, 0}};

// "Undefined" names value 0 in every enumeration but is not an accepted option value.
#define ENUM_TO_STR(TYPE)                                    \
    const char* TYPE##ToStr(TYPE x) {                        \
        if (x == 0) return "Undefined";                      \
        return ToStr(TYPE##_Opts, static_cast<int>(x), #TYPE); \
    }

ENUM_TO_STR(ALPHA)
ENUM_TO_STR(SEQTYPE)
ENUM_TO_STR(ROOT)
ENUM_TO_STR(CLUSTER)
ENUM_TO_STR(JOIN)
ENUM_TO_STR(LINKAGE)
ENUM_TO_STR(DISTANCE)
ENUM_TO_STR(PPSCORE)
ENUM_TO_STR(SEQWEIGHT)
ENUM_TO_STR(OBJSCORE)
ENUM_TO_STR(TERMGAPS)

#undef ENUM_TO_STR

bool FindEnumOpt(const EnumOpt* table, const char* name, int* value) {
    for (const EnumOpt* row = table; row->pstrName; ++row) {
        if (strcasecmp(row->pstrName, name) == 0) {
            *value = row->iValue;
            return true;
        }
    }
    return false;
}
