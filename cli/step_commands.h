#pragma once

#include "cli/cli_options.h"

// `tessaro-cli plan SOURCE`: the result tree, one entry a line, two spaces of indent a level.
int RunPlanCommand(const CliOptions& options);
// `tessaro-cli sort SOURCE DEST`: every step through copying; the last line counts the photos.
int RunSortCommand(const CliOptions& options);

// Prints a one-line usage error and gives its exit status, 2.
int UsageError(const std::string& reason);
