// Entry of quorix: the stages of one run in their fixed order, each timed.
#include "app/banner.h"
#include "app/cInfo.h"
#include "app/cParameters.h"
#include "app/cTimer.h"

namespace {
constexpr int kReportWidth = 75;
}

int main(int argc, char** argv) {
    cSequentialTimer timer;
    printHeader(kReportWidth);
    cInfo info(kReportWidth);
    cParameters parameters(&info);

    parameters.parseInputArguments(argc, argv);
    info.saveTimeInterval(timer.getTimeInterval());

    info.setTotalTime(timer.getTime());
    info.printTimings();
    return 0;
}
