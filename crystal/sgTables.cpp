// Constant tables of the space-group library.
#include "crystal/sgTables.h"

namespace {
const int TrP[] = {0, 0, 0};
const int TrA[] = {0, 0, 0, 0, 6, 6};
const int TrB[] = {0, 0, 0, 6, 0, 6};
const int TrC[] = {0, 0, 0, 6, 6, 0};
const int TrI[] = {0, 0, 0, 6, 6, 6};
const int TrR[] = {0, 0, 0, 8, 4, 4, 4, 8, 8};  // obverse rhombohedral on hexagonal axes
const int TrS[] = {0, 0, 0, 4, 4, 8, 8, 8, 4};
const int TrT[] = {0, 0, 0, 4, 8, 4, 8, 4, 8};
const int TrF[] = {0, 0, 0, 0, 6, 6, 6, 0, 6, 6, 6, 0};

constexpr int nVectors(int ints) { return ints / 3; }
}  // namespace

const T_LatticeInfo LI_P = {'P', nVectors(sizeof TrP / sizeof(int)), TrP};
const T_LatticeInfo LI_A = {'A', nVectors(sizeof TrA / sizeof(int)), TrA};
const T_LatticeInfo LI_B = {'B', nVectors(sizeof TrB / sizeof(int)), TrB};
const T_LatticeInfo LI_C = {'C', nVectors(sizeof TrC / sizeof(int)), TrC};
const T_LatticeInfo LI_I = {'I', nVectors(sizeof TrI / sizeof(int)), TrI};
const T_LatticeInfo LI_R = {'R', nVectors(sizeof TrR / sizeof(int)), TrR};
const T_LatticeInfo LI_S = {'S', nVectors(sizeof TrS / sizeof(int)), TrS};
const T_LatticeInfo LI_T = {'T', nVectors(sizeof TrT / sizeof(int)), TrT};
const T_LatticeInfo LI_F = {'F', nVectors(sizeof TrF / sizeof(int)), TrF};

