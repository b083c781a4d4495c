#include "cli/programarguments.h"

#include <QString>

#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, whose declarations it builds on.
#include <shellapi.h>

namespace blachorys::cli {

std::vector<std::string> programArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(QString::fromWCharArray(wide[i]).toStdString());
    }
    LocalFree(wide);
    return arguments;
}

void prepareStandardStreams() {
    // Text mode would turn every LF into CR LF, and a report's CR LF into CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

} // namespace blachorys::cli
