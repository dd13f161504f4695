// The parameter listing written to the engine's log.
#include "align/listParams.h"

#include "align/diagnostics.h"
#include "align/params.h"
#include "align/textUtils.h"

namespace {

// Printed in place of a web address at the head of the listing.
constexpr const char* ENGINE_ADDRESS = "Corvid alignment engine of the Quorix project";

}  // namespace

const char* MaxSecsToStr() {
    if (g_ulMaxSecs == 0) return "(No limit)";
    return SecsToStr(g_ulMaxSecs);
}

void ListParams() {
    Log("\n");
    Log("%s\n", ENGINE_ADDRESS);
    Log("\n");
    Log("Profile-profile score    %s\n", PPSCOREToStr(g_PPScore));
    Log("Max iterations           %u\n", g_uMaxIters);
    Log("Max trees                %u\n", g_uMaxTreeRefineIters);
    Log("Max time                 %s\n", MaxSecsToStr());
    Log("Max MB                   %u\n", g_uMaxMB);
    Log("Gap open                 %g\n", g_scoreGapOpen);
    Log("Gap extend (dimer)       %g\n", g_scoreGapExtend);
    Log("Gap ambig factor         %g\n", g_scoreAmbigFactor);
    Log("Gap ambig penalty        %g\n", g_scoreGapAmbig);
    Log("Center (LE)              %g\n", g_scoreCenter);
    Log("Term gaps                %s\n", TERMGAPSToStr(g_TermGaps));
    Log("Smooth window length     %u\n", g_uSmoothWindowLength);
    Log("Refine window length     %u\n", g_uRefineWindow);
    Log("Min anchor spacing       %u\n", g_uAnchorSpacing);
    Log("Min diag length (lambda) %u\n", g_uMinDiagLength);
    Log("Diag margin (mu)         %u\n", g_uDiagMargin);
    Log("Min diag break           %u\n", g_uMaxDiagBreak);
    Log("Hydrophobic window       %u\n", g_uHydrophobicRunLength);
    Log("Hydrophobic gap factor   %g\n", g_dHydroFactor);
    Log("Smooth score ceiling     %g\n", g_dSmoothScoreCeil);
    Log("Min best col score       %g\n", g_dMinBestColScore);
    Log("Min anchor score         %g\n", g_dMinSmoothScore);
    Log("SUEFF                    %g\n", g_dSUEFF);
    Log("Brenner root MSA         %s\n", BoolToStr(g_bBrenner));
    Log("Normalize counts         %s\n", BoolToStr(g_bNormalizeCounts));
    Log("Diagonals (1)            %s\n", BoolToStr(g_bDiags1));
    Log("Diagonals (2)            %s\n", BoolToStr(g_bDiags2));
    Log("Anchors                  %s\n", BoolToStr(g_bAnchors));
    Log("MSF output format        %s\n", BoolToStr(g_bMSF));
    Log("Phylip interleaved       %s\n", BoolToStr(g_bPHYI));
    Log("Phylip sequential        %s\n", BoolToStr(g_bPHYS));
    Log("ClustalW output format   %s\n", BoolToStr(g_bAln));
    Log("Catch exceptions         %s\n", BoolToStr(g_bCatchExceptions));
    Log("Quiet                    %s\n", BoolToStr(g_bQuiet));
    Log("Refine                   %s\n", BoolToStr(g_bRefine));
    Log("ProdfDB                  %s\n", BoolToStr(g_bProfDB));
    Log("Low complexity profiles  %s\n", BoolToStr(g_bLow));
    Log("Objective score          %s\n", OBJSCOREToStr(g_ObjScore));
    Log("Distance method (1)      %s\n", DISTANCEToStr(g_Distance1));
    Log("Clustering method (1)    %s\n", CLUSTERToStr(g_Cluster1));
    Log("Root method (1)          %s\n", ROOTToStr(g_Root1));
    Log("Sequence weighting (1)   %s\n", SEQWEIGHTToStr(g_SeqWeight1));
    Log("Distance method (2)      %s\n", DISTANCEToStr(g_Distance2));
    Log("Clustering method (2)    %s\n", CLUSTERToStr(g_Cluster2));
    Log("Root method (2)          %s\n", ROOTToStr(g_Root2));
    Log("Sequence weighting (2)   %s\n", SEQWEIGHTToStr(g_SeqWeight2));
    Log("\n");
}
