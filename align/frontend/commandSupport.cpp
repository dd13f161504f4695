// What the engine program's commands share: reading an alignment, choosing its alphabet, and the
// weights of a joined alignment.
#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/progress.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/timeLimit.h"
#include "align/tree.h"

void StartCommand(const char* inputName, bool resetStartTime) {
    SetOutputFileName(g_pstrOutFileName);
    SetInputFileName(inputName);
    if (resetStartTime) SetStartTime();
    SetMaxIters(g_uMaxIters);
    SetSeqWeightMethod(g_SeqWeight1);
}

void ReadSeqs(const char* path, SeqVect& v) {
    TextFile file(path);
    v.FromFASTAFile(file);
}

ALPHA SeqTypeAlpha(ALPHA guessed, const char* invalidMessage) {
    switch (g_SeqType) {
        case SEQTYPE_Protein: return ALPHA_Amino;
        case SEQTYPE_DNA: return ALPHA_DNA;
        case SEQTYPE_RNA: return ALPHA_RNA;
        case SEQTYPE_Auto: return guessed;
        default: Quit("%s", invalidMessage);
    }
}

ALPHA SetInputAlphabet(MSA& a, MSA* b, const char* invalidMessage) {
    const ALPHA alpha = SeqTypeAlpha(a.GuessAlpha(), invalidMessage);
    SetAlpha(alpha);
    a.FixAlpha();
    if (b) b->FixAlpha();
    return alpha;
}

bool IsNucleotide(ALPHA alpha) { return alpha == ALPHA_DNA || alpha == ALPHA_RNA; }

void ReadMSA(const char* path, MSA& a) {
    TextFile file(path);
    a.FromFile(file);
}

void ReadMSANotEmpty(const char* path, MSA& a) {
    ReadMSA(path, a);
    if (a.GetSeqCount() == 0) Quit("No sequences in input file %s", path);
}

void ReadInputMSA(MSA& a) {
    ReadMSA(g_pstrInFileName, a);
    if (a.GetSeqCount() == 0) Quit("No sequences in input file");
}

void NumberJoinedAlignment(MSA& a) {
    if (!g_bMSF && !g_pstrMSFOutFileName) return;
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) a.SetSeqId(row, row);
    if (!TreeNeededForWeighting(GetSeqWeightMethod())) return;
    Tree tree;
    TreeFromMSA(a, tree, g_Cluster2, g_Distance2, g_Root2, nullptr);
    SetCorvidTree(tree);
}

ProfPos* NumberedProfile(MSA& a, bool ownTree, CLUSTER cluster) {
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) a.SetSeqId(row, row);
    if (ownTree) {
        Tree tree;
        TreeFromMSA(a, tree, cluster, g_Distance2, g_Root1, nullptr);
        SetCorvidTree(tree);
    }
    return ProfileFromMSA(a);
}
