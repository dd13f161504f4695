// Every process-wide g_ global of the alignment engine, with its default and what it governs.
#pragma once

#include <array>

#include "align/engineTypes.h"
#include "align/enums.h"
#include "align/scoreMatrix.h"

class MSA;

// The tuning parameters: type, name, default. Only the engine's own front end changes them from
// options (named in the comments); in the symmetry program they change only through
// SetPPScore, SetAlpha, SetSeqWeightMethod and the diagonal switch g_bDiags.
// -9e29 (BTInsane) marks a value that SetPPScore has not derived yet; -1e37 (MINUS_INFINITY)
// marks a second-stage gap penalty that was not given.
#define CORVID_PARAMS(P)                                                                          \
    P(SEQTYPE, g_SeqType, SEQTYPE_Auto)            /* declared input type; Auto guesses (SeqType) */ \
    P(ALPHA, g_Alpha, ALPHA_Undefined)             /* current alphabet, set by SetAlpha */           \
    P(unsigned, g_AlphaSize, 0)                    /* 20 (Amino) or 4 (DNA, RNA) */                  \
    P(PPSCORE, g_PPScore, PPSCORE_LE)              /* profile-profile score (flags LE SP SV SPN) */ \
    P(OBJSCORE, g_ObjScore, OBJSCORE_SPM)          /* refinement objective (ObjScore) */             \
    P(TERMGAPS, g_TermGaps, TERMGAPS_Half)         /* terminal-gap policy (TermGaps) */              \
    P(DISTANCE, g_Distance1, DISTANCE_Kmer6_6)     /* first-stage distance (Distance, Distance1) */ \
    P(DISTANCE, g_Distance2, DISTANCE_PctIdKimura) /* second-stage distance (Distance2) */           \
    P(CLUSTER, g_Cluster1, CLUSTER_UPGMB)          /* first guide-tree clustering (Cluster1) */      \
    P(CLUSTER, g_Cluster2, CLUSTER_UPGMB)          /* second guide-tree clustering (Cluster2) */     \
    P(ROOT, g_Root1, ROOT_Pseudo)                  /* first-tree rooting (Root1) */                  \
    P(ROOT, g_Root2, ROOT_Pseudo)                  /* second-tree rooting (Root2) */                 \
    P(SEQWEIGHT, g_SeqWeight1, SEQWEIGHT_ClustalW) /* first-stage weights (Weight, Weight1) */      \
    P(SEQWEIGHT, g_SeqWeight2, SEQWEIGHT_ClustalW) /* second-stage weights (Weight2) */              \
    P(unsigned, g_uMaxIters, 8)                    /* iteration limit (MaxIters) */                  \
    P(unsigned, g_uMaxTreeRefineIters, 1)          /* tree-refinement rounds (MaxTrees) */           \
    P(unsigned long, g_ulMaxSecs, 0)               /* time limit in seconds, 0 = none (MaxHours) */  \
    P(unsigned, g_uMaxMB, 500)                     /* memory ceiling in MB; only listed (MaxMB) */   \
    P(SCORE, g_scoreGapOpen, BTInsane)             /* gap open, set by SetPPScore (GapOpen) */       \
    P(SCORE, g_scoreGapExtend, 0)                  /* gap extension (GapExtend) */                   \
    P(SCORE, g_scoreGapOpen2, MINUS_INFINITY)      /* set from GapOpen2; read by nothing */          \
    P(SCORE, g_scoreGapExtend2, MINUS_INFINITY)    /* set from GapExtend2; read by nothing */        \
    P(SCORE, g_scoreAmbigFactor, 0)                /* ambiguous-gap factor (GapAmbig) */             \
    P(SCORE, g_scoreGapAmbig, 0)                   /* ambiguous-gap penalty: open x factor */        \
    P(SCORE, g_scoreCenter, 0)                     /* score centre of the LE score (Center) */       \
    P(PTR_SCOREMATRIX, g_ptrScoreMatrix, nullptr)  /* substitution scores in use (Matrix) */         \
    P(bool, g_bNormalizeCounts, false)             /* profile counts normalised */                   \
    P(float, g_dSmoothScoreCeil, BTInsane)         /* anchor-column ceiling (SmoothScoreCeil) */     \
    P(float, g_dMinBestColScore, BTInsane)         /* anchor best-column floor (MinBestColScore) */  \
    P(float, g_dMinSmoothScore, BTInsane)          /* anchor smoothed floor (MinSmoothScore) */      \
    P(unsigned, g_uSmoothWindowLength, 7)          /* smoothing window in columns (SmoothWindow) */  \
    P(unsigned, g_uRefineWindow, 200)              /* windowed refinement width (RefineWindow) */    \
    P(unsigned, g_uWindowFrom, 0)                  /* first window refined (FromWindow) */           \
    P(unsigned, g_uWindowTo, 0)                    /* last window refined (ToWindow) */              \
    P(unsigned, g_uWindowOffset, 0)                /* column where windows start (WindowOffset) */   \
    P(unsigned, g_uSaveWindow, uInsane)            /* window to save, none by default (SaveWindow) */ \
    P(unsigned, g_uAnchorSpacing, 32)              /* minimum anchor spacing (AnchorSpacing) */      \
    P(unsigned, g_uMinDiagLength, 24)              /* minimum diagonal length (DiagLength) */        \
    P(unsigned, g_uDiagMargin, 5)                  /* diagonal margin (DiagMargin) */                \
    P(unsigned, g_uMaxDiagBreak, 1)                /* diagonal break; only listed (DiagBreak) */     \
    P(unsigned, g_uHydrophobicRunLength, 5)        /* hydrophobic window (Hydro) */                  \
    P(float, g_dHydroFactor, 1.2f)                 /* hydrophobic gap factor (HydroFactor) */        \
    P(float, g_dSUEFF, 0.1f)                       /* constant of the biased clustering (SUEFF) */   \
    P(unsigned, g_uMaxSubFamCount, 5)              /* sub-family limit (MaxSubFam) */                \
    P(unsigned, g_uTreeSplitNode1, NO_INDEX)       /* tree edge split by horizontal refinement */    \
    P(unsigned, g_uTreeSplitNode2, NO_INDEX)       /* other end of that edge */                      \
    P(unsigned, g_uRefineHeightSubtree, 0)         /* counter of horizontal refinement */            \
    P(unsigned, g_uRefineHeightSubtreeTotal, 0)    /* total of that counter */                       \
    P(SCORE, g_SPScoreLetters, 0)                  /* letter part of the last sum-of-pairs score */  \
    P(SCORE, g_SPScoreGaps, 0)                     /* gap part of the last sum-of-pairs score */     \
    P(bool, g_bQuiet, true)                        /* progress silent (Quiet) */                     \
    P(bool, g_bAnchors, true)                      /* anchored vertical refinement (NoAnchors) */    \
    P(bool, g_bCatchExceptions, true)              /* only listed (Core clears, NoCore sets) */      \
    P(bool, g_bPrecompiledCenter, true)            /* read by nothing; Dimer clears it */            \
    P(bool, g_bDiags, false)                       /* diagonal DP in the current stage */            \
    P(bool, g_bDiags1, false)                      /* diagonal DP in the first stage (Diags1) */     \
    P(bool, g_bDiags2, false)                      /* diagonal DP in the second stage (Diags2) */    \
    P(bool, g_bLow, false)                         /* low-memory progressive path */                 \
    P(bool, g_bVerbose, false)                     /* log parameters and stages (Verbose) */         \
    P(bool, g_bRefine, false)                      /* refine an input alignment (Refine) */          \
    P(bool, g_bRefineW, false)                     /* windowed refinement (RefineW) */               \
    P(bool, g_bProfDB, false)                      /* align a database to a profile (ProfDB) */      \
    P(bool, g_bSW, false)                          /* local alignment (SW) */                        \
    P(bool, g_bProfile, false)                     /* profile-profile alignment (Profile) */         \
    P(bool, g_bPPScore, false)                     /* profile-profile score driver (PPScore) */      \
    P(bool, g_bBrenner, false)                     /* Brenner root alignment (Brenner) */            \
    P(bool, g_bDimer, false)                       /* dimer scoring (Dimer) */                       \
    P(bool, g_bClusterOnly, false)                 /* stop after the first tree (ClusterOnly) */     \
    P(bool, g_bStable, false)                      /* input order kept (Stable; Group clears) */     \
    P(bool, g_bVersion, false)                     /* print the version (Version) */                 \
    P(bool, g_bMakeTree, false)                    /* write a guide tree only (MakeTree) */          \
    P(bool, g_bTomHydro, false)                    /* alternative hydrophobicity (TomHydro) */       \
    P(bool, g_bPAS, false)                         /* PAS mode (PAS) */                              \
    P(bool, g_bFASTA, false)                       /* FASTA output (FASTA) */                        \
    P(bool, g_bHTML, false)                        /* HTML output (HTML) */                          \
    P(bool, g_bMSF, false)                         /* MSF output (MSF) */                            \
    P(bool, g_bAln, false)                         /* ClustalW output (clw, clwstrict) */            \
    P(bool, g_bClwStrict, false)                   /* strict ClustalW header (clwstrict) */          \
    P(bool, g_bPHYI, false)                        /* PHYLIP interleaved output (PHYI) */            \
    P(bool, g_bPHYS, false)                        /* PHYLIP sequential output (PHYS) */             \
    P(bool, g_bUseTreeNoWarn, false)               /* no warning for a user tree (UseTree_NoWarn) */ \
    P(bool, g_bTracePPScore, false)                /* trace the profile-profile score driver */      \
    P(const char*, g_pstrInFileName, "-")          /* input, "-" = standard input (in) */            \
    P(const char*, g_pstrOutFileName, "-")         /* output, "-" = standard output (out) */         \
    P(const char*, g_pstrFileName1, nullptr)       /* first profile input (in1) */                   \
    P(const char*, g_pstrFileName2, nullptr)       /* second profile input (in2) */                  \
    P(const char*, g_pstrMatrixFileName, nullptr)  /* substitution-matrix file (Matrix) */           \
    P(const char*, g_pstrSPFileName, nullptr)      /* alignment to score (SPScore) */                \
    P(const char*, g_pstrUseTreeFileName, nullptr) /* user guide tree (UseTree, UseTree_NoWarn) */   \
    P(const char*, g_pstrComputeWeightsFileName, nullptr) /* weights output (ComputeWeights) */      \
    P(const char*, g_pstrScoreFileName, nullptr)   /* column-score output (ScoreFile) */             \
    P(const char*, g_pstrDistMxFileName1, nullptr) /* first distance-matrix dump (DistMx1) */        \
    P(const char*, g_pstrDistMxFileName2, nullptr) /* second distance-matrix dump (DistMx2) */       \
    P(const char*, g_pstrFASTAOutFileName, nullptr) /* extra FASTA output (FASTAOut) */              \
    P(const char*, g_pstrClwOutFileName, nullptr)  /* extra ClustalW output (CLWOut) */              \
    P(const char*, g_pstrClwStrictOutFileName, nullptr) /* extra strict ClustalW (CLWStrictOut) */   \
    P(const char*, g_pstrHTMLOutFileName, nullptr) /* extra HTML output (HTMLOut) */                 \
    P(const char*, g_pstrMSFOutFileName, nullptr)  /* extra MSF output (MSFOut) */                   \
    P(const char*, g_pstrPHYIOutFileName, nullptr) /* extra PHYLIP interleaved (PHYIOut) */          \
    P(const char*, g_pstrPHYSOutFileName, nullptr) /* extra PHYLIP sequential (PHYSOut) */           \
    P(const char*, g_pstrProf1FileName, nullptr)   /* first profile file */                          \
    P(const char*, g_pstrProf2FileName, nullptr)   /* second profile file */                         \
    P(MSA*, g_ptrPPScoreMSA1, nullptr)             /* first alignment of the PP-score driver */      \
    P(MSA*, g_ptrPPScoreMSA2, nullptr)             /* second alignment of the PP-score driver */

