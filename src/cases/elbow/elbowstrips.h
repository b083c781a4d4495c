#pragma once

#include "cases/elbow/elbowmodel.h"

namespace blachorys::core {

/**
 * The model's strips and each segment's strip, from its generator table: segments whose
 * patterns start at the same angle share one strip. The last end segment is turned round to
 * face its neighbour, so its pattern starts at the angle mirrored.
 */
void layOutStrips(ElbowModel& model);

} // namespace blachorys::core
