// Seq: one sequence (letters, optionally gapped) with a name and an id.
#pragma once

#include <vector>

class MSA;
class TextFile;

// The letters are the vector's bytes, in order; '-' and '.' are gaps. The id is uInsane
// (8888888) until set; the engine numbers its input sequences 0 .. n-1.
class Seq : public std::vector<char> {
public:
    Seq();
    virtual ~Seq();
    // Owners hold sequences by pointer (SeqVect); copy with Copy.
    Seq(const Seq&) = delete;
    Seq& operator=(const Seq&) = delete;

    unsigned Length() const { return static_cast<unsigned>(size()); }
    // Null until set.
    const char* GetName() const { return m_ptrName; }
    void SetName(const char* name);
    // An unset id ends the process ("Seq::GetId, id not set").
    unsigned GetId() const;
    void SetId(unsigned id) { m_uId = id; }
    bool IdSet() const;

    // Letters, name and id of s, whose id must be set.
    void Copy(const Seq& s);
    // s's letters reversed and its name; the id stays.
    void CopyReversed(const Seq& s);
    void FromString(const char* letters, const char* name);

    void StripGaps();
    void StripGapsAndWhitespace();
    void ToUpper();
    // Letter number of the i-th character in the current alphabet.
    unsigned GetLetter(unsigned i) const;
    bool HasGap() const;
    unsigned GetUngappedLength() const;

    bool Eq(const Seq& s) const;
    // Position by position: both gaps (either gap character) or the same letter in any case.
    bool EqIgnoreCase(const Seq& s) const;
    bool EqIgnoreCaseAndGaps(const Seq& s) const;

    // a becomes one row, named like this sequence, holding its non-gap letters.
    void ExtractUngapped(MSA& a) const;
    // Every character that is not a residue character of the current alphabet (gaps
    // included) becomes the wildcard and is recorded for ReportInvalidLetters.
    void FixAlpha();
    void LogMe() const;

    // FASTA, 60 letters a line.
    void ToFASTAFile(TextFile& file) const;
    // Reads one record line by line; returns true at end of file.
    bool FromFASTAFile(TextFile& file);

private:
    char* m_ptrName = nullptr;
    unsigned m_uId;
};
