// The two-sequence result cache in front of the alignment engine, and the capture of what an
// engine call prints on standard error.
#include "symmetry/engineCallCache.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "align/msa.h"
#include "align/seqVect.h"
#include "align/corvid.h"

namespace {

// Standard error of the process sent to a temporary file for the length of one engine call.
// The engine ends the process on a fatal error from inside the call: an exit handler then puts
// standard error back and writes out what was captured, so that the error is never lost.
class cStderrCapture {
public:
    // False (and nothing redirected) when the temporary file or the descriptors are unavailable.
    bool start() {
        std::fflush(stderr);
        std::cerr.flush();
        file = std::tmpfile();
        if (!file) return false;
        saved = dup(STDERR_FILENO);
        if (saved < 0 || dup2(fileno(file), STDERR_FILENO) < 0) {
            if (saved >= 0) close(saved);
            std::fclose(file);
            file = nullptr;
            return false;
        }
        active = this;
        static const bool registered = (std::atexit(flushActive) == 0);
        (void)registered;
        return true;
    }

    // Restores standard error and returns what was written to it meanwhile.
    std::string finish() {
        std::fflush(stderr);
        std::cerr.flush();
        dup2(saved, STDERR_FILENO);
        close(saved);
        active = nullptr;
        std::string text;
        std::rewind(file);
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
        std::fclose(file);
        file = nullptr;
        return text;
    }

private:
    static void flushActive() {
        if (!active) return;
        const std::string text = active->finish();
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }

    static inline cStderrCapture* active = nullptr;
    std::FILE* file = nullptr;
    int saved = -1;
};

// Key of an ordered pair: the two letter strings, separated by a byte no sequence holds.
std::string pairKey(const SeqVect& v) {
    const Seq& a = v.GetSeq(0);
    const Seq& b = v.GetSeq(1);
    std::string key(a.begin(), a.end());
    key += '\n';
    key.append(b.begin(), b.end());
    return key;
}

}  // namespace

cEngineCallCache::cEngineCallCache() : engine(DoMultipleCorvid) {}
cEngineCallCache::~cEngineCallCache() = default;

void cEngineCallCache::setEngine(tEngine replacement) {
    engine = replacement ? replacement : DoMultipleCorvid;
    clear();
}

void cEngineCallCache::clear() {
    entries.clear();
    hitCount = missCount = 0;
}

void cEngineCallCache::align(SeqVect& v, MSA& a) {
    lastSilent = false;
    if (!enabled || v.Length() != 2) {
        engine(v, a);
        return;
    }
    const std::string key = pairKey(v);
    auto found = entries.find(key);
    if (found != entries.end()) {
        ++hitCount;
        // The engine's effect on the process and on its input, as far as callers see it.
        MSA::SetIdCount(v.Length());
        for (unsigned i = 0; i < v.Length(); ++i) v.SetSeqId(i, i);
        const sEntry& entry = found->second;
        if (!entry.messages.empty()) {
            std::fwrite(entry.messages.data(), 1, entry.messages.size(), stderr);
            std::fflush(stderr);
        }
        a.Copy(*entry.alignment);
        lastSilent = entry.messages.empty();
        return;
    }

    ++missCount;
    cStderrCapture capture;
    if (!capture.start()) {
        engine(v, a);  // cannot see the warnings: do not keep the result
        return;
    }
    engine(v, a);
    sEntry entry;
    entry.messages = capture.finish();
    if (!entry.messages.empty()) {
        std::fwrite(entry.messages.data(), 1, entry.messages.size(), stderr);
        std::fflush(stderr);
    }
    entry.alignment = std::make_unique<MSA>();
    entry.alignment->Copy(a);
    lastSilent = entry.messages.empty();
    entries.emplace(key, std::move(entry));
}

cEngineCallCache& engineCallCache() {
    static cEngineCallCache cache;
    return cache;
}
