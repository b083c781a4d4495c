#pragma once

#include "cases/pipe_cone/pipeconegenerators.h"
#include "cases/pipe_cone/pipeconemantle.h"
#include "common/core/fittingsearch.h"

#include <functional>
#include <optional>
#include <string>

namespace blachorys::core {

struct PipeConeInputs;

/**
 * How far along the cone's axis (least and greatest z) the joint's curves reach for some
 * inputs, round the pipe (`extremesRoundATurn`); nothing when the pipe misses the cone.
 */
using ReachOfInputs = std::function<std::optional<TurnExtremes>(const PipeConeInputs&)>;

/**
 * "RURA wychodzi poza koniec STOZKA" when the reach sampled by the construction, or the reach
 * refined round the pipe, passes an end face, with the range of Lm that keeps it within them,
 * the other inputs as they are; nothing when it stays within. Lm moves the pipe along the
 * cone's axis, so the lowest and the highest reach each rise with it and each end of the range
 * is one root.
 */
std::optional<std::string> pastAnEndFault(const PipeConeInputs& in, const ConeMantle& cone,
                                          FrustumReach sampled, const ReachOfInputs& reachOf);

} // namespace blachorys::core
