// Wall-clock stage timers of the run.
#pragma once

#include <ctime>
#include <vector>

class cTimer {
public:
    cTimer();
    virtual ~cTimer() = default;

    // Seconds since the last mark; the mark moves to now and the interval is kept.
    virtual double getTimeInterval() = 0;
    // Seconds since the start; nothing changes.
    virtual double getTime() = 0;

    void printTime(const char* label);
    void printTimeInterval(const char* label);

    const std::vector<double>& getIntervals() const { return intervals; }

protected:
    static timespec now();
    static double secondsBetween(const timespec& from, const timespec& to);

    timespec start;
    timespec lastMark;
    std::vector<double> intervals;
};

class cSequentialTimer : public cTimer {
public:
    double getTimeInterval() override;
    double getTime() override;
    void beginMeasurement();
};
