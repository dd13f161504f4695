// Group completion: closing a set of Seitz matrices into a group and bringing the list to its
// normal form (origin shift applied, centring and inversion implicit, preferred translations,
// fixed order) before the group is classified.
#include "crystal/sgComplete.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "crystal/seitzMx.h"
#include "crystal/sgClassify.h"
#include "crystal/sgError.h"
#include "crystal/sgTables.h"

namespace {

const int IdentityR[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
const int InversionR[9] = {-1, 0, 0, 0, -1, 0, 0, 0, -1};
const T_RTMx IdentitySeitzMx = {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}};

bool IsRotation(const int* R, const int* ref) { return std::equal(R, R + 9, ref); }

// The record whose list qsort is ordering (qsort passes no context).
const T_SgRecord* SortedRecord = nullptr;

int CompareForQsort(const void* a, const void* b) {
  return CompareSgRecordListEntries(static_cast<const int*>(a), static_cast<const int*>(b));
}

// The centring that a pure translation t reveals: a face centring grows into F, a primitive
// lattice into the first centring that contains t; null when none does.
const T_LatticeInfo* CentringContaining(const T_LatticeInfo* current, const int* t) {
  static const T_LatticeInfo* const FromP[] = {&LI_A, &LI_B, &LI_C, &LI_I, &LI_R, &LI_S, &LI_T, &LI_F};
  switch (current->code) {
    case 'A': case 'B': case 'C':
      return IsSMxTransl0(&LI_F, t) ? &LI_F : nullptr;
    case 'P':
      for (const T_LatticeInfo* L : FromP)
        if (IsSMxTransl0(L, t)) return L;
      return nullptr;
    default:
      return nullptr;
  }
}

int AdoptCentring(T_SgRecord* sg, const int* t) {
  const T_LatticeInfo* L = CentringContaining(sg->latticeInfo, t);
  if (L == nullptr) {
    SetSgError("Error: Illegal lattice translation");
    return -1;
  }
  sg->latticeInfo = L;
  sg->latticeTrStatus = -1;
  return 0;
}

// One trial matrix of the closure: pure translations and inversions change the centring and
// the centric state instead of (or as well as) being listed.
int TreatTrial(T_SgRecord* sg, const T_RTMx* m) {
  if (IsRotation(m->R, IdentityR)) {
    if (!IsSMxTransl0(sg->latticeInfo, m->T) && AdoptCentring(sg, m->T) < 0) return -1;
    return sg->generatorOption == 0 && AppendSeitzMxIfNew(sg, m) < 0 ? -1 : 0;
  }
  if (IsRotation(m->R, InversionR)) {
    if (IsSMxTransl0(sg->latticeInfo, m->T)) {
      if (sg->inversionOffOrigin) {
        sg->centric = 1;
        sg->inversionOffOrigin = 0;
      }
      if (sg->generatorOption == 0) {
        sg->centric = 1;
        return AppendSeitzMxIfNew(sg, m) < 0 ? -1 : 0;
      }
      if (sg->centric == 0) sg->centric = -1;
      return 0;
    }
    if (sg->centric != 0) return AdoptCentring(sg, m->T);
    sg->inversionOffOrigin = 1;
    return AppendSeitzMxIfNew(sg, m) < 0 ? -1 : 0;
  }
  return AppendSeitzMxIfNew(sg, m) < 0 ? -1 : 0;
}

void RemoveEntry(T_SgRecord* sg, int i) {
  const int last = --sg->nList;
  sg->ListSeitzMx[i] = sg->ListSeitzMx[last];
  if (!sg->ListRotMxInfo.empty()) sg->ListRotMxInfo[i] = sg->ListRotMxInfo[last];
}

// Entries equal to an earlier one modulo the centring translations are dropped.
void RemoveCentringDuplicates(T_SgRecord* sg) {
  for (int i = 0; i < sg->nList; ++i)
    for (int j = i + 1; j < sg->nList;) {
      if (CompareSeitzMx(sg->latticeInfo, &sg->ListSeitzMx[i], &sg->ListSeitzMx[j]) == 0) RemoveEntry(sg, j);
      else ++j;
    }
}

// An inversion at the origin becomes implicit: only the proper operations stay listed.
int MakeInversionImplicit(T_SgRecord* sg) {
  int inv = -1;
  for (int i = 0; i < sg->nList && inv < 0; ++i)
    if (IsRotation(sg->ListSeitzMx[i].R, InversionR)) inv = i;
  if (inv < 0) {
    if (sg->centric != 0) sg->centric = -1;
    sg->inversionOffOrigin = 0;
    return 0;
  }
  if (!IsSMxTransl0(sg->latticeInfo, sg->ListSeitzMx[inv].T)) {
    sg->centric = 0;
    sg->inversionOffOrigin = 1;
    return 0;
  }
  for (int i = 0; i < sg->nList;) {
    T_RTMx& e = sg->ListSeitzMx[i];
    const int det = deterRotMx(e.R);
    if (det == 1) {
      ++i;
      continue;
    }
    if (det != -1) {
      SetSgError("Error: Illegal SeitzMx in list");
      return -1;
    }
    if (sg->centric != -1) {
      RemoveEntry(sg, i);
      continue;
    }
    T_RTMx proper;
    for (int k = 0; k < 9; ++k) proper.R[k] = -e.R[k];
    for (int k = 0; k < 3; ++k) proper.T[k] = iModPositive(-e.T[k], STBF);
    bool listed = false;
    for (int j = 0; j < sg->nList && !listed; ++j)
      listed = std::memcmp(&sg->ListSeitzMx[j], &proper, sizeof proper) == 0;
    if (listed) {
      RemoveEntry(sg, i);
      continue;
    }
    e = proper;
    if (!sg->ListRotMxInfo.empty()) GetRotMxInfo(e.R, &sg->ListRotMxInfo[i]);
    ++i;
  }
  sg->centric = -1;
  return 0;
}

// Among the translations equal modulo the centring, keep the one with most zero components,
// then the smallest component sum, then the smallest first and second component.
void PreferTranslations(T_SgRecord* sg) {
  const T_LatticeInfo* L = sg->latticeInfo;
  auto key = [](const int* t) {
    const int zeros = (t[0] == 0) + (t[1] == 0) + (t[2] == 0);
    return std::array<int, 4>{-zeros, t[0] + t[1] + t[2], t[0], t[1]};
  };
  for (int i = 0; i < sg->nList; ++i) {
    int* T = sg->ListSeitzMx[i].T;
    int best[3] = {T[0], T[1], T[2]};
    for (int v = 0; v < L->nTrVector; ++v) {
      int t[3];
      for (int k = 0; k < 3; ++k) t[k] = iModPositive(T[k] + L->trVector[3 * v + k], STBF);
      if (key(t) < key(best)) std::copy(t, t + 3, best);
    }
    std::copy(best, best + 3, T);
  }
}

int ZeroCount(const int* v) { return (v[0] == 0) + (v[1] == 0) + (v[2] == 0); }
int MaxAbs(const int* v) { return std::max({std::abs(v[0]), std::abs(v[1]), std::abs(v[2])}); }

// n for which S^n is the identity (as a rotation): -1 and -3 have twice the order of 1 and 3.
int CycleLength(int order) {
  if (order == -1 || order == -3) order *= 2;
  return std::abs(order);
}

}  // namespace

