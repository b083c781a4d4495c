#pragma once

#include <functional>
#include <optional>

namespace blachorys::core {

/** A quantity along a curve, at a parameter; nothing where the curve is not there. */
using CurveValue = std::function<std::optional<double>(double)>;

/** The least and the greatest of a quantity round one full turn. */
struct TurnExtremes {
    double least;
    double greatest;
};

/**
 * The extremes of `valueAt` over a full turn of its angle: sampled, each then refined between
 * its neighbours; nothing when the curve is not there somewhere.
 */
std::optional<TurnExtremes> extremesRoundATurn(const CurveValue& valueAt);

/**
 * The end of the values that fit, for a function that rises with x: x fits where f(x) ≥ 0
 * (`fitsAbove`) or where f(x) ≤ 0, and never where f is nothing. Walked from `start` by the
 * secant (its first step as if f rose as fast as x) to a change of fit, then closed in by the
 * Illinois false position, bisecting where f is nothing. Returns the closest x found that fits;
 * nothing when no change of fit is found.
 */
std::optional<double> endOfFitting(const CurveValue& f, double start, bool fitsAbove);

} // namespace blachorys::core
