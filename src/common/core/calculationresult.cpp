#include "common/core/calculationresult.h"

#include "common/core/finite.h"

#include <array>

namespace blachorys::core {

CalculationResult refusedResult(const std::vector<std::string>& warnings) {
    CalculationResult result;
    result.status = CalculationResult::Status::Refused;
    for (const auto& text : warnings) {
        result.messages.push_back({MessageKind::Warning, text});
    }
    return result;
}

CalculationResult refusedResult(Message message) {
    CalculationResult result;
    result.status = CalculationResult::Status::Refused;
    result.messages.push_back(std::move(message));
    return result;
}

CalculationResult failedResult(std::string errorText) {
    CalculationResult result;
    result.status = CalculationResult::Status::Failed;
    result.messages.push_back({MessageKind::Error, std::move(errorText)});
    return result;
}

CalculationResult calculatedResult(CalculationOutputs outputs) {
    CalculationResult result;
    result.status = CalculationResult::Status::Calculated;
    result.outputs = std::move(outputs);
    return result;
}

bool hasFiniteGeometry(const CalculationOutputs& outputs) {
    for (const DxfLine& line : outputs.dxfLines) {
        if (!allFinite(std::array{line.x1, line.y1, line.x2, line.y2})) {
            return false;
        }
    }
    const PreviewDrawing& preview = outputs.preview;
    if (!allFinite(std::array{preview.xMin, preview.xMax, preview.yMin, preview.yMax})) {
        return false;
    }
    for (const PreviewSegment& segment : preview.segments) {
        if (!allFinite(std::array{segment.from.x, segment.from.y, segment.to.x, segment.to.y})) {
            return false;
        }
    }
    for (const PointMark& mark : outputs.pointMarks) {
        if (!allFinite(std::array{mark.x, mark.y})) {
            return false;
        }
    }
    return true;
}

} // namespace blachorys::core
