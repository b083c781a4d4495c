#pragma once

#include "common/core/sheets/templateplan.h"

namespace blachorys::render {

class MillimetrePainter;
struct TemplateTitle;

/**
 * The template's first sheet: its heading, the calculation's data, what the template takes,
 * the sheets' names, then the whole pattern small with every printed page's tile over it.
 * Every text is wrapped, shrunk or cut to stay on the paper.
 */
void paintOverview(MillimetrePainter& mm, const core::TemplatePlan& plan,
                   const TemplateTitle& title);

} // namespace blachorys::render
