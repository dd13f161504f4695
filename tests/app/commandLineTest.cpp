// The command line of the quorix executable, run in a child process.
#include <gtest/gtest.h>

#include <string>

#include "app/cParameters.h"
#include "tests/app/runProgram.h"

namespace {

const std::string kExample = std::string(QUORIX_SOURCE_DIR) + "/examples/1bl8_kcsa.pdb";

sProgramRun quorix(std::vector<std::string> args) {
    args.insert(args.begin(), quorixPath());
    return runProgram(args);
}

// The lines printed after the 13-line banner.
std::vector<std::string> afterBanner(const std::string& out) {
    std::vector<std::string> lines = splitLines(out);
    if (lines.size() < 13) return {};
    return std::vector<std::string>(lines.begin() + 13, lines.end());
}

std::string valueOf(const std::string& out, const std::string& label) {
    for (const std::string& line : splitLines(out))
        if (line.rfind(label + ".", 0) == 0) {
            const std::size_t at = line.find(" : ");
            return at == std::string::npos ? "" : line.substr(at + 3);
        }
    return "<missing>";
}

}  // namespace

TEST(CommandLine, HelpListsVisibleOptionsWithLibrarySwitchesLast) {
    const sProgramRun run = quorix({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("USAGE:"), std::string::npos);
    EXPECT_EQ(run.out.find("autoreplicate"), std::string::npos) << "hidden options are listed";
    EXPECT_EQ(run.out.find("ignore_rest"), std::string::npos);
    for (const char* text : {"PDB input file for the complex",
                             "Output path (by default, standard output will be used)",
                             "output pymol script to visualize the axes", "Output the permutations",
                             "Manually provide the permutation of the chains during symmetries",
                             "Input trajectory in the dcd format",
                             "File to output the results in json format", "prints logo and exits",
                             "symmetry groups", "Displays ChangeLog information and exits."})
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
    // The short usage wraps where the program's path makes it long: compare it as one line.
    std::string usage;
    for (char c : run.out.substr(0, run.out.find("Where:")))
        if (c != '\n' && !(c == ' ' && !usage.empty() && usage.back() == ' ')) usage += c;
    const std::size_t groups = usage.find("<symmetry groups>");
    const std::size_t help = usage.find("[-h]");
    const std::size_t log = usage.find("[--log]");
    ASSERT_NE(groups, std::string::npos);
    EXPECT_LT(groups, help);
    EXPECT_LT(groups, log);
    EXPECT_LT(usage.find("--logo"), log);
}

TEST(CommandLine, VersionChangeLogAndLogoEndWithStatusZero) {
    const sProgramRun version = quorix({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_NE(version.out.find("version: 0.4, 21 November 2017"), std::string::npos);

    const sProgramRun log = quorix({"--log"});
    EXPECT_EQ(log.status, 0);
    // (built by appending: g++ 12 warns falsely on a literal + string here)
    std::string expected = "\n";
    expected += quorixPath();
    expected += "  ChangeLog:\n"
                                 "Version 0.1 from Feb 2014:\n\tInitial release for Cn symmetries.\n"
                                 "Version 0.2 from July 2017:\n\tAdded support for cubic groups. "
                                 "Added rigorous estimtion of correpondences between chains.\n"
                                 "Version 0.3 from November 2017:\n\tAdded automatic detection of "
                                 "point group symmetry.\n"
                                 "Version 0.4 from 21 November 2017:\n\tJson support added. Code was "
                                 "cleaned-up.\n\n";
    EXPECT_NE(log.out.find(expected), std::string::npos) << log.out;

    const sProgramRun logo = quorix({"--logo"});
    EXPECT_EQ(logo.status, 0);
    std::vector<std::string> lines = afterBanner(logo.out);
    // the command-line title, 72 picture lines and the blank line of the final endl
    ASSERT_GE(lines.size(), 73u);
    int pictureLines = 0;
    for (const std::string& line : lines)
        if (line.size() == 72 && line.find_first_not_of(" #%&(*,./@") == std::string::npos)
            ++pictureLines;
    EXPECT_EQ(pictureLines, 72);
}

TEST(CommandLine, ParseErrorsEndWithStatusOne) {
    const sProgramRun missing = quorix({});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("PARSE ERROR"), std::string::npos);
    EXPECT_NE(missing.err.find("Brief USAGE"), std::string::npos);
    EXPECT_EQ(missing.err.find("autoreplicate"), std::string::npos);

    const sProgramRun noValue = quorix({kExample, "-j"});
    EXPECT_EQ(noValue.status, 1);
    EXPECT_NE(noValue.err.find("Missing a value for this argument!"), std::string::npos);
}

TEST(CommandLine, UnknownDashedWordsAreTakenAsGroupArguments) {
    // Every positional word after the input is a group argument, dashes included ("-c3").
    const sProgramRun run = quorix({kExample, "--bogus", "c2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(valueOf(run.out, "Error in symmetry group order"), "--bogus");
    EXPECT_EQ(valueOf(run.out, "Parsed symmetry groups"), "c2");
}

TEST(CommandLine, GroupsAreParsedAndReported) {
    const sProgramRun run = quorix({kExample, "c3", "d2", "i"});
    EXPECT_EQ(valueOf(run.out, "Parsed symmetry groups"), "c3,d2,i");
    const std::string args = valueOf(run.out, "Command-line arguments");
    EXPECT_EQ(args, quorixPath() + " " + kExample + " c3 d2 i ");
    EXPECT_NE(valueOf(run.out, "Host name"), "<missing>");
    EXPECT_NE(valueOf(run.out, "Started on"), "<missing>");
    // The example's four chains are no multiple of I's 60: the search of i ends the run.
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Number of expected chains multiple of 60"), std::string::npos);
    EXPECT_EQ(run.out.find(" Timing : "), std::string::npos);

    const sProgramRun complete = quorix({kExample, "c4"});
    EXPECT_EQ(complete.status, 0);
    EXPECT_NE(complete.out.find(" Timing : "), std::string::npos);
    EXPECT_NE(valueOf(complete.out, "Parsing the Command Line"), "<missing>");
    EXPECT_NE(valueOf(complete.out, "Total time : "), "<missing>");
}

TEST(CommandLine, BadGroupsAreReportedAndSkipped) {
    const sProgramRun run = quorix({kExample, "--", "-", "c", "C3", "-c3", "h", "tx"});
    EXPECT_EQ(run.status, 0);
    const std::string out = run.out;
    EXPECT_EQ(valueOf(out, "Parsed symmetry groups"), "c3");
    int argumentErrors = 0, orderErrors = 0, nameErrors = 0;
    for (const std::string& line : splitLines(out)) {
        argumentErrors += line.rfind("Error in symmetry group argument.", 0) == 0;
        orderErrors += line.rfind("Error in symmetry group order.", 0) == 0;
        nameErrors += line.rfind("Error in symmetry group name.", 0) == 0;
    }
    EXPECT_EQ(argumentErrors, 2);
    EXPECT_EQ(orderErrors, 2);
    EXPECT_EQ(nameErrors, 2);
}

TEST(CommandLine, NoValidGroupSwitchesToAutomaticDetection) {
    const sProgramRun run = quorix({kExample, "c1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(valueOf(run.out, "No symmetry groups specified, will be detected automatically"), "");
}

TEST(CommandLine, HiddenCrystalOptionsAreAccepted) {
    const sProgramRun run = quorix({kExample, "-R", "-r", "replicated.pdb", "c2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(valueOf(run.out, "Parsed symmetry groups"), "c2");
}

TEST(cParameters, ChangeLogFormat) {
    cInfo info(75);
    cParameters parameters(&info);
    cParameters::changeLog.clear();
    parameters.setChangeLog();
    ASSERT_EQ(cParameters::changeLog.size(), 4u);
    EXPECT_EQ(cParameters::changeLog.back().date, "21 November 2017");
    const std::string log = parameters.getChangeLog();
    EXPECT_EQ(log.rfind("Version 0.1 from Feb 2014:\n\tInitial release for Cn symmetries.\n", 0), 0u);
    parameters.setLogo();
    EXPECT_EQ(parameters.logo.size(), 5256u);
}

TEST(cParameters, IsNumber) {
    EXPECT_TRUE(is_number("0"));
    EXPECT_TRUE(is_number("123"));
    EXPECT_FALSE(is_number(""));
    EXPECT_FALSE(is_number("-1"));
    EXPECT_FALSE(is_number("1a"));
}
