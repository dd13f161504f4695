// Local: the -sw command, two alignments aligned locally.
#include "align/frontend/localAlign.h"

#include <algorithm>
#include <memory>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/tree.h"

namespace {

void ReadAlignment(const char* path, MSA& a) {
    TextFile file(path);
    a.FromFile(file);
}

// Ids 0 .. rows - 1, the alignment's own guide tree for the weights, then its profile.
ProfPos* WeightedProfile(MSA& a) {
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) a.SetSeqId(row, row);
    Tree tree;
    TreeFromMSA(a, tree, g_Cluster1, g_Distance1, g_Root1, nullptr);
    SetCorvidTree(tree);
    return ProfileFromMSA(a);
}

}  // namespace

void Local() {
    if (!g_pstrFileName1 || !g_pstrFileName2) Quit("Must specify both -in1 and -in2 for -sw");
    SetSeqWeightMethod(g_SeqWeight1);
    MSA a, b;
    ReadAlignment(g_pstrFileName1, a);
    ReadAlignment(g_pstrFileName2, b);

    ALPHA alpha = ALPHA_Undefined;
    switch (g_SeqType) {
        case SEQTYPE_Protein: alpha = ALPHA_Amino; break;
        case SEQTYPE_DNA: alpha = ALPHA_DNA; break;
        case SEQTYPE_RNA: alpha = ALPHA_RNA; break;
        case SEQTYPE_Auto: alpha = a.GuessAlpha(); break;
        default: Quit("Invalid SeqType");
    }
    SetAlpha(alpha);
    a.FixAlpha();
    b.FixAlpha();
    if (alpha == ALPHA_DNA || alpha == ALPHA_RNA) SetPPScore(PPSCORE_SPN);

    MSA::SetIdCount(std::max(a.GetSeqCount(), b.GetSeqCount()));
    std::unique_ptr<ProfPos[]> PA(WeightedProfile(a));
    std::unique_ptr<ProfPos[]> PB(WeightedProfile(b));

    PWPath path;
    SW(PA.get(), a.GetColCount(), PB.get(), b.GetColCount(), path);
    MSA out;
    AlignTwoMSAsGivenPathSW(path, a, b, out);
    TextFile file(g_pstrOutFileName, true);
    out.ToFile(file);
}
