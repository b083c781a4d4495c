#pragma once

#include "common/core/view3d/jointview.h"

#include <functional>

namespace blachorys::core {

/** Steps round the other part's cut, for drawing it. */
inline constexpr int kOtherCutSteps = 256;

/**
 * A branch laid out flat round it from its seam, `girth` long: from its cut, `cutAt(x)` below
 * the end face (negative) at each distance x round it, up to the end face at 0. Its faces are
 * the caller's to add. The seam's two sides, where the layout is joined, are no edges.
 */
OtherPart branchLaidFlat(double girth, const std::function<double(double x)>& cutAt);

} // namespace blachorys::core
