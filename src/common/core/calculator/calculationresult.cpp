#include "common/core/calculator/calculationresult.h"

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

} // namespace blachorys::core
