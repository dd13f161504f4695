// Small text helpers of the alignment engine: formatting, trimming, validation, file names.
#include "align/textUtils.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "align/diagnostics.h"

namespace {

constexpr unsigned RING_SIZE = 16;
constexpr size_t RING_TEXT = 32;

char* NextScoreBuffer() {
    static char ring[RING_SIZE][RING_TEXT];
    static unsigned next = 0;
    char* buffer = ring[next];
    next = (next + 1) % RING_SIZE;
    return buffer;
}

bool IsBlankOrBreak(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

std::string VFormat(const char* format, va_list args) {
    // Measure first so that a message of any length (a 10 KB label, say) is formatted whole.
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) return format;
    std::string text(static_cast<size_t>(n), '\0');
    vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}

const char* SecsToStr(unsigned long secs) {
    static char buffer[64];
    snprintf(buffer, sizeof(buffer), "%02ld:%02ld:%02ld", static_cast<long>(secs / 3600),
             static_cast<long>((secs % 3600) / 60), static_cast<long>(secs % 60));
    return buffer;
}

const char* BoolToStr(bool b) { return b ? "True" : "False"; }

const char* ScoreToStr(SCORE x) {
    char* buffer = NextScoreBuffer();
    if (x <= MINUS_INFINITY)
        snprintf(buffer, RING_TEXT, "       *");
    else
        snprintf(buffer, RING_TEXT, "%8g", x);
    return buffer;
}

const char* WeightToStr(WEIGHT x) { return ScoreToStr(x); }

const char* ScoreToStrL(SCORE x) {
    static char ring[RING_SIZE][RING_TEXT];
    static unsigned next = 0;
    char* buffer = ring[next];
    next = (next + 1) % RING_SIZE;
    if (x <= MINUS_INFINITY)
        snprintf(buffer, RING_TEXT, "*");
    else
        snprintf(buffer, RING_TEXT, "%.3g", x);
    return buffer;
}

void TrimLeadingBlanks(char* s) {
    size_t skip = 0;
    while (s[skip] == ' ') ++skip;
    if (skip > 0) memmove(s, s + skip, strlen(s + skip) + 1);
}

void TrimTrailingBlanks(char* s) {
    size_t n = strlen(s);
    while (n > 0 && s[n - 1] == ' ') s[--n] = 0;
}

void TrimBlanks(char* s) {
    TrimLeadingBlanks(s);
    TrimTrailingBlanks(s);
}

void StripWhitespace(char* s) {
    char* out = s;
    for (const char* in = s; *in; ++in)
        if (!IsBlankOrBreak(*in)) *out++ = *in;
    *out = 0;
}

void StripGaps(char* s) {
    char* out = s;
    for (const char* in = s; *in; ++in)
        if (*in != '-') *out++ = *in;
    *out = 0;
}

bool IsValidInteger(const char* s) {
    if (!s || !*s) return false;
    for (; *s; ++s)
        if (!isdigit(static_cast<unsigned char>(*s))) return false;
    return true;
}

bool IsValidSignedInteger(const char* s) {
    if (!s) return false;
    if (*s == '+' || *s == '-') ++s;
    // A lone sign is not a number: at least one digit must follow it.
    return IsValidInteger(s);
}

bool isidentf(char c) { return isalpha(static_cast<unsigned char>(c)) || c == '_'; }

bool isident(char c) { return isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool IsValidIdentifier(const char* s) {
    if (!s || !isidentf(*s)) return false;
    for (++s; *s; ++s)
        if (!isident(*s)) return false;
    return true;
}

bool IsValidFloatChar(char c) {
    return isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-' ||
           c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

void NameFromPath(const char* path, char* buffer, unsigned size) {
    if (size == 0) return;
    const char* start = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') start = p + 1;
    const char* dot = strrchr(start, '.');
    size_t n = dot ? static_cast<size_t>(dot - start) : strlen(start);
    if (n > size - 1) n = size - 1;
    memcpy(buffer, start, n);
    buffer[n] = 0;
}

char* strsave(const char* s) {
    size_t n = strlen(s);
    char* copy = new (std::nothrow) char[n + 1];
    if (!copy) Quit("Out of memory");
    memcpy(copy, s, n + 1);
    return copy;
}

SCORE StrToScore(const char* s) { return static_cast<SCORE>(atof(s)); }
