// Symmetry operations as text: coordinate triplets such as "-y,x-y,z+1/3" and fractions.
#pragma once

#include "crystal/sgRecord.h"

// Parses one operation written as three rows separated by ',' or ';' with translations in units
// of 1/FacTr; 0, or -1 on any error (no message).
int ParseSymXYZ(const char* text, T_RTMx* m, int FacTr);
// nume/deno as "1/2", "-1/4", "1" (or "%.6g" with Decimal) in buf (a static 40-byte buffer when
// null); null with a message when it does not fit in size bytes.
const char* FormatFraction(int nume, int deno, int Decimal, char* buf, int size);
// The operation as a coordinate triplet with translations in (-1/2, 1/2]; buf defaults to a
// static 80-byte buffer and Separator to ","; null with a message when it does not fit.
const char* RTMx2XYZ(const T_RTMx* m, int FacRo, int FacTr, int Decimal, int TrFirst, int Low,
                     const char* Separator, char* buf, int size);
