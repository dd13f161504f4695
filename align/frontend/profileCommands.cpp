// The profile commands: ProfDB, Profile, PPScore, and the profile-profile alignment they share.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "align/alignTwoMSAs.h"
#include "align/alignTwoProfs.h"
#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/guideTree.h"
#include "align/msa.h"
#include "align/objScore.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/progress.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/timeLimit.h"
#include "align/tree.h"

namespace {

using ProfileArray = std::unique_ptr<ProfPos[]>;

// The alphabet of the profile inputs (letters repaired) and the scoring: the flags' choice, SPN
// for nucleotides.
void SetUpProfileScoring(MSA& a, MSA* b) {
    const ALPHA alpha = SetInputAlphabet(a, b, "Invalid seq type");
    SetPPScore(true);
    if (IsNucleotide(alpha)) SetPPScore(PPSCORE_SPN);
}

}  // namespace

void ProfileProfile(MSA& a, MSA& b, MSA& out) {
    const bool ownTrees = TreeNeededForWeighting(g_SeqWeight2);
    ProfileArray PA(NumberedProfile(a, ownTrees, g_Cluster2));
    ProfileArray PB(NumberedProfile(b, ownTrees, g_Cluster2));
    Progress("Aligning profiles");
    PWPath path;
    ProfPos* joined = nullptr;
    unsigned joinedLength = 0;
    AlignTwoProfs(PA.get(), a.GetColCount(), 1.0, PB.get(), b.GetColCount(), 1.0, path, &joined, &joinedLength);
    delete[] joined;
    Progress("Building output");
    AlignTwoMSAsGivenPath(path, a, b, out);
}

void ProfDB() {
    StartCommand(g_pstrFileName2, true);

    MSA profile;
    ReadMSA(g_pstrFileName1, profile);
    if (profile.GetSeqCount() == 0) Quit("No sequences in input alignment");
    SeqVect v;
    ReadSeqs(g_pstrFileName2, v);
    const unsigned n = v.Length();
    if (n == 0) Quit("No sequences in input file %s", g_pstrFileName2);
    // The alphabet and scoring as -profile sets them up, so that the letters of both inputs are
    // mapped and checked.
    SetUpProfileScoring(profile, nullptr);
    v.FixAlpha();
    MSA::SetIdCount(profile.GetSeqCount() + n);

    SetProgressDesc("Align sequence database to profile");
    for (unsigned i = 0; i < n; ++i) {
        Progress(i, n);
        Seq& s = v.GetSeq(i);
        s.SetId(0);
        MSA single, grown;
        single.FromSeq(s);
        ProfileProfile(profile, single, grown);
        profile.Copy(grown);
    }
    ProgressStepsDone();
    NumberJoinedAlignment(profile);
    TextFile out(g_pstrOutFileName, true);
    profile.ToFile(out);
}

void Profile() {
    if (!g_pstrFileName1 || !g_pstrFileName2) Quit("-profile needs -in1 and -in2");
    SetSeqWeightMethod(g_SeqWeight1);
    MSA a, b;
    auto read = [](const char* path, MSA& msa) {
        Progress("Reading %s", path);
        ReadMSANotEmpty(path, msa);
        Progress("%u seqs %u cols", msa.GetSeqCount(), msa.GetColCount());
    };
    read(g_pstrFileName1, a);
    read(g_pstrFileName2, b);
    SetUpProfileScoring(a, &b);
    MSA::SetIdCount(a.GetSeqCount() + b.GetSeqCount());
    MSA result;
    ProfileProfile(a, b, result);
    Progress("Writing output");
    NumberJoinedAlignment(result);
    CorvidOutput(result);
}

void PPScore() {
    if (!g_pstrFileName1 || !g_pstrFileName2) Quit("-ppscore needs -in1 and -in2");
    SetSeqWeightMethod(g_SeqWeight1);
    MSA a, b;
    ReadMSANotEmpty(g_pstrFileName1, a);
    ReadMSANotEmpty(g_pstrFileName2, b);
    const unsigned length = a.GetColCount();
    if (b.GetColCount() != length) Quit("Profiles must have the same length");
    // The scoring in force is kept for protein; nucleotides take SPN.
    if (IsNucleotide(SetInputAlphabet(a, &b, "Invalid SeqType"))) SetPPScore(PPSCORE_SPN);
    MSA::SetIdCount(std::max(a.GetSeqCount(), b.GetSeqCount()));
    ProfileArray PA(NumberedProfile(a, true, g_Cluster2));
    ProfileArray PB(NumberedProfile(b, true, g_Cluster2));

    g_bTracePPScore = true;
    g_ptrPPScoreMSA1 = &a;
    g_ptrPPScoreMSA2 = &b;
    const SCORE score = ObjScoreDP_Profs(PA.get(), PB.get(), length, nullptr);
    g_bTracePPScore = false;
    g_ptrPPScoreMSA1 = g_ptrPPScoreMSA2 = nullptr;
    Log("Score=%.4g\n", score);
    printf("Score=%.4g\n", score);
}
