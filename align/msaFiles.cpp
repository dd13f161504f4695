// Output in the format the engine's flags ask for, and the name fields of ClustalW and HTML.
#include "align/msaFiles.h"

#include <algorithm>
#include <cctype>

#include "align/msa.h"
#include "align/params.h"
#include "align/textFile.h"

namespace {

// Narrower name fields are widened to this.
constexpr unsigned CLW_MIN_WIDTH = 10;

}  // namespace

std::string ClwName(const char* name) {
    std::string text(name ? name : "");
    text = text.substr(0, text.find_first_of(" \t"));  // the first word of a FASTA label
    if (text.size() > CLW_MAX_NAME) text.resize(CLW_MAX_NAME);
    return text;
}

unsigned ClwNameWidth(const MSA& msa) {
    size_t width = 0;
    for (unsigned row = 0; row < msa.GetSeqCount(); ++row)
        width = std::max(width, ClwName(msa.GetSeqName(row)).size());
    return width < CLW_MIN_WIDTH ? CLW_MIN_WIDTH : static_cast<unsigned>(width);
}

void PutUpper(TextFile& file, const char* text, unsigned count) {
    std::string upper(text, count);
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    file.PutString(upper.c_str());
}

void MSA::ToFile(TextFile& file) {
    if (g_bMSF)
        ToMSFFile(file);
    else if (g_bAln)
        ToAlnFile(file);
    else if (g_bHTML)
        ToHTMLFile(file);
    else if (g_bPHYS)
        ToPhySequentialFile(file);
    else if (g_bPHYI)
        ToPhyInterleavedFile(file);
    else
        ToFASTAFile(file);
    if (g_pstrScoreFileName != nullptr) WriteScoreFile(*this);
}
