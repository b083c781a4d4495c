#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/sheets/patterndrawing.h"

#include <vector>

namespace blachorys::core {

/** The document's DXF of the calculation's pattern, in its case's styles. */
inline std::vector<DxfLine> dxfLinesOf(const CalculationOutputs& outputs) {
    return dxfLinesOf(outputs.pattern, outputs.look.styles);
}

/** The preview of the calculation's pattern, in its case's styles and frame. */
inline PreviewDrawing previewOf(const CalculationOutputs& outputs) {
    return previewOf(outputs.pattern, outputs.look);
}

} // namespace blachorys::core
