// Classification of a completed group: crystal system, unique axis, extra information,
// generators and point group.
#include "crystal/sgClassify.h"

#include <cstdlib>

#include "crystal/seitzMx.h"
#include "crystal/sgComplete.h"
#include "crystal/sgError.h"
#include "crystal/sgTables.h"

namespace {

int Det(const T_SgRecord* sg, int i) { return deterRotMx(sg->ListSeitzMx[i].R); }

// The classification of an entry already known to be crystallographic.
T_RotMxInfo InfoOf(const T_SgRecord* sg, int i) {
  T_RotMxInfo info{};
  if (!sg->ListRotMxInfo.empty()) return sg->ListRotMxInfo[i];
  GetRotMxInfo(sg->ListSeitzMx[i].R, &info);
  return info;
}

// The entry that carries the unique axis of the crystal system, or -1.
int FindPrincipal(const T_SgRecord* sg) {
  // Where the inversion is listed (off the origin) a rotation and its rotoinversion partner are
  // both listed: take the proper one.
  const int honor = sg->inversionOffOrigin;
  switch (sg->crystalSystem) {
    case XS_Monoclinic: return FindSeitzMx(sg, 2, honor, 0, '=');
    case XS_Tetragonal: return FindSeitzMx(sg, 4, honor, 0, '=');
    case XS_Trigonal: {
      const int i = FindSeitzMx(sg, 3, honor, 0, '=');
      return i >= 0 ? i : FindSeitzMx(sg, 3, honor, 0, '*');  // rhombohedral axes
    }
    case XS_Hexagonal: return FindSeitzMx(sg, 6, honor, 0, '=');
    case XS_Cubic: return FindSeitzMx(sg, 3, 0, 0, '*');
    default: return -1;
  }
}

// The 2-fold (or mirror) perpendicular to a trigonal or hexagonal axis that a Hall symbol
// names: along a-b (apostrophe) when there is one, else along a+b (double quote).
int FindSecondaryTwoFold(const T_SgRecord* sg, int principal) {
  const T_RotMxInfo p = InfoOf(sg, principal);
  const int refAxis = p.DirCode == '*' ? 0 : p.refAxis;
  const int i = FindSeitzMx(sg, 2, 0, refAxis, '\'');
  return i >= 0 ? i : FindSeitzMx(sg, 2, 0, refAxis, '"');
}

int NextAxis(int axis) { return axis == 'z' ? 'x' : axis == 'x' ? 'y' : 'z'; }

int PointGroup(const T_SgRecord* sg, const int* gen, int nRotations) {
  // A group with an inversion anywhere (implicit at the origin, or listed off the origin) is
  // centrosymmetric: its point group holds -1 either way.
  const bool centro = sg->centric == -1 || sg->inversionOffOrigin;
  const int d0 = Det(sg, gen[0]);
  const int d1 = nRotations > 1 ? Det(sg, gen[1]) : 0;
  switch (sg->crystalSystem) {
    case XS_Triclinic: return centro ? PG_1b : PG_1;
    case XS_Monoclinic: return centro ? PG_2_m : d0 < 0 ? PG_m : PG_2;
    case XS_Orthorhombic: return centro ? PG_mmm : (d0 < 0 || d1 < 0) ? PG_mm2 : PG_222;
    case XS_Tetragonal:
      if (nRotations == 1) return centro ? PG_4_m : d0 < 0 ? PG_4b : PG_4;
      if (centro) return PG_4_mmm;
      return d0 > 0 ? (d1 > 0 ? PG_422 : PG_4mm) : (d1 > 0 ? PG_4b2m : PG_4bm2);
    case XS_Trigonal: {
      if (nRotations == 1) return centro ? PG_3b : PG_3;
      const int dir2 = InfoOf(sg, gen[1]).DirCode;
      const int family = InfoOf(sg, gen[0]).DirCode == '*' ? 0 : dir2 == '\'' ? 1 : 2;
      static const int Centro[] = {PG_3bm, PG_3b1m, PG_3bm1};
      static const int Mirror[] = {PG_3m, PG_31m, PG_3m1};
      static const int Rotation[] = {PG_32, PG_312, PG_321};
      return centro ? Centro[family] : d1 < 0 ? Mirror[family] : Rotation[family];
    }
    case XS_Hexagonal: {
      if (nRotations == 1) return centro ? PG_6_m : d0 < 0 ? PG_6b : PG_6;
      if (centro) return PG_6_mmm;
      if (d0 > 0) return d1 < 0 ? PG_6mm : PG_622;
      const int dir2 = InfoOf(sg, gen[1]).DirCode;
      return (dir2 == '\'' && d1 < 0) || (dir2 == '"' && d1 > 0) ? PG_6b2m : PG_6bm2;
    }
    case XS_Cubic: {
      const bool has4 = std::abs(InfoOf(sg, gen[0]).order) == 4;
      if (!has4) return centro ? PG_m3b : PG_23;
      return centro ? PG_m3bm : d0 < 0 ? PG_4b3m : PG_432;
    }
    default: return 0;
  }
}

}  // namespace

