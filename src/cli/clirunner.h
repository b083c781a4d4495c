#pragma once

#include "common/cnc/cncdxf.h"
#include "common/core/calculator.h"
#include "common/core/templateplan.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
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

/** What a command line asks for. */
struct CliOptions {
    const core::Calculator* calculator = nullptr;
    std::size_t development = 0;
    /**
     * Every field's text in creation order, then each selector's choice index: the defaults,
     * with the ones given in place.
     */
    std::vector<std::string> fieldTexts;
    /** The fields as the calculation reads them. */
    core::FieldReading fields;
    std::optional<std::string> txtPath;
    std::optional<std::string> dxfPath;
    std::optional<std::string> templatePath;
    std::optional<std::string> cncDxfPath;
    cnc::DxfVersion dxfVersion = cnc::DxfVersion::R2000;
    core::TemplateSettings templateSettings;
    std::optional<std::string> date;
    bool strict = false;
};

/** A command line read: what it asks for, or nothing when it is wrong. */
struct ParsedCommandLine {
    std::optional<CliOptions> options;
    /**
     * Lines for standard error, in order: what is wrong ("blachorys-cli: ..."), or a warning
     * ("Uwaga: ...") for each field text that is not a number and counts as 0.
     */
    std::vector<std::string> messages;
};

/**
 * Reads the arguments (without the program name) and nothing else: no file is opened or
 * written, nothing is printed. Output file names are only compared (the same file under two
 * names is refused).
 */
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

/**
 * Runs one calculator as its window's "Licz" does: `arguments` without the program name.
 * Result lines go to `out` and messages to `err`, both UTF-8; a file named "-" goes to `out`
 * instead of the result lines.
 */
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace blachorys::cli
