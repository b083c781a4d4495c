#pragma once

#include "cases/transition/transitionmodel.h"
#include "common/core/view3d/jointview.h"

namespace blachorys::core {

/**
 * The transition in space, its circle about the origin in the plane z = 0, its rectangle H
 * above. The sheet is folded back by a development of the view's own, laid out as the
 * pattern's (corner 1 at the origin, the first line along X, the fans turning anticlockwise):
 * each fan unrolled exactly about its corner, each flat triangle as it stands. The circle's
 * edge is measured against the circle's plane, the rectangle's against its plane, both seam
 * edges against the line they are joined along.
 */
JointView transitionView(const TransitionModel& model);

} // namespace blachorys::core
