// Hall symbols: the parser that adds the generators of a Hall symbol to a space-group record.
#include "crystal/hallSymbol.h"

#include <cctype>

#include "crystal/seitzMx.h"
#include "crystal/sgComplete.h"
#include "crystal/sgError.h"
#include "crystal/sgTables.h"

namespace {

const char* const NeedAxis = "Error: Illegal generator or need explicit axis symbol";
const char* const IllegalCharacter = "Error: Illegal character in Hall symbol";

// One matrix symbol as read, e.g. "-4bw" or "2\"c".
struct MatrixSymbol {
  int length = 0;  // characters read
  bool improper = false;
  int order = 0;
  int screw = -1;  // the screw digit, -1 when none
  int axis = 0;    // 'x', 'y' or 'z'
  int dir = 0;     // '\'', '"', '*'
  int T[3] = {0, 0, 0};
};

bool IsSeparator(int c) { return c == ' ' || c == '\t' || c == '.' || c == '_'; }

const T_LatticeInfo* LatticeOf(int code) {
  static const T_LatticeInfo* const All[] = {&LI_P, &LI_A, &LI_B, &LI_C, &LI_I, &LI_R, &LI_S, &LI_T, &LI_F};
  for (const T_LatticeInfo* L : All)
    if (L->code == code) return L;
  return nullptr;
}

// Fills in the axis and direction the position implies, builds the matrix and adds it.
// previous holds the first matrix of the symbol when this is the second one.
int AddMatrix(T_SgRecord* sg, MatrixSymbol& ms, int index, const MatrixSymbol& previous) {
  if (ms.order == 0) {
    SetSgError(NeedAxis);
    return -1;
  }
  if (ms.axis == 0) {
    if (index == 0) {
      ms.axis = 'z';
    } else if (index == 1 && ms.order == 2) {
      if (previous.order == 2 || previous.order == 4) {
        ms.axis = 'x';
      } else if (previous.order == 3 || previous.order == 6) {
        ms.axis = previous.axis;
        if (ms.dir == 0) ms.dir = '\'';
      }
    } else if (index == 2 && ms.order == 3 && ms.dir == 0) {
      ms.dir = '*';
    }
  }
  if (ms.order == 1) ms.dir = '.';
  else if (ms.dir == 0 && ms.axis) ms.dir = '=';
  if (ms.dir == 0 || (ms.dir != '*' && ms.dir != '.' && ms.axis == 0)) {
    SetSgError(NeedAxis);
    return -1;
  }
  const T_TabXtalRotMx* row = TabXtalRotMx;
  while (row->Order && !(row->Order == ms.order && row->DirCode == ms.dir)) ++row;
  if (row->Order == 0) {
    SetSgError(NeedAxis);
    return -1;
  }
  T_RTMx m;
  for (int i = 0; i < 9; ++i) m.R[i] = ms.improper ? -row->RMx[i] : row->RMx[i];
  if (ms.dir != '*' && ms.dir != '.')
    for (int turns = ms.axis == 'x' ? 1 : ms.axis == 'y' ? 2 : 0; turns > 0; --turns)
      RotateRotMx(m.R, RMx_3_111, RMx_3i111);
  if (ms.screw > 0) {
    if (ms.dir != '=') {
      SetSgError("Error: Screw for non-principal direction");
      return -1;
    }
    ms.T[ms.axis - 'x'] += ms.screw * STBF / ms.order;
  }
  for (int k = 0; k < 3; ++k) m.T[k] = iModPositive(ms.T[k], STBF);
  if (Add2ListSeitzMx(sg, &m) < 0) return -1;
  if (sg->latticeTrStatus == -1 && AddLatticeTr2ListSeitzMx(sg, sg->latticeInfo) < 0) return -1;
  return 0;
}

// Reads one character of a matrix symbol (already lower case); 0, or -1 with a message.
int ReadSymbolCharacter(MatrixSymbol& ms, int c) {
  const int first = ms.length++ == 0;
  if (c == '-') {
    if (!first) return SetSgError(IllegalCharacter), -1;
    ms.improper = true;
  } else if (std::isdigit(c)) {
    const int d = c - '0';
    if (ms.order == 0) {
      if (d == 5) return SetSgError("Error: Illegal 5-fold rotation"), -1;
      if (d != 1 && d != 2 && d != 3 && d != 4 && d != 6) return SetSgError(IllegalCharacter), -1;
      ms.order = d;
    } else if (ms.screw < 0 && d < ms.order && ms.dir == 0) {
      ms.screw = d;
    } else {
      return SetSgError(IllegalCharacter), -1;
    }
  } else if (c == 'x' || c == 'y' || c == 'z') {
    if (ms.axis) return SetSgError(IllegalCharacter), -1;
    ms.axis = c;
  } else if (c == '\'' || c == '"' || c == '*') {
    if (ms.dir) return SetSgError(IllegalCharacter), -1;
    ms.dir = c;
  } else {
    const T_HallTr* h = HallTranslations;
    while (h->Symbol && h->Symbol != c) ++h;
    if (h->Symbol == 0) return SetSgError(IllegalCharacter), -1;
    for (int k = 0; k < 3; ++k) ms.T[k] += h->v[k];
  }
  return 0;
}

// "(x y z)": three values, each an optional '-' and one digit 0..6 (twelfths). p points after
// the '('; returns the position after the shift, or null with a message.
const char* ReadOriginShift(const char* p, T_SgRecord* sg) {
  int n = 0;
  for (;;) {
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == ')' || *p == '\0') {
      if (n < 3) return SetSgError("Error: Missing origin shift values"), nullptr;
      return *p ? p + 1 : p;
    }
    if (n == 3) return SetSgError("Error: Too much origin shift values"), nullptr;
    int sign = 1;
    if (*p == '-') sign = -1, ++p;
    if (*p < '0' || *p > '6') return SetSgError("Error: Illegal origin shift value"), nullptr;
    sg->originShift[n++] = sign * (*p++ - '0');
    if (*p != ' ' && *p != '\t' && *p != ')' && *p != '\0')
      return SetSgError("Error: Illegal origin shift value"), nullptr;
  }
}

}  // namespace

