// Printed forms of space groups: operations as matrices, group listings, settings-table rows.
#include "crystal/sgListing.h"

#include <cstring>

#include "crystal/seitzMx.h"
#include "crystal/sgError.h"
#include "crystal/sgTables.h"
#include "crystal/symOpText.h"
#include "crystal/tabSgName.h"

namespace {

// Prints one label of a row ([begin, end)), '_' as space or left out; the characters printed.
int PrintLabel(const char* begin, const char* end, int space, FILE* fp) {
  int n = 0;
  for (const char* p = begin; p < end; ++p) {
    if (*p == '_') {
      if (space == 0) continue;
      std::fputc(space, fp);
    } else {
      std::fputc(*p, fp);
    }
    ++n;
  }
  return n;
}

// The i-th " = "-separated label of a row; false when there is none.
bool Label(const T_TabSgName* row, int i, const char** begin, const char** end) {
  const char* p = row->sgLabels;
  for (;;) {
    const char* sep = std::strstr(p, " = ");
    if (i-- == 0) {
      *begin = p;
      *end = sep ? sep : p + std::strlen(p);
      return true;
    }
    if (sep == nullptr) return false;
    p = sep + 3;
  }
}

bool IsMonoclinic(const T_TabSgName* row) { return row->sgNumber >= 3 && row->sgNumber <= 15; }

int PadTo(int printed, int column, int Style, FILE* fp) {
  if (!Style) return printed;
  for (; printed < column; ++printed) std::fputc(' ', fp);
  return printed;
}

}  // namespace

void PrintCasRTMx(const T_RTMx* m, int FacRo, int FacTr, const char* label, FILE* fp) {
  std::fprintf(fp, "%s := matrix(4,4, [", label);
  for (int row = 0; row < 3; ++row) {
    char text[40];
    std::fputc(' ', fp);
    for (int col = 0; col < 3; ++col)
      std::fprintf(fp, "%s,", FormatFraction(m->R[3 * row + col], FacRo, 0, text, sizeof text));
    std::fprintf(fp, "%s,", FormatFraction(m->T[row], FacTr, 0, text, sizeof text));
  }
  std::fputs(" 0,0,0,1]);\n", fp);
}

int ListSgRecord(const T_SgRecord* sg, int F_XYZ, int F_Verbose, FILE* fp) {
  const int pg = PG_Index(sg->pointGroup);
  const bool known = pg > 0 && pg < nPG_Names;
  std::fprintf(fp, "Point Group  %s\n", PG_Names[known ? pg : 0]);
  std::fprintf(fp, "Laue  Group  %s\n", PG_Names[known ? PG_Index(LG_Code_of_PG_Index[pg]) : 0]);
  const bool systemKnown = sg->crystalSystem >= 0 && sg->crystalSystem < nXS_Name;
  std::fprintf(fp, "%s\n", XS_Name[systemKnown ? sg->crystalSystem : 0]);
  if (sg->uniqueRefAxis != 0 || sg->uniqueDirCode != 0) {
    std::fputs("Unique Axis  ", fp);
    if (sg->uniqueRefAxis != 0 && sg->uniqueRefAxis != 'o') std::fputc(sg->uniqueRefAxis, fp);
    if (sg->uniqueDirCode != 0 && sg->uniqueDirCode != '=') std::fputc(sg->uniqueDirCode, fp);
    std::fputc('\n', fp);
  }
  if (sg->extraInfo > 0 && sg->extraInfo < nEI_Name) std::fprintf(fp, "%s\n", EI_Name[sg->extraInfo]);
  if (sg->inversionOffOrigin) std::fputs("Note: Inversion operation off origin\n", fp);
  std::fputc('\n', fp);
  std::fprintf(fp, "Order   %3d\n", sg->fullOrder);
  std::fprintf(fp, "Order P %3d\n", sg->primitiveOrder);
  if (sg->nSiVector >= 0) {
    std::fputs("s.i.Vector  Modulus\n", fp);
    for (int i = 0; i < sg->nSiVector; ++i)
      std::fprintf(fp, " %2d %2d %2d   %d\n", sg->siVector[3 * i], sg->siVector[3 * i + 1], sg->siVector[3 * i + 2],
                   sg->siModulus[i]);
  }
  std::fprintf(fp, "#List   %3d\n", sg->nList);
  std::fputc('\n', fp);
  if (!F_Verbose) return 0;
  for (int i = 0; i < sg->nList; ++i) {
    T_RotMxInfo buf;
    const T_RotMxInfo* info = ListOrBufRotMxInfo(sg, i, &buf);
    if (info == nullptr) return -1;
    char number[16];
    std::snprintf(number, sizeof number, "(%d)", i + 1);
    std::fprintf(fp, "%-4s", number);
    std::fprintf(fp, "  %2d", info->order);
    std::fputs(info->inverse ? "^-1" : "   ", fp);
    std::fprintf(fp, " [%2d %2d %2d]", info->axis[0], info->axis[1], info->axis[2]);
    for (int c : {info->refAxis, info->DirCode}) {
      if (c) std::fprintf(fp, " '%c'", c);
      else std::fputs("    ", fp);
    }
    const T_RTMx& m = sg->ListSeitzMx[i];
    if (F_XYZ) {
      char xyz[80];
      const char* text = RTMx2XYZ(&m, 1, STBF, 0, 0, 1, nullptr, xyz, sizeof xyz);
      if (text == nullptr) return -1;
      std::fprintf(fp, " %s", text);
    } else {
      for (int row = 0; row < 3; ++row) {
        char tr[40];
        std::fprintf(fp, " %2d %2d %2d", m.R[3 * row], m.R[3 * row + 1], m.R[3 * row + 2]);
        std::fprintf(fp, " %6s", FormatFraction(m.T[row], STBF, 0, tr, sizeof tr));
      }
    }
    std::fputc('\n', fp);
  }
  return 0;
}

int PrintFullHM_SgName(const T_TabSgName* row, int space, FILE* fp) {
  const char *begin, *end;
  if (!Label(row, IsMonoclinic(row) ? 1 : 0, &begin, &end)) Label(row, 0, &begin, &end);
  int n = PrintLabel(begin, end, space, fp);
  const int first = row->extension[0];
  if (first && std::strchr("12HhRr", first)) n += std::fprintf(fp, ":%c", first);
  return n;
}

int PrintTabSgNameEntry(const T_TabSgName* row, int Style, int space, FILE* fp) {
  int n = std::fprintf(fp, Style ? "%3d" : "%d", row->sgNumber);
  if (row->extension[0]) n += std::fprintf(fp, ":%s", row->extension);
  n = PadTo(n, 9, Style, fp);
  n += std::fprintf(fp, " %s", SchoenfliesSymbols[row->sgNumber]);
  n = PadTo(n, 23, Style, fp);
  std::fputc(' ', fp), ++n;
  const char *begin, *end;
  if (IsMonoclinic(row)) {
    // Short symbol of the number, the setting, "= " and the full symbol, then " = " before any
    // other spelling.
    Label(row, 0, &begin, &end);
    n += PrintLabel(begin, end, space, fp);
    if (row->extension[0]) n += std::fprintf(fp, ":%s", row->extension);
    for (int i = 1; Label(row, i, &begin, &end); ++i) {
      n += std::fprintf(fp, i == 1 ? "= " : " = ");
      n += PrintLabel(begin, end, space, fp);
    }
  } else {
    Label(row, 0, &begin, &end);
    n += PrintLabel(begin, end, space, fp);
  }
  n = PadTo(n, 51, Style, fp);
  n += std::fprintf(fp, " %s", row->HallSymbol);
  return n;
}
