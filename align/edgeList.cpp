// EdgeList storage.
#include "align/edgeList.h"

#include "align/diagnostics.h"

namespace {

constexpr unsigned EDGE_LIST_GROWTH = 512;

}  // namespace

EdgeList::~EdgeList() = default;

void EdgeList::Clear() {
    m_uNode1.clear();
    m_uNode2.clear();
    m_uNode1.shrink_to_fit();
    m_uNode2.shrink_to_fit();
    m_uCount = 0;
    m_uCacheSize = 0;
}

void EdgeList::Expand() {
    m_uCacheSize += EDGE_LIST_GROWTH;
    m_uNode1.resize(m_uCacheSize);
    m_uNode2.resize(m_uCacheSize);
}

void EdgeList::Add(unsigned a, unsigned b) {
    if (m_uCount >= m_uCacheSize) Expand();
    m_uNode1[m_uCount] = a;
    m_uNode2[m_uCount] = b;
    ++m_uCount;
}

void EdgeList::GetEdge(unsigned i, unsigned* a, unsigned* b) const {
    if (i >= m_uCount) Quit("EdgeList::GetEdge(%u) count=%u", i, m_uCount);
    *a = m_uNode1[i];
    *b = m_uNode2[i];
}

void EdgeList::Copy(const EdgeList& other) {
    if (&other == this) return;
    Clear();
    for (unsigned i = 0; i < other.m_uCount; ++i) Add(other.m_uNode1[i], other.m_uNode2[i]);
}

void EdgeList::LogMe() const {
    for (unsigned i = 0; i < m_uCount; ++i) {
        if (i > 0) Log(" ");
        Log("%u->%u", m_uNode1[i], m_uNode2[i]);
    }
    Log("\n");
}
