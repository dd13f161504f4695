// TextFile: the engine's text reader and writer over a path, a standard stream or an open stream.
#include "align/textFile.h"

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <string>

#include "align/diagnostics.h"
#include "align/textUtils.h"

namespace {

bool IsWhite(char c) { return isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

TextFile::TextFile(const char* path, bool bWrite) : m_bWrite(bWrite) {
    if (strcmp(path, "-") == 0) {
        Init(bWrite ? stdout : stdin, "-");
        return;
    }
    FILE* f = fopen(path, bWrite ? "wb" : "rb");
    if (!f && bWrite) Quit("Cannot open '%s' for writing: %s", path, strerror(errno));
    if (!f) Quit("Cannot open '%s' errno=%d\n", path, errno);
    Init(f, path);
}

TextFile::TextFile(FILE* stream, const char*) { Init(stream, "-"); }

TextFile::~TextFile() {
    FILE* f = m_ptrFile;
    const bool standard = f == stdin || f == stdout || f == stderr;
    // Written text may sit in the stream's buffer until here: a file that could not be written
    // in full ends the process instead of being left short.
    bool failed = false;
    if (f && m_bWrite)
        failed = standard ? fflush(f) != 0 || ferror(f) != 0 : !CloseWrittenFile(f);
    else if (f && !standard)
        fclose(f);
    if (failed) WriteFailed();
    delete[] m_ptrName;
}

void TextFile::WriteFailed() const {
    const int e = errno;
    if (strcmp(m_ptrName, "-") == 0) Quit("Cannot write standard output errno=%d %s", e, strerror(e));
    Quit("Cannot write '%s' errno=%d %s", m_ptrName, e, strerror(e));
}

bool CloseWrittenFile(FILE* f) {
    const bool written = ferror(f) == 0;
    return (fclose(f) == 0) && written;
}

void CloseStandardOutput() {
    if (fflush(stdout) != 0 || ferror(stdout) != 0 || fclose(stdout) != 0) {
        const int e = errno;
        Quit("Cannot write standard output errno=%d %s", e, strerror(e));
    }
}

void TextFile::Init(FILE* stream, const char* name) {
    m_ptrFile = stream;
    m_uLineNr = 1;
    m_uColNr = 1;
    m_bLastCharWasEOL = true;
    m_cPushedBack = -1;
    m_bPushedFromStream = false;
    SetName(name);
}

void TextFile::SetName(const char* name) {
    delete[] m_ptrName;
    m_ptrName = strsave(name);
}

bool TextFile::GetChar(char& c) {
    if (m_cPushedBack != -1) {
        // Counted when it was first read; delivered again without counting.
        c = static_cast<char>(m_cPushedBack);
        m_bLastFromStream = m_bPushedFromStream;
        m_cPushedBack = -1;
        m_bLastCharWasEOL = (c == '\n');
        return false;
    }
    int ch = fgetc(m_ptrFile);
    if (ch == EOF) {
        if (ferror(m_ptrFile)) Quit("TextFile::GetChar, error %s", strerror(errno));
        // A last line without its newline still ends like a line.
        if (!m_bLastCharWasEOL) {
            c = '\n';
            m_bLastFromStream = false;
            m_bLastCharWasEOL = true;
            ++m_uLineNr;
            m_uColNr = 1;
            return false;
        }
        return true;
    }
    c = static_cast<char>(ch);
    m_bLastFromStream = true;
    m_bLastCharWasEOL = (c == '\n');
    if (c == '\n') {
        ++m_uLineNr;
        m_uColNr = 1;
    } else
        ++m_uColNr;
    return false;
}

void TextFile::GetCharX(char& c) {
    if (GetChar(c)) Quit("End-of-file in GetCharX");
}

void TextFile::GetNonblankChar(char& c) {
    do {
        if (GetChar(c)) Quit("End-of-file in GetCharX");
    } while (IsWhite(c));
}

void TextFile::PushBack(char c) {
    m_cPushedBack = static_cast<unsigned char>(c);
    m_bPushedFromStream = m_bLastFromStream;
}

bool TextFile::GetLine(char* buffer, unsigned size) {
    if (size == 0) Quit("TextFile::GetLine, buffer zero size");
    buffer[0] = 0;
    unsigned length = 0;
    char c;
    for (;;) {
        if (GetChar(c)) return length == 0;
        if (c == '\n') return false;
        if (c == '\r') continue;
        if (length + 1 >= size) Quit("TextFile::GetLine: input buffer too small, line %u", m_uLineNr);
        buffer[length++] = c;
        buffer[length] = 0;
    }
}

void TextFile::GetLineX(char* buffer, unsigned size) {
    if (size == 0) Quit("GetLineX");
    if (GetLine(buffer, size)) Quit("end-of-file in GetLineX");
}

bool TextFile::GetTrimLine(char* buffer, unsigned size) {
    if (size == 0) Quit("GetTrimLine");
    for (;;) {
        if (GetLine(buffer, size)) return true;
        TrimBlanks(buffer);
        if (buffer[0] != 0) return false;
    }
}

bool TextFile::GetToken(char* buffer, unsigned size, const char* chars) {
    if (size == 0) Quit("TextFile::GetToken: input buffer too small, line %u", m_uLineNr);
    buffer[0] = 0;
    char c;
    do {
        if (GetChar(c)) return true;
    } while (IsWhite(c));
    if (strchr(chars, c) && c != 0) {
        if (size < 2) Quit("TextFile::GetToken: input buffer too small, line %u", m_uLineNr);
        buffer[0] = c;
        buffer[1] = 0;
        return false;
    }
    unsigned length = 0;
    for (;;) {
        if (length + 1 >= size) Quit("TextFile::GetToken: input buffer too small, line %u", m_uLineNr);
        buffer[length++] = c;
        buffer[length] = 0;
        if (GetChar(c)) return true;
        if (IsWhite(c)) return false;
        if (c != 0 && strchr(chars, c)) {
            PushBack(c);
            return false;
        }
    }
}

void TextFile::GetTokenX(char* buffer, unsigned size, const char* chars) {
    if (GetToken(buffer, size, chars)) Quit("End-of-file in GetTokenX");
}

void TextFile::SkipWhite() {
    if (SkipWhiteX()) Quit("End-of-file skipping white space");
}

bool TextFile::SkipWhiteX() {
    char c;
    do {
        if (GetChar(c)) return true;
    } while (IsWhite(c));
    PushBack(c);
    return false;
}

void TextFile::SkipLine() {
    if (m_bLastCharWasEOL) return;
    char c;
    do {
        if (GetChar(c)) Quit("End-of-file in SkipLine");
    } while (c != '\n');
}

void TextFile::Skip() {
    char c;
    do {
        if (GetChar(c)) return;
    } while (c != '\n');
}

void TextFile::PutChar(char c) {
    if (fputc(c, m_ptrFile) == EOF) WriteFailed();
    if (c == '\n') {
        ++m_uLineNr;
        m_uColNr = 1;
    } else
        ++m_uColNr;
}

void TextFile::PutString(const char* text) {
    if (fputs(text, m_ptrFile) == EOF) WriteFailed();
}

void TextFile::PutFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    PutString(text.c_str());
}

TEXTFILEPOS TextFile::GetPos() {
    TEXTFILEPOS pos;
    pos.uOffset = ftello(m_ptrFile);
    if (m_cPushedBack != -1 && m_bPushedFromStream && pos.uOffset > 0) --pos.uOffset;
    pos.uLineNr = m_uLineNr;
    pos.uColNr = m_uColNr;
    return pos;
}

void TextFile::Seek(off_t offset) {
    if (fseeko(m_ptrFile, offset, SEEK_SET) != 0)
        Quit("TextFile::SetPos, cannot seek in %s errno=%d", m_ptrName, errno);
    m_cPushedBack = -1;
}

void TextFile::SetPos(const TEXTFILEPOS& pos) {
    Seek(pos.uOffset);
    m_uLineNr = pos.uLineNr;
    m_uColNr = pos.uColNr;
}

void TextFile::Rewind() {
    Seek(0);
    m_uLineNr = 1;
    m_uColNr = 1;
    m_bLastCharWasEOL = true;
}
