// FASTA: one record at a time from a C stream, and the FASTA readers and writers of Seq,
// SeqVect and MSA.
#include "align/fasta.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "align/alpha.h"
#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/seq.h"
#include "align/seqVect.h"
#include "align/textFile.h"

namespace {

// Label and letter buffers start with this many bytes and double when full, so that reading a
// record costs time in proportion to its length.
constexpr unsigned BUFFER_START = 128;
// FASTA output carries 60 letters a line.
constexpr unsigned FASTA_LINE = 60;
// Longest line (without its newline) of the line-based record reader is one less than this.
constexpr unsigned MAX_FASTA_LINE = 16000;

// A growable byte buffer of new[] storage, handed over to the caller when complete.
struct GrowBuffer {
    char* data = nullptr;
    unsigned length = 0;
    unsigned capacity = 0;

    ~GrowBuffer() { delete[] data; }
    void Append(char c) {
        // Always room for the NUL after the last byte.
        if (length + 1 >= capacity) {
            const unsigned grownCapacity = capacity == 0 ? BUFFER_START : GrownCapacity();
            char* grown = new char[grownCapacity];
            if (data) memcpy(grown, data, length);
            delete[] data;
            data = grown;
            capacity = grownCapacity;
        }
        data[length++] = c;
        data[length] = 0;
    }
    // Twice the capacity, up to what the unsigned length and capacity can count.
    unsigned GrownCapacity() const {
        constexpr unsigned most = std::numeric_limits<unsigned>::max();
        if (capacity == most) Quit("FASTA record too long: more than %u characters", most - 1);
        return capacity > most / 2 ? most : 2 * capacity;
    }
    // The text, NUL-terminated, in new[] storage of its own size: rows that an alignment keeps
    // hold no more than their letters.
    char* Release() {
        if (!data || capacity - length > BUFFER_START) {
            char* exact = new char[length + 1];
            if (data) memcpy(exact, data, length);
            exact[length] = 0;
            delete[] data;
            data = exact;
        }
        char* out = data;
        data = nullptr;
        length = capacity = 0;
        return out;
    }
};

[[noreturn]] void ReadError(FILE* f) {
    const int e = errno;
    if (ferror(f)) Quit("Error reading FASTA file, ferror=TRUE feof=FALSE errno=%d %s", e, strerror(e));
    Quit("Error reading FASTA file, fgetc=EOF feof=FALSE ferror=FALSE errno=%d %s", e, strerror(e));
}

// fgetc that tells a real end of file (EOF) from a read error (which ends the process).
int NextChar(FILE* f) {
    const int c = fgetc(f);
    if (c == EOF && !feof(f)) ReadError(f);
    return c;
}

void PutLetters(TextFile& file, const char* letters, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
        file.PutChar(letters[i]);
        if ((i + 1) % FASTA_LINE == 0 && i + 1 < count) file.PutChar('\n');
    }
    file.PutChar('\n');
}

void PutRecord(TextFile& file, const char* name, const char* letters, unsigned count) {
    file.PutFormat(">%s\n", name ? name : "");
    PutLetters(file, letters, count);
}

// One record of GetFastaSeq, its buffers owned until they are handed on.
struct FastaRecord {
    std::unique_ptr<char[]> letters, label;
    unsigned length = 0;

    bool Read(FILE* f, bool deleteGaps) {
        char* labelText = nullptr;
        letters.reset(GetFastaSeq(f, &length, &labelText, deleteGaps));
        label.reset(labelText);
        return letters != nullptr;
    }
};

}  // namespace

