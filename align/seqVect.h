// SeqVect: an owning, ordered collection of sequences, the engine's input.
#pragma once

#include <vector>

#include "align/enums.h"
#include "align/seq.h"

class MSA;
class TextFile;

// Owns every Seq it holds (callers may push_back a new Seq and hand it over). Every index is
// checked: a bad one ends the process.
class SeqVect : public std::vector<Seq*> {
public:
    SeqVect() = default;
    virtual ~SeqVect();
    SeqVect(const SeqVect&) = delete;
    SeqVect& operator=(const SeqVect&) = delete;

    unsigned Length() const { return static_cast<unsigned>(size()); }
    unsigned GetSeqCount() const { return Length(); }

    // Deletes every sequence.
    void Clear();
    // Appends a copy of s (s's id must be set).
    void AppendSeq(const Seq& s);
    // Replaces the contents with copies of v's sequences.
    void Copy(const SeqVect& v);

    Seq& GetSeq(unsigned i);
    const Seq& GetSeq(unsigned i) const;
    const char* GetSeqName(unsigned i) const;
    unsigned GetSeqLength(unsigned i) const;
    void SetSeqId(unsigned i, unsigned id);
    unsigned GetSeqId(unsigned i) const;

    // First sequence named name, ignoring case.
    bool FindName(const char* name, unsigned* index) const;
    // Id of the first sequence named exactly name (case matters).
    unsigned GetSeqIdFromName(const char* name) const;
    Seq& GetSeqById(unsigned id);

    void StripGaps();
    void StripGapsAndWhitespace();
    void ToUpper();
    void LogMe() const;

    // DNA, RNA or Amino from the first 100 non-gap characters.
    ALPHA GuessAlpha() const;
    // Repairs every sequence and warns once for the whole collection.
    void FixAlpha();
    // One row per sequence, padded with '.' to the longest; an empty collection frees a.
    void PadToMSA(MSA& a) const;

    void ToFASTAFile(TextFile& file) const;
    // Replaces the contents with the file's records, gaps deleted.
    void FromFASTAFile(TextFile& file);

private:
    void CheckIndex(unsigned i, const char* operation) const;
};
