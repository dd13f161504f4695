// Entry of quorix: the stages of one run in their fixed order, each timed.
#include <memory>

#include "app/banner.h"
#include "app/cInfo.h"
#include "app/cParameters.h"
#include "app/cTimer.h"
#include "app/heapSetup.h"
#include "app/outOfMemory.h"
#include "app/outputPaths.h"
#include "app/pipedTrajectory.h"
#include "symmetry/cSym.h"
#include "symmetry/fatalError.h"

namespace {
constexpr int kReportWidth = 75;
}

int main(int argc, char** argv) {
    setUpHeap();
    cSequentialTimer timer;
    printHeader(kReportWidth);
    cInfo info(kReportWidth);
    endRunWhenMemoryRunsOut(info);
    cParameters parameters(&info);

    parameters.parseInputArguments(argc, argv);
    // Refused now rather than after the work: an output that cannot be written, or that would
    // overwrite an input or the other output. A trajectory through a pipe is copied now too.
    checkOutputPaths(parameters);
    keepPipedTrajectory(parameters);
    info.saveTimeInterval(timer.getTimeInterval());

    auto sym = std::make_unique<cSym>(&parameters, &info);
    sym->readPDB(parameters.inputPath);
    info.saveTimeInterval(timer.getTimeInterval());

    sym->cutIntoChains();
    info.saveTimeInterval(timer.getTimeInterval());

    sym->alignChains();
    sym->saveAlignment();
    info.saveTimeInterval(timer.getTimeInterval());

    if (parameters.autodetect) sym->autoDetectSymmetry();
    else sym->detectSymmetry();
    info.saveTimeInterval(timer.getTimeInterval());

    sym->report->setTotalTime(timer.getTime());
    sym->report->printTimings();
    sym.reset();
    checkStandardOutput();  // a full disk or a closed pipe is no success
    return 0;
}
