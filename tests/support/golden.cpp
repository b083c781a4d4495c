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

bool writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
}

std::string readGolden(const std::string& relativePath) {
    return readFileBytes(std::string(BLACHORYS_GOLDEN_DIR) + "/" + relativePath);
}

std::string goldenPath(const core::CalculatorDefinition& definition, std::size_t development,
                       const std::string& extension) {
    const std::string name =
        definition.developments.empty() ? "defaults" : definition.developments.at(development).key;
    return definition.key + "/" + name + "." + extension;
}

} // namespace blachorys::test
