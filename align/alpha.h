// Alphabets: the letter tables of amino acids, DNA and RNA, and the repair of invalid letters.
#pragma once

#include "align/enums.h"
#include "align/params.h"

// Rebuilds every alphabet table (params.h) for Amino, DNA or RNA; any other value ends the
// process ("Invalid Alpha=%d"). Letters and wildcards are entered in both cases.
void SetAlpha(ALPHA alpha);
// Puts every alphabet table back to "not set" and the alphabet to Undefined.
void ClearAlphaTables();
// 'X' for amino acids, 'N' for nucleotides.
char GetWildcardChar();

// Table lookups by byte value; wildcards have an extended number but no letter number.
inline unsigned CharToLetter(char c) { return g_CharToLetter[static_cast<unsigned char>(c)]; }
inline unsigned CharToLetterEx(char c) { return g_CharToLetterEx[static_cast<unsigned char>(c)]; }
inline bool IsResidueChar(char c) { return g_IsResidueChar[static_cast<unsigned char>(c)]; }
inline bool IsWildcardChar(char c) { return g_IsWildcardChar[static_cast<unsigned char>(c)]; }
inline char AlignChar(char c) { return g_AlignChar[static_cast<unsigned char>(c)]; }
inline char UnalignChar(char c) { return g_UnalignChar[static_cast<unsigned char>(c)]; }
inline bool IsGapChar(char c) { return c == '-' || c == '.'; }

// Membership of "ACGTURYNacgturyn", "AGCTNagctn" and "AGCUNagcun".
bool IsNucleo(char c);
bool IsDNA(char c);
bool IsRNA(char c);

// The invalid-letter record: letters replaced since the last clear, reported in one warning.
void ClearInvalidLetterWarning();
void InvalidLetterWarning(char c, char replacement);
// Warns once, listing every replaced character once in byte order; nothing when none was.
void ReportInvalidLetters();
