#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/calculatordefinition.h"
#include "common/core/sheets/templateplan.h"

class QWidget;

namespace blachorys::gui {

class Prompts;

/**
 * The template through the print dialog, on the printer's own paper and inside its printable
 * area, all its sheets or the range chosen by their numbers; an error box when it cannot be
 * planned or printed, or when the paper chosen in the dialog gives another number of sheets
 * than a chosen range was counted in.
 */
void printTemplate(Prompts& prompts, QWidget* parent, const core::CalculatorDefinition& definition,
                   const core::CalculationOutputs& outputs, const core::TemplateSettings& settings);

} // namespace blachorys::gui
