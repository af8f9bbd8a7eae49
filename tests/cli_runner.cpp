#include "tests/cli_runner.h"

#include "tests/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

CliRun Cli(const std::string& arguments) {
    CliRun run;
    // A cache of geocoding answers for this run alone: none from an earlier test's server that
    // had the same port, and never the user's.
    const TempDir cache;
    FILE* pipe = popen(("XDG_CACHE_HOME=" + Quoted(cache.path()) + " " + TESSARO_CLI + " " +
                        arguments + " 2>/dev/null")
                           .c_str(),
                       "r");
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
    return run;
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}
