// AlignTwoProfs: profile-profile alignment and the merged profile of the result.
#include "align/alignTwoProfs.h"

#include "align/diagnostics.h"
#include "align/nwSmall.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"

namespace {

// The column before a profile's first: no letters, every row "letter then letter".
ProfPos EmptyColumn() {
    ProfPos pp{};
    pp.LL = 1;
    return pp;
}

void MergeProfPos(const ProfPos& a, const ProfPos& b, ProfPos& out, WEIGHT wA, WEIGHT wB) {
    if (g_bNormalizeCounts) {
        const WEIGHT wa = wA * a.fOcc / (wA + wB);
        const WEIGHT wb = wB * b.fOcc / (wA + wB);
        FCOUNT sum = 0;
        for (unsigned i = 0; i < MAX_ALPHA; ++i) {
            out.fcCounts[i] = a.fcCounts[i] * wa + b.fcCounts[i] * wb;
            sum += out.fcCounts[i];
        }
        if (sum > 0)
            for (unsigned i = 0; i < MAX_ALPHA; ++i) out.fcCounts[i] /= sum;
        return;
    }
    for (unsigned i = 0; i < MAX_ALPHA; ++i) out.fcCounts[i] = a.fcCounts[i] * wA + b.fcCounts[i] * wB;
}

// Gap transitions of the merged column from the previous edge's type and this edge's type.
void MergeTransitions(char prev, char cur, const ProfPos& a, const ProfPos& b, WEIGHT wA, WEIGHT wB, ProfPos& o) {
    const FCOUNT LLa = a.LL, LGa = a.LG, GLa = a.GL, GGa = a.GG;
    const FCOUNT LLb = b.LL, LGb = b.LG, GLb = b.GL, GGb = b.GG;
    const int key = (prev << 8) | cur;
    switch (key) {
        case ('M' << 8) | 'M':
            o.LL = LLa * wA + LLb * wB;
            o.LG = LGa * wA + LGb * wB;
            o.GL = GLa * wA + GLb * wB;
            o.GG = GGa * wA + GGb * wB;
            break;
        case ('M' << 8) | 'D':
            o.LL = LLa * wA;
            o.LG = LGa * wA + (LLb + GLb) * wB;
            o.GL = GLa * wA;
            o.GG = GGa * wA + (LGb + GGb) * wB;
            break;
        case ('M' << 8) | 'I':
            o.LL = LLb * wB;
            o.LG = LGb * wB + (LLa + GLa) * wA;
            o.GL = GLb * wB;
            o.GG = GGb * wB + (LGa + GGa) * wA;
            break;
        case ('D' << 8) | 'M':
            o.LL = LLa * wA;
            o.LG = LGa * wA;
            o.GL = GLa * wA + (LLb + GLb) * wB;
            o.GG = GGa * wA + (LGb + GGb) * wB;
            break;
        case ('D' << 8) | 'D':
            o.LL = LLa * wA;
            o.LG = LGa * wA;
            o.GL = GLa * wA;
            o.GG = GGa * wA + wB;
            break;
        case ('D' << 8) | 'I':
            o.LL = 0;
            o.LG = (LLa + GLa) * wA;
            o.GL = (LLb + GLb) * wB;
            o.GG = (LGa + GGa) * wA + (LGb + GGb) * wB;
            break;
        case ('I' << 8) | 'M':
            o.LL = LLb * wB;
            o.LG = LGb * wB;
            o.GL = GLb * wB + (LLa + GLa) * wA;
            o.GG = GGb * wB + (LGa + GGa) * wA;
            break;
        case ('I' << 8) | 'D':
            o.LL = 0;
            o.LG = (LLb + GLb) * wB;
            o.GL = (LLa + GLa) * wA;
            o.GG = (LGa + GGa) * wA + (LGb + GGb) * wB;
            break;
        case ('I' << 8) | 'I':
            o.LL = LLb * wB;
            o.LG = LGb * wB;
            o.GL = GLb * wB;
            o.GG = GGb * wB + wA;
            break;
        default:
            if (prev != 'M' && prev != 'D' && prev != 'I') Quit("Bad cPrevType");
            Quit("AlignTwoProfsGivenPath: invalid edge type '%c'", cur);
    }
}

}  // namespace

void AlignTwoProfsGivenPath(const PWPath& path, const ProfPos* A, unsigned lengthA, WEIGHT weightA,
                            const ProfPos* B, unsigned lengthB, WEIGHT weightB, ProfPos** out, unsigned* outLength) {
    const unsigned edgeCount = path.GetEdgeCount();
    ProfPos* merged = new ProfPos[edgeCount]();
    const ProfPos empty = EmptyColumn();
    char prev = 'M';
    for (unsigned i = 0; i < edgeCount; ++i) {
        const PWEdge& e = path.GetEdge(i);
        if (e.uPrefixLengthA > lengthA || e.uPrefixLengthB > lengthB)
            Quit("AlignTwoProfsGivenPath: edge %u (%c%u.%u) beyond profiles of %u and %u columns", i, e.cType,
                 e.uPrefixLengthA, e.uPrefixLengthB, lengthA, lengthB);
        const ProfPos& a = e.uPrefixLengthA == 0 ? empty : A[e.uPrefixLengthA - 1];
        const ProfPos& b = e.uPrefixLengthB == 0 ? empty : B[e.uPrefixLengthB - 1];
        ProfPos& o = merged[i];
        o.bAllGaps = false;
        switch (e.cType) {
            case 'M': MergeProfPos(a, b, o, weightA, weightB); break;
            case 'D': MergeProfPos(a, b, o, weightA, 0); break;
            case 'I': MergeProfPos(a, b, o, 0, weightB); break;
            default: Quit("AlignTwoProfsGivenPath: invalid edge type '%c'", e.cType);
        }
        MergeTransitions(prev, e.cType, a, b, weightA, weightB, o);
        prev = e.cType;
    }
    for (unsigned i = 0; i < edgeCount; ++i) SetProfPosScores(merged, i, edgeCount);
    *out = merged;
    *outLength = edgeCount;
}

void AlignTwoProfs(ProfPos* A, unsigned lengthA, WEIGHT weightA, ProfPos* B, unsigned lengthB, WEIGHT weightB,
                   PWPath& path, ProfPos** out, unsigned* outLength) {
    GlobalAlign(A, lengthA, B, lengthB, path);
    const WEIGHT total = weightA + weightB;
    AlignTwoProfsGivenPath(path, A, lengthA, weightA / total, B, lengthB, weightB / total, out, outLength);
}
