// Everything a run takes from its command line, and the parsing of that command line.
#pragma once

#include <string>
#include <vector>

#include "app/cInfo.h"
#include "symmetry/cPointSymmetryGroup.h"

struct sChangeLog {
    std::string version;
    std::string text;
    std::string date;
};

class cParameters {
public:
    explicit cParameters(cInfo* info) : info(info) {}

    // The whole command-line stage: options, parse, groups, host, time and command line.
    void parseInputArguments(int argc, char** argv);
    // Builds the group list from the group arguments; switches to automatic detection when
    // no argument names a valid group.
    void init();
    void setArguments(int argc, const char* const* argv);
    void setChangeLog();
    std::string getChangeLog() const;
    void setLogo();

    cInfo* info;
    std::string inputPath;
    std::string outputPath;  // empty: standard output
    std::vector<std::string> groupArguments;
    std::vector<cPointSymmetryGroup*> groups;  // owned by the process-wide pool
    bool autodetect = false;
    bool autoreplicate = false;  // crystal symmetry mates: accepted on the command line, never on
    bool permutationOutput = false;
    std::string autoreplicateOutputPath;
    std::string trajectoryPath;
    std::string trajectorySource;  // where it is read: a copy of a pipe (app/pipedTrajectory.h), else empty
    std::string permutationText;
    bool pymolOutput = false;
    std::string jsonPath;
    char hostName[128] = {};
    std::string startTime;
    std::string commandLine;
    std::string logo;

    static std::vector<sChangeLog> changeLog;
};

// True when the text is not empty and holds decimal digits only.
bool is_number(const std::string& s);

// The 72 x 72 character picture printed by --logo.
extern const char* const kQuorixLogo;
