#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/plate/jobpieces.h"
#include "common/core/plate/platesettings.h"

#include <optional>
#include <string>
#include <vector>

namespace blachorys::core {

/** The pieces the outputs cut: their parts when split (`patternToCut`). */
std::vector<JobPiece> jobPiecesOf(const CalculationOutputs& outputs);

/**
 * The calculation's report with its material list, where any of its pieces is cut from a plate
 * of some thickness; the outputs unchanged otherwise.
 */
void addMaterialList(CalculationOutputs& outputs, const PlateSettings& settings);

/** The result as the window and the command line give it: with its material list, if any. */
CalculationResult withMaterialList(CalculationResult result, const PlateSettings& settings);

/**
 * Why the outputs cannot be cut in `parts` parts, or nothing: a split the pattern does not take
 * (`splitProblem`), or a bevelled cut, which is cut whole.
 */
std::optional<std::string> partsProblem(const CalculationOutputs& outputs, int parts);

/**
 * The outputs for another plate: split as its settings say, with their material list, if any;
 * the calculation itself as it was. The caller has checked the split (`splitProblem`).
 */
void replated(CalculationOutputs& outputs, const PlateSettings& settings);

/**
 * The result as the window and the command line give it: split, with its material list; refused
 * when a piece is not split into the parts asked for (`splitProblem`).
 */
CalculationResult forThePlate(CalculationResult result, const PlateSettings& settings);

} // namespace blachorys::core
