// Whole runs of the corvid executable: exit statuses and messages, every command on protein and
// nucleotide input, and every output option against files checked once with Biopython.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "align/corvid.h"
#include "align/frontend/commandLine.h"
#include "align/frontend/commands.h"
#include "align/msa.h"
#include "align/params.h"
#include "align/scoringSetup.h"
#include "align/seqVect.h"
#include "align/textFile.h"
#include "align/tree.h"
#include "tests/align/frontend/standInAligner.h"
#include "tests/app/runProgram.h"
#include "tests/structure/tempFile.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(QUORIX_TEST_DATA) + "/align/corvid/";
const std::string kProtein = kData + "in.fa", kDna = kData + "dna.fa";
const std::string kCorvid = CORVID_EXE;

using Records = std::vector<std::pair<std::string, std::string>>;

// Name and row of every record of a FASTA file; the rows of an alignment must have one length.
Records ReadFasta(const std::string& path, bool aligned = true) {
    Records rows;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line[0] == '>')
            rows.push_back({line.substr(1), ""});
        else
            rows.back().second += line;
    for (const auto& [key, row] : rows) EXPECT_TRUE(!aligned || row.size() == rows[0].second.size()) << key;
    return rows;
}

// The rows of a FASTA file without gaps, in upper case, sorted.
std::vector<std::string> SortedLetters(const std::string& path, bool aligned = true) {
    std::vector<std::string> letters;
    for (auto& [name, row] : ReadFasta(path, aligned)) {
        std::erase_if(row, [](char c) { return c == '-' || c == '.'; });
        std::transform(row.begin(), row.end(), row.begin(), ::toupper);
        letters.push_back(row);
    }
    std::sort(letters.begin(), letters.end());
    return letters;
}

// Each test works in a scratch directory of its own.
class Corvid : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_Dir); }
    void TearDown() override {
        unsetenv("CORVID_CMDLINE");
        fs::remove_all(m_Dir);
    }
    std::string Path(const std::string& name) const { return (m_Dir / name).string(); }
    static sProgramRun Run(const std::vector<std::string>& args, const char* stdoutPath = nullptr,
                           const char* stdinPath = nullptr) {
        std::vector<std::string> argv = {kCorvid};
        argv.insert(argv.end(), args.begin(), args.end());
        return runProgram(argv, stdoutPath, stdinPath);
    }
    static sProgramRun RunOk(const std::vector<std::string>& args) {
        sProgramRun run = Run(args);
        EXPECT_EQ(run.status, 0) << ::testing::PrintToString(args) << run.err;
        return run;
    }

    const fs::path m_Dir = fs::temp_directory_path() / ("quorix_corvid_" + std::to_string(getpid()));
};

