#pragma once

#include "cases/pipe_pipe/pipepipemodel.h"
#include "common/core/view3d/jointview.h"

namespace blachorys::core {

/**
 * The joint in space, x along the shell from its start, z up through the branch's end face: the
 * developed pipe rolled from its pattern onto each face of its wall, the other pipe drawn
 * lighter. The template's cut is measured on the branch's contact surface against the shell's;
 * the hole, on the surface the shell's sheet is developed on, against the branch's.
 */
JointView pipePipeView(const PipePipeModel& model);

} // namespace blachorys::core
