#pragma once

#include "cases/pipe_cone/pipeconemodel.h"
#include "common/core/calculator/calculationresult.h"

#include <string_view>

namespace blachorys::core {

/**
 * The outputs of the computed development. The report: eight header lines, the results,
 * the footer. The DXF: the template as 2N + 2 lines below the X axis (Y = −h), generators on
 * their own layer; the mantle as 4N + 1 lines on the outline layer, the sector then the
 * hole. The preview: the template drawn downwards over π·Dr × hmax, the mantle upwards and
 * centred on the bounding box of its two arcs.
 */
CalculationOutputs pipeConeOutputs(const PipeConeModel& model, std::string_view dateText);

} // namespace blachorys::core
