// The two places where chain clustering uses the sequence alignment of the chains: the sequence
// term of the clustering distance, and the re-alignment of the chains of one cluster.
#include <vector>

#include "align/msa.h"
#include "symmetry/blosumScore.h"
#include "symmetry/cAlignement.h"
#include "symmetry/cSym.h"

double cSym::sequenceTerm(int i, int j) {
    // Without the multiple alignment (chains loaded by other means) clustering runs on geometry.
    if (!alignment || !alignment->getAlignment()) return 0.0;
    const MSA& msa = *alignment->getAlignment();
    if (i < 0 || j < 0 || i >= static_cast<int>(chainIndices.size()) || j >= static_cast<int>(chainIndices.size()))
        return 0.0;
    unsigned rowI = 0, rowJ = 0;
    if (!msa.GetSeqIndex(static_cast<unsigned>(chainIndices[i]), &rowI) ||
        !msa.GetSeqIndex(static_cast<unsigned>(chainIndices[j]), &rowJ))
        return 0.0;
    double S = 0.0;
    for (unsigned k = 0; k < msa.GetColCount(); ++k)
        if (!(msa.IsGap(rowI, k) && msa.IsGap(rowJ, k))) S -= blo::BlosumScoreCol(msa, k, rowI, rowJ);
    return S;
}

void cSym::realignCluster(std::vector<cMolecule*>& clusterChains) {
    // Chains that were not matched by sequence (loaded by other means) keep their aligned atoms.
    // So do all chains once crystal mates are present: a mate matches its source residue for
    // residue through the aligned atoms it was copied from, and has no atoms to align again.
    if (!alignment || clusterChains.empty() || !crystalMates.empty()) return;
    cAlignement clusterAlignment(report, parameters);
    clusterAlignment.align(clusterChains);
}
