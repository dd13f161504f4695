// The two leaf sets of Clust.
#include "align/clustSet.h"

#include "align/diagnostics.h"
#include "align/distFunc.h"
#include "align/msa.h"
#include "align/pctIdDist.h"
#include "align/scoreDist.h"

unsigned ClustSetDF::GetLeafCount() { return m_ptrDF->GetCount(); }

double ClustSetDF::ComputeDist(const Clust&, unsigned i, unsigned j) { return m_ptrDF->GetDist(i, j); }

void ClustSetDF::JoinNodes(const Clust&, unsigned, unsigned, unsigned, double*, double*) {
    Quit("ClustSetDF::JoinNodes, should never be called");
}

const char* ClustSetDF::GetLeafName(unsigned i) { return m_ptrDF->GetName(i); }

unsigned ClustSetDF::GetLeafId(unsigned i) { return m_ptrDF->GetId(i); }

unsigned ClustSetMSA::GetLeafCount() { return m_ptrMSA->GetSeqCount(); }

double ClustSetMSA::MSADist(const MSA& msa, DISTANCE distance, unsigned i, unsigned j) {
    if (distance == DISTANCE_ScoreDist) return GetScoreDist(msa, i, j);
    const double pctId = msa.GetPctIdentityPair(i, j);
    switch (distance) {
        case DISTANCE_PctIdKimura:
            return KimuraDist(pctId);
        case DISTANCE_PctIdLog:
            return PctIdToMAFFTDist(pctId);
        default:
            Quit("MSADist::ComputeDist, invalid DISTANCE_%u", static_cast<unsigned>(distance));
    }
}

double ClustSetMSA::ComputeDist(const Clust&, unsigned i, unsigned j) { return MSADist(*m_ptrMSA, *m_ptrDistance, i, j); }

void ClustSetMSA::JoinNodes(const Clust&, unsigned, unsigned, unsigned, double*, double*) {
    Quit("ClustSetMSA::JoinNodes, should never be called");
}

const char* ClustSetMSA::GetLeafName(unsigned i) { return m_ptrMSA->GetSeqName(i); }

unsigned ClustSetMSA::GetLeafId(unsigned i) { return m_ptrMSA->GetSeqId(i); }
