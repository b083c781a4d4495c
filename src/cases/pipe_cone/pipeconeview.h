#pragma once

#include "cases/pipe_cone/pipeconemodel.h"
#include "common/core/view3d/jointview.h"

namespace blachorys::core {

/**
 * The joint in space, x along the cone's axis from its small end, z up the side the pipe stands
 * on: the pipe rolled from its template, or the mantle rolled from its sector about the apex,
 * the other part drawn lighter. The template's cut is measured against the mantle; the hole
 * against the pipe, the mantle's ends against their planes and its cut's two sides against
 * the reference generator they are joined along.
 */
JointView pipeConeView(const PipeConeModel& model);

} // namespace blachorys::core
