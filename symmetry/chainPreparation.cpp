// Chain preparation: the PDB file read into atoms and segments, cut into one molecule per chain,
// and the residues of the chains matched by sequence alignment.
#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "align/msa.h"
#include "app/cInfo.h"
#include "structure/cClassicalParserPDB.h"
#include "structure/cMolecule.h"
#include "symmetry/cAlignement.h"
#include "symmetry/cSym.h"
#include "symmetry/chainSequence.h"
#include "symmetry/engineCallCache.h"
#include "symmetry/fatalError.h"

void cSym::readPDB(const std::string& path) {
    report->printInfo("Reading PDB file");
    cClassicalParserPDB reader;
    int nChains = 0, nAtoms = 0;
    reader.readFile(path, nChains, nAtoms, cClassicalParserPDB::eChainIdOrTer, 0);
    // Without atoms the engine would be the one to stop, on "No sequences in input file"; the
    // file itself is what the user has to change.
    if (nAtoms == 0)
        endRun(std::cerr, "Error: no ATOM records were found in " + path +
                              (reader.atomsAfterEnd ? " before its END record" : "") + "; " +
                              cClassicalParserPDB::kFormatsRead);
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

namespace {

// Positions of the first CA of every listed residue (ascending ordinals), as createAlignedAtoms
// would keep them; false when a listed residue has no CA, where createAlignedAtoms lets the next
// residue stand in and only it gives the right atoms.
bool alignedPositions(const cMolecule& chain, const std::vector<int>& caOfResidue, const std::vector<unsigned>& residues,
                      std::vector<cVector3>& positions) {
    positions.clear();
    for (unsigned r : residues) {
        if (r >= caOfResidue.size()) break;  // past the chain's residues: never reached
        if (caOfResidue[r] < 0) return false;
        positions.push_back(chain.atoms[static_cast<std::size_t>(caOfResidue[r])].position);
    }
    return true;
}

// Chains numbered by their sequences: chains with the same letters share a number. The
// residues that the matching of two chains accepts depend on their two sequences alone.
struct sSequenceNumbers {
    std::vector<std::size_t> of;      // per chain
    std::vector<std::size_t> copies;  // per number, the chains that have it

    explicit sSequenceNumbers(const std::vector<cMolecule*>& chains) {
        std::unordered_map<std::string, std::size_t> numbers;
        for (const cMolecule* chain : chains) {
            const auto [it, added] = numbers.emplace(chainSequence(*chain), copies.size());
            if (added) copies.push_back(0);
            of.push_back(it->second);
            ++copies[it->second];
        }
    }
};

}  // namespace

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
        // Two chains are compared on the CA atoms of their matched residues. Their positions are
        // taken straight from the chains; building the chains' aligned atoms, as the general
        // matching does, is left to a chain compared with itself and to residues without a CA.
        std::vector<std::vector<int>> caOfResidue;
        for (const cMolecule* chain : chains) caOfResidue.push_back(chain->residueCAIndices());
        cAlignement pairs(report, parameters);
        const sSequenceNumbers numbers(chains);
        // The residues matched for a pair of sequences that stands for more than one pair of
        // chains, by sequence numbers. A pair whose engine call printed something is matched
        // every time, so that it prints that again.
        std::map<std::pair<std::size_t, std::size_t>, std::vector<std::vector<unsigned>>> matchedSequences;
        std::vector<std::vector<unsigned>> fresh;
        auto matchResidues = [&](int x, int y) -> const std::vector<std::vector<unsigned>>& {
            const std::pair<std::size_t, std::size_t> key(numbers.of[x], numbers.of[y]);
            const auto found = matchedSequences.find(key);
            if (found != matchedSequences.end()) return found->second;
            std::vector<cMolecule*> two{chains[x], chains[y]};
            fresh = pairs.matchResidues(two);
            const bool recurs = numbers.copies[key.first] > 1 || numbers.copies[key.second] > 1;
            if (!recurs || !engineCallCache().lastCallPrintedNothing()) return fresh;
            return matchedSequences.emplace(key, std::move(fresh)).first->second;
        };
        // Matches chains x and y (aligned in that order) and leaves the positions of their
        // matched CA atoms in px and py.
        std::vector<cVector3> px, py;
        auto match = [&](int x, int y) {
            std::vector<cMolecule*> two{chains[x], chains[y]};
            if (x != y) {
                const std::vector<std::vector<unsigned>>& residues = matchResidues(x, y);
                if (alignedPositions(*chains[x], caOfResidue[x], residues[0], px) &&
                    alignedPositions(*chains[y], caOfResidue[y], residues[1], py))
                    return;
            }
            pairs.align(two);
            px.clear();
            py.clear();
            for (const cPDBAtom& atom : chains[x]->alignedAtoms) px.push_back(atom.position);
            for (const cPDBAtom& atom : chains[y]->alignedAtoms) py.push_back(atom.position);
        };

        cVector3 centre(0.0);
        for (int i = 0; i < n; ++i) {
            chainIndices.push_back(i);
            (void)chains[i]->computeCM();
            if (i > 0) {
                match(0, i);
                const cMolecule::sComparison c =
                    cMolecule::compare(py, chains[i]->centreOfMass, px, chains[0]->centreOfMass, centre);
                chains[i]->direction1 = c.direction1;
                chains[i]->direction2 = c.direction2;
            } else {
                chains[0]->direction1 = cVector3(1.0, 0.0, 0.0);
                chains[0]->direction2 = cVector3(0.0, 1.0, 0.0);
            }
            centre += chains[i]->centreOfMass;
        }
        if (n > 0) centre /= static_cast<double>(n);

        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                match(i, j);
                const cMolecule::sComparison c =
                    cMolecule::compare(px, chains[i]->centreOfMass, py, chains[j]->centreOfMass, centre);
                pairRMSD[i][j] = c.rmsd2;
                pairAngle[i][j] = c.angle;
                pairCentreDistance[i][j] = c.centreDistance2;
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