int AppendSeitzMxIfNew(T_SgRecord* sg, const T_RTMx* m) {
  const T_LatticeInfo* L = sg->generatorOption != 0 ? sg->latticeInfo : &LI_P;
  for (int i = 0; i < sg->nList; ++i)
    if (CompareSeitzMx(L, &sg->ListSeitzMx[i], m) == 0) return 0;
  T_RotMxInfo info;
  if (GetRotMxInfo(m->R, &info) == 0) {
    SetSgError("Error: Generators produce non-crystallographic operation");
    return -1;
  }
  const int capacity = std::min<int>(sg->maxList, static_cast<int>(sg->ListSeitzMx.size()));
  const bool infoRoom = sg->ListRotMxInfo.empty() || sg->nList < static_cast<int>(sg->ListRotMxInfo.size());
  if (sg->nList >= capacity || !infoRoom) {
    SetSgError(sg->nList >= SgMaxList ? "Error: Generators produce non-crystallographic operation"
                                      : "Internal Error: Allocated space for ListSeitzMx too small");
    return -1;
  }
  sg->ListSeitzMx[sg->nList] = *m;
  if (!sg->ListRotMxInfo.empty()) sg->ListRotMxInfo[sg->nList] = info;
  ++sg->nList;
  return 1;
}

int Add2ListSeitzMx(T_SgRecord* sg, const T_RTMx* m) {
  if (sg->nList == 0 && AppendSeitzMxIfNew(sg, &IdentitySeitzMx) < 0) return -1;
  T_RTMx trial = *m;
  for (int& t : trial.T) t = iModPositive(t, STBF);
  // Products L[k].L[j] with 1 <= k <= j for every entry j not combined before.
  int j = sg->nList, k = 1;
  for (;;) {
    if (TreatTrial(sg, &trial) < 0) return -1;
    if (sg->generatorOption < 0) return 0;
    if (k > j) ++j, k = 1;
    if (j >= sg->nList) return 0;
    SeitzMxMultiply(&trial, &sg->ListSeitzMx[k], &sg->ListSeitzMx[j]);
    ++k;
  }
}

