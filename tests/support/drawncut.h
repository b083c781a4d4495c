#pragma once

#include "common/core/pattern/pattern.h"

#include <gtest/gtest.h>

#include <vector>

namespace blachorys::test {

/**
 * What the template draws of a pattern's lines of one role: every point of its exact outlines
 * on those lines and the middle of every chord between two, where a chord strays furthest from
 * the curve it follows. A pattern without such lines is a failure of the test.
 */
inline std::vector<core::PatternPoint> drawnPointsOf(const core::Pattern& pattern,
                                                     core::LineRole role) {
    std::vector<core::PatternPoint> drawn;
    for (const core::Contour& contour : pattern.exactContours) {
        const auto& p = contour.points;
        for (std::size_t k = 0; k < p.size(); ++k) {
            if (contour.roles[k] == role) {
                const core::PatternPoint to = p[(k + 1) % p.size()];
                drawn.push_back(p[k]);
                drawn.push_back({(p[k].x + to.x) / 2, (p[k].y + to.y) / 2});
                drawn.push_back(to);
            }
        }
    }
    if (drawn.empty()) {
        ADD_FAILURE() << "the pattern draws no line of role " << static_cast<int>(role);
    }
    return drawn;
}

} // namespace blachorys::test
