#pragma once

#include "cases/elbow/elbowmodel.h"
#include "common/core/view3d/jointview.h"

namespace blachorys::core {

/**
 * The elbow in space, bending in the plane y = 0 about the y axis, its centre line Rk from it,
 * rising from the first end at x = Rk: the first end segment rolled from pattern A, each middle
 * segment from pattern B, the last end segment from pattern A turned round. Each cut is
 * measured against its mitre plane or the end's plane, each seam against its generator.
 */
JointView elbowView(const ElbowModel& model);

} // namespace blachorys::core