int ParseHallSymbol(const char* hall, T_SgRecord* sg) {
  const char* p = hall;
  auto read = [&] { return static_cast<int>(p - hall); };

  // Up to the centring letter, with a leading '-' for the inversion at the origin.
  bool inversion = false;
  for (;; ++p) {
    if (*p == '\0') return SetSgError("Error: Lattice type not specified"), read();
    if (IsSeparator(*p)) continue;
    if (*p == '-' && !inversion) {
      inversion = true;
      if (AddInversion2ListSeitzMx(sg) < 0) return read();
      continue;
    }
    const T_LatticeInfo* L = LatticeOf(std::toupper(static_cast<unsigned char>(*p)));
    if (L == nullptr) return SetSgError("Error: Illegal lattice code"), read();
    ++p;
    if (AddLatticeTr2ListSeitzMx(sg, L) < 0) return read();
    break;
  }

  MatrixSymbol current, first;
  int index = 0;
  for (;; ++p) {
    int c = std::tolower(static_cast<unsigned char>(*p));
    if (c == 'q') c = '\'';
    if (c == '+') c = '"';
    if (c == '\0' || c == '(' || IsSeparator(c)) {
      if (current.length) {
        if (AddMatrix(sg, current, index, first) < 0) return read();
        if (index++ == 0) first = current;
        current = MatrixSymbol();
      }
      if (c == '\0') return read();
      if (c == '(') break;
      continue;
    }
    if (ReadSymbolCharacter(current, c) < 0) return read();
  }

  p = ReadOriginShift(p + 1, sg);
  if (p == nullptr) return read();
  while (IsSeparator(*p)) ++p;
  if (*p) SetSgError(IllegalCharacter);
  return read();
}