TEST_F(Corvid, ExitStatusesAndMessages) {
    cTempFile empty("", "fa");
    std::string deep;
    for (int i = 0; i < 10000; ++i) deep += "(L" + std::to_string(i) + ",";
    cTempFile deepTree(deep + "A" + std::string(10000, ')') + ";", "tre");
    cTempFile ragged(">a\nMKV-L\n>b\nMKVL\n", "fa"), nanMatrix(" ACDEFGHIKLMNPQRSTVWY\nA nan\n", "mx");
    const std::string quit = "\n*** ERROR ***  ", aligned = kData + "out.fa", r = ragged.path(), e = empty.path();
    const std::string differ = quit + "The rows of " + r + " differ in length: row a has 5 columns, row b has 4";
    const std::string range20 = "outside the accepted range -1e+20 to 1e+20", odd = "needs an odd whole number";
    // arguments, status, the start of standard error
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"-foo"}, 1, "Invalid command line option \"foo\"\n\nBasic usage\n"},
        {{"a.fa"}, 1, "Command-line option \"a.fa\" must start with '-'\n"},
        {{"-in", kProtein, "-maxiters"}, 1, "Option -maxiters must have value\n"},
        {{"-in", kProtein, "-stable"}, 2, quit + "-stable not supported in this version of corvid"},
        {{"-in", kProtein, "-cluster", "x"}, 2, quit + "Invalid parameter -Cluster x"},
        {{"-in", kProtein, "-weight1", "foo"}, 2, quit + "Invalid parameter -Weight1 foo"},
        {{"-in", kProtein, "-refinewindow", "0"}, 2, quit + "Invalid parameter -RefineWindow 0"},
        {{"-in", kProtein, "-maxsubfam", "none"}, 2, quit + "Invalid parameter -MaxSubFam none"},
        {{"-profile", "-in1", kProtein}, 2, quit + "-profile needs -in1 and -in2"},
        {{"-ppscore", "-in1", kProtein}, 2, quit + "-ppscore needs -in1 and -in2"},
        {{"-ppscore", "-in1", kData + "out.fa", "-in2", kData + "../formats.fa"}, 2,
         quit + "Profiles must have the same length"},
        {{"-spscore", empty.path()}, 2, quit + "No sequences in input file " + empty.path()},
        {{"-in", empty.path()}, 2, quit + "No sequences in input file"},
        // A valid tree thousands of levels deep is read, and then found not to fit.
        {{"-in", kProtein, "-usetree_nowarn", deepTree.path()}, 2, quit + "User tree does not match input sequences"},
        // User mistakes name the file or option: aligned rows of different lengths, alignment
        // files without records, numbers that are not finite.
        {{"-refine", "-in", r}, 2, differ},           {{"-refinew", "-in", r}, 2, differ},
        {{"-profile", "-in1", r, "-in2", r}, 2, differ}, {{"-ppscore", "-in1", r, "-in2", r}, 2, differ},
        {{"-spscore", r}, 2, differ},                 {{"-sw", "-in1", r, "-in2", r}, 2, differ},
        {{"-maketree", "-in", r, "-out", "t"}, 2, differ},
        {{"-profile", "-in1", e, "-in2", aligned}, 2, quit + "No sequences in input file " + e},
        {{"-ppscore", "-in1", e, "-in2", e}, 2, quit + "No sequences in input file " + e},
        {{"-sw", "-in1", aligned, "-in2", e}, 2, quit + "No sequences in input file " + e},
        {{"-maketree", "-in", e, "-out", "t"}, 2, quit + "No sequences in input file " + e},
        {{"-in", kProtein, "-gapopen", "nan"}, 2, quit + "Invalid parameter -GapOpen nan"},
        {{"-in", kProtein, "-gapextend", "-inf"}, 2, quit + "Invalid parameter -GapExtend -inf"},
        {{"-in", kProtein, "-matrix", nanMatrix.path()}, 2,
         quit + "Matrix file " + nanMatrix.path() + " line 2: 'nan' is not a finite number"},
        {{"-profdb", "-in1", aligned, "-in2", e}, 2, quit + "No sequences in input file " + e + "\n"},
        // Finite numbers that would overflow the engine's single-precision scores or distances.
        {{"-in", kProtein, "-gapopen", "-1e38"}, 2, quit + "Invalid parameter -GapOpen -1e38: " + range20},
        {{"-in", kProtein, "-center", "1e38"}, 2, quit + "Invalid parameter -Center 1e38: " + range20},
        {{"-in", kProtein, "-gapextend", "2e20"}, 2, quit + "Invalid parameter -GapExtend 2e20: " + range20},
        {{"-in", kProtein, "-sueff", "1e5"}, 2,
         quit + "Invalid parameter -SUEFF 1e5: outside the accepted range 0 to 1"},
        {{"-in", kProtein, "-hydrofactor", "1e39"}, 2,
         quit + "Invalid parameter -HydroFactor 1e39: outside the accepted range -3.40282e+38 to 3.40282e+38"},
        {{"-in", kProtein, "-smoothwindow", "abc"}, 2, quit + "Invalid parameter -SmoothWindow abc: " + odd},
        {{"-in", kProtein, "-smoothwindow", "0"}, 2, quit + "Invalid parameter -SmoothWindow 0: " + odd},
        {{"-in", kProtein, "-smoothwindow", "2.5"}, 2, quit + "Invalid parameter -SmoothWindow 2.5: " + odd}};
    for (const auto& [args, status, err] : cases) {
        const sProgramRun run = Run(args);
        EXPECT_EQ(run.status, status) << ::testing::PrintToString(args) << run.err;
        EXPECT_EQ(run.err.substr(0, err.size()), err);
    }
    const sProgramRun usage = Run({}), version = Run({"-version"});
    EXPECT_EQ(usage.status, 1);
    EXPECT_NE(usage.err.find("\nBasic usage\n\n    corvid -in <inputfile> -out <outputfile>\n"), std::string::npos);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "corvid " QUORIX_VERSION "\n");
}

