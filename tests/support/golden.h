#pragma once

#include "common/core/calculator/calculatordefinition.h"

#include <cstddef>
#include <string>

namespace blachorys::test {

/** Bytes of a file under tests/golden ("rurarura/mniejsza.txt"). */
std::string readGolden(const std::string& relativePath);

/**
 * The golden of a calculator's defaults: "<key>/<development key>.<extension>", or
 * "<key>/defaults.<extension>" for a calculator without a development selector.
 */
std::string goldenPath(const core::CalculatorDefinition& definition, std::size_t development,
                       const std::string& extension);

/** Bytes of any file. */
std::string readFileBytes(const std::string& path);

/** Writes `bytes` as the whole of the file at `path`; false when it cannot. */
bool writeFileBytes(const std::string& path, const std::string& bytes);

} // namespace blachorys::test
