#include "cases/pipe_cone/pipeconefitting.h"

#include "cases/pipe_cone/pipeconefaults.h"
#include "cases/pipe_cone/pipeconemodel.h"

#include "common/core/fittingrange.h"
#include "common/core/fittingsearch.h"

#include <algorithm>

namespace blachorys::core {

std::optional<AxialReach> reachRound(const CurveValue& zAt) {
    const std::optional<TurnExtremes> z = extremesRoundATurn(zAt);
    return z ? std::optional(AxialReach{z->least, z->greatest}) : std::nullopt;
}

std::optional<std::string> pastAnEndFault(const PipeConeInputs& in, const ConeMantle& cone,
                                          FrustumReach sampled, const ReachOfInputs& reachOf) {
    if (const std::optional<AxialReach> refined = reachOf(in)) {
        sampled.add(refined->lowest);
        sampled.add(refined->highest);
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
            const std::optional<AxialReach> reach = reachAt(Lm);
            return reach ? std::optional(reach->lowest - low) : std::nullopt;
        },
        in.Lm, true);
    const std::optional<double> greatest = endOfFitting(
        [&](double Lm) -> std::optional<double> {
            const std::optional<AxialReach> reach = reachAt(Lm);
            return reach ? std::optional(reach->highest - high) : std::nullopt;
        },
        in.Lm, false);
    std::string message = kPastAnEnd;
    if (least && greatest) {
        const std::string fitting = fittingRangeText("Lm", *least, *greatest);
        if (!fitting.empty()) {
            message.pop_back(); // the closing full stop goes after what would fit
            message += " " + fitting + ".";
        }
    }
    return message;
}

} // namespace blachorys::core
