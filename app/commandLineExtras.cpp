// The program's additions to the TCLAP command line.
#include "app/commandLineExtras.h"

#include <cstdlib>
#include <iostream>

namespace {
bool isLibrarySwitch(const TCLAP::Arg* arg) {
    const std::string& name = arg->getName();
    return name == "help" || name == "version" || name == "log";
}
}  // namespace

std::list<TCLAP::Arg*> cQuorixOutput::shownArgs(TCLAP::CmdLineInterface& cmd) const {
    std::list<TCLAP::Arg*> shown, last;
    for (TCLAP::Arg* arg : cmd.getArgList()) {
        if (isHidden(arg)) continue;
        (isLibrarySwitch(arg) ? last : shown).push_back(arg);
    }
    shown.splice(shown.end(), last);
    return shown;
}

// Same layout as the library's own short usage, over the shown arguments.
void cQuorixOutput::shortUsage(TCLAP::CmdLineInterface& cmd, std::ostream& os) const {
    const std::string progName = cmd.getProgramName();
    TCLAP::XorHandler xorHandler = cmd.getXorHandler();
    std::string s = progName + " ";
    for (const auto& group : xorHandler.getXorList()) {
        s += " {";
        for (TCLAP::Arg* arg : group) s += arg->shortID() + "|";
        s[s.length() - 1] = '}';
    }
    for (TCLAP::Arg* arg : shownArgs(cmd))
        if (!xorHandler.contains(arg)) s += " " + arg->shortID();

    int secondLineOffset = static_cast<int>(progName.length()) + 2;
    if (secondLineOffset > 75 / 2) secondLineOffset = 75 / 2;
    spacePrint(os, s, 75, 3, secondLineOffset);
}

void cQuorixOutput::longUsage(TCLAP::CmdLineInterface& cmd, std::ostream& os) const {
    TCLAP::XorHandler xorHandler = cmd.getXorHandler();
    for (const auto& group : xorHandler.getXorList()) {
        for (auto it = group.begin(); it != group.end(); ++it) {
            spacePrint(os, (*it)->longID(), 75, 3, 3);
            spacePrint(os, (*it)->getDescription(), 75, 5, 0);
            if (it + 1 != group.end()) spacePrint(os, "-- OR --", 75, 9, 0);
        }
        os << std::endl << std::endl;
    }
    for (TCLAP::Arg* arg : shownArgs(cmd)) {
        if (xorHandler.contains(arg)) continue;
        spacePrint(os, arg->longID(), 75, 3, 3);
        spacePrint(os, arg->getDescription(), 75, 5, 0);
        os << std::endl;
    }
    os << std::endl;
    spacePrint(os, cmd.getMessage(), 75, 3, 0);
}

void cQuorixOutput::usage(TCLAP::CmdLineInterface& cmd) {
    std::cout << std::endl << "USAGE: " << std::endl << std::endl;
    shortUsage(cmd, std::cout);
    std::cout << std::endl << std::endl << "Where: " << std::endl << std::endl;
    longUsage(cmd, std::cout);
    std::cout << std::endl;
}

void cQuorixOutput::failure(TCLAP::CmdLineInterface& cmd, TCLAP::ArgException& e) {
    const std::string progName = cmd.getProgramName();
    std::cerr << "PARSE ERROR: " << e.argId() << std::endl
              << "             " << e.error() << std::endl
              << std::endl;
    if (cmd.hasHelpAndVersion()) {
        std::cerr << "Brief USAGE: " << std::endl;
        shortUsage(cmd, std::cerr);
        std::cerr << std::endl
                  << "For complete USAGE and HELP type: " << std::endl
                  << "   " << progName << " " << TCLAP::Arg::nameStartString() << "help"
                  << std::endl
                  << std::endl;
    } else {
        usage(cmd);
    }
    throw TCLAP::ExitException(1);
}

void cQuorixOutput::changelog(cQuorixCmdLine& cmd) {
    std::cout << std::endl
              << cmd.getProgramName() << "  ChangeLog:\n"
              << cmd.getChangeLog() << std::endl;
}

cQuorixCmdLine::cQuorixCmdLine(const std::string& message, char delimiter,
                               const std::string& version, const std::string& changeLogText)
    : TCLAP::CmdLine(message, delimiter, version, true), changeLog(changeLogText) {
    // Drop the library's ignore-rest switch: "--" must stay available as an argument.
    std::list<TCLAP::Arg*>& args = getArgList();
    args.remove_if([](TCLAP::Arg* arg) { return arg->getName() == TCLAP::Arg::ignoreNameString(); });

    setOutput(&quorixOutput);

    auto* visitor = new TCLAP::ChangeLogVisitor(this, &quorixOutput);
    auto* log = new TCLAP::SwitchArg("", "log", "Displays ChangeLog information and exits.",
                                     false, visitor);
    add(log);
    deleteOnExit(log);
    deleteOnExit(visitor);
}

void cQuorixCmdLine::addHidden(TCLAP::Arg& arg) {
    add(arg);
    quorixOutput.hide(&arg);
}

void TCLAP::ChangeLogVisitor::visit() {
    out->changelog(*cmd);
    throw ExitException(0);
}

void LogoVisitor::visit() {
    std::cout << logo << std::endl;
    std::exit(0);
}
