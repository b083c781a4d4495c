#pragma once

#include "cases/pipe_cone/pipeconegenerators.h"
#include "common/core/geometry/fittingsearch.h"
#include "common/core/geometry/obliquecone.h"

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

/**
 * How far along the cone's axis the joint of these inputs reaches, round the pipe, as the
 * construction measures it; nothing where the pipe misses the cone somewhere (or there is no
 * cone).
 */
std::optional<TurnExtremes> jointReach(const PipeConeInputs& in);

/**
 * "RURA nie cala powierzchnia "wchodzi" w STOZEK" with the range of Lm that puts the pipe wholly
 * on the cone and within its ends (as "wychodzi poza koniec" names it), searched from the first
 * place along the cone where the pipe is; as it is where the pipe is nowhere.
 */
std::string missesTheConeFault(const PipeConeInputs& in);

/**
 * The range of P round 0 over which the case's checks pass and the pipe stands wholly on the
 * cone within its ends, the other inputs as they are: what the refusals of P name. Empty where
 * P = 0 does not fit either.
 */
std::string fittingOffset(const PipeConeInputs& in);

} // namespace blachorys::core
