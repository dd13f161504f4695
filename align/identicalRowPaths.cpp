// IdenticalRowsJoin: profile-profile paths between blocks of the same identical rows, kept
// under the row, the weight sums that reach the dynamic programming and the locks.
#include "align/identicalRowPaths.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "align/alpha.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/pwPath.h"
#include "align/scoreMatrix.h"
#include "align/seqWeights.h"

namespace {

// Beyond this many bytes of keys, paths and key hashes everything kept is forgotten. The paths
// of one assembly of identical chains take about twice its chain length for each distinct pair
// of block sums and locks.
constexpr std::size_t MAX_KEPT_BYTES = 1u << 20;
// What a hash-table entry costs besides its contents: the node with its links and the
// allocator's padding, and its bucket.
constexpr std::size_t ENTRY_BYTES = 4 * sizeof(void*);

// Everything besides the two blocks that the profiles and the dynamic programming read: the
// alphabet (which letters are gaps, wildcards or letters), the letter scores, the gap scores,
// the terminal-gap policy and the score function. Four-byte fields only, so that the whole
// record compares as bytes.
struct Parameters {
    std::uint32_t alpha;
    std::uint32_t alphaSize;
    std::uint32_t normalizeCounts;
    std::uint32_t termGaps;
    std::uint32_t ppScore;
    float gapOpen;
    float gapExtend;
    float center;
    SCOREMATRIX matrix;
};
static_assert(sizeof(Parameters) == 8 * 4 + sizeof(SCOREMATRIX), "Parameters must have no padding");

Parameters CurrentParameters() {
    Parameters p;
    p.alpha = static_cast<std::uint32_t>(g_Alpha);
    p.alphaSize = g_AlphaSize;
    p.normalizeCounts = g_bNormalizeCounts ? 1 : 0;
    p.termGaps = static_cast<std::uint32_t>(g_TermGaps);
    p.ppScore = static_cast<std::uint32_t>(g_PPScore);
    p.gapOpen = g_scoreGapOpen;
    p.gapExtend = g_scoreGapExtend;
    p.center = g_scoreCenter;
    memcpy(p.matrix, *g_ptrScoreMatrix, sizeof p.matrix);
    return p;
}

struct KeptPaths {
    bool enabled = true;
    bool haveParameters = false;
    Parameters parameters;
    // Each path as its edge types: a path of the dynamic programming starts at (0, 0) and every
    // edge advances the prefix lengths as its type says, which gives back the prefix lengths.
    std::unordered_map<std::string, std::string> paths;
    // Hashes of the keys with weight sums met once. Such a key recurs only where blocks of the
    // same sizes meet again, and most never do (a progressive alignment of identical sequences
    // that start with a wildcard joins each size once): their paths are kept on the second
    // meeting, so that the others cost no more than their hash. Keys without sums, which
    // blocks of every size share, are kept at once.
    std::unordered_set<std::size_t> met;
    std::size_t bytes = 0;
    unsigned long reuses = 0;

