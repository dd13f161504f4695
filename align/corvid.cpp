// DoMultipleCorvid, DoPairwiseCorvid, MHackStart and MHackEnd.
#include "align/corvid.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/guideTree.h"
#include "align/identicalRowPaths.h"
#include "align/memUse.h"
#include "align/msa.h"
#include "align/mxFile.h"
#include "align/options.h"
#include "align/params.h"
#include "align/progNode.h"
#include "align/progress.h"
#include "align/progressiveAlign.h"
#include "align/refineHoriz.h"
#include "align/refineTree.h"
#include "align/refineVert.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/seqWeights.h"
#include "align/textFile.h"
#include "align/textUtils.h"
#include "align/timeLimit.h"
#include "align/tree.h"
#include "align/weightsFile.h"

namespace {

// Which ids MHackStart changed, indexed by id; empty when no marks are held.
std::vector<unsigned char> mHackFlags;
bool mHackHeld = false;

const char USE_TREE_WARNING[] =
    "\n******** WARNING ****************\n\n"
    "You specified the -usetree option.\n"
    "Note that a good evolutionary tree may NOT be a good\n"
    "guide tree for multiple alignment. For more details,\n"
    "please refer to the user guide. To disable this\n"
    "warning, use -usetree_nowarn <treefilename>.\n\n";

void CheckNotEmpty(const SeqVect& v) {
    if (v.Length() == 0) Quit("No sequences in input file");
}

void ChooseAlphabet(SeqVect& v) {
    ALPHA alpha = ALPHA_Undefined;
    switch (g_SeqType) {
        case SEQTYPE_Protein: alpha = ALPHA_Amino; break;
        case SEQTYPE_DNA: alpha = ALPHA_DNA; break;
        case SEQTYPE_RNA: alpha = ALPHA_RNA; break;
        case SEQTYPE_Auto: alpha = v.GuessAlpha(); break;
        default: Quit("Invalid seq type");
    }
    SetAlpha(alpha);
    v.FixAlpha();
}

// The substitution matrix: a matrix file (looked up under CORVID_MXPATH when that is set)
// switches to sum-of-pairs scoring of amino acids with the file's matrix.
void SetUpScoring() {
    if (!g_pstrMatrixFileName) {
        SetPPScore(true);
        return;
    }
    const std::string path = MatrixFilePath(g_pstrMatrixFileName);
    PTR_SCOREMATRIX matrix = nullptr;
    {
        TextFile file(path.c_str());
        matrix = ReadMx(file);
    }
    g_Alpha = ALPHA_Amino;
    g_PPScore = PPSCORE_SP;
    SetPPScore(true);
    if (matrix) g_ptrScoreMatrix = matrix;
}

void AssignIds(SeqVect& v) {
    const unsigned n = v.Length();
    MSA::SetIdCount(n);
    for (unsigned i = 0; i < n; ++i) v.SetSeqId(i, i);
}

void WriteTree(const Tree& tree, const char* path) {
    TextFile out(path, true);
    tree.ToFile(out);
}

void ReadUserTree(const SeqVect& v, Tree& tree) {
    if (!g_bUseTreeNoWarn) fputs(USE_TREE_WARNING, stderr);
    {
        TextFile file(g_pstrUseTreeFileName);
        tree.FromFile(file);
    }
    if (!tree.IsRooted()) Quit("User tree must be rooted");
    if ((tree.GetNodeCount() + 1) / 2 != v.Length()) Quit("User tree does not match input sequences");
    for (unsigned node = 0; node < tree.GetNodeCount(); ++node) {
        if (!tree.IsLeaf(node)) continue;
        const char* name = tree.GetLeafName(node);
        unsigned index = 0;
        if (!name || !v.FindName(name, &index)) Quit("Label %s in tree does not match sequences", name ? name : "");
        // FindName ignores case: the id is that of the sequence it found.
        tree.SetLeafId(node, v.GetSeqId(index));
    }
}

}  // namespace

ProgNodes::~ProgNodes() { Release(); }

void ProgNodes::Take(ProgNode* nodes, unsigned count) {
    Release();
    m_Nodes = nodes;
    m_uCount = count;
}

void ProgNodes::Release() {
    if (!m_Nodes) return;
    for (unsigned i = 0; i < m_uCount; ++i) DeleteProgNode(m_Nodes[i]);
    delete[] m_Nodes;
    m_Nodes = nullptr;
    m_uCount = 0;
}

void ReportSeqStats(const SeqVect& v) {
    const unsigned n = v.Length();
    unsigned total = 0, maxLength = 0, minLength = 0;
    bool minSet = false;
    for (unsigned i = 0; i < n; ++i) {
        const unsigned length = v.GetSeqLength(i);
        total += length;
        if (length > maxLength) maxLength = length;
        // A running minimum of 0 gives way to the next length.
        if (!minSet || minLength == 0 || length < minLength) minLength = length;
        minSet = true;
    }
    SetIter(1);
    g_bDiags = g_bDiags1;
    SetSeqStats(n, minLength, maxLength, total / n);
}

void AlignProgressively(const SeqVect& v, const Tree& tree, MSA& a, ProgNodes& nodes) {
    if (g_bLow)
        nodes.Take(ProgressiveAlignE(v, tree, a), 2 * v.Length() - 1);
    else
        ProgressiveAlign(v, tree, a);
    SetCurrentAlignment(a);
}

void AlignAlongFirstTree(const SeqVect& v, Tree& tree, MSA& a, ProgNodes& nodes, const char* distMxFile) {
    TreeFromSeqVect(v, tree, g_Cluster1, g_Distance1, g_Root1, distMxFile);
    SetCorvidTree(tree);
    AlignProgressively(v, tree, a, nodes);
}

