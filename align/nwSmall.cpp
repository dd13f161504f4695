// NWSmall: global profile-profile alignment, three score rows in linear memory and one
// traceback byte per cell, with working storage reused across calls.
#include "align/nwSmall.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "align/columnPairScores.h"
#include "align/diagnostics.h"
#include "align/memUse.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"

namespace {

constexpr SCORE NEG = MINUS_INFINITY;
// Spare rows and columns allocated beyond the current need, so that hundreds of alignments of
// similar size allocate once.
constexpr unsigned CAPACITY_MARGIN = 1025;

// Traceback byte: state before M in bits 0-1, and the two "opened from M" flags.
constexpr unsigned char TB_M = 0, TB_D = 1, TB_I = 2;
constexpr unsigned char TB_D_FROM_M = 4;
constexpr unsigned char TB_I_FROM_M = 8;

// The process-wide working storage of NWSmall (the engine is single-threaded). It lives until
// the process ends and is reallocated as a whole when a longer pair arrives.
struct Workspace {
    unsigned rowCapacity = 0;  // A's length + 1 rows fit
    unsigned colCapacity = 0;  // B's length + 1 columns fit
    // The traceback bytes of one alignment, rows of B's length + 1 bytes laid end to end, so
    // that an alignment touches only the pages of its own cells. Left uninitialised: every
    // byte the traceback reads is written by the call first.
    std::unique_ptr<char[]> traceback;
    std::vector<char*> rows;
    std::vector<SCORE> mPrev, mCur, dPrev, dCur, iPrev, iCur;
    ColumnPairScores pairScores;

    void Reserve(unsigned rowCount, unsigned colCount) {
        if (rowCount > rowCapacity || colCount > colCapacity) {
            // The old block goes back first, so that the two are never held together.
            traceback.reset();
            rowCapacity = 0;
            colCapacity = 0;
            const unsigned newRows = rowCount - 1 + CAPACITY_MARGIN;
            const unsigned newCols = colCount - 1 + CAPACITY_MARGIN;
            traceback.reset(new char[static_cast<size_t>(newRows) * newCols]);
            rows.resize(newRows);
            for (std::vector<SCORE>* row : {&mPrev, &mCur, &dPrev, &dCur, &iPrev, &iCur}) row->assign(newCols, 0);
            rowCapacity = newRows;
            colCapacity = newCols;
        }
        for (unsigned i = 0; i < rowCount; ++i) rows[i] = traceback.get() + static_cast<size_t>(i) * colCount;
    }
};

// What Reserve asks for when the profiles have these lengths and the storage must grow, and
// what the column pair scores may hold beside it.
double WorkspaceBytes(unsigned m, unsigned n) {
    const double rowCount = m + CAPACITY_MARGIN, colCount = n + CAPACITY_MARGIN;
    return rowCount * colCount + rowCount * sizeof(char*) + 6 * colCount * sizeof(SCORE) +
           static_cast<double>(ColumnPairScores::GetMaxBytes(m, n));
}

Workspace& GetWorkspace() {
    static Workspace workspace;
    return workspace;
}

// The dynamic programming over the column pair scores of w.pairScores, read through B's column
// classes when BY_CLASS.
template <bool BY_CLASS>
void FillMatrices(Workspace& w, const ProfPos* A, unsigned m, const ProfPos* B, unsigned n, SCORE** ends);

}  // namespace

void SetTermGaps(ProfPos* P, unsigned length) {
    if (length == 0) return;
    SCORE& open = P[0].scoreGapOpen;
    SCORE& close = P[length - 1].scoreGapClose;
    const bool setClose = length > 1;
    switch (g_TermGaps) {
        case TERMGAPS_Full: break;
        case TERMGAPS_Half:
            if (open != NEG) open = 0;
            if (setClose && close != NEG) close = 0;
            break;
        case TERMGAPS_Ext:
            if (open != NEG) open = -open;
            if (setClose && close != NEG) close = -close;
            break;
        default: Quit("Invalid g_TermGaps");
    }
}

