// DistFunc: a square matrix of pairwise sequence distances with a name and an id per row.
#pragma once

#include <memory>
#include <vector>

// The matrix is stored in full, row-major with row length = count; SetDist keeps it symmetric.
// Indexes are not checked.
class DistFunc {
public:
    DistFunc() = default;
    virtual ~DistFunc();
    DistFunc(const DistFunc&) = delete;
    DistFunc& operator=(const DistFunc&) = delete;

    // Growing starts afresh (zero distances, no names, ids 0xFFFFFFFF); a count within the
    // capacity keeps the old contents.
    virtual void SetCount(unsigned count);
    virtual void SetDist(unsigned i, unsigned j, float dist);
    virtual float GetDist(unsigned i, unsigned j) const;
    virtual unsigned GetCount() const { return m_uCount; }

    void SetName(unsigned i, const char* name);
    void SetId(unsigned i, unsigned id);
    // Null until set.
    const char* GetName(unsigned i) const;
    unsigned GetId(unsigned i) const;

    unsigned VectorIndex(unsigned i, unsigned j) const { return i * m_uCount + j; }
    unsigned VectorLength() const { return m_uCount * m_uCount; }

    // The lower triangle with names, through Log.
    void LogMe() const;

private:
    unsigned m_uCount = 0;
    unsigned m_uCacheCount = 0;
    std::vector<float> m_Dists;
    std::vector<std::unique_ptr<char[]>> m_Names;
    std::vector<unsigned> m_Ids;
};