TEST_F(Corvid, WriteFailuresEndWithStatusTwoNamingTheFile) {
    const std::string aligned = kData + "out.fa", full = "Cannot write '/dev/full' errno=28",
                      standardOutput = "Cannot write standard output errno=28";
    // arguments, standard output to /dev/full, the message
    const std::tuple<std::vector<std::string>, bool, std::string> cases[] = {
        {{"-in", kProtein, "-out", "/dev/full"}, false, full},
        {{"-in", kProtein}, true, standardOutput},
        {{"-in", kProtein, "-out", Path("a"), "-clwout", "/dev/full"}, false, full},
        {{"-in", kProtein, "-out", Path("a"), "-scorefile", "/dev/full"}, false,
         "Cannot write score file '/dev/full' errno=28 No space left on device"},
        {{"-in", kProtein, "-out", Path("a"), "-log", "/dev/full"}, false, "Cannot write log file '/dev/full'"},
        {{"-ppscore", "-in1", aligned, "-in2", aligned}, true, standardOutput}};
    for (const auto& [args, toFull, message] : cases) {
        const sProgramRun run = Run(args, toFull ? "/dev/full" : nullptr);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("*** ERROR ***  " + message), std::string::npos) << run.err;
    }
    // The score of -spscore goes to standard error, and nowhere else without a log.
    EXPECT_EQ(runProgram({"/bin/sh", "-c", kCorvid + " -spscore " + aligned + " 2>/dev/full"}).status, 2);
}

TEST_F(Corvid, OptionsNamingOneFileAreRefusedBeforeAnyWork) {
    const std::string x = Path("x"), dotted = (m_Dir / "." / "x").string(), kept = Path("kept.fa"),
                      link = Path("link.fa");
    fs::copy_file(kData + "out.fa", kept);
    fs::create_hard_link(kept, link);
    // Links to a file not made yet: one named by its path, a chain of two (the second relative
    // to its own folder), and a second link to the same missing file.
    const std::string t = Path("t.fa"), l = Path("l"), chain = Path("chain"), also = Path("also");
    fs::create_directories(m_Dir / "sub");
    fs::create_symlink(t, l);
    fs::create_symlink("../l", m_Dir / "sub" / "l2");
    fs::create_symlink("sub/l2", chain);
    fs::create_symlink("t.fa", also);
    // arguments, the two options named
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-in", kProtein, "-out", l, "-clwout", t}, "-out " + l + " and -CLWOut " + t},
        {{"-in", kProtein, "-out", t, "-log", l}, "-out " + t + " and -Log " + l},
        {{"-in", kProtein, "-out", chain, "-scorefile", also}, "-out " + chain + " and -ScoreFile " + also},
        {{"-in", kProtein, "-out", x, "-clwout", x}, "-out " + x + " and -CLWOut " + x},
        {{"-in", kProtein, "-out", x, "-log", dotted}, "-out " + x + " and -Log " + dotted},
        {{"-in", kProtein, "-fastaout", kept, "-scorefile", link}, "-FASTAOut " + kept + " and -ScoreFile " + link},
        {{"-refine", "-in", kept, "-out", link}, "-out " + link + " and -in " + kept},
        {{"-spscore", kept, "-loga", kept}, "-LogA " + kept + " and -SPScore " + kept}};
    for (const auto& [args, options] : cases) {
        const sProgramRun run = Run(args);
        EXPECT_EQ(run.status, 1) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err, "Options " + options + " name the same file\n");
    }
    EXPECT_FALSE(fs::exists(x));
    EXPECT_FALSE(fs::exists(t));
    EXPECT_EQ(readWholeFile(kept), readWholeFile(kData + "out.fa"));
    // Standard output, a device and two inputs may be named twice.
    RunOk({"-in", kProtein, "-out", "-", "-fastaout", "-", "-clwout", "/dev/null", "-scorefile", "/dev/null"});
    RunOk({"-profile", "-in1", kept, "-in2", link, "-out", x});
}