// Rows of the same order stand together; the first row of an order is its z-axis reference.
const T_TabXtalRotMx TabXtalRotMx[] = {
    {1, {0, 0, 0}, '.', {1, 0, 0, 0, 1, 0, 0, 0, 1}},
    {2, {0, 0, 1}, '=', {-1, 0, 0, 0, -1, 0, 0, 0, 1}},
    {2, {1, 0, 0}, '=', {1, -1, 0, 0, -1, 0, 0, 0, -1}},  // along a of a hexagonal cell
    {2, {0, 1, 0}, '=', {-1, 0, 0, -1, 1, 0, 0, 0, -1}},  // along b of a hexagonal cell
    {2, {1, 1, 0}, '"', {0, 1, 0, 1, 0, 0, 0, 0, -1}},
    {2, {1, -1, 0}, '\'', {0, -1, 0, -1, 0, 0, 0, 0, -1}},
    {2, {2, 1, 0}, '|', {1, 0, 0, 1, -1, 0, 0, 0, -1}},
    {2, {1, 2, 0}, '\\', {-1, 1, 0, 0, 1, 0, 0, 0, -1}},
    {3, {0, 0, 1}, '=', {0, -1, 0, 1, -1, 0, 0, 0, 1}},
    {3, {1, 1, 1}, '*', {0, 0, 1, 1, 0, 0, 0, 1, 0}},
    {4, {0, 0, 1}, '=', {0, -1, 0, 1, 0, 0, 0, 0, 1}},
    {6, {0, 0, 1}, '=', {1, -1, 0, 1, 0, 0, 0, 0, 1}},
    {0, {0, 0, 0}, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
};
static_assert(sizeof TabXtalRotMx / sizeof TabXtalRotMx[0] == nTabXtalRotMx);

const int* const RMx_1_000 = TabXtalRotMx[0].RMx;
const int* const RMx_2_001 = TabXtalRotMx[1].RMx;
const int* const RMx_2_110 = TabXtalRotMx[4].RMx;
const int* const RMx_3_001 = TabXtalRotMx[8].RMx;
const int* const RMx_3_111 = TabXtalRotMx[9].RMx;
const int* const RMx_4_001 = TabXtalRotMx[10].RMx;
const int RMx_3i111[9] = {0, 1, 0, 0, 0, 1, 1, 0, 0};
const int RMx_4i001[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};

const int CCMx_PP[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
const int CCMx_AP[9] = {-1, 0, 0, 0, -1, 1, 0, 1, 1};
const int CCMx_BP[9] = {-1, 0, 1, 0, -1, 0, 1, 0, 1};
const int CCMx_CP[9] = {1, 1, 0, 1, -1, 0, 0, 0, -1};
const int CCMx_IP[9] = {0, 1, 1, 1, 0, 1, 1, 1, 0};
const int CCMx_FP[9] = {-1, 1, 1, 1, -1, 1, 1, 1, -1};
const int CCMx_RP_z[9] = {1, 0, 1, -1, 1, 1, 0, -1, 1};
const int CCMx_RP_y[9] = {-1, 1, 1, 1, 1, 0, 0, 1, -1};
const int CCMx_SP_x[9] = {1, 0, 1, 1, -1, 0, 1, 1, -1};
const int CCMx_SP_y[9] = {1, 1, -1, -1, 1, 0, 0, 1, 1};
const int CCMx_TP_x[9] = {1, 0, -1, 1, 1, 0, 1, -1, 1};
const int CCMx_TP_z[9] = {-1, 0, 1, 1, -1, 1, 0, 1, 1};
const int CCMx_FI_x[9] = {1, 0, 0, 0, 1, 1, 0, -1, 1};
const int CCMx_FI_y[9] = {1, 0, -1, 0, 1, 0, 1, 0, 1};
const int CCMx_FI_z[9] = {1, 1, 0, -1, 1, 0, 0, 0, 1};

const T_HallTr HallTranslations[] = {
    {'n', {6, 6, 6}}, {'a', {6, 0, 0}}, {'b', {0, 6, 0}}, {'c', {0, 0, 6}}, {'d', {3, 3, 3}},
    {'u', {3, 0, 0}}, {'v', {0, 3, 0}}, {'w', {0, 0, 3}}, {0, {0, 0, 0}},
};
static_assert(sizeof HallTranslations / sizeof HallTranslations[0] == nHallTranslations);

const char* const XS_Name[] = {"Unknown",    "Triclinic", "Monoclinic", "Orthorhombic",
                               "Tetragonal", "Trigonal",  "Hexagonal",  "Cubic"};
static_assert(sizeof XS_Name / sizeof XS_Name[0] == nXS_Name);

const char* const EI_Name[] = {"Unknown", "Enantiomorphic", "Obverse", "Reverse"};
static_assert(sizeof EI_Name / sizeof EI_Name[0] == nEI_Name);

const char* const PG_Names[] = {
    "Unknown", "1",    "-1",   "2",   "m",    "2/m",  "222",  "mm2",   "mmm",  "4",   "-4",
    "4/m",     "422",  "4mm",  "-42m", "-4m2", "4/mmm", "3",  "-3",    "321",  "312", "32",
    "3m1",     "31m",  "3m",   "-3m1", "-31m", "-3m",  "6",    "-6",    "6/m",  "622", "6mm",
    "-6m2",    "-62m", "6/mmm", "23",  "m-3",  "432",  "-43m", "m-3m",
};
static_assert(sizeof PG_Names / sizeof PG_Names[0] == nPG_Names);

// The trigonal and hexagonal classes keep their orientation in their Laue group.
const int LG_Code_of_PG_Index[] = {
    0,
    PG_1b, PG_1b,                                            // 1, -1
    PG_2_m, PG_2_m, PG_2_m,                                  // 2, m, 2/m
    PG_mmm, PG_mmm, PG_mmm,                                  // 222, mm2, mmm
    PG_4_m, PG_4_m, PG_4_m,                                  // 4, -4, 4/m
    PG_4_mmm, PG_4_mmm, PG_4_mmm, PG_4_mmm, PG_4_mmm,        // 422 ... 4/mmm
    PG_3b, PG_3b,                                            // 3, -3
    PG_3bm1, PG_3b1m, PG_3bm, PG_3bm1, PG_3b1m, PG_3bm,      // 321, 312, 32, 3m1, 31m, 3m
    PG_3bm1, PG_3b1m, PG_3bm,                                // -3m1, -31m, -3m
    PG_6_m, PG_6_m, PG_6_m,                                  // 6, -6, 6/m
    PG_6_mmm, PG_6_mmm, PG_6_mmm, PG_6_mmm, PG_6_mmm,        // 622 ... 6/mmm
    PG_m3b, PG_m3b,                                          // 23, m-3
    PG_m3bm, PG_m3bm, PG_m3bm,                               // 432, -43m, m-3m
};
static_assert(sizeof LG_Code_of_PG_Index / sizeof LG_Code_of_PG_Index[0] == nPG_Names);
static_assert(PG_1 == 409 && PG_4bm2 == 6113 && PG_m3bm == 16235);