namespace {

// Fills the traceback of an m x n alignment and leaves the last row of the three score rows in
// ends[0] (M), ends[1] (D) and ends[2] (I).
template <bool BY_CLASS>
void FillMatrices(Workspace& w, const ProfPos* A, unsigned m, const ProfPos* B, unsigned n, SCORE** ends) {
    // Row 0 and column 0 of the traceback are read as zero; every other cell is written below.
    memset(w.rows[0], 0, n + 1);
    for (unsigned i = 1; i <= m; ++i) w.rows[i][0] = 0;

    SCORE* mPrev = w.mPrev.data();
    SCORE* mCur = w.mCur.data();
    SCORE* dPrev = w.dPrev.data();
    SCORE* dCur = w.dCur.data();
    SCORE* iPrev = w.iPrev.data();
    SCORE* iCur = w.iCur.data();
    const unsigned* classB = w.pairScores.GetClassesB();
    const SCORE e = g_scoreGapExtend;

    // Row 0: only the empty alignment scores.
    mPrev[0] = 0;
    for (unsigned j = 1; j <= n; ++j) {
        mPrev[j] = NEG;
        dPrev[j] = NEG;
        iPrev[j] = NEG;
    }

    // The gap steps of one cell into D and I, and its traceback byte.
    auto gapStates = [&](unsigned j, const ProfPos& a, const ProfPos& b, unsigned char bits, char* tb) {
        const SCORE dExtend = dPrev[j] + e;
        const SCORE dOpen = mPrev[j] + a.scoreGapOpen;
        if (dOpen >= dExtend) {
            dCur[j] = dOpen;
            bits |= TB_D_FROM_M;
        } else {
            dCur[j] = dExtend;
        }

        const SCORE iExtend = iCur[j - 1] + e;
        const SCORE iOpen = mCur[j - 1] + b.scoreGapOpen;
        if (iOpen >= iExtend) {
            iCur[j] = iOpen;
            bits |= TB_I_FROM_M;
        } else {
            iCur[j] = iExtend;
        }
        tb[j] = static_cast<char>(bits);
    };

    for (unsigned i = 1; i <= m; ++i) {
        const ProfPos& a = A[i - 1];
        const SCORE* score = w.pairScores.GetRow(i - 1);
        // The score of A's column i - 1 against B's column j.
        auto pairScore = [&](unsigned j) { return BY_CLASS ? score[classB[j]] : score[j]; };
        char* tb = w.rows[i];
        mCur[0] = NEG;
        iCur[0] = NEG;
        // The first row and column carry the whole price of a leading gap.
        if (i == 1) {
            for (unsigned j = 1; j <= n; ++j) {
                const SCORE s = pairScore(j - 1);
                unsigned char bits;
                if (j == 1) {
                    if (m == 1) {
                        // A one-column A pays its own gap open and close on its match with B0.
                        mCur[j] = s + A[0].scoreGapOpen + A[0].scoreGapClose;
                        bits = TB_D;
                    } else {
                        mCur[j] = s;
                        bits = TB_M;
                    }
                } else {
                    mCur[j] = s + B[0].scoreGapOpen + static_cast<SCORE>(j - 2) * e + B[j - 2].scoreGapClose;
                    bits = TB_I;
                }
                gapStates(j, a, B[j - 1], bits, tb);
            }
        } else {
            mCur[1] = pairScore(0) + A[0].scoreGapOpen + static_cast<SCORE>(i - 2) * e + A[i - 2].scoreGapClose;
            gapStates(1, a, B[0], TB_D, tb);
            const SCORE closeA = A[i - 2].scoreGapClose;
            for (unsigned j = 2; j <= n; ++j) {
                const ProfPos& b = B[j - 1];
                const SCORE s = pairScore(j - 1);
                const SCORE fromM = mPrev[j - 1];
                const SCORE fromD = dPrev[j - 1] + closeA;
                const SCORE fromI = iPrev[j - 1] + B[j - 2].scoreGapClose;
                SCORE best;
                unsigned char bits;
                if (fromM >= fromD && fromM >= fromI) {
                    best = fromM;
                    bits = TB_M;
                } else if (fromD >= fromI) {
                    best = fromD;
                    bits = TB_D;
                } else {
                    best = fromI;
                    bits = TB_I;
                }
                mCur[j] = s + best;
                gapStates(j, a, b, bits, tb);
            }
        }
        std::swap(mPrev, mCur);
        std::swap(dPrev, dCur);
        std::swap(iPrev, iCur);
    }
    ends[0] = mPrev;
    ends[1] = dPrev;
    ends[2] = iPrev;
}

}  // namespace

