#include "support/golden.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace blachorys::test {

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string readGolden(const std::string& relativePath) {
    return readFileBytes(std::string(BLACHORYS_GOLDEN_DIR) + "/" + relativePath);
}

} // namespace blachorys::test
