// PWPath storage, checks, construction from alignments and strings, path files and DiffPaths.
#include "align/pwPath.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/textFile.h"
#include "align/textUtils.h"

namespace {

// The first room made by appending; after it the array doubles when full, so that a path of n
// edges built or copied edge by edge costs time in proportion to n.
constexpr unsigned APPEND_GROWTH = 200;
// Path files are read as blank-separated tokens; braces stand alone.
constexpr unsigned TOKEN_SIZE = 1024;
// Edges per line of LogMe.
constexpr unsigned EDGES_PER_LOG_LINE = 10;

unsigned ParseUnsigned(const char* text) { return static_cast<unsigned>(strtoul(text, nullptr, 10)); }

}  // namespace

void PWPath::Clear() {
    m_Edges.reset();
    m_uEdgeCount = 0;
    m_uArraySize = 0;
}

void PWPath::Grow(unsigned n) {
    std::unique_ptr<PWEdge[]> edges(new PWEdge[m_uArraySize + n]);
    if (m_uEdgeCount > 0) memcpy(edges.get(), m_Edges.get(), m_uEdgeCount * sizeof(PWEdge));
    m_Edges = std::move(edges);
    m_uArraySize += n;
}

void PWPath::ExpandPath(unsigned n) { Grow(n); }

void PWPath::AppendEdge(const PWEdge& e) {
    if (m_uArraySize == 0 || m_uEdgeCount + 1 == m_uArraySize) Grow(std::max(APPEND_GROWTH, m_uArraySize));
    m_Edges[m_uEdgeCount++] = e;
}

void PWPath::AppendEdge(char type, unsigned prefixA, unsigned prefixB) { AppendEdge(PWEdge{type, prefixA, prefixB}); }

void PWPath::Reverse() { std::reverse(m_Edges.get(), m_Edges.get() + m_uEdgeCount); }

unsigned PWPath::GetMatchCount() const {
    unsigned count = 0;
    for (unsigned i = 0; i < m_uEdgeCount; ++i)
        if (m_Edges[i].cType == 'M') ++count;
    return count;
}

unsigned PWPath::GetInsertCount() const {
    unsigned count = 0;
    for (unsigned i = 0; i < m_uEdgeCount; ++i)
        if (m_Edges[i].cType == 'I') ++count;
    return count;
}

unsigned PWPath::GetDeleteCount() const {
    unsigned count = 0;
    for (unsigned i = 0; i < m_uEdgeCount; ++i)
        if (m_Edges[i].cType == 'D') ++count;
    return count;
}

void PWPath::Copy(const PWPath& other) {
    if (&other == this) return;
    Clear();
    for (unsigned i = 0; i < other.m_uEdgeCount; ++i) AppendEdge(other.m_Edges[i]);
}

bool PWPath::Equal(const PWPath& other) const {
    if (m_uEdgeCount != other.m_uEdgeCount) return false;
    for (unsigned i = 0; i < m_uEdgeCount; ++i)
        if (!m_Edges[i].Equal(other.m_Edges[i])) return false;
    return true;
}

void PWPath::AssertEqual(const PWPath& other) const {
    if (m_uEdgeCount != other.m_uEdgeCount) {
        Log("PWPath::AssertEqual, this=\n");
        LogMe();
        Log("\nOther path=\n");
        other.LogMe();
        Quit("PWPath::AssertEqual, Edge count different %u %u\n", m_uEdgeCount, other.m_uEdgeCount);
    }
    for (unsigned i = 0; i < m_uEdgeCount; ++i) {
        const PWEdge& e1 = m_Edges[i];
        const PWEdge& e2 = other.m_Edges[i];
        if (e1.Equal(e2)) continue;
        Log("PWPath::AssertEqual, this=\n");
        LogMe();
        Log("\nOther path=\n");
        other.LogMe();
        Log("This edge %c%u.%u, other edge %c%u.%u\n", e1.cType, e1.uPrefixLengthA, e1.uPrefixLengthB, e2.cType,
            e2.uPrefixLengthA, e2.uPrefixLengthB);
        Quit("PWPath::AssertEqual, edge %u different\n", i);
    }
}

void PWPath::Validate() const {
    if (m_uEdgeCount < 2) return;
    unsigned a = m_Edges[0].uPrefixLengthA;
    unsigned b = m_Edges[0].uPrefixLengthB;
    for (unsigned i = 1; i < m_uEdgeCount; ++i) {
        const PWEdge& e = m_Edges[i];
        switch (e.cType) {
            case 'M':
                if (e.uPrefixLengthA != a + 1) Quit("PWPath::Validate MA %u", i);
                if (e.uPrefixLengthB != b + 1) Quit("PWPath::Validate MB %u", i);
                break;
            case 'D':
                if (e.uPrefixLengthA != a + 1) Quit("PWPath::Validate DA %u", i);
                if (e.uPrefixLengthB != b) Quit("PWPath::Validate DB %u", i);
                break;
            case 'I':
                if (e.uPrefixLengthA != a) Quit("PWPath::Validate IA %u", i);
                if (e.uPrefixLengthB != b + 1) Quit("PWPath::Validate IB %u", i);
                break;
            default:
                // Other letters (local-alignment states) carry no arithmetic to check.
                continue;
        }
        a = e.uPrefixLengthA;
        b = e.uPrefixLengthB;
    }
}

void PWPath::LogMe() const {
    for (unsigned i = 0; i < m_uEdgeCount; ++i) {
        const PWEdge& e = m_Edges[i];
        if (i > 0) Log(" ");
        Log("%c%d.%d", e.cType, static_cast<int>(e.uPrefixLengthA), static_cast<int>(e.uPrefixLengthB));
        if ((i > 0 && i % EDGES_PER_LOG_LINE == 0) || i + 1 == m_uEdgeCount) Log("\n");
    }
}

