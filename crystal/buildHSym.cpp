// Rebuilding the Hall symbol of a completed group from its generators, and checking it
// against the settings table.
#include <cstdlib>
#include <cstring>

#include "crystal/seitzMx.h"
#include "crystal/sgClassify.h"
#include "crystal/sgError.h"
#include "crystal/sgTables.h"
#include "crystal/tabSgName.h"
#include "crystal/textOut.h"

namespace {

const int InversionR[9] = {-1, 0, 0, 0, -1, 0, 0, 0, -1};

// Writes the translation of one generator (screw digit and Hall letters) for the first
// centring vector that lets it be written completely; false when none does.
bool PutTranslation(TextOut& out, const T_LatticeInfo* L, const T_RotMxInfo& info, const int* T) {
  if (IsSMxTransl0(L, T)) return true;
  const int axis = info.DirCode == '=' ? (info.refAxis == 'x' ? 0 : info.refAxis == 'y' ? 1 : info.refAxis == 'z' ? 2 : -1) : -1;
  for (int v = 0; v < L->nTrVector; ++v) {
    int t[3];
    for (int k = 0; k < 3; ++k) t[k] = iModPositive(T[k] + L->trVector[3 * v + k], STBF);
    char text[12];
    TextOut part(text, sizeof text);
    if (axis >= 0) {
      // Screw parts of 3- and 6-folds that are not multiples of 1/4 get a digit (31, 62);
      // the others are written with the letters (21 as c, 41 as w).
      const int step = STBF / std::abs(info.order);
      const int q = t[axis] / step;
      if ((q * step) % 3 != 0) {
        part.put(static_cast<char>('0' + q));
        t[axis] -= q * step;
      }
    }
    for (const T_HallTr* h = HallTranslations; h->Symbol; ++h) {
      if (h->v[0] <= t[0] && h->v[1] <= t[1] && h->v[2] <= t[2]) {
        part.put(static_cast<char>(h->Symbol));
        for (int k = 0; k < 3; ++k) t[k] -= h->v[k];
      }
    }
    if (t[0] == 0 && t[1] == 0 && t[2] == 0) {
      out.puts(text);
      return true;
    }
  }
  return false;
}

// The Hall symbol of the generators seen from origin shift s (twelfths); false when a
// generator's translation cannot be written.
bool TryHallSymbol(const T_SgRecord* sg, const T_RotMxInfo* info, const int* s, TextOut& out) {
  int T[4][3];
  bool written[4];
  bool leadingMinus = sg->centric == -1;
  for (int g = 0; g < sg->nGenerator; ++g) {
    const T_RTMx& m = sg->ListSeitzMx[sg->generatorList[g]];
    int Rs[3];
    RotMx_t_Vector(Rs, m.R, s, 0);
    for (int k = 0; k < 3; ++k) T[g][k] = iModPositive(Rs[k] + m.T[k] - s[k], STBF);
    written[g] = !(std::memcmp(m.R, InversionR, sizeof InversionR) == 0 && T[g][0] == 0 && T[g][1] == 0 && T[g][2] == 0);
    if (!written[g]) leadingMinus = true;
  }
  out.put(leadingMinus ? '-' : ' ');
  out.put(static_cast<char>(sg->latticeInfo->code));
  int position = 0;
  const T_RotMxInfo* previous = nullptr;
  for (int g = 0; g < sg->nGenerator; ++g) {
    if (!written[g]) continue;
    const T_RotMxInfo& r = info[g];
    const int n = std::abs(r.order);
    bool showAxis = r.refAxis != 'o';
    bool showDir = r.DirCode != '=' && r.DirCode != '.';
    // Leave out what the Hall-symbol reader assumes at this position.
    if (position == 0 && r.refAxis == 'z') showAxis = false;
    if (position == 1 && n == 2 && previous) {
      const int p = std::abs(previous->order);
      if ((p == 2 || p == 4) && r.refAxis == 'x') showAxis = false;
      if ((p == 3 || p == 6) && (previous->DirCode == '*' || previous->refAxis == r.refAxis)) {
        showAxis = false;
        if (r.DirCode == '\'') showDir = false;
      }
    }
    if (position == 2 && n == 3 && r.DirCode == '*') showDir = false;
    out.put(' ');
    if (r.order < 0) out.put('-');
    out.put("0123456"[n]);
    if (showAxis) out.put(static_cast<char>(r.refAxis));
    if (showDir) out.put(static_cast<char>(r.DirCode));
    if (!PutTranslation(out, sg->latticeInfo, r, T[g])) return false;
    previous = &r;
    ++position;
  }
  if (position == 0) out.puts(" 1");
  if (s[0] || s[1] || s[2]) {
    out.puts(" (");
    for (int k = 0; k < 3; ++k) {
      const int v = iModPositive(s[k], STBF);
      if (k) out.put(' ');
      if (v > 6) out.put('-');
      out.put(static_cast<char>('0' + (v > 6 ? STBF - v : v)));
    }
    out.put(')');
  }
  return true;
}

}  // namespace

