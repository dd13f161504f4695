// DistFunc storage and its log dump.
#include "align/distFunc.h"

#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/textUtils.h"

DistFunc::~DistFunc() = default;

void DistFunc::SetCount(unsigned count) {
    m_uCount = count;
    if (count <= m_uCacheCount) return;
    m_Dists.assign(static_cast<size_t>(count) * count, 0.0f);
    m_Names.clear();
    m_Names.resize(count);
    m_Ids.assign(count, NO_INDEX);
    m_uCacheCount = count;
}

void DistFunc::SetDist(unsigned i, unsigned j, float dist) {
    m_Dists[static_cast<size_t>(i) * m_uCount + j] = dist;
    m_Dists[static_cast<size_t>(j) * m_uCount + i] = dist;
}

float DistFunc::GetDist(unsigned i, unsigned j) const { return m_Dists[static_cast<size_t>(i) * m_uCount + j]; }

void DistFunc::SetName(unsigned i, const char* name) { m_Names[i].reset(name ? strsave(name) : nullptr); }

void DistFunc::SetId(unsigned i, unsigned id) { m_Ids[i] = id; }

const char* DistFunc::GetName(unsigned i) const { return m_Names[i].get(); }

unsigned DistFunc::GetId(unsigned i) const { return m_Ids[i]; }

void DistFunc::LogMe() const {
    Log("DistFunc::LogMe count=%u\n", m_uCount);
    Log("                     ");
    for (unsigned j = 0; j < m_uCount; ++j) Log(" %7u", j);
    Log("\n");
    Log("                     ");
    for (unsigned j = 0; j < m_uCount; ++j) Log(" %7.7s", GetName(j) ? GetName(j) : "");
    Log("\n");
    for (unsigned i = 0; i < m_uCount; ++i) {
        Log("%4u  %10.10s  :  ", i, GetName(i) ? GetName(i) : "");
        for (unsigned j = 0; j <= i; ++j) Log(" %7.4g", GetDist(i, j));
        Log("\n");
    }
}
