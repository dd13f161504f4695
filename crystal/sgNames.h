// Space-group names: the lookup of a name in the settings table, setting extensions, short
// monoclinic symbols and the numeric setting identifier.
#pragma once

#include "crystal/sgRecord.h"

// A parsed setting extension (the text after ':' in "P n n n :2").
struct SgNameExtension {
  int originChoice;    // ' ', '1' or '2'
  int cellChoice;      // ' ', '1', '2' or '3'
  int basisChoice;     // ' ', 'H' or 'R'
  const char* axisCode;  // a canonical axis code ("b", "-c", "cab", ...) or ""
};

// The row of TabSgName that a name (number, Hermann-Mauguin or Schoenflies symbol, with an
// optional ":extension") selects under volume 'A' (0, ' ') or 'I' ('1'); null when none does.
const T_TabSgName* FindTabSgNameEntry(const char* name, int volume);
// 0, or -1 when the text is not a valid extension.
int ParseSgNameExtension(const char* text, SgNameExtension* out);
// Writes the three-position monoclinic symbol of a compact short symbol ("P21/c", axis 'c' ->
// "P1121/c"); out must hold strlen(shortLabel) + 3 characters.
void ExpandMonoclinicSgLabel(int axis, const char* shortLabel, char* out);
// A number that identifies the setting of a row (n, or n plus setting offsets); 0 when the
// row's extension cannot be parsed.
int SgID_Number(const T_TabSgName* row);