int BuildHSym(T_SgRecord* sg) {
  if (sg->nGenerator == 0) {
    SetSgError("Internal Error: BuildHSym(): Empty generator list");
    return -1;
  }
  T_RotMxInfo info[4];
  for (int g = 0; g < sg->nGenerator; ++g) {
    if (GetRotMxInfo(sg->ListSeitzMx[sg->generatorList[g]].R, &info[g]) == 0) {
      SetSgError("Internal Error: BuildHSym(): Corrupt GetRotMxInfo()");
      return -1;
    }
  }
  // Small origin shifts first, the z component varying fastest.
  static const int Shifts[] = {0, 1, -1, 2, -2, 3};
  for (int sx : Shifts)
    for (int sy : Shifts)
      for (int sz : Shifts) {
        const int s[3] = {sx, sy, sz};
        char text[2 * (MaxLenHallSymbol + 1)];
        TextOut out(text, sizeof text);
        if (!TryHallSymbol(sg, info, s, out)) continue;
        if (!out.fits() || out.len > static_cast<std::size_t>(MaxLenHallSymbol)) {
          SetSgError("Internal Error: BuildHSym(): MaxLenHallSymbol too small");
          return -1;
        }
        std::memcpy(sg->HallSymbol, text, out.len + 1);
        for (int k = 0; k < 3; ++k) sg->originShift[k] = s[k];
        return 0;
      }
  SetSgError("Error: Can't build Hall Symbol");
  return -1;
}

int MatchTabSgNameAndSetCCMx(T_SgRecord* sg) {
  if (sg->tabSgName) {
    if (std::strcmp(sg->tabSgName->HallSymbol, sg->HallSymbol) != 0) {
      SetSgErrorF("Internal Error: Input/Output HallSymbol mismatch: %s <> %s", sg->tabSgName->HallSymbol,
                  sg->HallSymbol);
      return -1;
    }
  } else {
    for (const T_TabSgName* row = TabSgName; row->HallSymbol; ++row)
      if (std::strcmp(row->HallSymbol, sg->HallSymbol) == 0) {
        sg->tabSgName = row;
        break;
      }
  }
  const int axis = sg->uniqueRefAxis;
  sg->ccMx = nullptr;
  switch (sg->latticeInfo->code) {
    case 'P': sg->ccMx = CCMx_PP; return 0;
    case 'A': sg->ccMx = CCMx_AP; return 0;
    case 'B': sg->ccMx = CCMx_BP; return 0;
    case 'C': sg->ccMx = CCMx_CP; return 0;
    case 'I': sg->ccMx = CCMx_IP; return 0;
    case 'F': sg->ccMx = CCMx_FP; return 0;
    case 'R':
      if (axis == 'y') sg->ccMx = CCMx_RP_y;
      else if (axis == 'z' || axis == 0) sg->ccMx = CCMx_RP_z;
      break;
    case 'S':
      if (axis == 'x') sg->ccMx = CCMx_SP_x;
      else if (axis == 'y' || axis == 0) sg->ccMx = CCMx_SP_y;
      break;
    case 'T':
      if (axis == 'z') sg->ccMx = CCMx_TP_z;
      else if (axis == 'x' || axis == 0) sg->ccMx = CCMx_TP_x;
      break;
  }
  if (sg->ccMx) return 0;
  SetSgError("Internal Error: Illegal lattice code");
  return -1;
}
