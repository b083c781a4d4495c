#pragma once

#include <functional>

namespace blachorys::core {

/**
 * Golden-section steps to a depth within a millionth of a millimetre on a metre's wall: what a
 * search through a wall takes by default.
 */
inline constexpr int kDepthSearchSteps = 48;

/**
 * Where in [low, high] `value` is greatest: a golden-section search over `steps` steps for an
 * inner maximum, then the better of it and the two ends (`low` on a tie). `value` must rise
 * to one maximum and fall after it, or be monotone, over the range: a layer's distance from a
 * convex surface through a wall is.
 */
double depthOfMaximum(double low, double high, const std::function<double(double)>& value,
                      int steps = kDepthSearchSteps);

/** Where in [low, high] `value` is least, the same way. */
double depthOfMinimum(double low, double high, const std::function<double(double)>& value,
                      int steps = kDepthSearchSteps);

/**
 * The same for a `value` that is most often greatest at a face: each face's slope, over
 * `slopeStep` into the wall, is looked at first, and the search is made only when the value
 * rises from both faces inwards. A face's value, and the other face's, are then the ones
 * `value` gives there exactly.
 */
double depthOfMaximumFacesFirst(double low, double high, const std::function<double(double)>& value,
                                double slopeStep, int steps = kDepthSearchSteps);

/** Where in [low, high] `value` is least, the faces first. */
double depthOfMinimumFacesFirst(double low, double high, const std::function<double(double)>& value,
                                double slopeStep, int steps = kDepthSearchSteps);

} // namespace blachorys::core
