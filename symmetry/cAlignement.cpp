// Residue matching of chains from the alignment of their sequences.
#include "symmetry/cAlignement.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <limits>

#include "align/msa.h"
#include "structure/cMolecule.h"
#include "symmetry/blosumScore.h"

namespace {

// Each chain once, in list order (a chain compared with itself stands twice in the list).
std::vector<cMolecule*> distinctChains(const std::vector<cMolecule*>& chains) {
    std::vector<cMolecule*> distinct;
    for (cMolecule* chain : chains)
        if (std::find(distinct.begin(), distinct.end(), chain) == distinct.end()) distinct.push_back(chain);
    return distinct;
}

bool columnHasGap(const MSA& msa, unsigned column) {
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row)
        if (msa.IsGap(row, column)) return true;
    return false;
}

// Mean column score over all row pairs; NaN without a pair, which no threshold accepts.
double meanPairScore(const MSA& msa, unsigned column) {
    const unsigned rows = msa.GetSeqCount();
    if (rows < 2) return std::numeric_limits<double>::quiet_NaN();
    double sum = 0.0;
    for (unsigned r = 0; r < rows; ++r)
        for (unsigned s = r + 1; s < rows; ++s) sum += blo::BlosumScoreCol(msa, column, r, s);
    return sum / (rows * (rows - 1) / 2.0);
}

}  // namespace

cAlignement::cAlignement(cInfo* report_, cParameters* parameters_) : report(report_), parameters(parameters_) {}

cAlignement::~cAlignement() = default;

std::vector<std::vector<unsigned>> cAlignement::matchResidues(std::vector<cMolecule*>& chains) {
    alignment.reset();
    alignment = cMolecule::align(chains);
    const MSA& msa = *alignment;
    const std::size_t m = chains.size();
    std::vector<std::vector<unsigned>> residues(m);

    // Residue ordinals within each chain's own sequence; chain k's row is that of sequence id k.
    std::vector<unsigned> counter(m, 0);
    std::vector<unsigned> rowOf(m, 0);
    if (msa.GetSeqCount() > 0)
        for (std::size_t k = 0; k < m; ++k) rowOf[k] = msa.GetSeqIndex(static_cast<unsigned>(k));

    // The accepted columns depend on the rows' letters alone (in chain order).
    std::string key;
    if (m == 2 && msa.GetSeqCount() == 2) {
        for (unsigned row : rowOf) {
            key.append(msa.GetSeqBuffer(row), msa.GetColCount());
            key += '\n';
        }
        const auto found = pairMatches.find(key);
        if (found != pairMatches.end()) return found->second;
    }

    for (unsigned column = 0; column < msa.GetColCount(); ++column) {
        if (!columnHasGap(msa, column) && meanPairScore(msa, column) >= 0.0) {
            for (std::size_t k = 0; k < m; ++k) residues[k].push_back(counter[k]++);
            continue;
        }
        for (std::size_t k = 0; k < m; ++k)
            if (!msa.IsGap(rowOf[k], column)) ++counter[k];
    }
    if (!key.empty()) pairMatches.emplace(std::move(key), residues);
    return residues;
}

void cAlignement::align(std::vector<cMolecule*>& chains) {
    for (cMolecule* chain : chains) {
        chain->alignedResidues.clear();
        chain->alignedAtoms.clear();
    }
    const std::vector<std::vector<unsigned>> residues = matchResidues(chains);
    // Column by column, so that a chain standing twice in the list gets both rows' residues
    // in turn.
    const std::size_t columns = residues.empty() ? 0 : residues[0].size();
    for (std::size_t c = 0; c < columns; ++c)
        for (std::size_t k = 0; k < chains.size(); ++k) chains[k]->alignedResidues.push_back(residues[k][c]);
    for (cMolecule* chain : distinctChains(chains)) chain->createAlignedAtoms(true);
}

void cAlignement::align(cMolecule& a, cMolecule& b) {
    a.alignedResidues.clear();
    b.alignedResidues.clear();
    a.alignedAtoms.clear();
    b.alignedAtoms.clear();
    alignment.reset();
    alignment = a.align(&b);
    const MSA& msa = *alignment;
    const unsigned rowA = msa.GetSeqIndex(0u), rowB = msa.GetSeqIndex(1u);
    const long gaps = 2L * msa.GetColCount() - msa.GetSeqLength(rowA) - msa.GetSeqLength(rowB);
    std::cout << "Total number of gaps " << gaps << std::endl;

    unsigned ra = 0, rb = 0;
    for (unsigned column = 0; column < msa.GetColCount(); ++column) {
        const bool residueA = !msa.IsGap(rowA, column), residueB = !msa.IsGap(rowB, column);
        if (residueA && residueB && blo::pairScore(msa.GetChar(rowA, column), msa.GetChar(rowB, column)) >= 1) {
            a.alignedResidues.push_back(ra++);
            b.alignedResidues.push_back(rb++);
            continue;
        }
        if (residueA) ++ra;
        if (residueB) ++rb;
    }
    a.createAlignedAtoms(true);
    if (&b != &a) b.createAlignedAtoms(true);
}

void cAlignement::print(int width) const {
    if (!alignment || width <= 0) return;
    const MSA& msa = *alignment;
    const unsigned rows = msa.GetSeqCount(), columns = msa.GetColCount();
    std::vector<unsigned> rowOrder;
    for (unsigned id = 0; id < rows; ++id) {
        unsigned row = 0;
        if (msa.GetSeqIndex(id, &row)) rowOrder.push_back(row);
    }
    for (unsigned start = 0; start < columns; start += static_cast<unsigned>(width)) {
        const unsigned end = std::min(columns, start + static_cast<unsigned>(width));
        for (unsigned row : rowOrder) {
            for (unsigned column = start; column < end; ++column)
                std::putchar(msa.IsGap(row, column) ? '-' : msa.GetChar(row, column));
            std::putchar('\n');
        }
        for (unsigned column = start; column < end; ++column) {
            const double mean = meanPairScore(msa, column);
            std::putchar(mean >= 4.0 ? '*' : mean >= 0.0 ? '.' : ' ');
        }
        std::printf("\n\n");
    }
}
