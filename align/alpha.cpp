// Alphabets: the letter tables of amino acids, DNA and RNA, and the repair of invalid letters.
#include "align/alpha.h"

#include <cctype>
#include <cstring>
#include <string>

#include "align/diagnostics.h"

namespace {

bool invalidLetterSeen[256];
unsigned invalidLetterCount = 0;

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// Enters one letter or wildcard, both cases, with its extended number.
void EnterChar(char c, unsigned letterEx, bool isLetter, bool isWildcard) {
    const char upper = static_cast<char>(toupper(Byte(c)));
    const char lower = static_cast<char>(tolower(Byte(c)));
    for (char x : {upper, lower}) {
        if (isLetter) g_CharToLetter[Byte(x)] = letterEx;
        g_CharToLetterEx[Byte(x)] = letterEx;
        g_IsResidueChar[Byte(x)] = true;
        g_IsWildcardChar[Byte(x)] = isWildcard;
        g_AlignChar[Byte(x)] = upper;
        g_UnalignChar[Byte(x)] = lower;
    }
}

void EnterGaps() {
    for (char gap : {'-', '.'}) {
        g_CharToLetterEx[Byte(gap)] = AX_GAP;
        g_AlignChar[Byte(gap)] = gap;
        g_UnalignChar[Byte(gap)] = gap;
    }
    g_LetterExToChar[AX_GAP] = '-';
}

// Letters numbered 0, 1, ... in the order given, then the wildcards numbered on from there;
// the letters make the alphabet's size.
void EnterAlphabet(const char* letters, const char* wildcards) {
    const unsigned letterCount = static_cast<unsigned>(strlen(letters));
    for (unsigned i = 0; i < letterCount; ++i) {
        EnterChar(letters[i], i, true, false);
        g_LetterToChar[i] = letters[i];
        g_LetterExToChar[i] = letters[i];
    }
    for (unsigned i = 0; wildcards[i] != 0; ++i) {
        EnterChar(wildcards[i], letterCount + i, false, true);
        g_LetterExToChar[letterCount + i] = wildcards[i];
    }
    g_AlphaSize = letterCount;
}

void SetAmino() { EnterAlphabet("ACDEFGHIKLMNPQRSTVWY", "XBZ"); }

// DNA and RNA share one set of tables: T and U are both letter 3, printed as T.
void SetNucleo() {
    EnterAlphabet("ACGT", "MRWSYKVHDBXN");
    EnterChar('U', 3, true, false);
}

}  // namespace

void ClearAlphaTables() {
    g_CharToLetter.fill(NOT_SET_LETTER);
    g_CharToLetterEx.fill(NOT_SET_LETTER);
    g_LetterToChar.fill(NOT_SET_CHAR);
    g_LetterExToChar.fill(NOT_SET_CHAR);
    g_IsResidueChar.fill(false);
    g_IsWildcardChar.fill(false);
    g_AlignChar.fill(NOT_SET_CHAR);
    g_UnalignChar.fill(NOT_SET_CHAR);
    g_Alpha = ALPHA_Undefined;
    g_AlphaSize = 0;
}

void SetAlpha(ALPHA alpha) {
    if (alpha != ALPHA_Amino && alpha != ALPHA_DNA && alpha != ALPHA_RNA)
        Quit("Invalid Alpha=%d", static_cast<int>(alpha));
    ClearAlphaTables();
    if (alpha == ALPHA_Amino)
        SetAmino();
    else
        SetNucleo();
    EnterGaps();
    g_Alpha = alpha;
    if (g_bVerbose) Log("Alphabet %s\n", ALPHAToStr(alpha));
}

char GetWildcardChar() {
    switch (g_Alpha) {
        case ALPHA_Amino: return 'X';
        case ALPHA_DNA:
        case ALPHA_RNA: return 'N';
        default: Quit("Invalid Alpha=%d", static_cast<int>(g_Alpha));
    }
}

bool IsNucleo(char c) { return c != 0 && strchr("ACGTURYNacgturyn", c) != nullptr; }
bool IsDNA(char c) { return c != 0 && strchr("AGCTNagctn", c) != nullptr; }
bool IsRNA(char c) { return c != 0 && strchr("AGCUNagcun", c) != nullptr; }

void ClearInvalidLetterWarning() {
    memset(invalidLetterSeen, 0, sizeof(invalidLetterSeen));
    invalidLetterCount = 0;
}

void InvalidLetterWarning(char c, char) {
    invalidLetterSeen[Byte(c)] = true;
    ++invalidLetterCount;
}

void ReportInvalidLetters() {
    if (invalidLetterCount == 0) return;
    std::string letters;
    // Byte 0 cannot be shown inside the message text; every other flagged byte is listed.
    for (unsigned i = 1; i < 256; ++i)
        if (invalidLetterSeen[i]) letters += static_cast<char>(i);
    Warning("Assuming %s (see -seqtype option), invalid letters found: %s", ALPHAToStr(g_Alpha), letters.c_str());
}
