// TextFile: the engine's text reader and writer over a path, a standard stream or an open stream.
#pragma once

#include <cstdio>
#include <sys/types.h>

// A saved position: stream offset (64-bit), line and column.
struct TEXTFILEPOS {
    off_t uOffset;
    unsigned uLineNr;
    unsigned uColNr;
};

class TextFile {
public:
    // "-" is standard input (reading) or standard output (writing); other paths are opened in
    // binary mode. Failure ends the process ("Cannot open '%s' errno=%d" for reading, "Cannot
    // open '%s' for writing: <reason>").
    TextFile(const char* path, bool bWrite = false);
    // Wraps a stream opened by the caller; the name kept is "-".
    TextFile(FILE* stream, const char* name);
    // Closes the stream unless it is standard input, output or error (which are flushed when
    // written). A write that failed, now or earlier, ends the process ("Cannot write ...",
    // naming the file).
    virtual ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Wraps an open stream under the given name.
    void Init(FILE* stream, const char* name);

    // Reading. The plain readers return true at end of file; the X readers end the process
    // there. A last line without a newline is delivered with one (synthetic) '\n'.
    bool GetChar(char& c);
    void GetCharX(char& c);
    void GetNonblankChar(char& c);
    // The next line without '\n' and with every '\r' dropped; a line of size characters or
    // more ends the process.
    bool GetLine(char* buffer, unsigned size);
    void GetLineX(char* buffer, unsigned size);
    // The next line that is not empty after removing leading and trailing spaces, trimmed.
    bool GetTrimLine(char* buffer, unsigned size);
    // Skips white space; a character of chars is a token by itself, otherwise the token runs
    // to white space (consumed) or a character of chars (pushed back).
    bool GetToken(char* buffer, unsigned size, const char* chars);
    void GetTokenX(char* buffer, unsigned size, const char* chars);
    void SkipWhite();
    bool SkipWhiteX();
    void SkipLine();
    void Skip();
    // Gives one character back; the next read of any kind delivers it first.
    void PushBack(char c);

    // Writing.
    void PutChar(char c);
    void PutString(const char* text);
    void PutFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Positions. GetPos of a file with a pushed-back character is the place of that character;
    // SetPos and Rewind drop it.
    TEXTFILEPOS GetPos();
    void SetPos(const TEXTFILEPOS& pos);
    void Rewind();

    FILE* GetStdioFile() const { return m_ptrFile; }
    const char* GetFileName() const { return m_ptrName; }
    unsigned GetLineNr() const { return m_uLineNr; }
    unsigned GetColNr() const { return m_uColNr; }

private:
    void SetName(const char* name);
    [[noreturn]] void WriteFailed() const;
    void Seek(off_t offset);

    FILE* m_ptrFile = nullptr;
    // Opened by path for writing: checked when closed.
    bool m_bWrite = false;
    unsigned m_uLineNr = 1;
    unsigned m_uColNr = 1;
    char* m_ptrName = nullptr;
    bool m_bLastCharWasEOL = true;
    int m_cPushedBack = -1;
    // The pushed-back character came from the stream (not the synthetic final newline), so the
    // stream offset is one past it.
    bool m_bPushedFromStream = false;
    // The character last delivered by GetChar, and whether it was read from the stream.
    bool m_bLastFromStream = false;
};

// Closes a stream that was written; false when a write failed or the close did (errno says why).
bool CloseWrittenFile(FILE* f);
// Flushes and closes standard output at the end of a program; a failure ends the process
// ("Cannot write standard output ...", status 2).
void CloseStandardOutput();
