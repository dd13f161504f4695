// The engine's enumerations, their value-to-text converters and their name tables.
#pragma once

enum ALPHA { ALPHA_Undefined = 0, ALPHA_Amino = 1, ALPHA_DNA = 2, ALPHA_RNA = 3 };
enum SEQTYPE { SEQTYPE_Undefined = 0, SEQTYPE_Protein = 1, SEQTYPE_DNA = 2, SEQTYPE_RNA = 3, SEQTYPE_Auto = 4 };
enum ROOT { ROOT_Undefined = 0, ROOT_Pseudo = 1, ROOT_MidLongestSpan = 2, ROOT_MinAvgLeafDist = 3 };
enum CLUSTER {
    CLUSTER_Undefined = 0,
    CLUSTER_UPGMA = 1,
    CLUSTER_UPGMAMax = 2,
    CLUSTER_UPGMAMin = 3,
    CLUSTER_UPGMB = 4,
    CLUSTER_NeighborJoining = 5
};
enum JOIN { JOIN_Undefined = 0, JOIN_NearestNeighbor = 1, JOIN_NeighborJoining = 2 };
enum LINKAGE {
    LINKAGE_Undefined = 0,
    LINKAGE_Min = 1,
    LINKAGE_Avg = 2,
    LINKAGE_Max = 3,
    LINKAGE_NeighborJoining = 4,
    LINKAGE_Biased = 5
};
enum DISTANCE {
    DISTANCE_Undefined = 0,
    DISTANCE_Kmer6_6 = 1,
    DISTANCE_Kmer20_3 = 2,
    DISTANCE_Kmer20_4 = 3,
    DISTANCE_Kbit20_3 = 4,
    DISTANCE_Kmer4_6 = 5,
    DISTANCE_PctIdKimura = 6,
    DISTANCE_PctIdLog = 7,
    DISTANCE_PWKimura = 8,
    DISTANCE_PWScoreDist = 9,
    DISTANCE_ScoreDist = 10,
    DISTANCE_Edit = 11
};
enum PPSCORE { PPSCORE_Undefined = 0, PPSCORE_LE = 1, PPSCORE_SP = 2, PPSCORE_SV = 3, PPSCORE_SPN = 4 };
enum SEQWEIGHT {
    SEQWEIGHT_Undefined = 0,
    SEQWEIGHT_None = 1,
    SEQWEIGHT_Henikoff = 2,
    SEQWEIGHT_HenikoffPB = 3,
    SEQWEIGHT_GSC = 4,
    SEQWEIGHT_ClustalW = 5,
    SEQWEIGHT_ThreeWay = 6
};
enum OBJSCORE {
    OBJSCORE_Undefined = 0,
    OBJSCORE_SP = 1,
    OBJSCORE_DP = 2,
    OBJSCORE_XP = 3,
    OBJSCORE_PS = 4,
    OBJSCORE_SPF = 5,
    OBJSCORE_SPM = 6
};
enum TERMGAPS { TERMGAPS_Undefined = 0, TERMGAPS_Full = 1, TERMGAPS_Half = 2, TERMGAPS_Ext = 3 };

// Value to text. A value outside the table gives "<TYPE>_<n>" in one static buffer shared by
// all eleven converters, valid until the next such call.
const char* ALPHAToStr(ALPHA x);
const char* SEQTYPEToStr(SEQTYPE x);
const char* ROOTToStr(ROOT x);
const char* CLUSTERToStr(CLUSTER x);
const char* JOINToStr(JOIN x);
const char* LINKAGEToStr(LINKAGE x);
const char* DISTANCEToStr(DISTANCE x);
const char* PPSCOREToStr(PPSCORE x);
const char* SEQWEIGHTToStr(SEQWEIGHT x);
const char* OBJSCOREToStr(OBJSCORE x);
const char* TERMGAPSToStr(TERMGAPS x);

// Name tables for option values: {name, value} in value order without Undefined, ended by a
// row whose name is null.
struct EnumOpt {
    const char* pstrName;
    int iValue;
};
extern const EnumOpt ALPHA_Opts[];
extern const EnumOpt SEQTYPE_Opts[];
extern const EnumOpt ROOT_Opts[];
extern const EnumOpt CLUSTER_Opts[];
extern const EnumOpt JOIN_Opts[];
extern const EnumOpt LINKAGE_Opts[];
extern const EnumOpt DISTANCE_Opts[];
extern const EnumOpt PPSCORE_Opts[];
extern const EnumOpt SEQWEIGHT_Opts[];
extern const EnumOpt OBJSCORE_Opts[];
extern const EnumOpt TERMGAPS_Opts[];

// The value of the row whose name equals name ignoring case; false when no row matches.
bool FindEnumOpt(const EnumOpt* table, const char* name, int* value);
