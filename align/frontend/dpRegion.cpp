// DPRegionList and the regions of a diagonal list.
#include "align/frontend/diagonals.h"

#include "align/diagnostics.h"
#include "align/params.h"

void DPRegionList::Add(const DPRegion& r) {
    if (m_uCount == MAX_REGIONS) Quit("DPRegionList::Add, overflow %d", MAX_REGIONS);
    m_Regions[m_uCount++] = r;
}

const DPRegion& DPRegionList::Get(unsigned i) const {
    if (i >= m_uCount) Quit("DPRegionList::Get(%u), count=%u", i, m_uCount);
    return m_Regions[i];
}

unsigned DPRegionList::GetDPArea() const {
    unsigned area = 0;
    for (unsigned i = 0; i < m_uCount; ++i)
        if (m_Regions[i].m_Type == DPREGIONTYPE_Rect) area += m_Regions[i].m_uLengthA * m_Regions[i].m_uLengthB;
    return area;
}

void DPRegionList::LogMe() const {
    Log("DPRegionList::LogMe, count=%u\n", m_uCount);
    Log("Region  Type  StartA  StartB    EndA    EndB\n");
    Log("------  ----  ------  ------    ----    ----\n");
    for (unsigned i = 0; i < m_uCount; ++i) {
        const DPRegion& r = m_Regions[i];
        Log("%6u  ", i);
        // Ends are inclusive.
        if (r.m_Type == DPREGIONTYPE_Diag)
            Log("Diag  %6u  %6u  %6u  %6u\n", r.m_uStartPosA, r.m_uStartPosB, r.m_uStartPosA + r.m_uLengthA - 1,
                r.m_uStartPosB + r.m_uLengthA - 1);
        else if (r.m_Type == DPREGIONTYPE_Rect)
            Log("Rect  %6u  %6u  %6u  %6u\n", r.m_uStartPosA, r.m_uStartPosB, r.m_uStartPosA + r.m_uLengthA - 1,
                r.m_uStartPosB + r.m_uLengthB - 1);
        else
            Log(" *** ERROR *** Type=%u\n", r.m_Type);
    }
}

void DiagListToDPRegionList(const DiagList& list, DPRegionList& regions, unsigned lenA, unsigned lenB) {
    const unsigned m = g_uDiagMargin;
    if (g_uMinDiagLength / 2 < m)
        Quit("Invalid parameters, diagmargin=%d must be <= 2*diaglength=%d", int(m), int(g_uMinDiagLength));
    unsigned posA = 0, posB = 0;
    for (unsigned i = 0; i < list.GetCount(); ++i) {
        const Diag& d = list.Get(i);
        const unsigned long a = d.m_uStartPosA, b = d.m_uStartPosB, length = d.m_uLength;
        // Each piece must start where the one before ended and stay inside the matrix, or the
        // rectangles would overlap or run past the profiles.
        if (a + m < posA || b + m < posB || length < 2ul * m || a + length > lenA || b + length > lenB)
            Quit("DiagListToDPRegionList: diagonal %u (%lu, %lu, length %lu) does not follow position (%u, %u) "
                 "inside %u x %u with margin %u",
                 i, a, b, length, posA, posB, lenA, lenB, m);
        regions.Add(DPRegion{DPREGIONTYPE_Rect, posA, posB, unsigned(a + m - posA), unsigned(b + m - posB)});
        const unsigned long endA = a + length - m;
        if (a + m < endA)
            regions.Add(DPRegion{DPREGIONTYPE_Diag, unsigned(a + m), unsigned(b + m), unsigned(length - 2 * m), 0});
        posA = unsigned(a + length - m);
        posB = unsigned(b + length - m);
    }
    regions.Add(DPRegion{DPREGIONTYPE_Rect, posA, posB, lenA - posA, lenB - posB});
}
