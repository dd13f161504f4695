// Small text helpers of the alignment engine: formatting, trimming, validation, file names.
#pragma once

#include <cstdarg>
#include <string>

#include "align/engineTypes.h"

// printf-style formatting into a string of whatever length the text needs.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string VFormat(const char* format, va_list args);

// "hh:mm:ss" with hours not wrapped at 24; one static buffer, overwritten by the next call.
const char* SecsToStr(unsigned long secs);
const char* BoolToStr(bool b);
// "%8g", or "       *" for minus infinity; results live in a ring of 16 buffers shared by both.
const char* ScoreToStr(SCORE x);
const char* WeightToStr(WEIGHT x);
// "%.3g", or "*" for minus infinity; a ring of 16 buffers of its own.
const char* ScoreToStrL(SCORE x);

// In place; only ' ' counts as a blank here.
void TrimBlanks(char* s);
void TrimLeadingBlanks(char* s);
void TrimTrailingBlanks(char* s);
// Removes ' ', '\t', '\n' and '\r'.
void StripWhitespace(char* s);
// Removes '-' (not '.').
void StripGaps(char* s);

// Non-empty and digits only.
bool IsValidInteger(const char* s);
// Non-empty, an optional leading sign, then at least one digit and digits only.
bool IsValidSignedInteger(const char* s);
bool isidentf(char c);
bool isident(char c);
bool IsValidIdentifier(const char* s);
bool IsValidFloatChar(char c);

// The file name without directories and without its last extension, cut to size - 1
// characters; both '/' and '\\' separate directories. Nothing is written when size is 0.
void NameFromPath(const char* path, char* buffer, unsigned size);
// A copy on the heap (new[]); the caller releases it with delete[].
char* strsave(const char* s);
SCORE StrToScore(const char* s);
