// SeqVect: an owning, ordered collection of sequences, the engine's input.
#include "align/seqVect.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"

namespace {

// Only the first 100 non-gap characters decide; more than 94 % of them must be nucleotides.
constexpr unsigned GUESS_SAMPLE = 100;
constexpr unsigned GUESS_MIN_PERCENT = 94;

}  // namespace

SeqVect::~SeqVect() { Clear(); }

void SeqVect::Clear() {
    for (Seq* s : *this) delete s;
    clear();
}

void SeqVect::CheckIndex(unsigned i, const char* operation) const {
    if (i >= size()) Quit("SeqVect::%s(%u), count=%u", operation, i, Length());
}

void SeqVect::AppendSeq(const Seq& s) {
    Seq* copy = new Seq;
    copy->Copy(s);
    push_back(copy);
}

void SeqVect::Copy(const SeqVect& v) {
    if (&v == this) return;
    Clear();
    for (const Seq* s : v) AppendSeq(*s);
}

Seq& SeqVect::GetSeq(unsigned i) {
    CheckIndex(i, "GetSeq");
    return *(*this)[i];
}

const Seq& SeqVect::GetSeq(unsigned i) const {
    CheckIndex(i, "GetSeq");
    return *(*this)[i];
}

const char* SeqVect::GetSeqName(unsigned i) const {
    CheckIndex(i, "GetSeqName");
    return (*this)[i]->GetName();
}

unsigned SeqVect::GetSeqLength(unsigned i) const {
    CheckIndex(i, "GetSeqLength");
    return (*this)[i]->Length();
}

void SeqVect::SetSeqId(unsigned i, unsigned id) {
    CheckIndex(i, "SetSeqId");
    (*this)[i]->SetId(id);
}

unsigned SeqVect::GetSeqId(unsigned i) const {
    CheckIndex(i, "GetSeqId");
    return (*this)[i]->GetId();
}

bool SeqVect::FindName(const char* name, unsigned* index) const {
    for (unsigned i = 0; i < size(); ++i) {
        const char* n = (*this)[i]->GetName();
        if (n && strcasecmp(n, name) == 0) {
            *index = i;
            return true;
        }
    }
    return false;
}

unsigned SeqVect::GetSeqIdFromName(const char* name) const {
    for (const Seq* s : *this) {
        const char* n = s->GetName();
        if (n && strcmp(n, name) == 0) return s->GetId();
    }
    Quit("SeqVect::GetSeqIdFromName(%s): not found", name);
}

Seq& SeqVect::GetSeqById(unsigned id) {
    for (Seq* s : *this)
        if (s->GetId() == id) return *s;
    Quit("SeqVect::GetSeqIdByUd(%d): not found", static_cast<int>(id));
}

void SeqVect::StripGaps() {
    for (Seq* s : *this) s->StripGaps();
}

void SeqVect::StripGapsAndWhitespace() {
    for (Seq* s : *this) s->StripGapsAndWhitespace();
}

void SeqVect::ToUpper() {
    for (Seq* s : *this) s->ToUpper();
}

void SeqVect::LogMe() const {
    for (const Seq* s : *this) s->LogMe();
}

ALPHA SeqVect::GuessAlpha() const {
    unsigned counted = 0, dna = 0, rna = 0;
    for (const Seq* s : *this) {
        for (char c : *s) {
            if (counted == GUESS_SAMPLE) break;
            if (IsGapChar(c)) continue;
            ++counted;
            if (IsDNA(c)) ++dna;
            if (IsRNA(c)) ++rna;
        }
        if (counted == GUESS_SAMPLE) break;
    }
    if (counted == 0) return ALPHA_Amino;
    if (dna * 100 / counted > GUESS_MIN_PERCENT) return ALPHA_DNA;
    if (rna * 100 / counted > GUESS_MIN_PERCENT) return ALPHA_RNA;
    return ALPHA_Amino;
}

void SeqVect::FixAlpha() {
    ClearInvalidLetterWarning();
    for (Seq* s : *this) s->FixAlpha();
    ReportInvalidLetters();
}

void SeqVect::PadToMSA(MSA& a) const {
    if (empty()) {
        a.Free();
        return;
    }
    unsigned longest = 0;
    for (const Seq* s : *this) longest = std::max(longest, s->Length());
    a.SetSize(Length(), longest);
    for (unsigned row = 0; row < size(); ++row) {
        const Seq& s = *(*this)[row];
        if (s.GetName()) a.SetSeqName(row, s.GetName());
        for (unsigned col = 0; col < longest; ++col) a.SetChar(row, col, col < s.Length() ? s[col] : '.');
    }
}
