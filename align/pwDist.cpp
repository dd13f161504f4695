// DistPWKimura and DistPWScoreDist.
#include "align/pwDist.h"

#include "align/alignTwoMSAs.h"
#include "align/distFunc.h"
#include "align/msa.h"
#include "align/pctIdDist.h"
#include "align/progress.h"
#include "align/pwPath.h"
#include "align/scoreDist.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"

namespace {

constexpr unsigned PAIRS_PER_PROGRESS = 20;

// Aligns every pair i > j and stores distance(alignment) at (i, j).
template <typename Distance>
void PairwiseDistances(const SeqVect& v, DistFunc& df, const char* description, Distance distance) {
    const SEQWEIGHT saved = GetSeqWeightMethod();
    SetSeqWeightMethod(SEQWEIGHT_Henikoff);
    const unsigned n = v.Length();
    df.SetCount(n);
    SetProgressDesc(description);
    const unsigned pairTotal = n * (n + 1) / 2;
    unsigned pair = 0;
    for (unsigned i = 0; i < n; ++i) {
        for (unsigned j = 0; j < i; ++j) {
            if (pair % PAIRS_PER_PROGRESS == 0) Progress(pair, pairTotal);
            ++pair;
            MSA a, b, aligned;
            a.FromSeq(v.GetSeq(i));
            b.FromSeq(v.GetSeq(j));
            PWPath path;
            AlignTwoMSAs(a, b, aligned, path, false, false);
            df.SetDist(i, j, static_cast<float>(distance(aligned)));
        }
    }
    if (pair > 0) ProgressStepsDone();
    SetSeqWeightMethod(saved);
}

}  // namespace

void DistPWKimura(const SeqVect& v, DistFunc& df) {
    PairwiseDistances(v, df, "PWKimura distance",
                      [](const MSA& aligned) { return KimuraDist(aligned.GetPctIdentityPair(0, 1)); });
}

void DistPWScoreDist(const SeqVect& v, DistFunc& df) {
    PairwiseDistances(v, df, "PW ScoreDist", [](const MSA& aligned) { return GetScoreDist(aligned, 0, 1); });
}
