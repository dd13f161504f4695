// Helpers shared by the alignment-engine tests.
#include "tests/align/engineTestUtil.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "align/msa.h"
#include "align/params.h"

void EngineTest::SetUp() {
    RestoreDefaultParams();
    MSA::ResetIdCount();
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (strchr("\\^$.|?*+()[]{}", c)) out += '\\';
        out += c;
    }
    return out;
}

std::string QuitText(const std::string& message) { return Escaped("\n*** ERROR ***  " + message + "\n"); }

std::string WarningText(const std::string& message) { return Escaped("\n*** WARNING *** " + message + "\n"); }

TempFile::TempFile(const std::string& content) {
    static unsigned counter = 0;
    m_path = ::testing::TempDir() + "quorix_align_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    std::ofstream out(m_path, std::ios::binary);
    out << content;
}

TempFile::~TempFile() { std::remove(m_path.c_str()); }

std::string TempFile::read() const {
    std::ifstream in(m_path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