int AddInversion2ListSeitzMx(T_SgRecord* sg) {
  const T_RTMx inversion = {{-1, 0, 0, 0, -1, 0, 0, 0, -1}, {0, 0, 0}};
  return Add2ListSeitzMx(sg, &inversion);
}

int AddLatticeTr2ListSeitzMx(T_SgRecord* sg, const T_LatticeInfo* lattice) {
  for (int v = 1; v < lattice->nTrVector; ++v) {
    T_RTMx m = {{1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 0}};
    std::copy(lattice->trVector + 3 * v, lattice->trVector + 3 * v + 3, m.T);
    if (Add2ListSeitzMx(sg, &m) < 0) return -1;
  }
  sg->latticeTrStatus = sg->generatorOption != 0 ? 0 : 1;
  return 0;
}

int ApplyOriginShift(T_SgRecord* sg) {
  const int* s = sg->originShift;
  if (s[0] == 0 && s[1] == 0 && s[2] == 0) return 0;
  for (int i = 0; i < sg->nList; ++i) {
    T_RTMx& e = sg->ListSeitzMx[i];
    int Rs[3];
    RotMx_t_Vector(Rs, e.R, s, STBF);
    for (int k = 0; k < 3; ++k) e.T[k] = iModPositive(e.T[k] + iModPositive(s[k], STBF) - Rs[k], STBF);
  }
  if (sg->centric == -1) {
    T_RTMx inversion = {{-1, 0, 0, 0, -1, 0, 0, 0, -1}, {0, 0, 0}};
    for (int k = 0; k < 3; ++k) inversion.T[k] = iModPositive(2 * s[k], STBF);
    if (AppendSeitzMxIfNew(sg, &inversion) < 0) return -1;
    sg->centric = 0;
    sg->inversionOffOrigin = 1;
  }
  return 1;
}

int CompareSgRecordListEntries(const int* a, const int* b) {
  if (SgError || SortedRecord == nullptr) return 0;
  T_RotMxInfo bufA, bufB;
  const T_RotMxInfo* ia = ListOrBufRotMxInfo(SortedRecord, *a, &bufA);
  const T_RotMxInfo* ib = ListOrBufRotMxInfo(SortedRecord, *b, &bufB);
  if (ia == nullptr || ib == nullptr) return 0;
  const int oa = ia->order, ob = ib->order, na = std::abs(oa), nb = std::abs(ob);
  if ((na == 1) != (nb == 1)) return na == 1 ? -1 : 1;  // 1 and -1 first
  if (na != nb) return na > nb ? -1 : 1;                // then higher orders first
  if (oa != ob) return oa > ob ? -1 : 1;                // proper before improper
  const int za = ZeroCount(ia->axis), zb = ZeroCount(ib->axis);
  if (za != zb) return za > zb ? -1 : 1;
  const int ma = MaxAbs(ia->axis), mb = MaxAbs(ib->axis);
  if (ma != mb) return ma < mb ? -1 : 1;
  auto weight = [](const int* v) { return 10 * std::abs(v[0]) + std::abs(v[1]) + 100 * std::abs(v[2]); };
  const int wa = weight(ia->axis), wb = weight(ib->axis);
  if (wa != wb) return (za < 2) == (wa < wb) ? -1 : 1;  // principal axes in the order z, x, y
  for (int c = 0; c < 3; ++c)
    if (ia->axis[c] != ib->axis[c]) return ia->axis[c] > ib->axis[c] ? -1 : 1;
  if (ia->inverse != ib->inverse) return ia->inverse < ib->inverse ? -1 : 1;
  const int* ta = SortedRecord->ListSeitzMx[*a].T;
  const int* tb = SortedRecord->ListSeitzMx[*b].T;
  for (int c = 0; c < 3; ++c)
    if (ta[c] != tb[c]) return ta[c] < tb[c] ? -1 : 1;
  return 0;
}

