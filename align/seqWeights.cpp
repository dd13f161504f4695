// The current guide tree, the ClustalW weight vector and weighting by the method in force.
#include "align/seqWeights.h"

#include <vector>

#include "align/clustalWWeights.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "align/threeWayWeights.h"
#include "align/tree.h"

namespace {

// The tree given to the last SetCorvidTree; the three-way method splits it.
Tree currentTree;
bool haveCurrentTree = false;
// ClustalW weight of each sequence id, from the last SetCorvidTree made under ClustalW.
std::vector<WEIGHT> corvidWeights;
bool haveCorvidWeights = false;

}  // namespace

void ResetCorvidWeights() {
    currentTree.Clear();
    haveCurrentTree = false;
    corvidWeights.clear();
    haveCorvidWeights = false;
}

unsigned GetCorvidTreeLeafCount() {
    return haveCurrentTree && currentTree.GetNodeCount() > 0 ? currentTree.GetLeafCount() : 0;
}

void SetCorvidTree(const Tree& tree) {
    currentTree.Copy(tree);
    haveCurrentTree = true;
    if (GetSeqWeightMethod() != SEQWEIGHT_ClustalW) return;
    const unsigned leafCount = tree.GetNodeCount() == 0 ? 0 : tree.GetLeafCount();
    corvidWeights.assign(leafCount, 0.0f);
    // By leaf id, not leaf index: the vector is read by sequence id, and a tree rebuilt from
    // an alignment has its leaves in row order, not id order.
    CalcClustalWWeightsByLeafId(tree, corvidWeights.data());
    haveCorvidWeights = true;
}

WEIGHT GetCorvidSeqWeightById(unsigned id) {
    if (!haveCorvidWeights) Quit("g_CorvidWeights = 0");
    const unsigned count = static_cast<unsigned>(corvidWeights.size());
    if (id >= count) Quit("GetCorvidSeqWeightById(%u): count=%u", id, count);
    return corvidWeights[id];
}

void SetClustalWWeightsCorvid(MSA& msa) {
    if (!haveCorvidWeights) Quit("g_CorvidWeights = 0");
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row) {
        const unsigned id = msa.GetSeqId(row);
        if (id >= corvidWeights.size()) Quit("SetClustalWWeightsCorvid: id out of range");
        msa.SetSeqWeight(row, corvidWeights[id]);
    }
    msa.NormalizeWeights(1.0f);
}

void SetThreeWayWeightsCorvid(MSA& msa) {
    if (g_uTreeSplitNode1 == NO_INDEX || g_uTreeSplitNode2 == NO_INDEX) {
        msa.SetHenikoffWeightsPB();
        return;
    }
    if (!haveCurrentTree) Quit("SetThreeWayWeightsCorvid: no guide tree has been set");
    const unsigned leafCount = currentTree.GetLeafCount();
    std::vector<float> weights(leafCount, 0.0f);
    CalcThreeWayWeights(currentTree, g_uTreeSplitNode1, g_uTreeSplitNode2, weights.data());
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row) {
        const unsigned id = msa.GetSeqId(row);
        if (id >= leafCount) Quit("SetThreeWayWeightsCorvid: id out of range");
        msa.SetSeqWeight(row, weights[id]);
    }
    msa.NormalizeWeights(1.0f);
}

void SetMSAWeightsCorvid(MSA& msa) {
    const SEQWEIGHT method = GetSeqWeightMethod();
    switch (method) {
        case SEQWEIGHT_None:
            msa.SetUniformWeights();
            return;
        case SEQWEIGHT_Henikoff:
            msa.SetHenikoffWeights();
            return;
        case SEQWEIGHT_HenikoffPB:
            msa.SetHenikoffWeightsPB();
            return;
        case SEQWEIGHT_GSC:
            msa.SetGSCWeights();
            return;
        case SEQWEIGHT_ClustalW:
            SetClustalWWeightsCorvid(msa);
            return;
        case SEQWEIGHT_ThreeWay:
            SetThreeWayWeightsCorvid(msa);
            return;
        default:
            Quit("SetMSAWeightsCorvid, Invalid method=%d", method);
    }
}

bool TreeNeededForWeighting(SEQWEIGHT method) { return method == SEQWEIGHT_ClustalW || method == SEQWEIGHT_ThreeWay; }
