// Symmetry operations as text: coordinate triplets and fractions.
#include "crystal/symOpText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>

#include "crystal/seitzMx.h"
#include "crystal/sgError.h"
#include "crystal/textOut.h"

namespace {

// Reads one number ("0.5", "1/3", "2:3"); false on a malformed or infinite value.
bool ReadNumber(const char*& p, double& value) {
  double nume = 0.0;
  int used = 0;
  if (std::sscanf(p, "%lf%n", &nume, &used) != 1 || !std::isfinite(nume)) return false;
  p += used;
  value = nume;
  if (*p != '/' && *p != ':') return true;
  ++p;
  if (!std::isdigit(static_cast<unsigned char>(*p)) && *p != '.') return false;
  double deno = 0.0;
  if (std::sscanf(p, "%lf%n", &deno, &used) != 1 || !std::isfinite(deno)) return false;
  p += used;
  if (deno == 0.0) {
    if (nume != 0.0) return false;
    value = 0.0;  // 0/0 adds nothing
  } else {
    value = nume / deno;
  }
  return true;
}

// One row of a triplet up to its separator; false on any error. Terms are x, y, z or numbers,
// joined by single signs; a sign may also lead the row.
bool ReadRow(const char*& p, int* R, int& T, int FacTr) {
  double constant = 0.0;
  bool anyLetter = false, expectTerm = true, signRead = false;
  int sign = 1;
  for (;; ++p) {
    const int c = static_cast<unsigned char>(*p);
    if (c == ' ' || c == '\t' || c == '_') continue;
    if (c == '\0' || c == ',' || c == ';') break;
    if (c == '+' || c == '-') {
      if (signRead) return false;
      expectTerm = signRead = true;
      sign = c == '-' ? -1 : 1;
      continue;
    }
    if (!expectTerm) return false;
    const int lower = std::tolower(c);
    if (lower == 'x' || lower == 'y' || lower == 'z') {
      int& entry = R[lower - 'x'];
      if (entry != 0) return false;  // a column may be set once per row
      entry = sign;
      anyLetter = true;
    } else if (std::isdigit(c) || c == '.') {
      double value;
      if (!ReadNumber(p, value)) return false;
      constant += sign * value;
      --p;  // the loop steps past the last character read
    } else {
      return false;
    }
    expectTerm = signRead = false;
    sign = 1;
  }
  if (!anyLetter || expectTerm) return false;
  const double scaled = constant * FacTr;
  const double t = std::round(scaled);  // halves away from zero
  if (std::fabs(scaled - t) > FacTr * 0.01 || std::fabs(t) > 1e6) return false;
  T = iModPositive(static_cast<int>(t), FacTr);
  return true;
}

char FractionBuffer[40];
char TripletBuffer[80];

}  // namespace

int ParseSymXYZ(const char* text, T_RTMx* m, int FacTr) {
  *m = T_RTMx{};
  if (text == nullptr || FacTr <= 0) return -1;
  const char* p = text;
  for (int row = 0; row < 3; ++row) {
    if (!ReadRow(p, m->R + 3 * row, m->T[row], FacTr)) return -1;
    if (row < 2) {
      if (*p != ',' && *p != ';') return -1;
      ++p;
    }
  }
  return *p == '\0' ? 0 : -1;
}

const char* FormatFraction(int nume, int deno, int Decimal, char* buf, int size) {
  if (buf == nullptr) buf = FractionBuffer, size = sizeof FractionBuffer;
  int n;
  if (size <= 0) {
    n = -1;
  } else if (Decimal) {
    n = std::snprintf(buf, size, "%.6g", static_cast<double>(nume) / deno);
  } else if (nume == 0) {
    n = std::snprintf(buf, size, "0");
  } else {
    long long a = nume, b = deno;
    if (b < 0) a = -a, b = -b;
    const long long g = std::gcd(a, b);
    a /= g, b /= g;
    n = b == 1 ? std::snprintf(buf, size, "%lld", a) : std::snprintf(buf, size, "%lld/%lld", a, b);
  }
  if (n < 0 || n >= size) {
    SetSgError("Internal Error: FormatFraction(): Buffer too small");
    return nullptr;
  }
  return buf;
}

const char* RTMx2XYZ(const T_RTMx* m, int FacRo, int FacTr, int Decimal, int TrFirst, int Low,
                     const char* Separator, char* buf, int size) {
  if (buf == nullptr) buf = TripletBuffer, size = sizeof TripletBuffer;
  if (Separator == nullptr) Separator = ",";
  const char* letters = Low ? "xyz" : "XYZ";
  TextOut out(buf, size > 0 ? static_cast<std::size_t>(size) : 0);
  for (int row = 0; row < 3 && out.fits(); ++row) {
    if (row) out.puts(Separator);
    const std::size_t rowStart = out.len;
    int t = iModPositive(m->T[row], FacTr);
    if (t > FacTr / 2) t -= FacTr;  // translations in (-1/2, 1/2]
    char tr[40];
    if (t != 0 && FormatFraction(t, FacTr, Decimal, tr, sizeof tr) == nullptr) return nullptr;
    if (TrFirst && t != 0) out.puts(tr);
    for (int col = 0; col < 3; ++col) {
      const int r = m->R[3 * row + col];
      if (r == 0) continue;
      char coef[40];
      const char* text = FormatFraction(r, FacRo, Decimal, coef, sizeof coef);
      if (text == nullptr) return nullptr;
      if (*text == '-') out.put('-'), ++text;
      else if (out.len > rowStart) out.put('+');
      if (std::strcmp(text, "1") != 0) out.puts(text), out.put('*');
      out.put(letters[col]);
    }
    if (!TrFirst && t != 0) {
      if (tr[0] != '-' && out.len > rowStart) out.put('+');
      out.puts(tr);
    }
  }
  if (!out.fits()) {
    SetSgError("Internal Error: RTMx2XYZ(): BufferXYZ too small");
    return nullptr;
  }
  return buf;
}
