// DoRefineW, RefineW and AppendMSA.
#include "align/frontend/refineW.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/msa.h"
#include "align/msaFunctions.h"
#include "align/params.h"
#include "align/progress.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/textUtils.h"
#include "align/timeLimit.h"

namespace {

// Room for the letters of one row in a window, before it grows.
constexpr unsigned WINDOW_SEQ_ROOM = 200;

// The letters of the rows of a in columns start .. stop, one sequence per row that has letters
// there, named as the row. CORVID needs ids 0 .. count - 1: sequence k gets id k and rowIds[k]
// receives the id of its row.
void WindowSequences(const MSA& a, unsigned start, unsigned stop, SeqVect& v, std::vector<unsigned>& rowIds) {
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        auto s = std::make_unique<Seq>();
        s->reserve(WINDOW_SEQ_ROOM);
        for (unsigned col = start; col <= stop; ++col)
            if (!a.IsGap(row, col)) s->push_back(a.GetChar(row, col));
        // A row without letters has nothing to align (the engine cannot align an empty
        // sequence); it gets gaps in this window.
        if (s->empty()) continue;
        if (const char* name = a.GetSeqName(row)) s->SetName(name);
        s->SetId(v.Length());
        rowIds.push_back(a.GetSeqId(row));
        v.push_back(s.release());
    }
}

// The rows of the window's alignment go back to the ids of their rows in the input.
void RestoreRowIds(MSA& aligned, const std::vector<unsigned>& rowIds) {
    std::vector<unsigned> ids(aligned.GetSeqCount());
    for (unsigned row = 0; row < ids.size(); ++row) ids[row] = rowIds[aligned.GetSeqId(row)];
    for (unsigned row = 0; row < ids.size(); ++row) aligned.SetSeqId(row, ids[row]);
}

// The inspection files of one window, in the working directory.
void SaveWindow(unsigned w, const MSA& a, unsigned start, unsigned stop, const SeqVect& v, MSA& aligned) {
    MSA input;
    MSAFromColRange(a, start, stop - start + 1, input);
    {
        TextFile file(Format("win%u_inaln.tmp", w).c_str(), true);
        input.ToFile(file);
    }
    {
        TextFile file(Format("win%u_inseqs.tmp", w).c_str(), true);
        v.ToFASTAFile(file);
    }
    TextFile file(Format("win%u_outaln.tmp", w).c_str(), true);
    aligned.ToFile(file);
}

}  // namespace

void DoRefineW() {
    StartCommand(g_pstrInFileName, true);
    MSA a;
    ReadInputMSA(a);
    const unsigned rows = a.GetSeqCount();
    MSA::SetIdCount(rows);
    for (unsigned row = 0; row < rows; ++row) a.SetSeqId(row, row);
    const ALPHA alpha = SetInputAlphabet(a, nullptr, "Invalid SeqType");
    if (IsNucleotide(alpha)) SetPPScore(PPSCORE_SPN);
    // Every window takes the alphabet of the whole alignment: a guess from the few letters of a
    // narrow window could switch protein to nucleotides and back, with their scoring.
    g_SeqType = alpha == ALPHA_DNA ? SEQTYPE_DNA : alpha == ALPHA_RNA ? SEQTYPE_RNA : SEQTYPE_Protein;
    MSA refined;
    RefineW(a, refined);
    // The MSF writer weights the rows by the guide tree in force, the last window's. A window
    // that lacked rows leaves a tree without them: the refined alignment's own tree is built then.
    if (GetCorvidTreeLeafCount() < refined.GetSeqCount()) NumberJoinedAlignment(refined);
    CorvidOutput(refined);
}

void RefineW(const MSA& a, MSA& out) {
    const unsigned rows = a.GetSeqCount();
    const unsigned length = a.GetColCount();
    // 64-bit column arithmetic: a huge width or offset must not wrap round.
    const uint64_t width = g_uRefineWindow;
    const uint64_t offset = g_uWindowOffset;
    out.SetSize(rows, static_cast<unsigned>(uint64_t{length} * 120 / 100));
    for (unsigned row = 0; row < rows; ++row) {
        if (const char* name = a.GetSeqName(row)) out.SetSeqName(row, name);
        out.SetSeqId(row, a.GetSeqId(row));
    }
    const unsigned count = static_cast<unsigned>((length + width - 1) / width);
    if (g_uWindowTo == 0 && count > 0) g_uWindowTo = count - 1;
    if (offset != 0) MSAFromColRange(a, 0, static_cast<unsigned>(std::min<uint64_t>(offset, length)), out);

    // A time-limit save writes the result as it stands: the windows realigned so far, then a's
    // columns from the window being realigned to the end of the last window (a window's own
    // alignment is only part of it). Those rows carry no first-residue marks: each window's are
    // put back when it ends, and a's never had any.
    uint64_t restFirst = std::min<uint64_t>(g_uWindowFrom * width + offset, length);
    const uint64_t restEnd = count == 0 ? 0 : std::min<uint64_t>(offset + width * (uint64_t{g_uWindowTo} + 1), length);
    const CurrentAlignmentHold hold(
        [&](MSA& whole) {
            whole.Copy(out);
            if (restFirst >= restEnd) return;
            MSA rest;
            MSAFromColRange(a, static_cast<unsigned>(restFirst), static_cast<unsigned>(restEnd - restFirst), rest);
            AppendMSA(whole, rest);
        },
        false);
    fputs("\n", stderr);
    for (uint64_t w = g_uWindowFrom; w <= g_uWindowTo && count > 0; ++w) {
        const uint64_t start = w * width + offset;
        if (start >= length) break;
        fprintf(stderr, "Window %u of %u    \r", static_cast<unsigned>(w), count);
        const unsigned stop = static_cast<unsigned>(std::min<uint64_t>(offset + width * (w + 1) - 1, length - 1));
        SeqVect v;
        std::vector<unsigned> rowIds;
        WindowSequences(a, static_cast<unsigned>(start), stop, v, rowIds);
        // Columns that are gaps in every row have nothing to align and are dropped.
        MSA aligned;
        if (v.Length() > 0) {
            CORVID(v, aligned);
            RestoreRowIds(aligned, rowIds);
        }
        AppendMSA(out, aligned);
        restFirst = uint64_t{stop} + 1;
        if (w == g_uSaveWindow) SaveWindow(static_cast<unsigned>(w), a, static_cast<unsigned>(start), stop, v, aligned);
    }
    fputs("\n", stderr);
}

void AppendMSA(MSA& a, const MSA& b) {
    const unsigned lengthA = a.GetColCount();
    const unsigned lengthB = b.GetColCount();
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        unsigned partner = 0;
        const bool found = b.GetSeqIndex(a.GetSeqId(row), &partner);
        for (unsigned col = 0; col < lengthB; ++col)
            a.SetChar(row, lengthA + col, found ? b.GetChar(partner, col) : '-');
    }
}
