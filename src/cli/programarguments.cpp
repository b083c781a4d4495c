#include "cli/programarguments.h"

namespace blachorys::cli {

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void prepareStandardStreams() {}

} // namespace blachorys::cli