void RefineGuideTree(MSA& a, const SeqVect& v, Tree& tree, const ProgNodes& nodes) {
    g_bDiags = g_bDiags2;
    SetIter(2);
    if (!g_bLow)
        RefineTree(a, tree);
    else if (g_uMaxTreeRefineIters != 0)
        RefineTreeE(a, v, tree, nodes.Get());
}

void RefineAlignment(MSA& a, const Tree& tree) {
    SetSeqWeightMethod(g_SeqWeight2);
    SetCorvidTree(tree);
    // The first two iterations are the progressive and the tree stage; a limit below 2
    // leaves no passes rather than wrapping round.
    const unsigned passes = g_uMaxIters >= 2 ? g_uMaxIters - 2 : 0;
    if (g_bAnchors)
        RefineVert(a, tree, passes);
    else
        RefineHoriz(a, tree, passes, false, false);
}

void PrepareSequences(SeqVect& v) {
    CheckNotEmpty(v);
    ChooseAlphabet(v);
    SetUpScoring();
    ReportSeqStats(v);
    AssignIds(v);
}

std::string MatrixFilePath(const char* name) {
    const char* dir = getenv("CORVID_MXPATH");
    return dir ? Format("%s/%s", dir, name) : std::string(name);
}

void WriteLoneSequence(const SeqVect& v) {
    TextFile out(g_pstrOutFileName, true);
    v.ToFASTAFile(out);
}

void MHackStart(SeqVect& v) {
    if (g_Alpha != ALPHA_Amino) return;
    const unsigned n = v.Length();
    mHackFlags.assign(n, 0);
    mHackHeld = true;
    for (unsigned i = 0; i < n; ++i) {
        Seq& s = v.GetSeq(i);
        if (s.empty()) continue;
        const unsigned id = s.GetId();
        if (id >= n) Quit("MHackStart: sequence id %u is not below the sequence count %u", id, n);
        if (s[0] == 'M' || s[0] == 'm') {
            mHackFlags[id] = 1;
            s[0] = 'X';
        }
    }
}

void MHackEnd(MSA& a) {
    if (g_Alpha != ALPHA_Amino || !mHackHeld) return;
    for (unsigned row = 0; row < a.GetSeqCount(); ++row) {
        const unsigned id = a.GetSeqId(row);
        if (id >= mHackFlags.size() || !mHackFlags[id]) continue;
        for (unsigned col = 0; col < a.GetColCount(); ++col) {
            if (a.IsGap(row, col)) continue;
            a.SetChar(row, col, 'M');
            break;
        }
    }
    mHackFlags.clear();
    mHackHeld = false;
}

namespace {

void AlignMultiple(SeqVect& v, MSA& a) {
    SetMaxIters(g_uMaxIters);
    SetSeqWeightMethod(g_SeqWeight1);
    PrepareSequences(v);
    const unsigned n = v.Length();
    if (n == 1) {
        WriteLoneSequence(v);
        return;
    }
    MHackStart(v);

    Tree tree;
    const bool userTree = g_pstrUseTreeFileName != nullptr;
    if (userTree)
        ReadUserTree(v, tree);
    else
        TreeFromSeqVect(v, tree, g_Cluster1, g_Distance1, g_Root1, g_pstrDistMxFileName1);
    if (const char* tree1 = ValueOpt("Tree1")) {
        WriteTree(tree, tree1);
        if (g_bClusterOnly) return;
    }
    SetCorvidTree(tree);

    ProgNodes nodes;
    AlignProgressively(v, tree, a, nodes);

    if (g_pstrComputeWeightsFileName) {
        SetMSAWeightsCorvid(a);
        OutWeights(g_pstrComputeWeightsFileName, a);
    } else if (g_uMaxIters != 1 && n != 2) {
        if (!userTree) {
            RefineGuideTree(a, v, tree, nodes);
            if (const char* tree2 = ValueOpt("Tree2")) WriteTree(tree, tree2);
        }
        RefineAlignment(a, tree);
    }
    // From here on a time-limit stop saves the result.
    SetCurrentAlignment(a);
}

void AlignPairwise(SeqVect& v, MSA& a) {
    SetMaxIters(g_uMaxIters);
    SetSeqWeightMethod(g_SeqWeight1);
    CheckNotEmpty(v);
    ChooseAlphabet(v);
    SetPPScore(true);
    AssignIds(v);
    if (v.Length() == 1) {
        WriteLoneSequence(v);
        return;
    }
    MHackStart(v);

    Tree tree;
    ProgNodes nodes;
    AlignAlongFirstTree(v, tree, a, nodes, g_pstrDistMxFileName1);
}

// A failed allocation in any stage of an entry ends the run as every engine failure does. Where
// it was not caught nearer, the size asked for is not known: the message gives the size in use
// when the allocation was refused.
void AlignCatchingOutOfMemory(void (*align)(SeqVect&, MSA&), SeqVect& v, MSA& a) {
    try {
        const RefusedAllocationNote note;
        const IdenticalRowPathsCall keptPaths;
        align(v, a);
    } catch (const std::bad_alloc&) {
        QuitOutOfMemory(UNKNOWN_BYTES, "aligning %u sequences", v.Length());
    }
}

}  // namespace

void DoMultipleCorvid(SeqVect& v, MSA& a) { AlignCatchingOutOfMemory(AlignMultiple, v, a); }

void DoPairwiseCorvid(SeqVect& v, MSA& a) { AlignCatchingOutOfMemory(AlignPairwise, v, a); }