void SortSgRecordList(T_SgRecord* sg, int* List_iList) {
  const int n = sg->nList;
  if (n > SgMaxList) {
    SetSgError("Internal Error: SortSgRecordList(): Corrupt List_iList");
    return;
  }
  for (int i = 0; i < n; ++i) List_iList[i] = i;
  SortedRecord = sg;
  std::qsort(List_iList, n, sizeof(int), CompareForQsort);
  SortedRecord = nullptr;
  if (SgError) return;

  // Each rotation of order above 2 is followed by those of its powers S^2 ... S^(n-1) that
  // were not placed before it (a 6-fold by its 3-fold, 2-fold, 3-fold inverse, 6-fold inverse).
  int placed = 0;
  for (int i = 0; i < n; ++i) {
    if (i >= placed) placed = i + 1;
    T_RotMxInfo buf;
    const T_RotMxInfo* info = ListOrBufRotMxInfo(sg, List_iList[i], &buf);
    if (info == nullptr) return;
    const int cycle = CycleLength(info->order);
    if (cycle <= 2) continue;
    const T_RTMx S = sg->ListSeitzMx[List_iList[i]];
    T_RTMx power = S;
    for (int p = 2; p < cycle; ++p) {
      SeitzMxMultiply(&power, &S, &power);
      for (int j = placed; j < n; ++j)
        if (CompareSeitzMx(sg->latticeInfo, &sg->ListSeitzMx[List_iList[j]], &power) == 0) {
          std::rotate(List_iList + placed, List_iList + j, List_iList + j + 1);
          ++placed;
          break;
        }
    }
  }

  std::array<bool, SgMaxList> seen{};
  for (int i = 0; i < n; ++i) {
    if (List_iList[i] < 0 || List_iList[i] >= n || seen[List_iList[i]]) {
      SetSgError("Internal Error: SortSgRecordList(): Corrupt List_iList");
      return;
    }
    seen[List_iList[i]] = true;
  }
  std::array<T_RTMx, SgMaxList> mx;
  std::array<T_RotMxInfo, SgMaxList> info;
  const bool hasInfo = !sg->ListRotMxInfo.empty();
  for (int i = 0; i < n; ++i) {
    mx[i] = sg->ListSeitzMx[List_iList[i]];
    if (hasInfo) info[i] = sg->ListRotMxInfo[List_iList[i]];
  }
  std::copy(mx.begin(), mx.begin() + n, sg->ListSeitzMx.begin());
  if (hasInfo) std::copy(info.begin(), info.begin() + n, sg->ListRotMxInfo.begin());
}

int FindSeitzMx(const T_SgRecord* sg, int order, int honorSign, int refAxis, int dirCode) {
  for (int i = 0; i < sg->nList; ++i) {
    T_RotMxInfo buf;
    const T_RotMxInfo* info = ListOrBufRotMxInfo(sg, i, &buf);
    if (info == nullptr) return -1;
    if (info->inverse != 0) continue;
    if (honorSign ? info->order != order : std::abs(info->order) != std::abs(order)) continue;
    if (refAxis && info->refAxis != refAxis) continue;
    if (dirCode) {
      if (info->DirCode != dirCode) continue;
      if (dirCode == '*' && !(info->axis[0] == 1 && info->axis[1] == 1 && info->axis[2] == 1)) continue;
    }
    return i;
  }
  return -1;
}

int CompleteSgRecord(T_SgRecord* sg) {
  // A Hall symbol of the P centring alone ("P") adds no matrix, yet its group is P 1.
  if (sg->nList == 0 && AppendSeitzMxIfNew(sg, &IdentitySeitzMx) < 0) return -1;
  if (sg->latticeTrStatus == -1 && AddLatticeTr2ListSeitzMx(sg, sg->latticeInfo) < 0) return -1;
  if (ApplyOriginShift(sg) < 0) return -1;
  if (sg->nList > SgMaxList) {
    SetSgError("Internal Error: CompleteSgRecord()");
    return -1;
  }
  int iList[SgMaxList];
  if (sg->nList >= 2) SortSgRecordList(sg, iList);
  if (SgError) return -1;
  if (sg->latticeInfo->code != 'P') {
    if (sg->latticeTrStatus == -1 && AddLatticeTr2ListSeitzMx(sg, sg->latticeInfo) < 0) return -1;
    RemoveCentringDuplicates(sg);
    sg->latticeTrStatus = 0;
  }
  if (MakeInversionImplicit(sg) < 0) return -1;
  PreferTranslations(sg);
  if (sg->nList >= 2) SortSgRecordList(sg, iList);
  if (SgError) return -1;
  sg->primitiveOrder = sg->nList * (sg->centric == -1 ? 2 : 1);
  sg->fullOrder = sg->latticeInfo->nTrVector * sg->primitiveOrder;
  if (sg->nGenerator == 0) {
    const int system = FindXtalSystem(sg);
    if (system < 0) return -1;
    if (system == XS_Unknown) {
      SetSgError("Error: Can't determine crystal system");
      return -1;
    }
    if (FindGenerators(sg) < 0) return -1;
  }
  if (BuildHSym(sg) < 0) return -1;
  return MatchTabSgNameAndSetCCMx(sg);
}
