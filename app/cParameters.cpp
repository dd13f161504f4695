// Command-line options of the program and the report of what was asked.
#include "app/cParameters.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "app/commandLineExtras.h"
#include "app/symmetryGroupGrammar.h"

std::vector<sChangeLog> cParameters::changeLog;

bool is_number(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

void cParameters::setChangeLog() {
    changeLog.push_back({"0.1", "Initial release for Cn symmetries.", "Feb 2014"});
    changeLog.push_back({"0.2",
                         "Added support for cubic groups. Added rigorous estimtion of "
                         "correpondences between chains.",
                         "July 2017"});
    changeLog.push_back({"0.3", "Added automatic detection of point group symmetry.", "November 2017"});
    changeLog.push_back({"0.4", "Json support added. Code was cleaned-up.", "21 November 2017"});
}

std::string cParameters::getChangeLog() const {
    std::string text;
    for (const sChangeLog& entry : changeLog)
        text += "Version " + entry.version + " from " + entry.date + ":\n\t" + entry.text + "\n";
    return text;
}

void cParameters::setLogo() { logo = kQuorixLogo; }

void cParameters::parseInputArguments(int argc, char** argv) {
    info->printInfo("Parsing the Command Line");
    // The log is process-wide; a second parse in one process must not repeat the entries.
    if (changeLog.empty()) setChangeLog();
    setLogo();

    try {
        const std::string version = changeLog.back().version + ", " + changeLog.back().date;
        cQuorixCmdLine cmd("", ' ', version, getChangeLog());

        TCLAP::UnlabeledValueArg<std::string> input("input", "PDB input file for the complex", true,
                                                    "", "input PDB");
        TCLAP::ValueArg<std::string> output("", "output",
                                            "Output path (by default, standard output will be used)",
                                            false, "", "output file");
        TCLAP::SwitchArg pymol("y", "pymolOutput", "output pymol script to visualize the axes", false);
        TCLAP::ValueArg<std::string> replicatedOutput(
            "r", "autoreplicateOutput",
            "write the pdb obtained after automatic generation of symmetry mates", false, "",
            "automatic replicated output");
        TCLAP::SwitchArg replicate("R", "autoreplicate", "Automatic generation of symmetry mates", false);
        TCLAP::SwitchArg permutations("p", "permutationOutput", "Output the permutations", false);
        TCLAP::ValueArg<std::string> permutationArg(
            "P", "permutations", "Manually provide the permutation of the chains during symmetries",
            false, "", "permutation file");
        TCLAP::ValueArg<std::string> dcd("d", "dcdfile", "Input trajectory in the dcd format", false,
                                         "", "dcd file");
        TCLAP::ValueArg<std::string> json("j", "json", "File to output the results in json format",
                                          false, "", "json output");
        LogoVisitor logoVisitor(logo);
        TCLAP::SwitchArg logoArg("", "logo", "prints logo and exits", false, &logoVisitor);
        TCLAP::UnlabeledMultiArg<std::string> symmetry("symmetry", "symmetry groups", false,
                                                       "symmetry groups");

        cmd.add(input);
        cmd.add(output);
        cmd.add(pymol);
        cmd.addHidden(replicatedOutput);
        cmd.addHidden(replicate);
        cmd.add(permutations);
        cmd.add(permutationArg);
        cmd.add(dcd);
        cmd.add(json);
        cmd.add(logoArg);
        cmd.add(symmetry);

        cmd.parse(argc, argv);

        autoreplicate = false;
        inputPath = input.getValue();
        outputPath = output.getValue();
        groupArguments = symmetry.getValue();
        permutationText = permutationArg.getValue();
        permutationOutput = permutations.getValue();
        pymolOutput = pymol.getValue();
        trajectoryPath = dcd.getValue();
        jsonPath = json.getValue();
    } catch (TCLAP::ArgException& e) {
        std::cerr << "error: " << e.error() << " for arg " << e.argId() << std::endl;
    } catch (...) {
        // Whatever it was, the command line was not understood: that is a failure.
        std::cerr << "unknown error" << std::endl;
        std::exit(1);
    }

    init();
    setArguments(argc, argv);
    info->printInfo("Host name", hostName);
    info->printInfo("Started on", startTime);
    info->printInfo("Command-line arguments", commandLine);
}

void cParameters::init() {
    for (const std::string& argument : groupArguments) {
        sGroupArgument parsed = parseSymmetryGroup(argument);
        if (!parsed.group) {
            info->printInfo(parsed.error, argument);
            continue;
        }
        groups.push_back(keepForProcess(std::move(parsed.group)));
    }
    if (groups.empty()) {
        info->printInfo("No symmetry groups specified, will be detected automatically", "");
        autodetect = true;
    } else {
        std::string descriptions;
        for (const cPointSymmetryGroup* group : groups) {
            if (!descriptions.empty()) descriptions += ",";
            descriptions += group->getDescription();
        }
        info->printInfo("Parsed symmetry groups", descriptions);
    }
}

void cParameters::setArguments(int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) {
        commandLine += argv[i];
        commandLine += ' ';
    }
    const time_t now = std::time(nullptr);
    startTime = std::ctime(&now);
    if (!startTime.empty() && startTime.back() == '\n') startTime.pop_back();
    // gethostname need not terminate a truncated name.
    if (gethostname(hostName, sizeof hostName) != 0) hostName[0] = '\0';
    hostName[sizeof hostName - 1] = '\0';
}
