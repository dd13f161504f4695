// Constant tables of the space-group library: centrings, reference rotations, centring-to-
// primitive matrices, Hall translation symbols, and the names of crystal systems and point groups.
#pragma once

#include "crystal/sgRecord.h"

// Centrings (translations in twelfths).
extern const T_LatticeInfo LI_P, LI_A, LI_B, LI_C, LI_I, LI_R, LI_S, LI_T, LI_F;

// A reference rotation: order, axis, direction code and matrix (rows).
struct T_TabXtalRotMx {
  int Order;
  int EigenVector[3];
  int DirCode;
  int RMx[9];
};
// Twelve reference rotations and a closing row of zeros.
constexpr int nTabXtalRotMx = 13;
extern const T_TabXtalRotMx TabXtalRotMx[nTabXtalRotMx];

// Named rotations; RMx_1_000 ... RMx_4_001 point into TabXtalRotMx.
extern const int* const RMx_1_000;
extern const int* const RMx_2_001;
extern const int* const RMx_2_110;
extern const int* const RMx_3_001;
extern const int* const RMx_3_111;
extern const int* const RMx_4_001;
extern const int RMx_3i111[9];
extern const int RMx_4i001[9];

// Centring-to-primitive matrices (rows).
extern const int CCMx_PP[9], CCMx_AP[9], CCMx_BP[9], CCMx_CP[9], CCMx_IP[9], CCMx_FP[9];
extern const int CCMx_RP_z[9], CCMx_RP_y[9], CCMx_SP_x[9], CCMx_SP_y[9], CCMx_TP_x[9], CCMx_TP_z[9];
extern const int CCMx_FI_x[9], CCMx_FI_y[9], CCMx_FI_z[9];

// Translation symbols of Hall symbols, in the order the rebuilt symbol tries them.
struct T_HallTr {
  int Symbol;
  int v[3];
};
// Eight symbols and a closing zero symbol.
constexpr int nHallTranslations = 9;
extern const T_HallTr HallTranslations[nHallTranslations];

constexpr int nXS_Name = 8;
constexpr int XS_Unknown = 0, XS_Triclinic = 1, XS_Monoclinic = 2, XS_Orthorhombic = 3,
              XS_Tetragonal = 4, XS_Trigonal = 5, XS_Hexagonal = 6, XS_Cubic = 7;
extern const char* const XS_Name[nXS_Name];

constexpr int nEI_Name = 4;
constexpr int EI_Unknown = 0, EI_Enantiomorphic = 1, EI_Obverse = 2, EI_Reverse = 3;
extern const char* const EI_Name[nEI_Name];

// Point-group codes: (index into PG_Names * 33 + number of the crystal class 1..32) * 12 + number
// of the Laue class 1..11, so that index, class and Laue class can each be read back.
constexpr int nPG_Names = 41;
constexpr int PG_CodeDivisor = 396;
constexpr int MakePG(int index, int number, int laue) { return (index * 33 + number) * 12 + laue; }
constexpr int PG_Index(int code) { return code / PG_CodeDivisor; }
constexpr int PG_1 = MakePG(1, 1, 1), PG_1b = MakePG(2, 2, 1), PG_2 = MakePG(3, 3, 2),
              PG_m = MakePG(4, 4, 2), PG_2_m = MakePG(5, 5, 2), PG_222 = MakePG(6, 6, 3),
              PG_mm2 = MakePG(7, 7, 3), PG_mmm = MakePG(8, 8, 3), PG_4 = MakePG(9, 9, 4),
              PG_4b = MakePG(10, 10, 4), PG_4_m = MakePG(11, 11, 4), PG_422 = MakePG(12, 12, 5),
              PG_4mm = MakePG(13, 13, 5), PG_4b2m = MakePG(14, 14, 5), PG_4bm2 = MakePG(15, 14, 5),
              PG_4_mmm = MakePG(16, 15, 5), PG_3 = MakePG(17, 16, 6), PG_3b = MakePG(18, 17, 6),
              PG_321 = MakePG(19, 18, 7), PG_312 = MakePG(20, 18, 7), PG_32 = MakePG(21, 18, 7),
              PG_3m1 = MakePG(22, 19, 7), PG_31m = MakePG(23, 19, 7), PG_3m = MakePG(24, 19, 7),
              PG_3bm1 = MakePG(25, 20, 7), PG_3b1m = MakePG(26, 20, 7), PG_3bm = MakePG(27, 20, 7),
              PG_6 = MakePG(28, 21, 8), PG_6b = MakePG(29, 22, 8), PG_6_m = MakePG(30, 23, 8),
              PG_622 = MakePG(31, 24, 9), PG_6mm = MakePG(32, 25, 9), PG_6bm2 = MakePG(33, 26, 9),
              PG_6b2m = MakePG(34, 26, 9), PG_6_mmm = MakePG(35, 27, 9), PG_23 = MakePG(36, 28, 10),
              PG_m3b = MakePG(37, 29, 10), PG_432 = MakePG(38, 30, 11), PG_4b3m = MakePG(39, 31, 11),
              PG_m3bm = MakePG(40, 32, 11);
extern const char* const PG_Names[nPG_Names];
// The code of the Laue group of each point group, by PG_Names index.
extern const int LG_Code_of_PG_Index[nPG_Names];
// The point-group code of each space-group number in its standard setting (entry 0 unused).
constexpr int nVolAPointGroups = 231;
extern const int VolAPointGroups[nVolAPointGroups];
