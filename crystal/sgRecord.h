// Plain records of the space-group library: Seitz matrices, rotation classifications,
// centrings, settings-table rows, equivalent reflections and the space-group record.
#pragma once

#include <vector>

// Translations are kept in twelfths of the cell edges (the translation base factor, STBF):
// twelfths represent every fractional translation of the 230 space groups exactly.
constexpr int STBF = 12;
// Change-of-basis matrices scale their rotation part by CRBF and their translation by CTBF.
constexpr int CRBF = 12;
constexpr int CTBF = 72;
// Capacity of the operation lists: the largest group, F m -3 m, has 192 operations.
constexpr int SgMaxList = 192;
// The rebuilt Hall symbol holds at most this many characters (plus the NUL).
constexpr int MaxLenHallSymbol = 39;
// A list of equivalent reflections stores at most this many indices.
constexpr int MaxEq_hkl = 24;

// One Seitz matrix: rotation part (row-major, acting on fractional coordinates) and translation.
struct T_RTMx {
  int R[9];
  int T[3];  // twelfths; kept in 0..11 in the group list
};

// Classification of one rotation part.
struct T_RotMxInfo {
  int axis[3];  // smallest lattice vector along the axis; (0,0,0) for 1 and -1
  int order;    // 1, 2, 3, 4, 6; negative for rotoinversions; 0 when not crystallographic
  int inverse;  // 1 when the proper part is the inverse of the reference matrix
  int refAxis;  // 'o', 'x', 'y' or 'z'
  int DirCode;  // '.', '=', '"', '\'', '|', '\\' or '*'
};

// A lattice centring and its translations (twelfths), the null vector first.
struct T_LatticeInfo {
  int code;  // 'P', 'A', 'B', 'C', 'I', 'R', 'S', 'T' or 'F'
  int nTrVector;
  const int* trVector;  // nTrVector vectors of three ints
};

// One row of the settings table.
struct T_TabSgName {
  const char* HallSymbol;  // leading blank, or '-' for a centre of symmetry at the origin
  int sgNumber;            // 1..230
  const char* extension;   // setting code, possibly empty
  const char* sgLabels;    // Hermann-Mauguin labels, '_' for blanks, joined by " = "
};

// Reflections equivalent to one reflection (Friedel mates implied).
struct T_Eq_hkl {
  int M;  // multiplicity, Friedel mates counted
  int N;  // number of stored indices
  int h[MaxEq_hkl], k[MaxEq_hkl], l[MaxEq_hkl];
  int TH[MaxEq_hkl];  // phase shift in twelfths
};

extern const T_LatticeInfo LI_P;

// One space group. The two operation lists are owned by value, so a record can be copied and
// rebuilt without leaks or double releases; an empty ListRotMxInfo means "classify on the fly".
struct T_SgRecord {
  int generatorOption = 0;     // 0: centring and inversion listed; >0: implicit; <0: add one, no closure
  int centric = 0;             // 0 acentric; -1 inversion at the origin kept implicit; 1 listed
  int inversionOffOrigin = 0;  // 1 when the inversion's centre is not at the origin
  const T_LatticeInfo* latticeInfo = &LI_P;
  int latticeTrStatus = 0;  // -1 centring translations still to add; 1 listed; 0 implicit
  int originShift[3] = {0, 0, 0};  // twelfths
  int nList = 0;
  int maxList = 0;
  std::vector<T_RTMx> ListSeitzMx;
  std::vector<T_RotMxInfo> ListRotMxInfo;
  int fullOrder = 0;       // with the centring translations
  int primitiveOrder = 0;  // nList, doubled when centric is -1
  int crystalSystem = 0;   // index into XS_Name
  int uniqueRefAxis = 0;
  int uniqueDirCode = 0;
  int extraInfo = 0;  // index into EI_Name
  int pointGroup = 0;  // point-group code (PG_Names index = code / 396)
  int nGenerator = 0;
  int generatorList[4] = {0, 0, 0, 0};  // indices into ListSeitzMx
  char HallSymbol[MaxLenHallSymbol + 1] = {};
  const T_TabSgName* tabSgName = nullptr;
  const int* ccMx = nullptr;  // centring-to-primitive matrix, 3x3 row-major
  int nSiVector = -1;         // -1: not computed
  int siVector[9] = {};
  int siModulus[3] = {};
};
