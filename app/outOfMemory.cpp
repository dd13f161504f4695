// Ending a run whose memory ran out: the uncaught std::bad_alloc reported in the run's terms.
#include "app/outOfMemory.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string_view>

#include "app/cInfo.h"
#include "symmetry/fatalError.h"

namespace {

const cInfo* runReport = nullptr;
std::terminate_handler standardEnd = nullptr;

// Runs where an exception found no handler, before any unwinding: the stages' objects are still
// there, so the fatal end can write what earlier groups reported. Nothing here allocates before
// the message is out (the stage title is already held by the report).
[[noreturn]] void endOnUncaughtException() {
    if (const std::exception_ptr thrown = std::current_exception()) {
        try {
            std::rethrow_exception(thrown);
        } catch (const std::bad_alloc&) {
            const auto& stages = runReport->getTimings();
            char text[256];
            std::snprintf(text, sizeof text, "Error: memory ran out in the stage \"%s\"",
                          stages.empty() ? "start-up" : stages.back().first.c_str());
            endRun(std::cerr, std::string_view(text));
        } catch (...) {
        }
    }
    if (standardEnd) standardEnd();
    std::abort();
}

}  // namespace

void endRunWhenMemoryRunsOut(const cInfo& report) {
    runReport = &report;
    standardEnd = std::set_terminate(endOnUncaughtException);
}
