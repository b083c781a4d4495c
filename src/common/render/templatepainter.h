#pragma once

#include "common/core/calculator/calculationresult.h"
#include "common/core/sheets/templateplan.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QPageLayout;

namespace blachorys::render {

/** What the template's first page says of the calculation. */
struct TemplateTitle {
    QString heading; ///< the printout's heading: "Rozwiniecie Rura-Rura"
    const core::PointReport* report = nullptr;
};

/** Sheets to paint, numbered as the template numbers them (the overview is 1); 0: to the end. */
struct SheetRange {
    int first = 1;
    int last = 0;
};

/** The page layout of a plan: its paper, lying or upright, no margins (the plan keeps them). */
QPageLayout templatePageLayout(const core::TemplatePlan& plan);

/**
 * Paints the template on `device`, whose pages must already have the plan's layout (the
 * painting starts on the device's current page): first the whole pattern small with the page
 * grid and the calculation's data, then every page of the plan at full scale with its name,
 * its neighbours, alignment crosses, check bars and the reported points' numbers. Only the
 * sheets of `sheets` are painted, one page each. False when the device cannot be painted on
 * or the range holds no sheet.
 */
bool paintTemplate(QPagedPaintDevice& device, const core::TemplatePlan& plan,
                   const TemplateTitle& title, SheetRange sheets = {});

/** The template as a PDF document; empty when it could not be made. */
QByteArray templatePdf(const core::TemplatePlan& plan, const TemplateTitle& title);

} // namespace blachorys::render
