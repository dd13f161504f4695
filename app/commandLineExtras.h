// Additions to the TCLAP command line: a change-log switch (--log), a logo switch (--logo),
// hidden arguments, and usage texts that list help, version and log last.
#pragma once

#include <set>
#include <string>

#include <tclap/CmdLine.h>

class cQuorixCmdLine;

// Usage and failure texts of the library, without hidden arguments and with the help,
// version and change-log switches after all others; also writes the change log.
class cQuorixOutput : public TCLAP::StdOutput {
public:
    void usage(TCLAP::CmdLineInterface& cmd) override;
    void failure(TCLAP::CmdLineInterface& cmd, TCLAP::ArgException& e) override;
    virtual void changelog(cQuorixCmdLine& cmd);

    void hide(const TCLAP::Arg* arg) { hidden.insert(arg); }
    bool isHidden(const TCLAP::Arg* arg) const { return hidden.count(arg) != 0; }

private:
    std::list<TCLAP::Arg*> shownArgs(TCLAP::CmdLineInterface& cmd) const;
    void shortUsage(TCLAP::CmdLineInterface& cmd, std::ostream& os) const;
    void longUsage(TCLAP::CmdLineInterface& cmd, std::ostream& os) const;

    std::set<const TCLAP::Arg*> hidden;
};

// The library's command line with a change log, the --log switch and the output above. It has
// no ignore-rest ("--") switch, so a lone "--" reaches the positional arguments.
class cQuorixCmdLine : public TCLAP::CmdLine {
public:
    cQuorixCmdLine(const std::string& message, char delimiter, const std::string& version,
                   const std::string& changeLog);

    std::string getChangeLog() const { return changeLog; }
    cQuorixOutput& output() { return quorixOutput; }
    // Adds an argument that the usage texts leave out.
    void addHidden(TCLAP::Arg& arg);

private:
    std::string changeLog;
    cQuorixOutput quorixOutput;
};

namespace TCLAP {

// Visitor of --log: prints the change log and ends the parse with status 0.
class ChangeLogVisitor : public Visitor {
public:
    ChangeLogVisitor(cQuorixCmdLine* cmd, cQuorixOutput* out) : cmd(cmd), out(out) {}
    void visit() override;

private:
    cQuorixCmdLine* cmd;
    cQuorixOutput* out;
};

}  // namespace TCLAP

// Visitor of --logo: prints the picture and ends the process with status 0.
class LogoVisitor : public TCLAP::Visitor {
public:
    explicit LogoVisitor(std::string logo) : logo(std::move(logo)) {}
    void visit() override;

private:
    std::string logo;
};
