// The engine's time limit (g_ulMaxSecs) and the emergency save of the current alignment.
#include "align/timeLimit.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "align/diagnostics.h"
#include "align/listParams.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/progress.h"
#include "align/textFile.h"

namespace {

MSA* ptrBestMSA = nullptr;
bool haveOutputName = false;
std::string outputFileName;

}  // namespace

void SetOutputFileName(const char* name) {
    haveOutputName = name != nullptr;
    outputFileName = name ? name : "";
}

void SetCurrentAlignment(MSA& msa) { ptrBestMSA = &msa; }

void ClearCurrentAlignment() {
    ptrBestMSA = nullptr;
    haveOutputName = false;
    outputFileName.clear();
}

void CheckMaxTime() {
    if (g_ulMaxSecs == 0) return;
    const time_t elapsed = time(nullptr) - GetStartTime();
    if (elapsed <= static_cast<time_t>(g_ulMaxSecs)) return;
    // The 'l' after the number is part of the engine's message.
    Log("Max time %s exceeded, elapsed seconds = %lul\n", MaxSecsToStr(), static_cast<unsigned long>(elapsed));
    SaveCurrentAlignment();
    exit(0);
}

void SaveCurrentAlignment() {
    if (!ptrBestMSA) {
        fprintf(stderr, "\nAlignment not completed, cannot save.\n");
        Log("Alignment not completed, cannot save.\n");
        exit(2);
    }
    if (!haveOutputName) {
        fprintf(stderr, "\nOutput file name not specified, cannot save.\n");
        exit(2);
    }
    fprintf(stderr, "\nSaving current alignment ...\n");
    {
        TextFile file(outputFileName.c_str(), true);
        ptrBestMSA->ToFASTAFile(file);
    }
    fprintf(stderr, "Current alignment saved to \"%s\".\n", outputFileName.c_str());
    Log("Current alignment saved to \"%s\".\n", outputFileName.c_str());
}
