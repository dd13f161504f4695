// AlignSubFam: one sub-family aligned by the outside aligner through the shell.
#include "align/frontend/subFamAlign.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "align/diagnostics.h"
#include "align/msa.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "align/textUtils.h"
#include "align/tree.h"
#include "align/treeSubsets.h"

namespace {

constexpr const char* ALIGNER = "probcons";
constexpr const char* IN_FILE = "asf_in.tmp";
constexpr const char* OUT_FILE = "asf_out.tmp";
// The shell's status for a command it cannot find.
constexpr int COMMAND_NOT_FOUND = 127;

// A private directory for the aligner's two files. Quit ends the process through exit, which
// skips destructors, so the directory in use is also removed by an exit handler.
class TempDir {
public:
    TempDir() {
        const char* base = getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/corvid_subfam_XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!mkdtemp(buffer.data()))
            Quit("Cannot create a temporary directory %s for %s: %s", pattern.c_str(), ALIGNER, strerror(errno));
        m_Path = buffer.data();
        static bool handlerSet = false;
        if (!handlerSet) atexit(RemoveCurrent);
        handlerSet = true;
        current = this;
    }
    ~TempDir() {
        Remove();
        current = nullptr;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const char* name) const { return m_Path + "/" + name; }

private:
    void Remove() const {
        unlink(File(IN_FILE).c_str());
        unlink(File(OUT_FILE).c_str());
        rmdir(m_Path.c_str());
    }
    static void RemoveCurrent() {
        if (current) current->Remove();
    }

    std::string m_Path;
    static inline const TempDir* current = nullptr;
};

// The text in single quotes for the shell, so that any directory name passes unchanged.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

void RunAligner(const TempDir& dir, unsigned seqCount) {
    const std::string command = Format("%s %s > %s 2> /dev/null", ALIGNER, ShellQuoted(dir.File(IN_FILE)).c_str(),
                                       ShellQuoted(dir.File(OUT_FILE)).c_str());
    const int status = system(command.c_str());
    if (status == -1) Quit("Cannot run the sub-family aligner %s: %s", ALIGNER, strerror(errno));
    if (WIFSIGNALED(status))
        Quit("Sub-family aligner %s was stopped by signal %d on %u sequences", ALIGNER, WTERMSIG(status), seqCount);
    const int code = WEXITSTATUS(status);
    if (code == COMMAND_NOT_FOUND) Quit("Sub-family aligner %s not found (is it installed and on PATH?)", ALIGNER);
    if (code != 0) Quit("Sub-family aligner %s failed with exit status %d on %u sequences", ALIGNER, code, seqCount);
}

bool SameName(const char* a, const char* b) { return strcmp(a ? a : "", b ? b : "") == 0; }

}  // namespace

void AlignSubFam(SeqVect& v, const Tree& tree, unsigned node, MSA& out) {
    std::vector<unsigned> leaves(tree.GetNodeCount());
    unsigned leafCount = 0;
    GetLeaves(tree, node, leaves.data(), &leafCount);
    SeqVect family;
    for (unsigned i = 0; i < leafCount; ++i) family.AppendSeq(v.GetSeqById(tree.GetLeafId(leaves[i])));

    TempDir dir;
    {
        TextFile in(dir.File(IN_FILE).c_str(), true);
        family.ToFASTAFile(in);
    }
    RunAligner(dir, leafCount);
    {
        TextFile result(dir.File(OUT_FILE).c_str());
        out.FromFile(result);
    }
    if (out.GetSeqCount() != leafCount)
        Quit("Sub-family aligner %s returned %u sequences for %u", ALIGNER, out.GetSeqCount(), leafCount);
    // Each row is the first sequence sent under its name that no earlier row took (names may
    // repeat): a name that was not sent, or more rows of a name than were sent, would leave a row
    // without an id or a sequence lost.
    std::vector<bool> taken(leafCount, false);
    for (unsigned row = 0; row < leafCount; ++row) {
        const char* name = out.GetSeqName(row);
        unsigned sent = 0;
        while (sent < leafCount && (taken[sent] || !SameName(family.GetSeq(sent).GetName(), name))) ++sent;
        if (sent == leafCount) {
            for (unsigned i = 0; i < leafCount; ++i)
                if (SameName(family.GetSeq(i).GetName(), name))
                    Quit("Sub-family aligner %s returned the sequence \"%s\" more often than it was sent", ALIGNER,
                         name);
            Quit("Sub-family aligner %s returned a sequence named \"%s\" that was not sent to it", ALIGNER, name);
        }
        taken[sent] = true;
        out.SetSeqId(row, family.GetSeq(sent).GetId());
    }
}