#define CORVID_DECLARE_PARAM(type, name, value) extern type name;
CORVID_PARAMS(CORVID_DECLARE_PARAM)
#undef CORVID_DECLARE_PARAM

// Alphabet tables, filled by SetAlpha (alpha.h); indexed by the character's byte value (use
// unsigned char) unless said otherwise. Before the first SetAlpha every entry is "not set".
constexpr unsigned NOT_SET_LETTER = 0xFFFFFFFFu;
constexpr char NOT_SET_CHAR = '?';
extern std::array<unsigned, 256> g_CharToLetter;        // letter number 0 .. size-1
extern std::array<unsigned, 256> g_CharToLetterEx;      // letters, then wildcards; gaps 23
extern std::array<char, MAX_ALPHA> g_LetterToChar;      // by letter number: upper-case character
extern std::array<char, MAX_ALPHA_EX> g_LetterExToChar; // by extended number; entry 23 is '-'
extern std::array<bool, 256> g_IsResidueChar;           // letter or wildcard, either case
extern std::array<bool, 256> g_IsWildcardChar;          // wildcard, either case
extern std::array<char, 256> g_AlignChar;               // upper case; '-' and '.' unchanged
extern std::array<char, 256> g_UnalignChar;             // lower case; '-' and '.' unchanged

// A double with the bit pattern 0x00000000FFFFFFFF (set again by initEngineGlobals). It is
// not a NaN; the engine uses it only as a marker value.
extern double g_dNAN;

// Puts the engine back to its start-of-process state: every parameter above, the alphabet
// tables, the option tables, the sequence-weighting method with its guide tree and weight
// vector, the progress state (start time, iteration), the current alignment of the time limit,
// and no log file. For tests and hosts that
// need a clean engine; the MSA id count is separate (MSA::ResetIdCount).
void RestoreDefaultParams();