TEST_F(Corvid, UnwritableOutputsAreRefusedBeforeTheInputIsRead) {
    // Two different link loops (a, b and c, d), a loop that a named output would follow (loop),
    // a link into a missing folder (into).
    for (const auto& [link, target] : {std::pair<std::string, std::string>{"a", "b"}, {"b", "a"}, {"c", "d"}, {"d", "c"},
                                       {"loop", "loop2"}, {"loop2", "loop"}, {"into", Path("none/t.fa")}})
        fs::create_symlink(target, m_Dir / link);
    const std::string t = Path("t.fa"), missing = Path("none/x.fa"), dir = m_Dir.string();
    const std::string absent = ": No such file or directory\n", loops = ": Too many levels of symbolic links\n";
    // arguments, the message after "Cannot open "
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-out", missing}, "-out " + missing + " for writing" + absent},
        {{"-out", t, "-clwout", Path("into")}, "-CLWOut " + Path("into") + " for writing" + absent},
        {{"-out", Path("loop"), "-msfout", t}, "-out " + Path("loop") + " for writing" + loops},
        // Each loop is a file of its own, refused for what it is.
        {{"-out", Path("a"), "-log", Path("c")}, "-out " + Path("a") + " for writing" + loops},
        {{"-out", t, "-loga", Path("c")}, "-LogA " + Path("c") + " for writing" + loops},
        {{"-out", t, "-scorefile", dir}, "-ScoreFile " + dir + " for writing: Is a directory\n"}};
    for (auto [args, message] : cases) {
        // The input does not exist: the outputs are checked before it is read.
        args.insert(args.begin(), {"-in", Path("no-input.fa")});
        const sProgramRun run = Run(args);
        EXPECT_EQ(run.status, 1) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err, "Cannot open " + message);
    }
    EXPECT_FALSE(fs::exists(t));  // probed, and nothing left
}

TEST_F(Corvid, StandardOutputOntoANamedOutputIsRefusedWhenTheRunWritesThere) {
    const std::string aln = Path("a.aln"), aligned = kData + "out.fa";
    // arguments with standard output redirected to aln, the option refused ("" when nothing goes to
    // standard output and the run writes aln)
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-in", kProtein, "-fasta", "-clwout", aln}, "-CLWOut"},  // no -out: standard output
        {{"-in", kProtein, "-out", Path("x"), "-fastaout", "-", "-scorefile", aln}, "-ScoreFile"},
        // -ppscore writes no -out; its score goes to standard output.
        {{"-ppscore", "-in1", aligned, "-in2", aligned, "-out", Path("x"), "-loga", aln}, "-LogA"},
        {{"-in", kProtein, "-out", aln}, ""}};
    for (const auto& [args, option] : cases) {
        std::ofstream(aln) << "kept";
        const sProgramRun run = Run(args, aln.c_str());
        EXPECT_EQ(run.status, option.empty() ? 0 : 1) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err, option.empty() ? "" : "Option " + option + " " + aln + " names the same file as the standard output\n");
        EXPECT_EQ(readWholeFile(aln), option.empty() ? readWholeFile(aligned) : "kept");
    }
    // Commands that write nothing there, without -out: the scores of an alignment, the weights.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-spscore", aligned, "-log", aln}, {"-in", kProtein, "-computeweights", aln}})
        EXPECT_EQ(Run(args, aln.c_str()).status, 0) << ::testing::PrintToString(args);
}

