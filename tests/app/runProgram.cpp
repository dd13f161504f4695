#include "tests/app/runProgram.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string quorixPath() {
    const char* path = std::getenv("QUORIX_EXE");
    return path ? path : "quorix";
}

namespace {
std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}  // namespace

sProgramRun runProgram(const std::vector<std::string>& args, const char* stdoutPath, const char* stdinPath) {
    char outName[] = "/tmp/quorix_out_XXXXXX";
    char errName[] = "/tmp/quorix_err_XXXXXX";
    const int outFd = mkstemp(outName);
    const int errFd = mkstemp(errName);
    sProgramRun run;
    const pid_t pid = fork();
    if (pid == 0) {
        const int target = stdoutPath ? open(stdoutPath, O_WRONLY) : outFd;
        const int source = stdinPath ? open(stdinPath, O_RDONLY) : 0;
        if (target < 0 || source < 0) _exit(126);
        dup2(source, 0);
        dup2(target, 1);
        dup2(errFd, 2);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    close(outFd);
    close(errFd);
    run.out = slurp(outName);
    run.err = slurp(errName);
    unlink(outName);
    unlink(errName);
    return run;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream ss(text);
    std::string line;
    while (std::getline(ss, line)) lines.push_back(line);
    return lines;
}
