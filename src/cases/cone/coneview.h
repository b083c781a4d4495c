#pragma once

#include "cases/cone/conemodel.h"
#include "common/core/view3d/jointview.h"

namespace blachorys::core {

/**
 * The cone in space, its Dsd edge about the origin in the plane z = 0, its Dsm edge Hs above
 * with its centre E along x: the sector rolled about the apex. Its edges are measured against
 * their planes, the two sides of its cut against the generatrix they are joined along.
 */
JointView coneView(const ConeModel& model);

} // namespace blachorys::core