TEST_F(Corvid, DashInReadsStandardInput) {
    RunOk({"-in", kProtein, "-out", Path("file.fa")});
    const sProgramRun run = Run({"-in", "-", "-out", Path("stdin.fa")}, nullptr, kProtein.c_str());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readWholeFile(Path("stdin.fa")), readWholeFile(Path("file.fa")));
    EXPECT_EQ(Run({}, nullptr, kProtein.c_str()).status, 1);  // no -in at all: the usage
}

TEST_F(Corvid, NoIterationLimitEndsAsALargeLimitDoes) {
    for (const std::vector<std::string>& command : {std::vector<std::string>{"-in", kProtein},
                                                    {"-refine", "-noanchors", "-in", kData + "out.fa"}}) {
        for (const std::string limit : {"-1", "1000"}) {
            std::vector<std::string> args = command;
            args.insert(args.end(), {"-maxiters", limit, "-out", Path(limit)});
            RunOk(args);
        }
        EXPECT_EQ(readWholeFile(Path("-1")), readWholeFile(Path("1000"))) << command[0];
    }
}

TEST_F(Corvid, RunsTheFirstCommandInItsOrder) {
    const std::string path = PutStandInFirstOnPath(m_Dir / "bin");
    setenv("STANDIN_LOG", Path("calls").c_str(), 1);
    const std::string aligned = kData + "out.fa", other = kData + "../formats.fa";
    // In the order of Run, each with its inputs (the same for all, so that the outcome tells
    // which command ran); the last is the alignment of -in.
    const std::vector<std::vector<std::string>> commands = {
        {"-refine", "-in", aligned}, {"-refinew", "-in", aligned}, {"-profdb", "-in1", aligned, "-in2", other},
        {"-sw", "-in1", aligned, "-in2", other}, {"-spscore", aligned}, {"-profile", "-in1", aligned, "-in2", other},
        {"-ppscore", "-in1", aligned, "-in2", other}, {"-pas", "-in", aligned}, {"-maketree", "-in", aligned},
        {"-in", aligned}};
    // What a run leaves: its status, standard output and error, and the output file.
    auto result = [&](std::vector<std::string> args) {
        fs::remove(Path("out"));
        args.insert(args.end(), {"-out", Path("out")});
        const sProgramRun run = Run(args);
        return std::to_string(run.status) + run.out + "|" + run.err + "|" + readWholeFile(Path("out"));
    };
    std::vector<std::string> alone;
    for (const auto& command : commands) alone.push_back(result(command));
    // Of two neighbours given together (the later one first), the earlier one runs.
    for (size_t i = 0; i + 1 < commands.size(); ++i) {
        std::vector<std::string> both = commands[i + 1];
        both.insert(both.end(), commands[i].begin(), commands[i].end());
        EXPECT_NE(alone[i], alone[i + 1]) << commands[i][0];
        EXPECT_EQ(result(both), alone[i]) << commands[i][0] << " before " << commands[i + 1][0];
    }
    setenv("PATH", path.c_str(), 1);
}

TEST_F(Corvid, MainOutputIsEmptyWhenOnlyExtraOutputsAreAsked) {
    // Any one extra output empties it; the score file is not one of them.
    for (const std::string option :
         {"-fastaout", "-msfout", "-clwout", "-clwstrictout", "-htmlout", "-phyiout", "-physout", "-scorefile"}) {
        RunOk({"-in", kProtein, "-out", Path("main"), option, Path("extra")});
        EXPECT_EQ(readWholeFile(Path("main")), option == "-scorefile" ? readWholeFile(kData + "out.fa") : "") << option;
    }
}

