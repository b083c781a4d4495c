#pragma once

#include "cases/pipe_cone/pipeconemodel.h"

namespace blachorys::core {

/**
 * The template and, in the cone development, the mantle with the hole, once a wall has a
 * thickness: the pipe's template developed on its development surface and cut square through
 * its wall where the first of its layers meets the cone's contact surface; the mantle developed
 * on the plate's mean surface, its hole the envelope of the pipe's contact surface through the
 * whole plate, so that the hole cut square to the plate passes the pipe at every depth.
 * `referenceLoops` unrolls the cone by the straightforward loop. The inputs must have passed
 * validation and the cone must have a length and a large end.
 */
Construction<PipeConeModel> constructWithWalls(const PipeConeInputs& inputs, bool referenceLoops);

} // namespace blachorys::core
