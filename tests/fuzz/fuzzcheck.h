#pragma once

// What the harnesses share: a check that ends the run (a crash to libFuzzer, which saves the
// input), and the input split into texts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

/** Ends the run with `what` when `condition` does not hold; libFuzzer keeps the input. */
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s: %s\n", #condition,                        \
                         std::string(what).c_str());                                               \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace blachorys::fuzz {

/** The bytes cut at every `separator`: "a\nb" is {"a", "b"}, "" is {""}. */
inline std::vector<std::string> splitAt(const std::uint8_t* data, std::size_t size,
                                        char separator) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

} // namespace blachorys::fuzz
