#include "cli/clirunner.h"
#include "common/io/filesizesignal.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    blachorys::io::ignoreFileSizeLimitSignal();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return blachorys::cli::runCli(arguments, std::cout, std::cerr);
}
