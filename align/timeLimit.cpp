// The engine's time limit (g_ulMaxSecs) and the emergency save of the current alignment.
#include "align/timeLimit.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "align/corvid.h"
#include "align/diagnostics.h"
#include "align/listParams.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/progress.h"
#include "align/textFile.h"

namespace {

const MSA* ptrBestMSA = nullptr;
// Set instead of ptrBestMSA while a hold assembles the alignment on demand.
const AlignmentAssembler* ptrAssembler = nullptr;
// The first-residue marks in force belong to the rows of ptrBestMSA.
bool bestHasMarks = true;
bool held = false;
bool haveOutputName = false;
std::string outputFileName;

}  // namespace

void SetOutputFileName(const char* name) {
    haveOutputName = name != nullptr;
    outputFileName = name ? name : "";
}

void SetCurrentAlignment(MSA& msa) {
    if (held) return;
    ptrBestMSA = &msa;
    bestHasMarks = true;
}

void ClearCurrentAlignment() {
    ptrBestMSA = nullptr;
    ptrAssembler = nullptr;
    bestHasMarks = true;
    held = false;
    haveOutputName = false;
    outputFileName.clear();
}

CurrentAlignmentHold::CurrentAlignmentHold(const MSA& msa, bool withMarks) { Take(&msa, nullptr, withMarks); }

CurrentAlignmentHold::CurrentAlignmentHold(AlignmentAssembler assemble, bool withMarks)
    : m_Assemble(std::move(assemble)) {
    Take(nullptr, &m_Assemble, withMarks);
}

void CurrentAlignmentHold::Take(const MSA* msa, const AlignmentAssembler* assemble, bool withMarks) {
    if (held) return;
    m_bTaken = true;
    m_ptrPrevious = ptrBestMSA;
    m_bPreviousMarks = bestHasMarks;
    ptrBestMSA = msa;
    ptrAssembler = assemble;
    bestHasMarks = withMarks;
    held = true;
}

CurrentAlignmentHold::~CurrentAlignmentHold() {
    if (!m_bTaken) return;
    ptrBestMSA = m_ptrPrevious;
    ptrAssembler = nullptr;
    bestHasMarks = m_bPreviousMarks;
    held = false;
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
    if (!ptrBestMSA && !ptrAssembler) {
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
        // The saved alignment is the result: the letters of the input, first residues included.
        MSA result;
        if (ptrAssembler)
            (*ptrAssembler)(result);
        else
            result.Copy(*ptrBestMSA);
        if (bestHasMarks && result.HasIds()) MHackEnd(result);
        TextFile file(outputFileName.c_str(), true);
        result.ToFASTAFile(file);
    }
    fprintf(stderr, "Current alignment saved to \"%s\".\n", outputFileName.c_str());
    Log("Current alignment saved to \"%s\".\n", outputFileName.c_str());
}
