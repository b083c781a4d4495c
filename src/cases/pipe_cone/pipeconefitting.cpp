#include "cases/pipe_cone/pipeconefitting.h"

#include "cases/pipe_cone/pipeconefaults.h"
#include "cases/pipe_cone/pipeconemodel.h"

#include "common/core/fittingrange.h"

#include <algorithm>

namespace blachorys::core {

std::optional<std::string> pastAnEndFault(const PipeConeInputs& in, const ConeMantle& cone,
                                          FrustumReach sampled, const ReachOfInputs& reachOf) {
    if (const std::optional<TurnExtremes> refined = reachOf(in)) {
        sampled.add(refined->least);
        sampled.add(refined->greatest);
    }
    if (sampled.withinTheEnds()) {
        return std::nullopt;
    }
    const double low = std::min(cone.Zm(), cone.Zd());
    const double high = std::max(cone.Zm(), cone.Zd());
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
        in.Lm, true);
    const std::optional<double> greatest = endOfFitting(
        [&](double Lm) -> std::optional<double> {
            const std::optional<TurnExtremes> reach = reachAt(Lm);
            return reach ? std::optional(reach->greatest - high) : std::nullopt;
        },
        in.Lm, false);
    return withWhatFits(kPastAnEnd,
                        least && greatest ? fittingRangeText("Lm", *least, *greatest) : "");
}

} // namespace blachorys::core
