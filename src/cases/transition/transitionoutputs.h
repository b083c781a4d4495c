#pragma once

#include "cases/transition/transitionmodel.h"
#include "common/core/calculator/calculationresult.h"

#include <string_view>

namespace blachorys::core {

/**
 * The report (seven header lines; N + 1 point lines and a rule per quarter, the corner-5 line
 * and the sheet size), the DXF (8N + 9 lines: the curved edge, the straight edge, the fans
 * from each corner whose first line is a seam edge, the second seam edge; bending lines on
 * their own layer) and the preview (drawn upwards and centred on the bounding box).
 */
CalculationOutputs transitionOutputs(const TransitionModel& model, std::string_view dateText);

} // namespace blachorys::core
