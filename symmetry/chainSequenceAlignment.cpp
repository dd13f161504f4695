// The chains' residue sequences handed to the alignment engine (the cMolecule members that reach
// the engine live here, with the chain matching, so that structure/ does not depend on it).
#include <algorithm>
#include <string>

#include "align/msa.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "structure/cMolecule.h"
#include "symmetry/chainSequence.h"
#include "symmetry/engineCallCache.h"
#include "align/corvid.h"

std::string chainSequence(const cMolecule& chain) {
    std::string letters;
    for (const cPDBSegment& segment : chain.segments)
        for (const auto& [number, letter] : segment.residues) letters += letter;
    return letters;
}

bool hasKnownResidue(const std::string& sequence) {
    return std::any_of(sequence.begin(), sequence.end(), [](char c) { return c != 'x'; });
}

namespace {

Seq* newSeq(const std::string& letters, const char* name) {
    Seq* s = new Seq;
    s->FromString(letters.c_str(), name);
    return s;
}

// The alignment as HTML in the file, when a non-empty path is given.
void writeHtml(const MSA& msa, const std::string* htmlPath) {
    if (htmlPath == nullptr || htmlPath->empty()) return;
    TextFile file(htmlPath->c_str(), true);
    msa.ToHTMLFile(file);
}

}  // namespace

std::unique_ptr<MSA> cMolecule::align(std::vector<cMolecule*>& chains, const std::string* htmlPath) {
    SeqVect sequences;
    for (auto it = chains.begin(); it != chains.end();) {
        const std::string letters = chainSequence(**it);
        if (!hasKnownResidue(letters)) {
            it = chains.erase(it);
            continue;
        }
        sequences.push_back(newSeq(letters, (*it)->label.c_str()));
        ++it;
    }
    auto msa = std::make_unique<MSA>();
    // A lone sequence has nothing to be aligned with, and the engine would only echo it on
    // standard output; an empty input still goes to the engine, which ends the run.
    if (sequences.Length() != 1) engineCallCache().align(sequences, *msa);
    writeHtml(*msa, htmlPath);
    return msa;
}

std::unique_ptr<MSA> cMolecule::align(const cMolecule* other, const std::string* htmlPath) const {
    SeqVect sequences;
    sequences.push_back(newSeq(chainSequence(*this), "A"));
    sequences.push_back(newSeq(chainSequence(*other), "B"));
    auto msa = std::make_unique<MSA>();
    DoPairwiseCorvid(sequences, *msa);
    writeHtml(*msa, htmlPath);
    return msa;
}
