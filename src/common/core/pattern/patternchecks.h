#pragma once

#include "common/core/pattern/pattern.h"

#include <optional>
#include <string>

namespace blachorys::core {

inline constexpr const char* kOutlineCrossesMessage =
    "Blad obliczen. Prawdopodobnie kontur rozwiniecia przecina sam siebie.";
inline constexpr const char* kOutlineOpenMessage =
    "Blad obliczen. Prawdopodobnie kontur rozwiniecia sie nie zamyka.";
inline constexpr const char* kHoleOutsideMessage =
    "Blad obliczen. Prawdopodobnie otwor wychodzi poza arkusz blachy.";

/**
 * Why the pattern cannot be cut as it is drawn, or nothing: an outline whose lines do not join
 * into one closed chain, an outline that crosses itself or another one, a hole that does not
 * lie within a piece. The exact outlines are judged, as they
 * are cut; touching (a hole on the sheet's edge, where the branch is as wide as the shell) is
 * no crossing.
 */
std::optional<std::string> patternFault(const Pattern& pattern);

} // namespace blachorys::core
