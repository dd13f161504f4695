// Printing of the run report.
#include "app/cInfo.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
constexpr int kRunLength = 98;  // dots and '=' held for padding
}

cInfo::cInfo(int w) : width(w) {
    std::memset(dots, '.', kRunLength);
    dots[kRunLength] = '\0';
    std::memset(rule, '=', kRunLength);
    rule[kRunLength] = '\0';
}

int cInfo::padding(std::size_t textLength) const {
    long d = static_cast<long>(width) - static_cast<long>(textLength);
    return static_cast<int>(std::clamp(d, 0L, static_cast<long>(kRunLength)));
}

void cInfo::printInfo(const char* title) {
    if (quiet) return;
    long d = static_cast<long>(width) - static_cast<long>(std::strlen(title));
    if (d < 0) d = 0;
    int n = static_cast<int>(std::min<long>(d / 2, kRunLength));
    int m = static_cast<int>(std::min<long>(d / 2 + (d % 2), kRunLength));
    std::printf("%.*s%s%.*s\n", n, rule, title, m, rule);
    timings.emplace_back(title, 0.0);
}

void cInfo::printValueLine(const char* label, const char* valueFormat, ...) const {
    std::printf("%s%.*s : ", label, padding(std::strlen(label)), dots);
    va_list args;
    va_start(args, valueFormat);
    std::vprintf(valueFormat, args);
    va_end(args);
}

void cInfo::printInfo(const char* label, const char* value, const char* unit) {
    if (quiet) return;
    printValueLine(label, "%s", value);
    if (unit) std::printf(" %s", unit);
    std::printf("\n");
}

void cInfo::printInfo(const char* label, const std::string& value, const char* unit) {
    printInfo(label, value.c_str(), unit);
}

void cInfo::printInfo(const char* label, int value, const char* unit) {
    if (quiet) return;
    printValueLine(label, "%d", value);
    if (unit) std::printf(" %s", unit);
    std::printf("\n");
}

void cInfo::printInfo(const char* label, float value, const char* unit) {
    printInfo(label, static_cast<double>(value), unit);
}

void cInfo::printInfo(const char* label, double value, const char* unit) {
    if (quiet) return;
    printValueLine(label, "%g", value);
    if (unit) std::printf(" %s", unit);
    std::printf("\n");
}

void cInfo::printInfo(const char* label, const cVector3& v, const char* unit) {
    if (quiet) return;
    if (unit)
        printValueLine(label, "[%g %s, %g %s, %g %s]", v.x, unit, v.y, unit, v.z, unit);
    else
        printValueLine(label, "[%g, %g, %g]", v.x, v.y, v.z);
    std::printf("\n");
}

void cInfo::printInfo(const char* label, const double* values, int count, const char* unit) {
    if (quiet) return;
    std::printf("%s :\n", label);
    const int indentWidth = static_cast<int>(std::strlen(label)) + 1;
    for (int i = 1; i <= count; ++i) {
        std::printf("%*s[%2d]%.*s : %g", indentWidth, "", i, padding(std::strlen(label) + 5), dots,
                    values[i - 1]);
        if (unit) std::printf(" %s", unit);
        std::printf("\n");
    }
}

void cInfo::printHeader(const char* title, int mode) {
    if (quiet) return;
    const int full = padding(0);
    if (mode == 0) {
        std::printf("%.*s\n", full, rule);
        long d = static_cast<long>(width) - static_cast<long>(std::strlen(title));
        if (d < 0) d = 0;
        int n = static_cast<int>(std::min<long>(d / 2, kRunLength));
        int m = static_cast<int>(std::min<long>(d / 2 + (d % 2), kRunLength));
        std::printf("%.*s%s%.*s\n", n, rule, title, m, rule);
        std::printf("%.*s\n", full, rule);
    } else if (mode == 1) {
        std::printf("%.*s\n", full, dots);
        std::printf("%s%.*s : %g s\n", title, padding(std::strlen(title)), dots, totalTime);
        std::printf("%.*s\n", full, rule);
    } else {
        std::printf("%.*s\n", full, rule);
    }
}

void cInfo::printTimings() {
    if (quiet) return;
    const int full = padding(0);
    std::printf("%.*s\n", full, rule);
    const char* title = " Timing : ";
    long d = static_cast<long>(width) - static_cast<long>(std::strlen(title));
    if (d < 0) d = 0;
    std::printf("%.*s%s%.*s\n", static_cast<int>(std::min<long>(d / 2, kRunLength)), rule, title,
                static_cast<int>(std::min<long>(d / 2 + d % 2, kRunLength)), rule);
    std::printf("%.*s\n", full, rule);
    for (const auto& [name, seconds] : timings)
        std::printf("%s%.*s : %g s\n", name.c_str(), padding(name.size()), dots, seconds);
    std::printf("%.*s\n", full, dots);
    const char* total = "Total time : ";
    std::printf("%s%.*s : %g s\n", total, padding(std::strlen(total)), dots, totalTime);
    std::printf("%.*s\n", full, rule);
}

void cInfo::saveTimeInterval(double seconds) {
    // Without an open row (quiet mode opens none) there is nothing to fill.
    if (timings.empty()) return;
    timings.back().second = seconds;
}

void cInfo::saveTimeInterval(const char* name, double seconds) {
    timings.emplace_back(name, seconds);
}

void cInfo::setFormat(formats f) {
    format = f;
    level = 0;
    if (f == JSON) {
        log << "{\n";
        level = 1;
        indent();
        log << "\"Quorix\": {\n";
        level = 2;
    } else if (f == XML) {
        log << "<Quorix>\n";
        level = 1;
    }
}

void cInfo::indent() {
    for (int i = 0; i < 4 * level; ++i) log << ' ';
}

void cInfo::printLog(const std::string& path) {
    while (level > 0) {
        --level;
        log << "\n";
        indent();
        // The XML-like log has a single open element to close; the JSON-like one, braces.
        log << (format == XML ? "</Quorix>" : "}");
    }
    if (FILE* f = std::fopen(path.c_str(), "w")) {
        std::fputs(log.str().c_str(), f);
        std::fclose(f);
    } else if (!quiet) {
        const char* label = "Cannot open file for writing";
        std::printf("%s%.*s : %s\n", label, padding(std::strlen(label)), dots, path.c_str());
    }
}
