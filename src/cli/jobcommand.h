#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace blachorys::cli {

/** The command of a job file: "job" before its file and options. */
inline const std::string kJobCommand = "job";

/**
 * `blachorys-cli job FILE [--txt FILE|-] [--nesting-dxf FILE] [--nesting-pdf FILE]
 * [--cnc-dir DIR] [--dxf-version R12|R2000] [--date TEXT]`: the job file opened as the window's
 * "Otwórz zlecenie…" opens it and its files made as the job's window makes them. `arguments`
 * begin after "job". Without a file to standard output the material list goes there.
 */
int runJob(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

/** The usage lines of the job command. */
std::string jobUsageText();

} // namespace blachorys::cli
