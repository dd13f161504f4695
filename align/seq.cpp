// Seq: one sequence (letters, optionally gapped) with a name and an id.
#include "align/seq.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/engineTypes.h"
#include "align/msa.h"
#include "align/textUtils.h"

namespace {

std::string Ungapped(const Seq& s) {
    std::string out;
    for (char c : s)
        if (!IsGapChar(c)) out += c;
    return out;
}

bool SameLetterIgnoringCase(char a, char b) {
    return toupper(static_cast<unsigned char>(a)) == toupper(static_cast<unsigned char>(b));
}

}  // namespace

Seq::Seq() : m_uId(uInsane) { reserve(200); }

Seq::~Seq() { delete[] m_ptrName; }

void Seq::SetName(const char* name) {
    char* copy = strsave(name);
    delete[] m_ptrName;
    m_ptrName = copy;
}

unsigned Seq::GetId() const {
    if (m_uId == uInsane) Quit("Seq::GetId, id not set");
    return m_uId;
}

bool Seq::IdSet() const { return m_uId != uInsane; }

void Seq::Copy(const Seq& s) {
    if (&s == this) return;
    const unsigned id = s.GetId();
    assign(s.begin(), s.end());
    if (s.m_ptrName)
        SetName(s.m_ptrName);
    else {
        delete[] m_ptrName;
        m_ptrName = nullptr;
    }
    m_uId = id;
}

void Seq::CopyReversed(const Seq& s) {
    std::vector<char> reversed(s.rbegin(), s.rend());
    assign(reversed.begin(), reversed.end());
    if (s.m_ptrName && &s != this) SetName(s.m_ptrName);
}

void Seq::FromString(const char* letters, const char* name) {
    assign(letters, letters + std::char_traits<char>::length(letters));
    SetName(name);
}

void Seq::StripGaps() { erase(std::remove_if(begin(), end(), IsGapChar), end()); }

void Seq::StripGapsAndWhitespace() {
    erase(std::remove_if(begin(), end(),
                         [](char c) { return IsGapChar(c) || isspace(static_cast<unsigned char>(c)); }),
          end());
}

void Seq::ToUpper() {
    for (char& c : *this) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
}

unsigned Seq::GetLetter(unsigned i) const {
    if (i >= size()) Quit("Seq::GetLetter(%u), length=%u", i, Length());
    return CharToLetter((*this)[i]);
}

bool Seq::HasGap() const { return std::any_of(begin(), end(), IsGapChar); }

unsigned Seq::GetUngappedLength() const {
    return static_cast<unsigned>(std::count_if(begin(), end(), [](char c) { return !IsGapChar(c); }));
}

bool Seq::Eq(const Seq& s) const { return size() == s.size() && std::equal(begin(), end(), s.begin()); }

bool Seq::EqIgnoreCase(const Seq& s) const {
    if (size() != s.size()) return false;
    for (size_t i = 0; i < size(); ++i) {
        const char a = (*this)[i];
        const char b = s[i];
        if (IsGapChar(a) && IsGapChar(b)) continue;
        if (IsGapChar(a) || IsGapChar(b) || !SameLetterIgnoringCase(a, b)) return false;
    }
    return true;
}

bool Seq::EqIgnoreCaseAndGaps(const Seq& s) const {
    const std::string a = Ungapped(*this);
    const std::string b = Ungapped(s);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameLetterIgnoringCase(a[i], b[i])) return false;
    return true;
}

void Seq::ExtractUngapped(MSA& a) const {
    const std::string letters = Ungapped(*this);
    a.Free();
    a.SetSize(1, static_cast<unsigned>(letters.size()));
    if (m_ptrName) a.SetSeqName(0, m_ptrName);
    for (unsigned col = 0; col < letters.size(); ++col) a.SetChar(0, col, letters[col]);
}

void Seq::FixAlpha() {
    for (char& c : *this) {
        if (!IsResidueChar(c)) {
            const char wildcard = GetWildcardChar();
            InvalidLetterWarning(c, wildcard);
            c = wildcard;
        }
    }
}

void Seq::LogMe() const {
    Log(">%s\n", m_ptrName ? m_ptrName : "");
    Log("%s", std::string(begin(), end()).c_str());
    Log("\n");
}