char* GetFastaSeq(FILE* f, unsigned* length, char** label, bool bDeleteGaps) {
    for (;;) {
        int c = NextChar(f);
        if (c == EOF) return nullptr;
        if (c != '>') Quit("Invalid file format, expected '>' to start FASTA label");

        GrowBuffer labelBuffer;
        for (;;) {
            c = fgetc(f);
            if (c == EOF) Quit("End-of-file or input error in FASTA label");
            if (c == '\n' || c == '\r') break;
            labelBuffer.Append(static_cast<char>(c));
        }

        GrowBuffer letters;
        int previous = c;
        for (;;) {
            c = NextChar(f);
            if (c == EOF) break;
            if (c == '>') {
                if (previous != '\n' && previous != '\r') Quit("Unexpected '>' in FASTA sequence data");
                ungetc(c, f);
                break;
            }
            previous = c;
            if (isspace(c)) continue;
            if (c == '-' || c == '.') {
                if (!bDeleteGaps) letters.Append(static_cast<char>(c));
                continue;
            }
            if (!isalpha(c)) {
                if (isprint(c))
                    Warning("Invalid character '%c' in FASTA sequence data, ignored", c);
                else
                    Warning("Invalid byte hex %02x in FASTA sequence data, ignored", c);
                continue;
            }
            letters.Append(static_cast<char>(toupper(c)));
        }

        // A record without letters is skipped.
        if (letters.length == 0) continue;
        *length = letters.length;
        *label = labelBuffer.Release();
        return letters.Release();
    }
}

void SeqVect::FromFASTAFile(TextFile& file) {
    Clear();
    FILE* f = file.GetStdioFile();
    FastaRecord record;
    while (record.Read(f, true)) {
        auto s = std::make_unique<Seq>();
        s->assign(record.letters.get(), record.letters.get() + record.length);
        s->SetName(record.label.get());
        push_back(s.release());
    }
}

void MSA::FromFASTAFile(TextFile& file) {
    Free();
    FILE* f = file.GetStdioFile();
    FastaRecord record;
    while (record.Read(f, false)) {
        // The rows of an alignment share one length; a user's file may not.
        if (m_uSeqCount > 0 && record.length != m_uColCount)
            Quit("The rows of %s differ in length: row %s has %u columns, row %s has %u", file.GetFileName(),
                 m_szNames[0] ? m_szNames[0] : "", m_uColCount, record.label.get(), record.length);
        AppendSeq(record.letters.release(), record.length, record.label.release());
    }
}

bool Seq::FromFASTAFile(TextFile& file) {
    clear();
    std::vector<char> line(MAX_FASTA_LINE);
    if (file.GetLine(line.data(), MAX_FASTA_LINE)) return true;
    // The line just read is the one before the current line number.
    const char* name = file.GetFileName();
    if (line[0] != '>') Quit("Expecting '>' in FASTA file %s line %u", name, file.GetLineNr() - 1);
    const unsigned headerLine = file.GetLineNr() - 1;
    if (line[1] == 0) Quit("Missing annotation following '>' in FASTA file %s line %u", name, headerLine);
    SetName(line.data() + 1);

    for (;;) {
        const TEXTFILEPOS pos = file.GetPos();
        if (file.GetLine(line.data(), MAX_FASTA_LINE)) break;
        if (line[0] == '>') {
            file.SetPos(pos);
            break;
        }
        const unsigned lineNr = file.GetLineNr() - 1;
        for (const char* p = line.data(); *p; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            if (isspace(c) || c == '-' || c == '.') continue;
            if (!isprint(c)) Quit("Invalid byte hex %02x in FASTA file %s line %d", c, name, static_cast<int>(lineNr));
            if (!IsResidueChar(static_cast<char>(c))) {
                const char wildcard = GetWildcardChar();
                Warning("Invalid residue '%c' in FASTA file %s line %d, replaced by '%c'", c, name,
                        static_cast<int>(lineNr), wildcard);
                push_back(wildcard);
                continue;
            }
            push_back(static_cast<char>(toupper(c)));
        }
    }
    if (empty()) Quit("Empty sequence in FASTA file %s line %u", name, headerLine);
    return false;
}

void Seq::ToFASTAFile(TextFile& file) const { PutRecord(file, GetName(), data(), Length()); }

void SeqVect::ToFASTAFile(TextFile& file) const {
    for (const Seq* s : *this) s->ToFASTAFile(file);
}

void MSA::ToFASTAFile(TextFile& file) const {
    for (unsigned row = 0; row < m_uSeqCount; ++row) PutRecord(file, m_szNames[row], m_szSeqs[row], m_uColCount);
}
