#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/view3d/edgepreparation.h"

#include <string>
#include <vector>

namespace blachorys::core {

/**
 * The report's lines of the prepared edges, under a rule: the choice and its sizes, a row per
 * point (ψ, the tilt, where the cut leaves the near and the far face) and where a point is past
 * the bevel head's limit or too narrow for a groove weld.
 */
std::vector<std::string> edgeTableLines(const PreparedEdges& edges, const EdgeSettings& settings);

/**
 * The result with its welded edges prepared as `settings` ask, in its outputs and its report;
 * refused, with no outputs, when they cannot be. A square cut leaves it as it is.
 */
CalculationResult withPreparedEdges(CalculationResult result, const EdgeSettings& settings);

/** The bevel at every point, one CSV row each after a header row, CR LF after every row. */
std::string bevelCsv(const PreparedEdges& edges);

} // namespace blachorys::core