TEST_F(Corvid, DefaultAlignmentIsTheEnginesWithTheProgramsParameters) {
    const std::string out = Path("out.fa");
    RunOk({"-in", kProtein, "-out", out});
    std::map<std::string, std::string> rows;
    for (const auto& [name, row] : ReadFasta(out)) rows[name] = row;
    EXPECT_EQ(SortedLetters(out), SortedLetters(kProtein, false));

    // The same pipeline in this process, with the parameters the program derives from no options
    // (the profile-merging path among them), the first methionines put back.
    RestoreDefaultParams();
    MSA::ResetIdCount();
    SetParams();
    SetPPScore(true);
    SeqVect v;
    ReadSeqs(kProtein.c_str(), v);
    MSA a;
    DoMultipleCorvid(v, a);
    MHackEnd(a);
    for (unsigned row = 0; row < a.GetSeqCount(); ++row)
        EXPECT_EQ(std::string(a.GetSeqBuffer(row), a.GetColCount()), rows[a.GetSeqName(row)]);

    // Options from CORVID_CMDLINE, arguments after them.
    setenv("CORVID_CMDLINE", ("-in " + kProtein + " -out " + Path("env.fa")).c_str(), 1);
    RunOk({"-quiet"});
    EXPECT_EQ(readWholeFile(Path("env.fa")), readWholeFile(out));
    unsetenv("CORVID_CMDLINE");
    // The scoring that the flags choose is set up before the alphabet is known: -spn as well.
    for (const std::string& input : {kProtein, kDna}) RunOk({"-in", input, "-out", Path("spn.fa"), "-spn"});
    // A lone sequence is written as FASTA and nothing else.
    cTempFile one(">only\nMKVLAAGIV\n", "fa");
    RunOk({"-in", one.path(), "-out", Path("one.fa"), "-fastaout", Path("extra.fa")});
    EXPECT_EQ(readWholeFile(Path("one.fa")), ">only\nMKVLAAGIV\n");
    EXPECT_FALSE(fs::exists(Path("extra.fa")));
}

TEST_F(Corvid, EveryOutputOptionAndFormatFlag) {
    // The default ClustalW header names the engine (two line ends, as the writer prints it).
    const std::string strict = readWholeFile(kData + "out.aln");
    const std::string plain =
        "Corvid (" QUORIX_VERSION ") multiple sequence alignment\n\n" + strict.substr(strict.find('\n') + 1);
    const std::pair<std::string, std::string> extras[] = {
        {"-fastaout", readWholeFile(kData + "out.fa")},  {"-msfout", readWholeFile(kData + "out.msf")},
        {"-clwout", plain},                              {"-clwstrictout", strict},
        {"-htmlout", readWholeFile(kData + "out.html")}, {"-phyiout", readWholeFile(kData + "out.phy")},
        {"-physout", readWholeFile(kData + "out.phys")}, {"-scorefile", readWholeFile(kData + "out.score")}};
    std::vector<std::string> args = {"-in", kProtein, "-out", Path("main")};
    for (const auto& [option, golden] : extras) args.insert(args.end(), {option, Path(option)});
    RunOk(args);
    EXPECT_EQ(readWholeFile(Path("main")), "");  // only extra outputs were asked for
    for (const auto& [option, golden] : extras) EXPECT_EQ(readWholeFile(Path(option)), golden) << option;

    // The main output takes the format of the first flag given of fasta, msf, clw, html, phyi,
    // phys; a strict extra output makes the strict header stick.
    const std::pair<std::vector<std::string>, std::string> flags[] = {
        {{}, "-fastaout"},          {{"-html", "-fasta"}, "-fastaout"}, {{"-clw", "-msf"}, "-msfout"},
        {{"-clw"}, "-clwout"},      {{"-clwstrict"}, "-clwstrictout"},  {{"-phys", "-html"}, "-htmlout"},
        {{"-phys", "-phyi"}, "-phyiout"}, {{"-phys"}, "-physout"},
        {{"-clw", "-clwstrictout", Path("strict")}, "-clwstrictout"}};
    for (const auto& [flagArgs, option] : flags) {
        std::vector<std::string> run = {"-in", kProtein, "-out", Path("main")};
        run.insert(run.end(), flagArgs.begin(), flagArgs.end());
        RunOk(run);
        EXPECT_EQ(readWholeFile(Path("main")), readWholeFile(Path(option))) << ::testing::PrintToString(flagArgs);
    }
}

