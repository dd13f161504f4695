// Edit strings: conversion from and to paths, composition and application.
#include "align/estring.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/pwPath.h"
#include "align/seq.h"

namespace {

// Builds an edit string run by run, merging steps of one sign.
class EstringBuilder {
public:
    void Add(int steps) {
        if (!m_Runs.empty() && (m_Runs.back() > 0) == (steps > 0))
            m_Runs.back() += steps;
        else
            m_Runs.push_back(steps);
    }
    const std::vector<int>& Runs() const { return m_Runs; }
    int* NewArray() const {
        int* es = new int[m_Runs.size() + 1];
        for (size_t i = 0; i < m_Runs.size(); ++i) es[i] = m_Runs[i];
        es[m_Runs.size()] = 0;
        return es;
    }

private:
    std::vector<int> m_Runs;
};

// Walks an edit string one symbol at a time: +1 for a copied symbol, -1 for an inserted gap.
class EstringSteps {
public:
    explicit EstringSteps(const int* es) : m_es(es) {}
    bool Done() const { return m_es[m_uRun] == 0; }
    int Next() {
        const int run = m_es[m_uRun];
        const int sign = run > 0 ? 1 : -1;
        if (++m_uTaken == static_cast<unsigned>(abs(run))) {
            ++m_uRun;
            m_uTaken = 0;
        }
        return sign;
    }

private:
    const int* m_es;
    unsigned m_uRun = 0;
    unsigned m_uTaken = 0;
};

// Symbols copied from the source, and symbols of the output.
unsigned CopiedCount(const int* es) {
    unsigned count = 0;
    for (const int* p = es; *p; ++p)
        if (*p > 0) count += static_cast<unsigned>(*p);
    return count;
}

unsigned OutputCount(const int* es) {
    unsigned count = 0;
    for (const int* p = es; *p; ++p) count += static_cast<unsigned>(abs(*p));
    return count;
}

void CheckSourceLength(const int* es, unsigned length, const char* operation) {
    const unsigned copied = CopiedCount(es);
    if (copied != length)
        Quit("%s: edit string copies %u symbols, the source has %u", operation, copied, length);
}

// Fills out with the edits applied to source (length symbols).
void ApplyEstring(const int* es, const char* source, unsigned length, const char* operation, std::vector<char>& out) {
    CheckSourceLength(es, length, operation);
    out.clear();
    out.reserve(OutputCount(es));
    unsigned pos = 0;
    for (const int* p = es; *p; ++p) {
        const int run = *p;
        if (run > 0) {
            out.insert(out.end(), source + pos, source + pos + run);
            pos += static_cast<unsigned>(run);
        } else {
            out.insert(out.end(), static_cast<size_t>(-run), '-');
        }
    }
}

}  // namespace

void PathToEstrings(const PWPath& path, int** esA, int** esB) {
    EstringBuilder a, b;
    for (unsigned i = 0; i < path.GetEdgeCount(); ++i) {
        switch (path.GetEdge(i).cType) {
            case 'M':
                a.Add(1);
                b.Add(1);
                break;
            case 'D':
                a.Add(1);
                b.Add(-1);
                break;
            case 'I':
                a.Add(-1);
                b.Add(1);
                break;
            default: Quit("PathToEstrings: invalid edge type '%c'", path.GetEdge(i).cType);
        }
    }
    *esA = a.NewArray();
    *esB = b.NewArray();
}

void EstringsToPath(const int* esA, const int* esB, PWPath& path) {
    path.Clear();
    EstringSteps a(esA), b(esB);
    unsigned prefixA = 0, prefixB = 0;
    while (!a.Done()) {
        if (b.Done()) Quit("EstringsToPath: the second edit string is shorter than the first");
        const int stepA = a.Next();
        const int stepB = b.Next();
        if (stepA < 0 && stepB < 0) Quit("EstringsToPath: gap on both sides at column %u", path.GetEdgeCount());
        if (stepA > 0) ++prefixA;
        if (stepB > 0) ++prefixB;
        path.AppendEdge(stepA < 0 ? 'I' : (stepB < 0 ? 'D' : 'M'), prefixA, prefixB);
    }
    if (!b.Done()) Quit("EstringsToPath: the second edit string is longer than the first");
}

void MulEstrings(const int* es1, const int* es2, int* result, unsigned resultCapacity) {
    const unsigned produced = OutputCount(es1);
    const unsigned consumed = CopiedCount(es2);
    if (produced != consumed)
        Quit("MulEstrings: the second edit string copies %u symbols, the first produces %u", consumed, produced);

    unsigned count = 0;
    auto emit = [&](int steps) {
        if (count > 0 && (result[count - 1] > 0) == (steps > 0)) {
            result[count - 1] += steps;
            return;
        }
        // One place must stay free for the terminator.
        if (count + 1 >= resultCapacity) Quit("MulEstrings: result does not fit %u ints", resultCapacity);
        result[count++] = steps;
    };

    unsigned run1 = 0;
    int left1 = es1[0];  // what remains of es1's current run, with its sign
    for (const int* p = es2; *p; ++p) {
        if (*p < 0) {
            emit(*p);
            continue;
        }
        int need = *p;
        while (need > 0) {
            if (left1 == 0) left1 = es1[++run1];
            const int available = abs(left1);
            const int take = need < available ? need : available;
            emit(left1 > 0 ? take : -take);
            left1 += left1 > 0 ? -take : take;
            need -= take;
        }
    }
    if (resultCapacity == 0) Quit("MulEstrings: result does not fit %u ints", resultCapacity);
    result[count] = 0;
}

void EstringOp(const int* es, const Seq& in, Seq& out) {
    std::vector<char> letters;
    ApplyEstring(es, in.data(), in.Length(), "EstringOp", letters);
    out.assign(letters.begin(), letters.end());
    if (in.GetName()) out.SetName(in.GetName());
    out.SetId(uInsane);
}

void EstringOp(const int* es, const Seq& in, MSA& out) {
    std::vector<char> letters;
    ApplyEstring(es, in.data(), in.Length(), "EstringOp", letters);
    const unsigned id = in.GetId();
    const unsigned length = static_cast<unsigned>(letters.size());
    out.SetSize(1, length);
    if (in.GetName()) out.SetSeqName(0, in.GetName());
    out.SetSeqId(0, id);
    for (unsigned col = 0; col < length; ++col) out.SetChar(0, col, letters[col]);
}

char* EstringOpStr(const int* es, const char* text) {
    std::vector<char> letters;
    ApplyEstring(es, text, static_cast<unsigned>(strlen(text)), "EstringOpStr", letters);
    char* out = new char[letters.size() + 1];
    if (!letters.empty()) memcpy(out, letters.data(), letters.size());
    out[letters.size()] = 0;
    return out;
}

unsigned LengthEstring(const int* es) {
    unsigned n = 0;
    while (es[n] != 0) ++n;
    return n;
}

int* EstringNewCopy(const int* es) {
    const unsigned n = LengthEstring(es);
    int* copy = new int[n + 1];
    memcpy(copy, es, (n + 1) * sizeof(int));
    return copy;
}

void LogEstring(const int* es) {
    Log("<");
    for (unsigned i = 0; es[i] != 0; ++i) {
        if (i > 0) Log(" ");
        Log("%d", es[i]);
    }
    Log(">");
}
