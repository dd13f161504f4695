// Space-group names: the lookup of a name in the settings table, setting extensions, short
// monoclinic symbols and the numeric setting identifier.
#include "crystal/sgNames.h"

#include <cctype>
#include <cstring>

#include "crystal/sgError.h"
#include "crystal/tabSgName.h"

namespace {

constexpr int MaxMainLen = 20;  // significant characters of a name before ':'
constexpr int MaxExtLen = 5;    // significant characters of an extension ("2ba-c")

// Axis codes as they may be written, searched in this order; a match stores its canonical code.
const char* const AxisCodes[] = {"abc", "ba-c", "cab", "-cba", "bca", "a-cb", "bac", "cba",
                                 "acb", "-b",   "b-",  "bb",   "bb",  "-c",   "c-",  "bc",
                                 "cb",  "-a",   "a-",  "ba",   "ab",  "b",    "c",   "a"};
constexpr int nAxisCodes = sizeof AxisCodes / sizeof AxisCodes[0];
static_assert(nAxisCodes == 24);

const char* CanonicalAxisCode(int i) {
  if (i <= 5 || i >= 21) return AxisCodes[i];
  if (i <= 8) return AxisCodes[2 * i - 11];  // "bac", "cba", "acb" -> "ba-c", "-cba", "a-cb"
  if (i <= 12) return "-b";
  if (i <= 16) return "-c";
  return "-a";
}

bool EqualNoCase(int a, int b) { return std::toupper(a) == std::toupper(b); }

// Applies a choice character to ext; false when c is none.
bool ApplyChoice(int c, SgNameExtension* ext) {
  switch (c) {
    case '1': case '2': ext->originChoice = ext->cellChoice = c; return true;
    case '3': ext->cellChoice = c; return true;
    case 'S': case 's': ext->originChoice = '1'; return true;
    case 'Z': case 'z': ext->originChoice = '2'; return true;
    case 'H': case 'h': ext->basisChoice = 'H'; return true;
    case 'R': case 'r': ext->basisChoice = 'R'; return true;
    default: return false;
  }
}

// Consumes the first axis code that begins text; its length, or 0 for none.
int MatchAxisCode(const char* text, SgNameExtension* ext) {
  for (int i = 0; i < nAxisCodes; ++i) {
    const int n = static_cast<int>(std::strlen(AxisCodes[i]));
    int j = 0;
    while (j < n && text[j] && EqualNoCase(text[j], AxisCodes[i][j])) ++j;
    if (j == n) {
      ext->axisCode = CanonicalAxisCode(i);
      return n;
    }
  }
  return 0;
}

bool IsBlankOrUnderscore(int c) { return c == ' ' || c == '\t' || c == '_'; }

// Copies [begin, end) without blanks and '_'; false when more than max characters remain.
bool CopySignificant(const char* begin, const char* end, char* out, int max) {
  int n = 0;
  for (const char* p = begin; p < end; ++p) {
    if (IsBlankOrUnderscore(*p)) continue;
    if (n == max) return false;
    out[n++] = *p;
  }
  out[n] = '\0';
  return true;
}

// Compares one label of the table ([lab, end), blanks and '_' ignored) with a compact name.
// Mode 0: a bar '-' matches '-' or 'B'; mode 1: "-X" matches "X-" or "XB" (bar written after
// the symbol); mode 2: "-3" also matches a plain "3" (older cubic symbols such as "F m 3 m").
bool MatchLabel(const char* lab, const char* end, const char* name, int mode) {
  const char* l = lab;
  const char* n = name;
  for (;;) {
    while (l < end && IsBlankOrUnderscore(*l)) ++l;
    if (l == end) return *n == '\0';
    if (*n == '\0') return false;
    if (*l == '-') {
      const char* next = l + 1;
      while (next < end && IsBlankOrUnderscore(*next)) ++next;
      const bool symbolFollows = next < end;
      if (mode == 1) {
        if (!symbolFollows || !EqualNoCase(*n, *next) || (n[1] != '-' && !EqualNoCase(n[1], 'B')))
          return false;
        l = next + 1, n += 2;
        continue;
      }
      if (mode == 2 && symbolFollows && *next == '3' && *n == '3') {
        l = next + 1, ++n;
        continue;
      }
      if (*n != '-' && (mode != 0 || !EqualNoCase(*n, 'B'))) return false;
      ++l, ++n;
      continue;
    }
    if (!EqualNoCase(*l, *n)) return false;
    ++l, ++n;
  }
}

// The index of the first label of the row that the name matches, or -1.
int MatchRowLabels(const T_TabSgName* row, const char* name) {
  const int nModes = row->sgNumber > 194 ? 3 : 2;
  for (int mode = 0; mode < nModes; ++mode) {
    const char* lab = row->sgLabels;
    for (int index = 0; *lab; ++index) {
      const char* sep = std::strstr(lab, " = ");
      const char* end = sep ? sep : lab + std::strlen(lab);
      if (MatchLabel(lab, end, name, mode)) return index;
      lab = sep ? sep + 3 : end;
    }
  }
  return -1;
}

bool MatchSchoenflies(const char* symbol, const char* name) {
  for (; *symbol; ++symbol, ++name) {
    if (*name == '\0') return false;
    if (*symbol == '^' ? std::isalnum(static_cast<unsigned char>(*name)) != 0 : !EqualNoCase(*symbol, *name))
      return false;
  }
  return *name == '\0';
}

struct Request {
  int number;        // 0 for a Hermann-Mauguin name
  const char* name;  // compact Hermann-Mauguin name
  SgNameExtension ext;
  int volume;  // 'A' or 'I'
};

bool IsMonoclinic(int number) { return number >= 3 && number <= 15; }

// Whether a row's setting fits the requested choices. A name that matched a label of this
// setting's own (not the short symbol all settings of a number share) states its axes and cell
// choice itself, so only explicit choices are compared then; numbers and shared short symbols
// take the default setting (unique axis b, or c under volume I, cell choice 1, axes abc).
// -1 when the row's extension is corrupt.
int RowFits(const T_TabSgName* row, const Request& req, bool ownLabel) {
  SgNameExtension rx;
  if (ParseSgNameExtension(row->extension, &rx) != 0) {
    SetSgError("Internal Error: Corrupt TabSgName");
    return -1;
  }
  const bool monoclinic = IsMonoclinic(row->sgNumber);
  const int rowOrigin = rx.originChoice == ' ' ? '1' : rx.originChoice;
  if (req.ext.originChoice != ' ') {
    if (req.ext.originChoice != rowOrigin) return 0;
  } else if (!monoclinic && rowOrigin != '1') {
    return 0;
  }
  if (rx.basisChoice != ' ') {
    const int basis = req.ext.basisChoice != ' ' ? req.ext.basisChoice : req.volume == 'I' ? 'R' : 'H';
    if (basis != rx.basisChoice) return 0;
  } else if (req.ext.basisChoice != ' ') {
    return 0;
  }
  if (monoclinic) {
    const char* axis = req.ext.axisCode;
    int cell = req.ext.cellChoice;
    if (!ownLabel) {
      if (*axis == '\0') axis = req.volume == 'I' ? "c" : "b";
      if (cell == ' ') cell = '1';
    }
    if (*axis && std::strcmp(axis, rx.axisCode) != 0) return 0;
    const int rowCell = rx.cellChoice == ' ' ? '1' : rx.cellChoice;
    return cell == ' ' || cell == rowCell;
  }
  if (req.ext.cellChoice == '3') return 0;
  const char* rowCode = *rx.axisCode ? rx.axisCode : "abc";
  if (*req.ext.axisCode) return std::strcmp(req.ext.axisCode, rowCode) == 0;
  return ownLabel || std::strcmp(rowCode, "abc") == 0;
}

// Step through the rows up to maxNumber; expanded names match only labels of their own.
const T_TabSgName* SearchRows(const Request& req, int maxNumber, bool expanded) {
  for (const T_TabSgName* row = TabSgName; row->HallSymbol && row->sgNumber <= maxNumber; ++row) {
    int label = -1;
    if (req.number == 0) {
      label = MatchRowLabels(row, req.name);
      if (label < 0) continue;
    } else if (row->sgNumber != req.number) {
      continue;
    }
    const bool ownLabel = expanded || (label >= 0 && (label > 0 || !IsMonoclinic(row->sgNumber)));
    const int fits = RowFits(row, req, ownLabel);
    if (fits < 0) return nullptr;
    if (fits) return row;
  }
  return nullptr;
}

// Retries a Hermann-Mauguin name as a short monoclinic symbol written for one unique axis.
const T_TabSgName* SearchExpanded(Request req, int axis, const char* shortName) {
  char expanded[MaxMainLen + 3];
  if (std::strlen(shortName) + 2 > MaxMainLen) return nullptr;
  ExpandMonoclinicSgLabel(axis, shortName, expanded);
  req.name = expanded;
  return SearchRows(req, 15, true);
}

}  // namespace

