#include "tests/cli_runner.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

CliRun Cli(const std::string& arguments, const std::string& prefix) {
    CliRun run;
    const TempDir dir;
    // A cache of geocoding answers for this run alone: none from an earlier test's server that
    // had the same port, and never the user's.
    const std::string command = "export XDG_CACHE_HOME=" + Quoted(dir.path() + "cache") + "; " +
                                prefix + " " + TESSARO_CLI + " " + arguments + " 2>" +
                                Quoted(dir.path() + "stderr");
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "popen failed";
        return run;
    }
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(dir.path() + "stderr");
    return run;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}
