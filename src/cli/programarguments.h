#pragma once

#include <string>
#include <vector>

namespace blachorys::cli {

/**
 * The program's arguments, without its name, in UTF-8 as runCli takes them. On Windows they
 * come from the wide command line: `argv` there is in the ANSI code page, which has no room
 * for many file names ("raport_łódź.txt" on a Western system).
 */
std::vector<std::string> programArguments(int argc, char** argv);

/**
 * Standard output and error carry exact bytes: a TXT or DXF sent to "-" keeps its CR LF, and
 * UTF-8 result lines show as such in a Windows console. Nothing to do elsewhere.
 */
void prepareStandardStreams();

} // namespace blachorys::cli
