// DiagList and the pairwise diagonal tests.
#include "align/frontend/diagonals.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "align/diagnostics.h"
#include "align/params.h"
#include "align/pwPath.h"

namespace {

int64_t Offset(const Diag& d) { return int64_t(d.m_uStartPosB) - int64_t(d.m_uStartPosA); }

bool SameDiagonal(const Diag& d1, const Diag& d2) { return Offset(d1) == Offset(d2); }

// Positions shared by [start1, start1 + length1) and [start2, start2 + length2).
unsigned RangeOverlap(unsigned start1, unsigned length1, unsigned start2, unsigned length2) {
    const int64_t from = std::max<int64_t>(start1, start2);
    const int64_t to = std::min<int64_t>(int64_t(start1) + length1, int64_t(start2) + length2);
    return to > from ? unsigned(to - from) : 0;
}

}  // namespace

void DiagList::Add(const Diag& d) {
    if (m_uCount == MAX_DIAGS) Quit("DiagList::Add, overflow %u", MAX_DIAGS);
    m_Diags[m_uCount++] = d;
}

void DiagList::Add(unsigned startA, unsigned startB, unsigned length) { Add(Diag{startA, startB, length}); }

const Diag& DiagList::Get(unsigned i) const {
    if (i >= m_uCount) Quit("DiagList::Get(%u), count=%u", i, m_uCount);
    return m_Diags[i];
}

void DiagList::Copy(const DiagList& list) {
    m_uCount = list.m_uCount;
    std::copy(list.m_Diags, list.m_Diags + list.m_uCount, m_Diags);
}

void DiagList::FromPath(const PWPath& path) {
    Clear();
    unsigned runLength = 0, startA = 0, startB = 0;
    auto endRun = [&] {
        if (runLength > 0 && runLength >= g_uMinDiagLength) Add(startA, startB, runLength);
        runLength = 0;
    };
    for (unsigned i = 0; i < path.GetEdgeCount(); ++i) {
        const PWEdge& e = path.GetEdge(i);
        if (e.cType != 'M') {
            endRun();
            continue;
        }
        if (runLength == 0) {
            startA = e.uPrefixLengthA - 1;
            startB = e.uPrefixLengthB - 1;
        }
        ++runLength;
    }
    endRun();
}

void DiagList::Sort() {
    // A bubble sort that swaps only on a strictly smaller start keeps equal starts in order.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (unsigned i = 1; i < m_uCount; ++i) {
            if (m_Diags[i].m_uStartPosA < m_Diags[i - 1].m_uStartPosA) {
                std::swap(m_Diags[i], m_Diags[i - 1]);
                swapped = true;
            }
        }
    }
}

void DiagList::DeleteIncompatible() {
    if (m_uCount < 2) return;
    std::vector<bool> deleted(m_uCount, false);
    for (unsigned i = 0; i < m_uCount; ++i) {
        for (unsigned j = i + 1; j < m_uCount; ++j) {
            if (DiagCompatible(m_Diags[i], m_Diags[j])) continue;
            const unsigned li = m_Diags[i].m_uLength, lj = m_Diags[j].m_uLength;
            if (4 * uint64_t(lj) < li) {
                deleted[j] = true;
                continue;
            }
            deleted[i] = true;
            if (!(4 * uint64_t(li) < lj)) deleted[j] = true;
        }
    }
    for (unsigned i = 0; i < m_uCount; ++i) {
        if (deleted[i]) continue;
        for (unsigned k = i + 1; k < m_uCount; ++k) {
            if (deleted[k]) continue;
            const Diag &di = m_Diags[i], &dk = m_Diags[k];
            if (di.m_uStartPosB >= dk.m_uStartPosB || !DiagCompatible(di, dk)) deleted[i] = deleted[k] = true;
        }
    }
    unsigned kept = 0;
    for (unsigned i = 0; i < m_uCount; ++i)
        if (!deleted[i]) m_Diags[kept++] = m_Diags[i];
    m_uCount = kept;
}

bool DiagList::NonZeroIntersection(const Diag& d) const {
    for (unsigned i = 0; i < m_uCount; ++i)
        if (DiagOverlap(m_Diags[i], d) > 0) return true;
    return false;
}

void DiagList::LogMe() const {
    Log("DiagList::LogMe, count=%u\n", m_uCount);
    Log("  n  StartA  StartB  Length\n");
    Log("---  ------  ------  ------\n");
    for (unsigned i = 0; i < m_uCount; ++i)
        Log("%3u  %6u  %6u  %6u\n", i, m_Diags[i].m_uStartPosA, m_Diags[i].m_uStartPosB, m_Diags[i].m_uLength);
}

unsigned DiagOverlap(const Diag& d1, const Diag& d2) { return SameDiagonal(d1, d2) ? DiagOverlapA(d1, d2) : 0; }

unsigned DiagOverlapA(const Diag& d1, const Diag& d2) {
    return RangeOverlap(d1.m_uStartPosA, d1.m_uLength, d2.m_uStartPosA, d2.m_uLength);
}

unsigned DiagOverlapB(const Diag& d1, const Diag& d2) {
    return RangeOverlap(d1.m_uStartPosB, d1.m_uLength, d2.m_uStartPosB, d2.m_uLength);
}

bool DiagCompatible(const Diag& d1, const Diag& d2) {
    if (DiagOverlapA(d1, d2) > 0) return SameDiagonal(d1, d2);
    return DiagOverlapB(d1, d2) == 0;
}

unsigned DiagBreak(const Diag& d1, const Diag& d2) {
    if (!SameDiagonal(d1, d2)) return 0;
    const int64_t gap = int64_t(std::max(d1.m_uStartPosA, d2.m_uStartPosA)) -
                        int64_t(std::min(d1.m_uStartPosA, d2.m_uStartPosA)) - d1.m_uLength;
    return gap > 0 ? unsigned(gap) : 0;
}

void MergeDiags(DiagList&) {}
