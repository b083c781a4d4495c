#pragma once

#include "cases/pipe_pipe/pipepipemodel.h"
#include "common/core/calculator/calculationresult.h"

#include <string_view>

namespace blachorys::core {

/**
 * The outputs of the computed development. The report: eight header lines (three more naming
 * the walls and the joint when a wall has a thickness), the results, the footer. The DXF: the
 * template as 2N + 2 lines below the X axis (Y = −h), seam edges magenta, curve white, generators
 * on their own layer; the shell as N + 4 lines, the rectangle then the hole. The preview: the
 * template drawn downwards over its girth × hmax, the shell upwards over Ld × its girth.
 */
CalculationOutputs pipePipeOutputs(const PipePipeModel& model, std::string_view dateText);

} // namespace blachorys::core
