#pragma once

#include "common/core/calculationresult.h"
#include "common/core/calculatordefinition.h"
#include "common/core/templateplan.h"

#include <QByteArray>

#include <optional>

class QWidget;

namespace blachorys::gui {

class Prompts;

/**
 * The full-scale template of a calculation planned for a PDF file, or nothing after an error
 * box saying why it cannot be made.
 */
std::optional<core::TemplatePlan> planTemplatePdf(Prompts& prompts, QWidget* parent,
                                                  const core::CalculationOutputs& outputs,
                                                  const core::TemplateSettings& settings);

/** The planned template as PDF bytes, titled for `definition`; empty when it failed. */
QByteArray templatePdfBytes(const core::TemplatePlan& plan,
                            const core::CalculatorDefinition& definition,
                            const core::CalculationOutputs& outputs);

/**
 * The template through the print dialog, on the printer's own paper and inside its printable
 * area; an error box when it cannot be planned or printed.
 */
void printTemplate(Prompts& prompts, QWidget* parent, const core::CalculatorDefinition& definition,
                   const core::CalculationOutputs& outputs, const core::TemplateSettings& settings);

} // namespace blachorys::gui