void NWSmall(ProfPos* A, unsigned m, ProfPos* B, unsigned n, PWPath& path) {
    if (m == 0 || n == 0) Quit("Internal error, NWSmall: length=0");
    SetTermGaps(A, m);
    SetTermGaps(B, n);

    Workspace& w = GetWorkspace();
    try {
        w.Reserve(m + 1, n + 1);
        w.pairScores.Init(A, m, B, n);
    } catch (const std::bad_alloc&) {
        QuitOutOfMemory(WorkspaceBytes(m, n), "aligning profiles of %u and %u columns", m, n);
    }
    SCORE* ends[3];
    if (w.pairScores.GetClassesB())
        FillMatrices<true>(w, A, m, B, n, ends);
    else
        FillMatrices<false>(w, A, m, B, n, ends);

    // A gap that runs to the end pays no close score here: SetTermGaps has priced it.
    const SCORE mEnd = ends[0][n], dEnd = ends[1][n], iEnd = ends[2][n];
    char state = 'M';
    if (iEnd > mEnd && iEnd > dEnd)
        state = 'I';
    else if (dEnd > mEnd)
        state = 'D';
    BitTraceBack(w.rows.data(), m, n, state, path);
}

void GlobalAlign(ProfPos* A, unsigned lengthA, ProfPos* B, unsigned lengthB, PWPath& path) {
    NWSmall(A, lengthA, B, lengthB, path);
}

void GlobalAlignNoDiags(ProfPos* A, unsigned lengthA, ProfPos* B, unsigned lengthB, PWPath& path) {
    NWSmall(A, lengthA, B, lengthB, path);
}

void BitTraceBack(char** matrix, unsigned lengthA, unsigned lengthB, char lastState, PWPath& path) {
    // The walk meets the edges last first: they are appended, into room for the longest path
    // (each edge uses a column of A or B or both), and put in order once at the end.
    path.Clear();
    path.ExpandPath(lengthA + lengthB + 1);
    unsigned i = lengthA;
    unsigned j = lengthB;
    char state = lastState;
    for (;;) {
        path.AppendEdge(PWEdge{state, i, j});
        const unsigned char bits = static_cast<unsigned char>(matrix[i][j]);
        char next;
        switch (state) {
            case 'M': {
                const unsigned before = bits & 3u;
                if (before == 3) Quit("Huh!?");
                next = "MDI"[before];
                if (i == 0 || j == 0) Quit("BitTraceBack MA=0");
                --i;
                --j;
                break;
            }
            case 'D':
                next = (bits & TB_D_FROM_M) ? 'M' : 'D';
                if (i == 0) Quit("BitTraceBack DA=0");
                --i;
                break;
            case 'I':
                next = (bits & TB_I_FROM_M) ? 'M' : 'I';
                if (j == 0) Quit("BitTraceBack IB=0");
                --j;
                break;
            default: Quit("Huh?");
        }
        state = next;
        if (i == 0 && j == 0) break;
    }
    path.Reverse();
}