    void Forget() {
        paths = {};  // the buckets too
        met = {};
        bytes = 0;
    }
    // Paths computed under other parameters would not be the ones the current ones give.
    void ForgetIfParametersChanged() {
        const Parameters now = CurrentParameters();
        if (haveParameters && memcmp(&now, &parameters, sizeof now) == 0) return;
        Forget();
        parameters = now;
        haveParameters = true;
    }
};

KeptPaths& Kept() {
    static KeptPaths kept;
    return kept;
}

void AppendBits(std::string& key, float x) {
    char bytes[sizeof x];
    memcpy(bytes, &x, sizeof x);
    key.append(bytes, sizeof bytes);
}

PWEdge Advance(const PWEdge& previous, char type) {
    return PWEdge{type, previous.uPrefixLengthA + (type == 'I' ? 0u : 1u),
                  previous.uPrefixLengthB + (type == 'D' ? 0u : 1u)};
}

// The edge types, or nothing when some edge does not follow from those before it.
bool EdgeTypes(const PWPath& path, std::string& types) {
    PWEdge at{'M', 0, 0};
    for (unsigned i = 0; i < path.GetEdgeCount(); ++i) {
        const PWEdge& e = path.GetEdge(i);
        if (e.cType != 'M' && e.cType != 'D' && e.cType != 'I') return false;
        at = Advance(at, e.cType);
        if (!at.Equal(e)) return false;
        types += e.cType;
    }
    return true;
}

void PathFromTypes(const std::string& types, PWPath& path) {
    path.Clear();
    path.ExpandPath(static_cast<unsigned>(types.size()) + 1);
    PWEdge at{'M', 0, 0};
    for (const char type : types) {
        at = Advance(at, type);
        path.AppendEdge(at);
    }
}

// IdenticalRowsBlockKey; weighted tells whether the part holds a weight sum.
bool BlockKey(const MSA& a, std::string& key, bool& weighted) {
    const unsigned rowCount = a.GetSeqCount();
    const unsigned colCount = a.GetColCount();
    if (rowCount == 0 || colCount == 0) return false;
    if (g_Alpha != ALPHA_Amino && g_Alpha != ALPHA_DNA && g_Alpha != ALPHA_RNA) return false;
    const char* row = a.GetSeqBuffer(0);
    for (unsigned r = 1; r < rowCount; ++r)
        if (memcmp(a.GetSeqBuffer(r), row, colCount) != 0) return false;

    bool gap = false, letter = false, wildcard = false;
    for (unsigned col = 0; col < colCount; ++col) {
        const char c = row[col];
        if (IsGapChar(c))
            gap = true;
        else if (IsWildcardChar(c))
            wildcard = true;
        else if (CharToLetter(c) >= 20)
            return false;
        else
            letter = true;
    }

    SetMSAWeightsCorvid(const_cast<MSA&>(a));
    // The sums as the profile counts form them: every column of identical rows adds each row's
    // w (or its wildcard share) to the same few sums, in row order.
    FCOUNT s1 = 0, s2 = 0, s20 = 0;
    for (unsigned r = 0; r < rowCount; ++r) {
        const WEIGHT w = a.GetSeqWeight(r);
        s1 += w;
        s2 += w / 2;
        s20 += w / 20;
    }
    if (g_bNormalizeCounts && letter && s1 > 1.001) return false;

    // A letter's normalised frequency is s1 / s1, exactly 1; unnormalised it is s1. Gap columns
    // read s1 in their occupancy and gap scores. Wildcards are never normalised.
    const bool needS1 = gap || (letter && !(g_bNormalizeCounts && s1 > 0));
    key += static_cast<char>((needS1 ? 1 : 0) | (wildcard ? 2 : 0));
    AppendBits(key, needS1 ? s1 : 0.0f);
    AppendBits(key, wildcard ? s2 : 0.0f);
    AppendBits(key, wildcard ? s20 : 0.0f);
    weighted = needS1 || wildcard;
    return true;
}

}  // namespace

bool IdenticalRowsBlockKey(const MSA& a, std::string& key) {
    bool weighted = false;
    return BlockKey(a, key, weighted);
}

IdenticalRowsJoin::IdenticalRowsJoin(const MSA& a, const MSA& b, bool lockLeft, bool lockRight) {
    if (!Kept().enabled || !g_ptrScoreMatrix) return;
    const unsigned colCount = a.GetColCount();
    if (colCount == 0 || b.GetColCount() != colCount || a.GetSeqCount() == 0 || b.GetSeqCount() == 0) return;
    if (memcmp(a.GetSeqBuffer(0), b.GetSeqBuffer(0), colCount) != 0) return;
    std::string key(a.GetSeqBuffer(0), colCount);
    bool weightedA = false, weightedB = false;
    if (!BlockKey(a, key, weightedA) || !BlockKey(b, key, weightedB)) return;
    key += static_cast<char>((lockLeft ? 1 : 0) | (lockRight ? 2 : 0));
    m_Key = std::move(key);
    m_bWeighted = weightedA || weightedB;
    Kept().ForgetIfParametersChanged();
}

bool IdenticalRowsJoin::Find(PWPath& path) const {
    if (m_Key.empty()) return false;
    KeptPaths& kept = Kept();
    const auto found = kept.paths.find(m_Key);
    if (found == kept.paths.end()) return false;
    PathFromTypes(found->second, path);
    ++kept.reuses;
    return true;
}

void IdenticalRowsJoin::Keep(const PWPath& path) const {
    if (m_Key.empty()) return;
    KeptPaths& kept = Kept();
    if (m_bWeighted) {
        const std::size_t hash = std::hash<std::string>{}(m_Key);
        if (kept.met.count(hash) == 0) {
            const std::size_t bytes = sizeof hash + ENTRY_BYTES;
            if (kept.bytes + bytes > MAX_KEPT_BYTES) kept.Forget();
            kept.met.insert(hash);
            kept.bytes += bytes;
            return;
        }
    }
    std::string types;
    if (!EdgeTypes(path, types)) return;
    const std::size_t bytes = m_Key.size() + types.size() + ENTRY_BYTES;
    if (bytes > MAX_KEPT_BYTES) return;
    if (kept.bytes + bytes > MAX_KEPT_BYTES) kept.Forget();
    if (kept.paths.emplace(m_Key, std::move(types)).second) kept.bytes += bytes;
}

IdenticalRowPathsCall::IdenticalRowPathsCall() { Kept().Forget(); }

IdenticalRowPathsCall::~IdenticalRowPathsCall() { Kept().Forget(); }

void SetIdenticalRowPathsEnabled(bool enabled) {
    KeptPaths& kept = Kept();
    kept.enabled = enabled;
    kept.Forget();
    kept.reuses = 0;
}

unsigned long IdenticalRowPathReuses() { return Kept().reuses; }
