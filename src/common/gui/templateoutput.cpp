#include "common/gui/templateoutput.h"

#include "common/gui/prompts.h"
#include "common/render/outputfile.h"
#include "common/render/templatepainter.h"

#include <QPageLayout>
#include <QPrinter>

#include <algorithm>

namespace blachorys::gui {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** The widest unprintable edge of the printer, millimetres. */
double unprintableEdge(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const QMarginsF m = layout.minimumMargins();
    const double widest = std::max({m.left(), m.top(), m.right(), m.bottom()});
    return layout.units() == QPageLayout::Millimeter ? widest : widest * 25.4 / 72.0;
}

std::optional<core::TemplatePlan> planned(Prompts& prompts, QWidget* parent,
                                          const core::CalculationOutputs& outputs,
                                          const core::TemplateSettings& settings, double margin) {
    core::TemplatePlanning planning =
        core::planTemplate(core::patternToCut(outputs), outputs.look.styles, settings, margin);
    if (!planning.plan) {
        prompts.error(parent,
                      QStringLiteral("Nie moge przygotowac szablonu : ") + q(planning.problem));
    }
    return std::move(planning.plan);
}

} // namespace

void printTemplate(Prompts& prompts, QWidget* parent, const core::CalculatorDefinition& definition,
                   const core::CalculationOutputs& outputs,
                   const core::TemplateSettings& settings) {
    QPrinter printer(QPrinter::HighResolution);
    auto plan = planned(prompts, parent, outputs, settings, unprintableEdge(printer));
    if (!plan) {
        return;
    }
    printer.setPageLayout(render::templatePageLayout(*plan));
    const int offeredSheets = plan->sheetCount();
    if (!prompts.printDialog(parent, printer, offeredSheets)) {
        return;
    }
    render::SheetRange sheets;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        sheets = {printer.fromPage(), std::max(printer.fromPage(), printer.toPage())};
    }
    // The paper and its edges are the printer's now: plan again on what it will print.
    core::TemplateSettings chosen = settings;
    const QSizeF paper = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    if (const auto size = core::paperMeasuring(paper.width(), paper.height())) {
        chosen.paper = *size;
    }
    chosen.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                             ? core::PageOrientation::Landscape
                             : core::PageOrientation::Portrait;
    plan = planned(prompts, parent, outputs, chosen, unprintableEdge(printer));
    if (!plan) {
        return;
    }
    // Pages chosen by number are the pages of the template the dialog was opened for.
    if (sheets.last > 0 && plan->sheetCount() != offeredSheets) {
        prompts.error(parent, QStringLiteral("Na wybranym papierze szablon ma %1 stron zamiast %2: "
                                             "wybierz zakres stron jeszcze raz")
                                  .arg(plan->sheetCount())
                                  .arg(offeredSheets));
        return;
    }
    printer.setFullPage(true);
    printer.setPageLayout(render::templatePageLayout(*plan));
    printer.setDocName(QStringLiteral("Szablon 1:1 - ") + q(definition.printHeading));
    if (!render::paintTemplate(printer, *plan, render::templateTitle(definition, outputs),
                               sheets)) {
        prompts.error(parent, QStringLiteral("Nie moge wydrukowac szablonu"));
    }
}

} // namespace blachorys::gui
