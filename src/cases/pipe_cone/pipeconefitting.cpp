#include "cases/pipe_cone/pipeconefitting.h"

#include "cases/pipe_cone/pipeconefaults.h"
#include "cases/pipe_cone/pipeconemodel.h"

#include "common/core/calculator/fittingrange.h"

#include <algorithm>

namespace blachorys::core {

namespace {

/** Samples along the cone where the pipe's axis is tried, for a place where the pipe is on it. */
constexpr int kLmStarts = 32;

/**
 * The range of Lm that keeps the joint's reach within the cone's ends, from `start`: Lm moves
 * the pipe along the cone's axis, so the lowest and the highest reach each rise with it and each
 * end of the range is one root.
 */
std::string lmRangeFrom(const PipeConeInputs& in, double start, const ConeMantle& cone,
                        const ReachOfInputs& reachOf) {
    const FrustumReach ends(cone);
    const double low = ends.lowestWithin();
    const double high = ends.highestWithin();
    const auto reachAt = [&](double Lm) {
        PipeConeInputs moved = in;
        moved.Lm = Lm;
        return reachOf(moved);
    };
    const std::optional<double> least = endOfFitting(
        [&](double Lm) -> std::optional<double> {
            const std::optional<TurnExtremes> reach = reachAt(Lm);
            return reach ? std::optional(reach->least - low) : std::nullopt;
        },
        start, true);
    const std::optional<double> greatest = endOfFitting(
        [&](double Lm) -> std::optional<double> {
            const std::optional<TurnExtremes> reach = reachAt(Lm);
            return reach ? std::optional(reach->greatest - high) : std::nullopt;
        },
        start, false);
    return least && greatest ? fittingRangeText("Lm", *least, *greatest) : "";
}

bool withinTheEnds(const PipeConeInputs& in) {
    const std::optional<TurnExtremes> reach = jointReach(in);
    if (!reach) {
        return false;
    }
    FrustumReach within(coneMantle(in));
    within.add(reach->least);
    within.add(reach->greatest);
    return within.withinTheEnds();
}

} // namespace

std::optional<std::string> pastAnEndFault(const PipeConeInputs& in, const ConeMantle& cone,
                                          FrustumReach sampled, const ReachOfInputs& reachOf) {
    if (const std::optional<TurnExtremes> refined = reachOf(in)) {
        sampled.add(refined->least);
        sampled.add(refined->greatest);
    }
    if (sampled.withinTheEnds()) {
        return std::nullopt;
    }
    return withWhatFits(kPastAnEnd, lmRangeFrom(in, in.Lm, cone, reachOf));
}

std::string missesTheConeFault(const PipeConeInputs& in) {
    for (int k = 0; k < kLmStarts; ++k) {
        PipeConeInputs moved = in;
        moved.Lm = in.Hs * (k + 0.5) / kLmStarts;
        if (withinTheEnds(moved)) {
            return withWhatFits(kMissesTheCone,
                                lmRangeFrom(in, moved.Lm, coneMantle(in), jointReach));
        }
    }
    return kMissesTheCone;
}

std::string fittingOffset(const PipeConeInputs& in) {
    const auto fits = [&in](double P) {
        PipeConeInputs moved = in;
        moved.P = P;
        const auto& checks = pipeConeChecks();
        return std::none_of(checks.begin(), checks.end(),
                            [&moved](const auto& check) { return check.fails(moved); }) &&
               withinTheEnds(moved);
    };
    return fittingEndsText("P", endsWhereFits(fits, 0.0));
}

} // namespace blachorys::core