int ParseSgNameExtension(const char* text, SgNameExtension* out) {
  *out = SgNameExtension{' ', ' ', ' ', ""};
  const char* p = text;
  if (*p == '\0') return 0;
  if (ApplyChoice(*p, out)) {
    ++p;
    if (*p == '\0') return 0;
    const int n = MatchAxisCode(p, out);
    return n > 0 && p[n] == '\0' ? 0 : -1;
  }
  p += MatchAxisCode(p, out);
  if (*p == '\0') return 0;
  if (!ApplyChoice(*p, out)) return -1;
  return p[1] == '\0' ? 0 : -1;
}

void ExpandMonoclinicSgLabel(int axis, const char* shortLabel, char* out) {
  const char* part = shortLabel + (*shortLabel ? 1 : 0);
  const char* pattern;
  switch (std::tolower(axis)) {
    case 'a': pattern = "X11"; break;
    case 'c': pattern = "11X"; break;
    default: pattern = "1X1"; break;
  }
  char* o = out;
  if (*shortLabel) *o++ = *shortLabel;
  for (const char* p = pattern; *p; ++p) {
    if (*p == 'X') {
      const std::size_t n = std::strlen(part);
      std::memcpy(o, part, n);
      o += n;
    } else {
      *o++ = '1';
    }
  }
  *o = '\0';
}

