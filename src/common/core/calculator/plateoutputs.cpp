#include "common/core/calculator/plateoutputs.h"

#include "common/core/plate/cutparts.h"
#include "common/core/plate/materiallist.h"
#include "common/core/plate/nesting.h"

#include <stdexcept>

namespace blachorys::core {
std::vector<JobPiece> jobPiecesOf(const CalculationOutputs& outputs) {
    return jobPiecesOf(patternToCut(outputs));
}

void addMaterialList(CalculationOutputs& outputs, const PlateSettings& settings) {
    const std::vector<JobPiece> pieces = jobPiecesOf(outputs);
    if (!(largestThickness(pieces) > 0.0)) {
        return;
    }
    const Nesting nesting = nestPieces(pieces, settings.plate, settings.gapMm);
    std::vector<std::string> lines;
    try {
        lines = materialListLines(
            pieces, settings,
            nesting.tooMany ? std::nullopt
                            : std::optional<PlateUse>{
                                  {static_cast<int>(nesting.plates.size()), nesting.share()}});
    } catch (const std::invalid_argument&) {
        // An area or mass beyond any number is not listed; the rest of the report stands.
        outputs.report.materialList = {repeated('-', kMaterialListRule),
                                       "ZESTAWIENIE MATERIALU : wymiary poza zakresem liczb"};
        return;
    }
    if (nesting.tooMany) {
        lines.push_back("Rozkroj pominiety : ponad " + std::to_string(kMostNestedCopies) +
                        " elementow");
    }
    for (std::string& line : tooLargeLines(outputs.pattern, settings)) {
        lines.push_back(std::move(line));
    }
    outputs.report.materialList = std::move(lines);
}

std::optional<std::string> partsProblem(const CalculationOutputs& outputs, int parts) {
    if (outputs.bevelled && parts > 1) {
        return "krawedz przygotowana pod spawanie tnie sie w calosci - podzial na 1 czesc";
    }
    return splitProblem(outputs.pattern, parts);
}

void replated(CalculationOutputs& outputs, const PlateSettings& settings) {
    outputs.split = splitPattern(outputs.pattern, settings.parts);
    outputs.report.materialList.clear();
    addMaterialList(outputs, settings);
}

CalculationResult withMaterialList(CalculationResult result, const PlateSettings& settings) {
    if (result.outputs) {
        addMaterialList(*result.outputs, settings);
    }
    return result;
}

CalculationResult forThePlate(CalculationResult result, const PlateSettings& settings) {
    if (!result.outputs) {
        return result;
    }
    if (auto problem = partsProblem(*result.outputs, settings.parts)) {
        return {CalculationResult::Status::Refused,
                {{MessageKind::Error, "Podział na części: " + std::move(*problem)}},
                std::nullopt};
    }
    replated(*result.outputs, settings);
    return result;
}

} // namespace blachorys::core
