#pragma once

#include "cli/commandline.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace blachorys::cli {

/** Exit codes of blachorys-cli. */
enum ExitCode : int {
    kExitCalculated = 0,
    kExitRefused = 1,      ///< the inputs failed a check
    kExitFailed = 2,       ///< the computation failed
    kExitUsage = 64,       ///< the command line is wrong
    kExitCannotWrite = 73, ///< a requested file could not be written
    kExitOutputError = 74, ///< standard output could not be written
};

/**
 * Runs one calculator as its window's "Licz" does: `arguments` without the program name.
 * Result lines go to `out` and messages to `err`, both UTF-8; a file named "-" goes to `out`
 * instead of the result lines.
 */
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace blachorys::cli
