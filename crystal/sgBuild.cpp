// Building a space-group record from the space-group text of a crystal cell record.
#include "crystal/sgBuild.h"

#include <cctype>
#include <cstring>
#include <new>
#include <strings.h>

#include "crystal/hallSymbol.h"
#include "crystal/sgComplete.h"
#include "crystal/sgError.h"
#include "crystal/sgNames.h"
#include "crystal/sgTables.h"

namespace {
// The space-group field of a cell record has 11 columns, of which the first 10 are used.
constexpr int NameLength = 10;

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}
}  // namespace

void InitSgRecord(T_SgRecord* sg) {
  sg->generatorOption = 0;
  sg->centric = 0;
  sg->inversionOffOrigin = 0;
  sg->latticeInfo = &LI_P;
  sg->latticeTrStatus = 0;
  for (int& s : sg->originShift) s = 0;
  sg->nList = 0;
  sg->fullOrder = 0;
  sg->primitiveOrder = 0;
  sg->crystalSystem = 0;
  sg->uniqueRefAxis = 0;
  sg->uniqueDirCode = 0;
  sg->extraInfo = 0;
  sg->pointGroup = 0;
  sg->nGenerator = 0;
  for (int& g : sg->generatorList) g = 0;
  sg->HallSymbol[0] = '\0';
  sg->tabSgName = nullptr;
  sg->ccMx = nullptr;
  sg->nSiVector = -1;
  for (int& v : sg->siVector) v = 0;
  for (int& m : sg->siModulus) m = 0;
}

int BuildSgRecord(T_SgRecord* sg, const char* name) {
  // Each build starts clean: an error left by an earlier text must not fail this one.
  SgError = nullptr;
  if (name == nullptr) return -1;
  // Work on a copy: the caller's text (often an unterminated 11-character field) stays untouched.
  char text[NameLength + 1];
  std::size_t n = 0;
  while (n < NameLength && name[n]) text[n] = name[n], ++n;
  text[n] = '\0';

  const char* p = SkipBlanks(text);
  int volume = 'A';
  const char* hall = nullptr;
  if (std::isdigit(static_cast<unsigned char>(*p))) {
  } else if (strncasecmp(p, "VolA", 4) == 0) {
    p = SkipBlanks(p + 4);
  } else if (strncasecmp(p, "VolI", 4) == 0 || strncasecmp(p, "Vol1", 4) == 0) {
    volume = 'I';
    p = SkipBlanks(p + 4);
  } else if (strncasecmp(p, "Hall", 4) == 0) {
    hall = SkipBlanks(p + 4);
  }
  const T_TabSgName* row = nullptr;
  if (hall == nullptr) {
    row = FindTabSgNameEntry(p, volume);
    if (row == nullptr) return -1;
    hall = row->HallSymbol;
  }

  try {
    sg->ListSeitzMx.assign(SgMaxList, T_RTMx{});
    sg->ListRotMxInfo.assign(SgMaxList, T_RotMxInfo{});
  } catch (const std::bad_alloc&) {
    SetSgError("Not enough core");
    return -1;
  }
  sg->maxList = SgMaxList;
  InitSgRecord(sg);
  sg->tabSgName = row;
  ParseHallSymbol(hall, sg);
  if (SgError) return -1;
  return CompleteSgRecord(sg);
}
