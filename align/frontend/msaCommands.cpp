// The commands on one existing alignment: DoSP, Refine and DoMakeTree.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/objScore.h"
#include "align/params.h"
#include "align/progress.h"
#include "align/refineHoriz.h"
#include "align/refineVert.h"
#include "align/scoringSetup.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/timeLimit.h"
#include "align/tree.h"

namespace {

// The id count fixed at the row count, and ids 0 .. rows - 1.
void NumberRows(MSA& a) {
    MSA::SetIdCount(a.GetSeqCount());
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) a.SetSeqId(row, row);
}

// The alignment's own guide tree (second-stage clustering, distance and rooting).
void TreeOfAlignment(const MSA& a, Tree& tree) { TreeFromMSA(a, tree, g_Cluster2, g_Distance2, g_Root2, nullptr); }

}  // namespace

void DoSP() {
    MSA a;
    ReadMSANotEmpty(g_pstrSPFileName, a);
    SetInputAlphabet(a, nullptr, "Invalid SeqType");
    SetPPScore(true);
    NumberRows(a);
    SetSeqWeightMethod(g_SeqWeight1);
    Tree tree;
    TreeOfAlignment(a, tree);
    SetCorvidTree(tree);
    SetMSAWeightsCorvid(a);
    const SCORE sp = ObjScoreSP(a, nullptr);
    Log("File=%s;SP=%.4g\n", g_pstrSPFileName, sp);
    // The score is the command's only output: not written is a failure.
    if (fprintf(stderr, "File=%s;SP=%.4g\n", g_pstrSPFileName, sp) < 0 || fflush(stderr) != 0) {
        const int e = errno;
        Quit("Cannot write standard error errno=%d %s", e, strerror(e));
    }
}

void Refine() {
    StartCommand(g_pstrInFileName, true);
    MSA a;
    ReadInputMSA(a);
    const ALPHA alpha = SetInputAlphabet(a, nullptr, "Invalid SeqType");
    SetPPScore(true);
    if (IsNucleotide(alpha)) SetPPScore(PPSCORE_SPN);
    NumberRows(a);
    // The input is complete: a time-limit stop saves it, or what refinement makes of it.
    SetCurrentAlignment(a);
    Tree tree;
    TreeOfAlignment(a, tree);
    SetCorvidTree(tree);
    // All g_uMaxIters passes refine here: there is no progressive or tree stage before them.
    if (g_bAnchors)
        RefineVert(a, tree, g_uMaxIters);
    else
        RefineHoriz(a, tree, g_uMaxIters, false, false);
    CorvidOutput(a);
}

void DoMakeTree() {
    if (!g_pstrInFileName || !g_pstrOutFileName) Quit("-maketree requires -in <msa> and -out <treefile>");
    SetStartTime();
    SetSeqWeightMethod(g_SeqWeight1);
    MSA a;
    ReadMSANotEmpty(g_pstrInFileName, a);
    NumberRows(a);
    Progress("%u sequences", a.GetSeqCount());
    // The alphabet, which distances such as ScoreDist need to know the letters.
    SetInputAlphabet(a, nullptr, "Invalid SeqType");
    Tree tree;
    TreeOfAlignment(a, tree);
    {
        TextFile out(g_pstrOutFileName, true);
        tree.ToFile(out);
    }
    Progress("Tree created");
}
