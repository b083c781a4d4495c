#pragma once

#include "cases/cone/conemodel.h"
#include "common/core/calculator/calculationresult.h"

#include <string_view>

namespace blachorys::core {

/**
 * The report (seven header lines, N + 1 point lines and the sheet size), the DXF (3N + 1
 * lines, all on the outline layer: the Dsd and Dsm edges segment by segment, the two seam
 * edges, then the inner generatrices) and the preview (drawn upwards and centred on the
 * bounding box, in the DXF's colours).
 */
CalculationOutputs coneOutputs(const ConeModel& model, std::string_view dateText);

} // namespace blachorys::core