const T_TabSgName* FindTabSgNameEntry(const char* name, int volume) {
  if (volume == 0 || volume == ' ') volume = 'A';
  else if (volume == '1') volume = 'I';
  else volume = std::toupper(volume);
  if (volume != 'A' && volume != 'I') return nullptr;
  if (name == nullptr || *name == '\0' || *name == ':') return nullptr;

  const char* colon = std::strchr(name, ':');
  const char* mainEnd = colon ? colon : name + std::strlen(name);
  char main[MaxMainLen + 1], extText[MaxExtLen + 1] = "";
  if (!CopySignificant(name, mainEnd, main, MaxMainLen) || main[0] == '\0') return nullptr;
  if (colon && !CopySignificant(colon + 1, colon + 1 + std::strlen(colon + 1), extText, MaxExtLen))
    return nullptr;

  // A trailing shorthand choice: S, Z (origin choice 1, 2), H, R (basis).
  SgNameExtension shorthand{' ', ' ', ' ', ""};
  std::size_t len = std::strlen(main);
  if (len > 1 && std::strchr("SZHRszhr", main[len - 1]) && ApplyChoice(main[len - 1], &shorthand))
    main[--len] = '\0';

  Request req{0, main, {}, volume};
  if (!std::isalpha(static_cast<unsigned char>(main[0]))) {
    int number = 0;
    for (const char* p = main; *p; ++p) {
      if (!std::isdigit(static_cast<unsigned char>(*p))) return nullptr;
      number = number * 10 + (*p - '0');
      if (number > 230) return nullptr;
    }
    if (number < 1) return nullptr;
    req.number = number;
  } else {
    for (int n = 1; n <= 230 && req.number == 0; ++n)
      if (MatchSchoenflies(SchoenfliesSymbols[n], main)) req.number = n;
  }

  if (ParseSgNameExtension(extText, &req.ext) != 0) return nullptr;
  if (req.ext.originChoice == ' ') req.ext.originChoice = shorthand.originChoice;
  else if (shorthand.originChoice != ' ' && shorthand.originChoice != req.ext.originChoice) return nullptr;
  if (req.ext.basisChoice == ' ') req.ext.basisChoice = shorthand.basisChoice;
  else if (shorthand.basisChoice != ' ' && shorthand.basisChoice != req.ext.basisChoice) return nullptr;

  const T_TabSgName* row = SearchRows(req, 230, false);
  if (row || req.number != 0 || std::strlen(extText) > 2) return row;

  // A short monoclinic symbol: try the unique axis of the extension, or the default one, then
  // (without extension) the other one, then an axis letter written three places from the end.
  const int defaultAxis = volume == 'I' ? 'c' : 'b';
  row = SearchExpanded(req, extText[0] ? extText[0] : defaultAxis, main);
  if (row || extText[0]) return row;
  row = SearchExpanded(req, defaultAxis == 'b' ? 'c' : 'b', main);
  if (row || len < 4) return row;
  const int axis = std::tolower(main[len - 3]);
  if (axis != 'a' && axis != 'b' && axis != 'c') return nullptr;
  char shortName[MaxMainLen + 1];
  std::memcpy(shortName, main, len - 3);
  std::strcpy(shortName + len - 3, main + len - 2);
  return SearchExpanded(req, axis, shortName);
}

int SgID_Number(const T_TabSgName* row) {
  SgNameExtension ext;
  const int n = row->sgNumber;
  if (ParseSgNameExtension(row->extension, &ext) == 0) {
    const char* code = ext.axisCode;
    if (IsMonoclinic(n)) {
      const char* axis = code[0] == '-' ? code + 1 : code;
      const char* axes = "bca";
      const char* found = axis[0] && axis[1] == '\0' ? std::strchr(axes, axis[0]) : nullptr;
      if (found) {
        if (code[0] != '-' && axis[0] == 'b' && (ext.cellChoice == ' ' || ext.cellChoice == '1')) return n;
        return n + 10000 * static_cast<int>(found - axes + 1) + (code[0] == '-' ? 3000 : 0) +
               (ext.cellChoice == ' ' ? 0 : 1000 * (ext.cellChoice - '0'));
      }
    } else {
      if (ext.basisChoice == 'R') return n + 20000;
      const int origin2 = ext.originChoice == '2';
      if (code[0] == '\0' || std::strcmp(code, "abc") == 0) return n + 20000 * origin2;
      for (int d = 1; d <= 5; ++d)
        if (std::strcmp(code, AxisCodes[d]) == 0) return n + 11000 + 1000 * d + 10000 * origin2;
    }
  }
  SetSgError("Internal Error: Corrupt TabSgName");
  return 0;
}
