#pragma once

#include "cases/cone_pipe/conepipemodel.h"
#include "common/core/calculator/calculationresult.h"

#include <string_view>

namespace blachorys::core {

/**
 * The outputs of the development chosen. The report: eight header lines, then the cone's
 * N + 5 result lines or the pipe's N + 12 (corners a–d, then the hole), then the footer. The
 * DXF, every line on the outline layer: the cone as 3N + 1 lines (cut and free end segment by
 * segment, the two seam edges, the inner generatrices), the pipe as N + 4 (the rectangle, then
 * the hole). The preview: drawn upwards, centred on the bounding box, in the DXF's colours.
 */
CalculationOutputs conePipeOutputs(const ConePipeModel& model, std::string_view dateText);

} // namespace blachorys::core
