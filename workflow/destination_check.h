#pragma once

#include <string>

// Why a folder may not take the copies of a source, for STEP5, STEP6 and the command line alike.
enum class DestinationProblem {
    None,
    IsSource,     // the destination is the source
    InsideSource, // it lies below the source
    HoldsSource,  // the source lies below it
    CannotCreate, // it is missing and cannot be made
    CannotWrite,  // no folder, or one that cannot be written to
};

struct DestinationCheck {
    DestinationProblem problem = DestinationProblem::None;
    int error = 0; // the errno behind CannotCreate and CannotWrite
};

enum class DestinationChecks {
    // The folders only: a copy would write into the card, or the next scan of it find the copies.
    NestingOnly,
    // Also that the folder is there and can be written to.
    Writable,
    // The same, after making the folder where it is missing (never inside the source).
    CreateWritable,
};

DestinationCheck CheckDestination(const std::string& source, const std::string& destination,
                                  DestinationChecks checks);