void PWPath::FromMSAPair(const MSA& a, const MSA& b) {
    const unsigned colCount = a.GetColCount();
    if (b.GetColCount() != colCount) Quit("PWPath::FromMSAPair, lengths differ");
    Clear();
    unsigned prefixA = 0, prefixB = 0;
    for (unsigned col = 0; col < colCount; ++col) {
        const bool gapA = a.IsGapColumn(col);
        const bool gapB = b.IsGapColumn(col);
        if (gapA && gapB) continue;
        if (!gapA) ++prefixA;
        if (!gapB) ++prefixB;
        AppendEdge(gapA ? 'I' : (gapB ? 'D' : 'M'), prefixA, prefixB);
    }
}

void PWPath::FromStr(const char* text) {
    Clear();
    unsigned prefixA = 0, prefixB = 0;
    for (const char* p = text; *p; ++p) {
        switch (*p) {
            case 'M':
                ++prefixA;
                ++prefixB;
                break;
            case 'D': ++prefixA; break;
            case 'I': ++prefixB; break;
            default: Quit("PWPath::FromStr, invalid state %c", *p);
        }
        AppendEdge(*p, prefixA, prefixB);
    }
}

void PWPath::ToFile(TextFile& file) const {
    file.PutString("Path\n");
    file.PutFormat("edges %u\n", m_uEdgeCount);
    for (unsigned i = 0; i < m_uEdgeCount; ++i) {
        const PWEdge& e = m_Edges[i];
        file.PutFormat("%u %c %u %u\n", i, e.cType, e.uPrefixLengthA, e.uPrefixLengthB);
    }
    file.PutString("//\n");
}

void PWPath::FromFile(TextFile& file) {
    Clear();
    char token[TOKEN_SIZE];
    file.GetTokenX(token, TOKEN_SIZE, "{}");
    if (strcmp(token, "Path") != 0) Quit("Invalid path file (Path)");
    file.GetTokenX(token, TOKEN_SIZE, "{}");
    if (strcmp(token, "edges") != 0) Quit("Invalid path file (edges)");
    file.GetTokenX(token, TOKEN_SIZE, "{}");
    if (!IsValidInteger(token)) Quit("Invalid path file (edges value)");
    const unsigned edgeCount = ParseUnsigned(token);
    for (unsigned n = 0; n < edgeCount; ++n) {
        file.GetTokenX(token, TOKEN_SIZE, "{}");
        if (!IsValidInteger(token)) Quit("Invalid path file, invalid index '%s'", token);
        const unsigned index = ParseUnsigned(token);
        if (index != n) Quit("Invalid path file, expecting edge %u got %u", n, index);

        file.GetTokenX(token, TOKEN_SIZE, "{}");
        if (strlen(token) != 1) Quit("Invalid path file, expecting state, got '%s'", token);
        const char state = token[0];
        if (state != 'M' && state != 'D' && state != 'I' && state != 'S')
            Quit("Invalid path file, expecting state, got '%c'", state);

        file.GetTokenX(token, TOKEN_SIZE, "{}");
        if (!IsValidInteger(token)) Quit("Invalid path file, bad prefix length A '%s'", token);
        const unsigned prefixA = ParseUnsigned(token);
        file.GetTokenX(token, TOKEN_SIZE, "{}");
        if (!IsValidInteger(token)) Quit("Invalid path file, bad prefix length B '%s'", token);
        const unsigned prefixB = ParseUnsigned(token);
        AppendEdge(state, prefixA, prefixB);
    }
    file.GetTokenX(token, TOKEN_SIZE, "{}");
    if (strcmp(token, "//") != 0) Quit("Invalid path file (//)");
}

void DiffPaths(const PWPath& p1, const PWPath& p2, unsigned edges1[], unsigned* count1, unsigned edges2[],
               unsigned* count2) {
    const unsigned n1 = p1.GetEdgeCount();
    const unsigned n2 = p2.GetEdgeCount();
    unsigned i1 = 0, i2 = 0, c1 = 0, c2 = 0;
    while (i1 < n1 && i2 < n2) {
        const PWEdge& e1 = p1.GetEdge(i1);
        const PWEdge& e2 = p2.GetEdge(i2);
        const unsigned before1 = i1, before2 = i2;
        if (e1.uPrefixLengthA == e2.uPrefixLengthA && e1.uPrefixLengthB == e2.uPrefixLengthB) {
            if (e1.cType != e2.cType) {
                edges1[c1++] = i1;
                edges2[c2++] = i2;
            }
            ++i1;
            ++i2;
        } else if (e2.uPrefixLengthA < e1.uPrefixLengthA || e2.uPrefixLengthB < e1.uPrefixLengthB) {
            edges2[c2++] = i2++;
        } else {
            edges1[c1++] = i1++;
        }
        if (i1 == before1 && i2 == before2) Quit("DiffPaths stuck");
    }
    while (i2 < n2) edges2[c2++] = i2++;
    while (i1 < n1) edges1[c1++] = i1++;
    *count1 = c1;
    *count2 = c2;
}

void TestDiffPaths() {
    PWPath p1, p2;
    p1.AppendEdge('M', 1, 1);
    p1.AppendEdge('M', 2, 2);
    p1.AppendEdge('M', 3, 3);
    p2.AppendEdge('M', 1, 1);
    p2.AppendEdge('D', 2, 1);
    p2.AppendEdge('I', 2, 2);
    p2.AppendEdge('M', 3, 3);
    unsigned edges1[4], edges2[4];
    unsigned count1 = 0, count2 = 0;
    DiffPaths(p1, p2, edges1, &count1, edges2, &count2);
}
