// The run report: label-and-value lines padded with dots, centred section titles, stage timings.
#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "geometry/cVector3.h"

class cInfo {
public:
    // Format of the structured log kept beside the printed report.
    enum formats { NONE = 0, JSON = 1, XML = 2 };

    explicit cInfo(int width);

    // Section title centred in '=' runs; it also opens a timing row named after it.
    void printInfo(const char* title);
    void printInfo(const char* label, const char* value, const char* unit = nullptr);
    void printInfo(const char* label, const std::string& value, const char* unit = nullptr);
    void printInfo(const char* label, int value, const char* unit = nullptr);
    void printInfo(const char* label, float value, const char* unit = nullptr);
    void printInfo(const char* label, double value, const char* unit = nullptr);
    void printInfo(const char* label, const cVector3& value, const char* unit = nullptr);
    void printInfo(const char* label, const double* values, int count, const char* unit = nullptr);

    // mode 0: framed title; mode 1: total-time line; other modes: a rule only.
    void printHeader(const char* title, int mode);
    void printTimings();

    void setTotalTime(double seconds) { totalTime = seconds; }
    // Fills the seconds of the row opened by the last title.
    void saveTimeInterval(double seconds);
    void saveTimeInterval(const char* name, double seconds);

    void setFormat(formats format);
    void indent();
    void printLog(const std::string& path);

    void setQuiet(bool q) { quiet = q; }
    int getWidth() const { return width; }
    const std::vector<std::pair<std::string, double>>& getTimings() const { return timings; }
    std::string getLog() const { return log.str(); }

private:
    // Number of dots (or '=') that pad a text of the given length to the width; never negative
    // (a label longer than the width gets none) and never more than the 98 held.
    int padding(std::size_t textLength) const;
    void printValueLine(const char* label, const char* valueFormat, ...) const;

    int width;
    char dots[100];
    char rule[100];
    double totalTime = 0.0;
    std::vector<std::pair<std::string, double>> timings;
    int format = NONE;
    std::stringstream log;
    int level = 0;
    bool quiet = false;
};
