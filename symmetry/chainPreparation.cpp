// Chain preparation: the PDB file read into atoms and segments, cut into one molecule per chain,
// and the residues of the chains matched by sequence alignment.
#include <algorithm>
#include <memory>
#include <string>

#include "align/msa.h"
#include "app/cInfo.h"
#include "structure/cClassicalParserPDB.h"
#include "structure/cMolecule.h"
#include "symmetry/cAlignement.h"
#include "symmetry/cSym.h"
#include "symmetry/chainSequence.h"

void cSym::readPDB(const std::string& path) {
    report->printInfo("Reading PDB file");
    cClassicalParserPDB reader;
    int nChains = 0, nAtoms = 0;
    reader.readFile(path, nChains, nAtoms, cClassicalParserPDB::eChainIdOrTer, 0);
    reader.parseFields(segments, atoms, false, ' ');
    atomCount = static_cast<int>(atoms.size());
    atomRecordCount = reader.atomRecords;
    chainCount = static_cast<int>(segments.size());
    crystal = reader.crystal;
    origx = reader.origx;

    report->printInfo("Read PDB file", path);
    report->printInfo("Number of chains read", chainCount);
    report->printInfo("Number of atoms read", atomCount);
}

void cSym::cutIntoChains() {
    report->printInfo("Cutting the input PDB file");
    while (!chains.empty()) {
        delete chains.back();
        chains.pop_back();
    }
    std::vector<cPDBSegment> kept;
    for (const cPDBSegment& segment : segments) {
        const int first = segment.firstAtom;
        const int count = segment.atomCount;
        const bool inRange = first >= 0 && count >= 0 && first + count <= static_cast<int>(atoms.size());
        auto chain = std::make_unique<cMolecule>();
        chain->segments.push_back(segment);
        if (inRange) chain->atoms.assign(atoms.begin() + first, atoms.begin() + first + count);
        // Sequence alignment cannot place a chain without a known residue; dropping it here
        // keeps the chain count, the pair matrices and the alignment about the same chains.
        if (!inRange || !hasKnownResidue(chainSequence(*chain))) {
            std::string where = "no atoms";
            if (inRange && count > 0) {
                const cPDBAtom& a = atoms[first];
                where = "chain '" + std::string(1, a.chain) + "', atom serials " + std::to_string(a.serial) +
                        " to " + std::to_string(atoms[first + count - 1].serial);
            }
            report->printInfo("Chain without known residues dropped", where);
            continue;
        }
        chains.push_back(chain.release());
        kept.push_back(segment);
    }
    segments = std::move(kept);
    chainCount = static_cast<int>(chains.size());
}

void cSym::alignChains() {
    report->printInfo("Sequence alignment of chains");
    const int n = static_cast<int>(chains.size());
    chainCount = n;
    // Every ordered pair is aligned, a chain with itself included, so two sequences at least.
    MSA::SetIdCount(static_cast<unsigned>(std::max(n, 2)));

    pairRMSD.assign(n, std::vector<double>(n, 0.0));
    pairAngle.assign(n, std::vector<double>(n, 0.0));
    pairCentreDistance.assign(n, std::vector<double>(n, 0.0));
    chainIndices.clear();

    {
        cAlignement pairs(report, parameters);
        cVector3 centre(0.0);
        for (int i = 0; i < n; ++i) {
            chainIndices.push_back(i);
            (void)chains[i]->computeCM();
            if (i > 0) {
                std::vector<cMolecule*> two{chains[0], chains[i]};
                pairs.align(two);
                chains[i]->computeDirections(chains[0]);
            } else {
                chains[0]->direction1 = cVector3(1.0, 0.0, 0.0);
                chains[0]->direction2 = cVector3(0.0, 1.0, 0.0);
            }
            centre += chains[i]->centreOfMass;
        }
        if (n > 0) centre /= static_cast<double>(n);

        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                std::vector<cMolecule*> two{chains[i], chains[j]};
                pairs.align(two);
                pairRMSD[i][j] = chains[i]->computeRMSD(chains[j]);
                pairAngle[i][j] = chains[i]->computeAngle(chains[j]);
                pairCentreDistance[i][j] = chains[i]->computeDistAxisCenter(chains[j], centre);
            }
        }
    }

    alignment = std::make_shared<cAlignement>(report, parameters);
    std::vector<cMolecule*> all(chains.begin(), chains.end());
    alignment->align(all);
    for (cMolecule* chain : chains) (void)chain->computeCM();
}

void cSym::saveAlignment() {
    savedAlignment = alignment;
    savedChains.clear();
    for (const cMolecule* chain : chains)
        savedChains.push_back({chain->alignedAtoms, chain->alignedResidues, chain->alignedAtomIndices});
}

void cSym::loadAlignment() {
    alignment = savedAlignment;
    for (std::size_t k = 0; k < chains.size() && k < savedChains.size(); ++k) {
        chains[k]->alignedAtoms = savedChains[k].alignedAtoms;
        chains[k]->alignedResidues = savedChains[k].alignedResidues;
        chains[k]->alignedAtomIndices = savedChains[k].alignedAtomIndices;
    }
}