TEST_F(Corvid, GoldenAlignmentsAndRefinementsOfTwoFamilies) {
    // Objective scores that keep the whole alignment's score from one refinement trial to the next.
    for (const auto& [family, score] : {std::pair<std::string, std::string>{"family8", "spf"}, {"family10", "ps"}}) {
        const std::string base = std::string(QUORIX_TEST_DATA) + "/align/refine/" + family;
        const std::string progressive = base + ".maxiters2.afa", refined = base + "." + score + ".afa";
        // arguments, the golden output
        const std::pair<std::vector<std::string>, std::string> runs[] = {
            {{"-in", base + ".fa", "-maxiters", "2"}, progressive},
            {{"-in", base + ".fa", "-objscore", score}, refined},
            {{"-refine", "-in", progressive, "-objscore", score}, refined}};
        for (auto [args, golden] : runs) {
            args.insert(args.end(), {"-out", Path("out")});
            RunOk(args);
            EXPECT_EQ(readWholeFile(Path("out")), readWholeFile(golden)) << ::testing::PrintToString(args);
        }
    }
}

TEST_F(Corvid, EveryCommandOnProteinAndNucleotides) {
    // -pas runs the stand-in aligner, put first on PATH under the aligner's name.
    const std::string path = PutStandInFirstOnPath(m_Dir / "bin");
    setenv("STANDIN_LOG", Path("calls").c_str(), 1);

    for (const std::string& input : {kProtein, kDna}) {
        SCOPED_TRACE(input);
        const std::string aligned = Path("aligned.fa"), out = Path("out.fa"), log = Path("log");
        RunOk({"-in", input, "-out", aligned});
        const std::vector<std::string> once = SortedLetters(input, false);
        std::vector<std::string> twice;
        for (const std::string& s : once) twice.insert(twice.end(), {s, s});
        const std::pair<std::vector<std::string>, const std::vector<std::string>*> commands[] = {
            {{"-refine", "-in", aligned}, &once},
            {{"-refine", "-sw", "-in", aligned}, &once},  // -refine comes first: no -sw
            {{"-refinew", "-refinewindow", "25", "-in", aligned}, &once},
            // Windows this narrow would be guessed as nucleotides now and then.
            {{"-refinew", "-refinewindow", "1", "-in", aligned}, &once},
            {{"-refinew", "-refinewindow", "2", "-in", aligned}, &once},
            {{"-pas", "-maxsubfam", "2", "-in", input}, &once},
            {{"-profile", "-in1", aligned, "-in2", aligned}, &twice},
            {{"-profdb", "-in1", aligned, "-in2", input}, &twice},
            {{"-sw", "-in1", aligned, "-in2", aligned}, &twice}};
        for (const auto& [args, expected] : commands) {
            std::vector<std::string> run = args;
            run.insert(run.end(), {"-out", out});
            RunOk(run);
            EXPECT_EQ(SortedLetters(out), *expected) << ::testing::PrintToString(args);
            // MSF weights every row, also of an alignment joined from two inputs.
            run.push_back("-msf");
            RunOk(run);
            EXPECT_TRUE(readWholeFile(out).starts_with("PileUp")) << ::testing::PrintToString(args);
        }

        const sProgramRun pp = RunOk({"-ppscore", "-in1", aligned, "-in2", aligned, "-log", log});
        const sProgramRun sp = RunOk({"-spscore", aligned, "-loga", log});
        EXPECT_TRUE(pp.out.starts_with("Score=")) << pp.out;
        EXPECT_TRUE(sp.err.starts_with("File=" + aligned + ";SP=")) << sp.err;
        const std::string logged = readWholeFile(log);
        EXPECT_TRUE(logged.find(pp.out) < logged.find(sp.err) && logged.ends_with("\n")) << logged;
        EXPECT_NE(logged.find("Finished "), std::string::npos);

        // The tree names every sequence; ScoreDist needs the alphabet (amino acids only).
        std::vector<std::string> makeTree = {"-maketree", "-in", aligned, "-out", Path("tree")};
        if (input == kProtein) makeTree.insert(makeTree.end(), {"-distance2", "scoredist"});
        RunOk(makeTree);
        Tree tree;
        TextFile file(Path("tree").c_str());
        tree.FromFile(file);
        EXPECT_EQ(tree.GetLeafCount(), once.size());
        for (const auto& [name, row] : ReadFasta(input, false))
            EXPECT_NE(tree.GetLeafNodeIndex(name.c_str()), NO_INDEX);  // names a leaf
    }
    setenv("PATH", path.c_str(), 1);
}

}  // namespace

