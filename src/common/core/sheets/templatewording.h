#pragma once

#include "common/core/sheets/templateplan.h"

#include <string>

namespace blachorys::core {

/**
 * What the template takes, in words: "13 arkuszy A4 pionowo (podgląd i 12 stron, siatka
 * 4 rzędy × 3 kolumny)".
 */
std::string sheetSummary(const TemplatePlan& plan);

/** "A", "B", ... "Z", "AA", "AB", ...: the name of a row. */
std::string rowName(int row);
/** "B2": row letters, then the column number from 1. */
std::string pageName(int row, int column);

} // namespace blachorys::core
