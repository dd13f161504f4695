// Stage timers on the real-time clock.
#include "app/cTimer.h"

#include <cstdio>

cTimer::cTimer() : start(now()), lastMark(start) {}

timespec cTimer::now() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return t;
}

double cTimer::secondsBetween(const timespec& from, const timespec& to) {
    return static_cast<double>(to.tv_sec - from.tv_sec) +
           static_cast<double>(to.tv_nsec - from.tv_nsec) / 1e9;
}

void cTimer::printTime(const char* label) { std::printf("%s \t\t%g s\n", label, getTime()); }

void cTimer::printTimeInterval(const char* label) {
    std::printf("%s \t\t%g s\n", label, getTimeInterval());
}

double cSequentialTimer::getTimeInterval() {
    timespec t = now();
    double x = secondsBetween(lastMark, t);
    intervals.push_back(x);
    lastMark = t;
    return x;
}

double cSequentialTimer::getTime() { return secondsBetween(start, now()); }

void cSequentialTimer::beginMeasurement() { start = lastMark = now(); }