// Under an address-space limit too low for the step: status 2 and a message that says what the
// step needed or, where that is not known, how much was in use when an allocation was refused.
// The sanitizer's allocator reserves far more address space than such a limit.
TEST_F(Corvid, RunningOutOfMemoryEndsWithStatusTwoSayingWhatTheStepNeeded) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "no address-space limit under the address sanitizer";
#endif
    std::mt19937 rng(27);
    auto letters = [&](unsigned length) {
        std::string s;
        for (unsigned i = 0; i < length; ++i) s += "ACDEFGHIKLMNPQRSTVWY"[rng() % 20];
        return s;
    };
    cTempFile one(">a\n" + letters(20000) + "\n", "fa");
    const std::string first = letters(20000);  // before the second, whatever the compiler
    cTempFile two(">a\n" + first + "\n>b\n" + letters(20000) + "\n", "fa");
    std::string shortOnes;
    for (int i = 0; i < 20000; ++i) shortOnes += ">s" + std::to_string(i) + "\n" + letters(8) + "\n";
    cTempFile many(shortOnes, "fa");
    // arguments, the message up to its figure in MB, what follows the figure
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{"-in", two.path()}, "aligning profiles of 20000 and 20000 columns needs ", ""},
        {{"-sw", "-in1", one.path(), "-in2", one.path()},
         "aligning profiles of 20000 and 20000 columns locally needs ", ""},
        {{"-in", many.path()}, "aligning 20000 sequences: an allocation was refused with ", " in use"},
        {{"-maketree", "-in", many.path()}, "the run: an allocation was refused with ", " in use"}};
    for (const auto& [args, step, tail] : cases) {
        std::string command = "ulimit -v 300000 && exec " + kCorvid;
        for (const std::string& arg : args) command += " " + arg;
        const sProgramRun run = runProgram({"/bin/sh", "-c", command + " -out " + Path("out")});
        EXPECT_EQ(run.status, 2) << command << run.err;
        const std::regex message("\n\\*\\*\\* ERROR \\*\\*\\*  Out of memory: " + step + "[0-9]+ MB" + tail + "\n");
        EXPECT_TRUE(std::regex_match(run.err, message)) << run.err;
    }
}

// Under any address-space limit that lets the program load, a run ends with the out-of-memory
// message or succeeds; none aborts (a std::bad_alloc thrown with no memory left for it would).
TEST_F(Corvid, NoAddressSpaceLimitEndsInAnAbort) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "no address-space limit under the address sanitizer";
#endif
    auto runUnder = [&](unsigned kb) {
        return runProgram({"/bin/bash", "-c", "ulimit -v " + std::to_string(kb) + " && exec " + kCorvid + " -in " +
                                                  kProtein + " -out " + Path("out")});
    };
    // The lowest limit under which the program loads (126 or 127: the shell could not start it).
    unsigned low = 1000, high = 1000000;
    while (high - low > 1) (runUnder((low + high) / 2).status >= 126 ? low : high) = (low + high) / 2;
    // The first allocations are refused within a few hundred KB above it.
    for (unsigned kb = high; kb < high + 400; kb += 4) {
        const sProgramRun run = runUnder(kb);
        EXPECT_TRUE(run.status == 0 || (run.status == 2 && run.err.starts_with("\n*** ERROR ***  Out of memory: ")))
            << kb << " KB: " << run.status << " " << run.err;
    }
}
