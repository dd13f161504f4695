// Tests of the engine program's command line: option words, parameters, log file, texts and
// the text-to-enumeration converters. Refused options and values, which end the process, are
// checked on whole runs of the program (tests/app/corvidMainTest.cpp).
#include "align/frontend/commandLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "align/diagnostics.h"
#include "align/options.h"
#include "align/params.h"
#include "tests/align/engineTestUtil.h"

namespace {

void Args(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    ProcessArgVect(static_cast<int>(argv.size()), argv.data());
}

using CommandLine = EngineTest;

TEST_F(CommandLine, WordsFillTheTables) {
    Args({"-in", "a.fa", "-MSF", "-out", "-x", "-MaxIters", "3", "-maxiters", "5"});
    ProcessArgStr("  -quiet\t-weight  gsc ");
    EXPECT_STREQ(ValueOpt("in"), "a.fa");
    EXPECT_STREQ(ValueOpt("out"), "-x");
    EXPECT_STREQ(ValueOpt("MAXITERS"), "5");
    EXPECT_TRUE(FlagOpt("msf") && FlagOpt("quiet"));
    EXPECT_STREQ(ValueOptTable[31].pstrValue, "gsc");  // the first of the two "Weight" rows
    std::string words;
    for (int i = 0; i < 32; ++i) words += " -in x";
    ProcessArgStr(words.c_str());  // 64 words
    EXPECT_QUIT(ProcessArgStr((words + " -quiet").c_str()), "Too many args in CORVID_CMDLINE");
}

TEST_F(CommandLine, SetParams) {
    const std::pair<std::vector<std::string>, std::function<bool()>> cases[] = {
        {{"-in", "a.fa", "-MSF", "-out", "b.msf"},
         [] { return !strcmp(g_pstrInFileName, "a.fa") && !strcmp(g_pstrOutFileName, "b.msf") && g_bMSF; }},
        {{}, [] { return g_bLow && g_uMaxMB > 0 && g_ulMaxSecs == 0; }},
        {{"-weight", "gsc", "-weight2", "none"},
         [] { return g_SeqWeight1 == SEQWEIGHT_GSC && g_SeqWeight2 == SEQWEIGHT_None && !g_bLow; }},
        {{"-maxhours", "0.5"}, [] { return g_ulMaxSecs == 1800; }},
        {{"-maxhours", "-2", "-maxiters", "-1"}, [] { return g_ulMaxSecs == 0 && g_uMaxIters == 4294967295u; }},
        {{"-maxhours", "nan"}, [] { return g_ulMaxSecs == 0; }},
        {{"-maxhours", "1e30"}, [] { return g_ulMaxSecs == static_cast<unsigned long>(LONG_MAX); }},
        {{"-maxhours", "1e39"}, [] { return g_ulMaxSecs == 0; }},  // beyond single precision
        {{"-hydro", "3", "-tomhydro"}, [] { return g_uHydrophobicRunLength == 0; }},
        {{"-usetree", "t.tre", "-usetree_nowarn", "u.tre"},
         [] { return !strcmp(g_pstrUseTreeFileName, "t.tre") && g_bUseTreeNoWarn; }},
        {{"-core", "-nocore", "-noanchors", "-diags", "-stable", "-group", "-clwstrict", "-dimer"}, [] {
             return g_bCatchExceptions && !g_bAnchors && g_bDiags1 && g_bDiags2 && g_bAln && g_bClwStrict &&
                    !g_bStable && !g_bPrecompiledCenter;
         }},
    };
    for (const auto& [args, check] : cases) {
        RestoreDefaultParams();
        Args(args);
        SetParams();
        EXPECT_TRUE(check()) << ::testing::PrintToString(args);
    }
}

TEST_F(CommandLine, LogFileFlagsAndMissingCommand) {
    // A name far longer than any fixed buffer would hold, through a chain of "./".
    TempFile log("first\n");
    std::string longName = ::testing::TempDir();
    for (int i = 0; i < 700; ++i) longName += "./";
    Args({"-log", longName + log.path().substr(::testing::TempDir().size()), "-quiet"});
    SetLogFile();
    ListFlagOpts();
    const std::string text = log.read();
    EXPECT_EQ(text.find("LE 0\nSP 0\n"), 0u) << text;
    EXPECT_NE(text.find("\nQuiet 1\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 35);
    Args({"-loga", log.path()});
    SetLogFile();
    Log("more\n");
    EXPECT_EQ(log.read(), text + "more\n");

    EXPECT_TRUE(MissingCommand());
    for (const char* option : {"-in", "-in1", "-spscore"}) {
        RestoreDefaultParams();
        Args({option, option[3] == 0 ? "-" : "x"});  // "-in -": standard input
        SetParams();
        EXPECT_FALSE(MissingCommand()) << option;
    }
}

TEST_F(CommandLine, UsageCreditsAndConverters) {
    ::testing::internal::CaptureStderr();
    Usage();
    std::istringstream usage(::testing::internal::GetCapturedStderr());
    std::vector<std::string> lines;
    for (std::string line; std::getline(usage, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[10], "    -maxiters <n>      Maximum number of iterations (integer, default 16)");
    for (size_t i = 7; i < 19; ++i)  // option lines: descriptions start in column 24
        EXPECT_TRUE(lines[i].rfind("    -", 0) == 0 && lines[i][22] == ' ' && lines[i][23] != ' ') << lines[i];
    ::testing::internal::CaptureStderr();
    Credits();
    Credits();
    const std::string credits = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(credits.begin(), credits.end(), '\n'), 4) << credits;

    EXPECT_EQ(StrToSEQTYPE("AUTO"), SEQTYPE_Auto);
    EXPECT_EQ(StrToDISTANCE("kmer4_6"), DISTANCE_Kmer4_6);
    EXPECT_EQ(StrToSEQWEIGHT("threeway"), SEQWEIGHT_ThreeWay);
    EXPECT_QUIT(StrToJOIN("UPGMA"), "Invalid value UPGMA for type JOIN");
    EXPECT_QUIT(StrToTERMGAPS("Undefined"), "Invalid value Undefined for type TERMGAPS");
}

}  // namespace
