// Reuse of the alignment engine's results for two-sequence inputs: chain matching aligns every
// ordered pair of chains, and in an assembly of identical chains nearly all pairs repeat.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

class MSA;
class SeqVect;

// An engine call's result depends only on its input sequences (the engine sets its alphabet and
// weighting again on every call and never refines two sequences), so the alignment of two
// sequences is kept under the ordered pair of their letters and copied out when the same pair
// comes again. What the engine printed on standard error during the first call (its warnings)
// is printed again on every reuse, so the run's output is the same with or without the cache.
// Inputs of any other size always go to the engine.
class cEngineCallCache {
public:
    // The engine entry that the cache stands in front of.
    using tEngine = void (*)(SeqVect&, MSA&);

    cEngineCallCache();
    ~cEngineCallCache();
    cEngineCallCache(const cEngineCallCache&) = delete;
    cEngineCallCache& operator=(const cEngineCallCache&) = delete;

    // DoMultipleCorvid(v, a), or the copy of an earlier result; a is empty on entry. On reuse v
    // gets its ids 0 .. n-1 but not the engine's other changes to its letters.
    void align(SeqVect& v, MSA& a);

    // Disabled, every call goes to the engine (and nothing is stored).
    void setEnabled(bool enabled) { this->enabled = enabled; }
    // Replaces the engine entry (null: DoMultipleCorvid) and forgets every stored result; for
    // tests that need alignments of a known shape.
    void setEngine(tEngine engine);
    void clear();

    // True when the last align() went through the cache and printed nothing (neither the
    // engine's call nor its reuse): reusing what the caller made of its result then prints
    // nothing less.
    bool lastCallPrintedNothing() const { return lastSilent; }

    std::size_t hits() const { return hitCount; }
    std::size_t misses() const { return missCount; }

private:
    struct sEntry {
        std::unique_ptr<MSA> alignment;
        std::string messages;  // standard error of the engine call
    };
    std::unordered_map<std::string, sEntry> entries;
    tEngine engine;
    bool enabled = true;
    std::size_t hitCount = 0;
    std::size_t missCount = 0;
    bool lastSilent = false;
};

// The cache that chain matching uses, one per process like the engine's own state.
cEngineCallCache& engineCallCache();
