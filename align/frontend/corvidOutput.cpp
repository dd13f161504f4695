// CorvidOutput, WriteOutputFiles and Stabilize: an alignment into every output that the options
// name.
#include <initializer_list>

#include "align/corvid.h"
#include "align/frontend/commands.h"
#include "align/msa.h"
#include "align/msaFiles.h"
#include "align/params.h"
#include "align/textFile.h"

namespace {

enum class Format { FASTA, MSF, ClustalW, HTML, PhylipInterleaved, PhylipSequential };

void Write(MSA& a, TextFile& file, Format format) {
    switch (format) {
        case Format::FASTA: a.ToFASTAFile(file); break;
        case Format::MSF: a.ToMSFFile(file); break;
        case Format::ClustalW: a.ToAlnFile(file); break;
        case Format::HTML: a.ToHTMLFile(file); break;
        case Format::PhylipInterleaved: a.ToPhyInterleavedFile(file); break;
        case Format::PhylipSequential: a.ToPhySequentialFile(file); break;
    }
}

// Writes a to path when the option named it; returns whether it did.
bool WriteExtra(MSA& a, const char* path, Format format) {
    if (!path) return false;
    TextFile file(path, true);
    Write(a, file, format);
    return true;
}

}  // namespace

void CorvidOutput(MSA& a) {
    MHackEnd(a);
    if (!g_bStable) {
        WriteOutputFiles(a);
        return;
    }
    MSA b;
    Stabilize(a, b);
    a.Free();
    WriteOutputFiles(b);
}

void WriteOutputFiles(MSA& a) {
    bool extra = WriteExtra(a, g_pstrFASTAOutFileName, Format::FASTA);
    extra |= WriteExtra(a, g_pstrMSFOutFileName, Format::MSF);
    extra |= WriteExtra(a, g_pstrClwOutFileName, Format::ClustalW);
    if (g_pstrClwStrictOutFileName) {
        g_bClwStrict = true;
        extra |= WriteExtra(a, g_pstrClwStrictOutFileName, Format::ClustalW);
    }
    extra |= WriteExtra(a, g_pstrHTMLOutFileName, Format::HTML);
    extra |= WriteExtra(a, g_pstrPHYIOutFileName, Format::PhylipInterleaved);
    extra |= WriteExtra(a, g_pstrPHYSOutFileName, Format::PhylipSequential);

    // The main output is created in every case; it stays empty when only extra outputs were asked.
    {
        TextFile main(g_pstrOutFileName, true);
        const std::initializer_list<std::pair<bool, Format>> flags = {
            {g_bFASTA, Format::FASTA}, {g_bMSF, Format::MSF},
            {g_bAln, Format::ClustalW}, {g_bHTML, Format::HTML},
            {g_bPHYI, Format::PhylipInterleaved}, {g_bPHYS, Format::PhylipSequential}};
        bool written = false;
        for (const auto& [flag, format] : flags) {
            if (!flag) continue;
            Write(a, main, format);
            written = true;
            break;
        }
        if (!written && !extra) Write(a, main, Format::FASTA);
    }
    if (g_pstrScoreFileName) WriteScoreFile(a);
}

void Stabilize(const MSA& a, MSA& b) {
    const unsigned rows = a.GetSeqCount();
    const unsigned cols = a.GetColCount();
    b.SetSize(rows, cols);
    for (unsigned id = 0; id < rows; ++id) {
        b.CopySeq(id, a, a.GetSeqIndex(id));
        b.SetSeqId(id, id);
    }
}
