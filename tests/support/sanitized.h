#pragma once

// Whether the tests run under AddressSanitizer, which the tests of time and memory allow for.

namespace blachorys::test {

// AddressSanitizer reserves terabytes of address space for its shadow: under it no
// address-space limit can be set, and the work is some times slower.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitized = true;
#elif defined(__has_feature)
inline constexpr bool kAddressSanitized = __has_feature(address_sanitizer);
#else
inline constexpr bool kAddressSanitized = false;
#endif
inline constexpr double kSanitizedSlowdown = kAddressSanitized ? 8.0 : 1.0;

} // namespace blachorys::test
