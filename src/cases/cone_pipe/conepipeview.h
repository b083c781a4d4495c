#pragma once

#include "cases/cone_pipe/conepipemodel.h"
#include "common/core/view3d/jointview.h"

namespace blachorys::core {

/**
 * The joint in space, x along the pipe from its start, z up through the cone: the cone rolled
 * from its sector about the apex, or the pipe rolled from its sheet, the other part drawn
 * lighter. The cone's cut is measured against the pipe, its free end against the free end's
 * plane and its cut's two sides against the generatrix they are joined along; the hole against
 * the cone.
 */
JointView conePipeView(const ConePipeModel& model);

} // namespace blachorys::core
