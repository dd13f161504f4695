// The two distance sources of UPGMA2.
#include "align/distCalc.h"

#include "align/diagnostics.h"
#include "align/distFunc.h"
#include "align/msa.h"
#include "align/pctIdDist.h"
#include "align/scoreDist.h"

void DistCalcDF::CalcDistRange(unsigned i, float dist[]) const {
    for (unsigned j = 0; j < i; ++j) dist[j] = m_ptrDF->GetDist(i, j);
}

unsigned DistCalcDF::GetCount() const { return m_ptrDF->GetCount(); }

unsigned DistCalcDF::GetId(unsigned i) const { return m_ptrDF->GetId(i); }

const char* DistCalcDF::GetName(unsigned i) const { return m_ptrDF->GetName(i); }

void DistCalcMSA::CalcDistRange(unsigned i, float dist[]) const {
    for (unsigned j = 0; j < i; ++j) {
        switch (m_Distance) {
            case DISTANCE_PctIdKimura: {
                const float pctId = static_cast<float>(m_ptrMSA->GetPctIdentityPair(i, j));
                dist[j] = static_cast<float>(KimuraDist(pctId));
                break;
            }
            case DISTANCE_PctIdLog: {
                const float pctId = static_cast<float>(m_ptrMSA->GetPctIdentityPair(i, j));
                dist[j] = static_cast<float>(PctIdToMAFFTDist(pctId));
                break;
            }
            case DISTANCE_ScoreDist:
                dist[j] = static_cast<float>(GetScoreDist(*m_ptrMSA, i, j));
                break;
            case DISTANCE_Edit: {
                const float pctId = static_cast<float>(m_ptrMSA->GetPctIdentityPair(i, j));
                if (pctId > 1) Quit("Internal error, DISTANCE_Edit, pct id=%.3g", pctId);
                dist[j] = 1 - pctId;
                break;
            }
            default:
                Quit("DistCalcMSA: Invalid DISTANCE_%u", static_cast<unsigned>(m_Distance));
        }
    }
}

unsigned DistCalcMSA::GetCount() const { return m_ptrMSA->GetSeqCount(); }

unsigned DistCalcMSA::GetId(unsigned i) const { return m_ptrMSA->GetSeqId(i); }

const char* DistCalcMSA::GetName(unsigned i) const { return m_ptrMSA->GetSeqName(i); }
