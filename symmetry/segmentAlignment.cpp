// Alignment of two chain segments written as a ClustalW file, for looking at a pair by eye.
#include <string>

#include "align/corvid.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "structure/cPDBSegment.h"

namespace {

// The file name is fixed: the routine is a debugging aid, not part of the run's output.
constexpr const char* kAlignmentFile = "toto";

Seq* segmentSeq(const cPDBSegment& segment, const char* name) {
    std::string letters;
    for (const auto& [number, letter] : segment.residues) letters += letter;
    Seq* s = new Seq;
    s->FromString(letters.c_str(), name);
    return s;
}

}  // namespace

void cPDBSegment::align(const cPDBSegment* other) const {
    SeqVect sequences;
    sequences.push_back(segmentSeq(*this, "A"));
    sequences.push_back(segmentSeq(*other, "B"));
    MSA msa;
    DoPairwiseCorvid(sequences, msa);
    TextFile file(kAlignmentFile, true);
    msa.ToAlnFile(file);
}
