#pragma once

#include "cases/elbow/elbowmodel.h"
#include "common/core/calculator/calculationresult.h"

#include <string_view>

namespace blachorys::core {

/**
 * The report (seven header lines, N + 1 point lines and both sheet sizes), the DXF (5N + 4
 * lines, all on the outline layer: pattern A on the base line y = 0, pattern B about its centre
 * line y = 2.5·hmax) and the preview (the same two patterns drawn upwards, with the B centre
 * line dash-dotted).
 */
CalculationOutputs elbowOutputs(const ElbowModel& model, std::string_view dateText);

} // namespace blachorys::core
