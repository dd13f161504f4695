// Helpers shared by the alignment-engine tests: a clean engine per test, temporary files and
// the exact Quit and warning texts as regular expressions.
#pragma once

#include <gtest/gtest.h>

#include <string>

// Every test starts from the engine's start-of-process parameters and tables.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// The text as a POSIX extended regular expression that matches it literally.
std::string Escaped(const std::string& text);
// What Quit and Warning print on standard error for the message.
std::string QuitText(const std::string& message);
std::string WarningText(const std::string& message);

// A new file under the test temporary directory holding content; removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& content = "");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return m_path; }
    const char* c_str() const { return m_path.c_str(); }
    std::string read() const;

private:
    std::string m_path;
};

// The statement ends the process with status 2 after printing Quit's text for message.
#define EXPECT_QUIT(statement, message) EXPECT_EXIT(statement, ::testing::ExitedWithCode(2), QuitText(message))
