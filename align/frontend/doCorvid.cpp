// DoCorvid and CORVID: the alignment of unaligned sequences, from a file and for the windows of
// windowed refinement.
#include "align/alpha.h"
#include "align/corvid.h"
#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/msa.h"
#include "align/options.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/tree.h"

void DoCorvid() {
    StartCommand(g_pstrInFileName, false);
    SeqVect v;
    ReadSeqs(g_pstrInFileName, v);
    MSA a;
    DoMultipleCorvid(v, a);
    // Runs whose only outputs DoMultipleCorvid has written: a lone sequence (as FASTA), the
    // cluster-only stop (the Tree1 file) and the weights file.
    const bool clusterOnly = g_bClusterOnly && ValueOpt("Tree1") != nullptr;
    if (v.Length() == 1 || clusterOnly || g_pstrComputeWeightsFileName) return;
    CorvidOutput(a);
}

void CORVID(SeqVect& v, MSA& a) {
    const unsigned n = v.Length();
    if (n == 0) Quit("No sequences in input file");
    const ALPHA alpha = SeqTypeAlpha(v.GuessAlpha(), "Invalid seq type");
    SetAlpha(alpha);
    v.FixAlpha();
    if (IsNucleotide(alpha)) {
        SetPPScore(PPSCORE_SPN);
        g_Distance1 = DISTANCE_Kmer4_6;
    }
    ReportSeqStats(v);
    MSA::SetIdCount(n);

    // One sequence of any alphabet is its own alignment; a one-leaf guide tree has nothing to
    // align. The row keeps the sequence's id, by which callers find it.
    if (n == 1) {
        a.FromSeq(v.GetSeq(0));
        a.SetSeqId(0, v.GetSeqId(0));
        return;
    }
    MHackStart(v);

    Tree tree;
    ProgNodes nodes;
    AlignAlongFirstTree(v, tree, a, nodes, nullptr);
    if (g_uMaxIters != 1 && n != 2) {
        RefineGuideTree(a, v, tree, nodes);
        nodes.Release();
        RefineAlignment(a, tree);
    }
    MHackEnd(a);
}