int FindXtalSystem(T_SgRecord* sg) {
  int count[7] = {};  // by |order| 1, 2, 3, 4, 6
  for (int i = 0; i < sg->nList; ++i) {
    T_RotMxInfo buf;
    const T_RotMxInfo* info = ListOrBufRotMxInfo(sg, i, &buf);
    if (info == nullptr) return -1;
    if (info->inverse) continue;
    const int n = std::abs(info->order);
    if (n == 5 || n < 1 || n > 6) {
      SetSgError("Internal Error: FindXtalSystem(): Corrupt ListRotMxInfo");
      return -1;
    }
    ++count[n];
  }
  sg->crystalSystem = XS_Unknown;
  if (sg->inversionOffOrigin) {
    for (int& c : count) {
      if (c % 2) return XS_Unknown;
      c /= 2;
    }
  }
  int system;
  if (count[3] == 4) system = XS_Cubic;
  else if (count[3] > 1 || count[6] > 1) system = XS_Unknown;
  else if (count[6] == 1) system = XS_Hexagonal;
  else if (count[3] == 1) system = XS_Trigonal;
  else if (count[4] > 1) system = XS_Unknown;
  else if (count[4] == 1) system = XS_Tetragonal;
  else if (count[2] >= 3) system = XS_Orthorhombic;
  else if (count[2] >= 1) system = XS_Monoclinic;
  else system = XS_Triclinic;
  if (system == XS_Unknown) return XS_Unknown;

  sg->crystalSystem = system;
  if (system == XS_Triclinic || system == XS_Orthorhombic) return system;
  const int principal = FindPrincipal(sg);
  if (principal < 0) {
    sg->crystalSystem = XS_Unknown;
    return XS_Unknown;
  }
  T_RotMxInfo buf;
  const T_RotMxInfo* info = ListOrBufRotMxInfo(sg, principal, &buf);
  if (info == nullptr) return -1;
  if (system != XS_Cubic) {
    sg->uniqueRefAxis = info->refAxis;
    sg->uniqueDirCode = info->DirCode;
  }
  const int code = sg->latticeInfo->code, axis = sg->uniqueRefAxis;
  if (system == XS_Trigonal && sg->uniqueDirCode == '=') {
    if ((axis == 'y' && code == 'R') || (axis == 'z' && code == 'T') || (axis == 'x' && code == 'S'))
      sg->extraInfo = EI_Reverse;
    else if ((axis == 'y' && code == 'S') || (axis == 'z' && code == 'R') || (axis == 'x' && code == 'T'))
      sg->extraInfo = EI_Obverse;
  }
  // A screw along the principal axis of a primitive group without inversion makes it one of an
  // enantiomorphic pair (P 41 / P 43); pure 2-fold screws (P 42, P 63) do not.
  if (system != XS_Monoclinic && sg->centric == 0 && !sg->inversionOffOrigin && code == 'P' &&
      std::abs(info->order) > 1) {
    const int* T = sg->ListSeitzMx[principal].T;
    const int along = T[0] * info->axis[0] + T[1] * info->axis[1] + T[2] * info->axis[2];
    if (along % 6 != 0) sg->extraInfo = EI_Enantiomorphic;
  }
  return system;
}

int FindGenerators(T_SgRecord* sg) {
  int gen[4] = {-1, -1, -1, -1};
  int nRotations = 0;
  bool complete = true;
  auto twoFold = [sg](int refAxis) { return FindSeitzMx(sg, 2, 0, refAxis, '='); };
  switch (sg->crystalSystem) {
    case XS_Triclinic:
      gen[0] = 0, nRotations = 1;
      break;
    case XS_Monoclinic:
      gen[0] = FindPrincipal(sg), nRotations = 1;
      complete = gen[0] >= 0;
      break;
    case XS_Orthorhombic:
      gen[0] = twoFold('z'), gen[1] = twoFold('x'), nRotations = 2;
      complete = gen[0] >= 0 && gen[1] >= 0;
      break;
    case XS_Tetragonal:
      gen[0] = FindPrincipal(sg);
      complete = gen[0] >= 0;
      if (complete) gen[1] = twoFold(NextAxis(InfoOf(sg, gen[0]).refAxis));
      nRotations = gen[1] >= 0 ? 2 : 1;
      break;
    case XS_Trigonal:
    case XS_Hexagonal:
      gen[0] = FindPrincipal(sg);
      complete = gen[0] >= 0;
      if (complete) gen[1] = FindSecondaryTwoFold(sg, gen[0]);
      nRotations = gen[1] >= 0 ? 2 : 1;
      break;
    case XS_Cubic:
      gen[0] = FindSeitzMx(sg, 4, 0, 'z', '=');
      if (gen[0] < 0) gen[0] = twoFold('z');
      gen[1] = twoFold('x');
      gen[2] = FindSeitzMx(sg, 3, 0, 0, '*');
      nRotations = 3;
      complete = gen[0] >= 0 && gen[1] >= 0 && gen[2] >= 0;
      break;
    default:
      complete = false;
  }
  if (!complete) {
    SetSgError("Error: Can't build generator list");
    return -1;
  }
  sg->nGenerator = 0;
  for (int i = 0; i < nRotations; ++i) sg->generatorList[sg->nGenerator++] = gen[i];
  if (sg->inversionOffOrigin) {
    const int inversion = FindSeitzMx(sg, -1, 1, 0, 0);
    if (inversion < 0) {
      SetSgError("Error: Can't build generator list");
      return -1;
    }
    sg->generatorList[sg->nGenerator++] = inversion;
  }
  sg->pointGroup = PointGroup(sg, gen, nRotations);
  return 0;
}
