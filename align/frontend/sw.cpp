// SW and TraceBackSW: Smith-Waterman dynamic programming over two profiles.
#include "align/frontend/localAlign.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/memUse.h"
#include "align/profile.h"
#include "align/pwPath.h"

namespace {

// Two recomputed scores are taken as equal within this distance: the fill and the traceback
// add the same floats, but not always in the same order.
constexpr float SCORE_TOLERANCE = 0.1f;

bool Matches(float a, float b) { return std::fabs(a - b) < SCORE_TOLERANCE; }

// Cell (i, j) of a matrix with lenA + 1 cells per row of B.
class Cells {
public:
    explicit Cells(unsigned lenA) : m_uStride(size_t(lenA) + 1) {}
    size_t operator()(unsigned i, unsigned j) const { return size_t(j) * m_uStride + i; }

private:
    size_t m_uStride;
};

}  // namespace

float SW(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, PWPath& path) {
    // Without a column on either side no cell is filled and there is no best cell to start
    // the traceback from.
    if (lenA == 0 || lenB == 0) Quit("SW: cannot align a profile of %u columns with one of %u", lenA, lenB);
    const Cells at(lenA);
    const size_t cellCount = (size_t(lenA) + 1) * (size_t(lenB) + 1);
    std::vector<float> M, D, I;
    try {
        M.assign(cellCount, MINUS_INFINITY);
        D.assign(cellCount, MINUS_INFINITY);
        I.assign(cellCount, MINUS_INFINITY);
    } catch (const std::bad_alloc&) {
        QuitOutOfMemory(3.0 * cellCount * sizeof(float), "aligning profiles of %u and %u columns locally", lenA, lenB);
    }
    M[at(0, 0)] = 0;

    float best = MINUS_INFINITY;
    unsigned bestI = uInsane, bestJ = uInsane;
    for (unsigned j = 1; j <= lenB; ++j) {
        const ProfPos& b = PB[j - 1];
        for (unsigned i = 1; i <= lenA; ++i) {
            const ProfPos& a = PA[i - 1];
            const float s = ScoreProfPos2(a, b);
            const float fromM = M[at(i - 1, j - 1)];
            const float fromD = D[at(i - 1, j - 1)] + (i == 1 ? MINUS_INFINITY : PA[i - 2].scoreGapClose);
            const float fromI = I[at(i - 1, j - 1)] + (j == 1 ? MINUS_INFINITY : PB[j - 2].scoreGapClose);
            const float m = std::max(0.0f, std::max({fromM, fromD, fromI})) + s;
            M[at(i, j)] = m;
            if (m > best) {
                best = m;
                bestI = i;
                bestJ = j;
            }
            const float open = M[at(i - 1, j)] + a.scoreGapOpen;
            D[at(i, j)] = D[at(i - 1, j)] > open ? D[at(i - 1, j)] : open;
            const float openI = M[at(i, j - 1)] + b.scoreGapOpen;
            I[at(i, j)] = I[at(i, j - 1)] > openI ? I[at(i, j - 1)] : openI;
        }
    }
    TraceBackSW(PA, lenA, PB, lenB, M.data(), D.data(), I.data(), bestI, bestJ, path);
    return best;
}

void TraceBackSW(const ProfPos* PA, unsigned lenA, const ProfPos* PB, unsigned lenB, const float* M,
                 const float* D, const float* I, unsigned bestI, unsigned bestJ, PWPath& path) {
    if (bestI == 0 || bestI > lenA || bestJ == 0 || bestJ > lenB)
        Quit("TraceBackSW: best cell (%u, %u) is not a cell of a %u x %u alignment", bestI, bestJ, lenA, lenB);
    const Cells at(lenA);
    // The walk meets the edges last first: they are appended, into room for the longest path,
    // and put in order once where the local alignment starts.
    path.Clear();
    path.ExpandPath(bestI + bestJ + 2);
    unsigned i = bestI, j = bestJ;
    char state = 'M';
    path.AppendEdge(PWEdge{'M', i, j});
    for (;;) {
        if (state == 'M') {
            // Every way into a match cell consumes a column of both profiles.
            if (i == 0 || j == 0) Quit("TraceBackSW: the path left the matrix at (%u, %u)", i, j);
            const float v = M[at(i, j)];
            const float s = ScoreProfPos2(PA[i - 1], PB[j - 1]);
            const float cM = i >= 2 && j >= 2 ? M[at(i - 1, j - 1)] + s : MINUS_INFINITY;
            const float cD = i >= 2 ? D[at(i - 1, j - 1)] + PA[i - 2].scoreGapClose + s : MINUS_INFINITY;
            const float cI = j >= 2 ? I[at(i - 1, j - 1)] + PB[j - 2].scoreGapClose + s : MINUS_INFINITY;
            const float cS = i == 1 && j == 1 ? s : MINUS_INFINITY;
            if (Matches(v, cM))
                state = 'M';
            else if (Matches(v, cD))
                state = 'D';
            else if (Matches(v, cI))
                state = 'I';
            else if (Matches(v, cS) || Matches(v, s))
                break;  // the local alignment starts here
            else
                Quit("TraceBack2: failed to match M score=%g M=%g D=%g I=%g S=%g", v, cM, cD, cI, cS);
            --i;
            --j;
        } else if (state == 'D') {
            const float v = D[at(i, j)];
            // On the border row the first column's gap opens from nothing.
            if (j == 0 && i == 1 && Matches(v, PA[0].scoreGapOpen)) break;
            const float open = i >= 2 ? M[at(i - 1, j)] + PA[i - 1].scoreGapOpen : MINUS_INFINITY;
            const float extend = i >= 2 ? D[at(i - 1, j)] : MINUS_INFINITY;
            if (Matches(v, open))
                state = 'M';
            else if (!Matches(v, extend)) {
                if (Matches(v, MINUS_INFINITY)) break;
                Quit("TraceBack2: failed to match D");
            }
            --i;
        } else {
            const float v = I[at(i, j)];
            if (i == 0 && j == 1 && Matches(v, PB[0].scoreGapOpen)) break;
            const float open = j >= 2 ? M[at(i, j - 1)] + PB[j - 1].scoreGapOpen : MINUS_INFINITY;
            const float extend = j >= 2 ? I[at(i, j - 1)] : MINUS_INFINITY;
            if (Matches(v, open))
                state = 'M';
            else if (!Matches(v, extend)) {
                if (Matches(v, MINUS_INFINITY)) break;
                Quit("TraceBack2: failed to match I");
            }
            --j;
        }
        path.AppendEdge(PWEdge{state, i, j});
    }
    path.Reverse();
}
