#pragma once

#include <string>

namespace blachorys::test {

/** Bytes of a file under tests/golden ("pipe_pipe/report_smaller.txt"). */
std::string readGolden(const std::string& relativePath);

/** Bytes of any file. */
std::string readFileBytes(const std::string& path);

} // namespace blachorys::test
