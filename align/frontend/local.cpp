// Local: the -sw command, two alignments aligned locally.
#include "align/frontend/localAlign.h"

#include <memory>

#include "align/diagnostics.h"
#include "align/frontend/commands.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/profile.h"
#include "align/pwPath.h"
#include "align/scoringSetup.h"
#include "align/textFile.h"

void Local() {
    if (!g_pstrFileName1 || !g_pstrFileName2) Quit("Must specify both -in1 and -in2 for -sw");
    SetSeqWeightMethod(g_SeqWeight1);
    MSA a, b;
    ReadMSANotEmpty(g_pstrFileName1, a);
    ReadMSANotEmpty(g_pstrFileName2, b);
    if (IsNucleotide(SetInputAlphabet(a, &b, "Invalid SeqType"))) SetPPScore(PPSCORE_SPN);

    // Room for an id on every row of the joined alignment, which the MSF writer weights by id.
    MSA::SetIdCount(a.GetSeqCount() + b.GetSeqCount());
    std::unique_ptr<ProfPos[]> PA(NumberedProfile(a, true, g_Cluster1));
    std::unique_ptr<ProfPos[]> PB(NumberedProfile(b, true, g_Cluster1));

    PWPath path;
    SW(PA.get(), a.GetColCount(), PB.get(), b.GetColCount(), path);
    MSA out;
    AlignTwoMSAsGivenPathSW(path, a, b, out);
    NumberJoinedAlignment(out);
    TextFile file(g_pstrOutFileName, true);
    out.ToFile(file);
}
