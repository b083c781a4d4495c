#include "common/gui/templateoutput.h"

#include "common/gui/prompts.h"
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
        core::planTemplate(outputs.dxfLines, outputs.pointMarks, settings, margin);
    if (!planning.plan) {
        prompts.error(parent,
                      QStringLiteral("Nie moge przygotowac szablonu : ") + q(planning.problem));
    }
    return std::move(planning.plan);
}

render::TemplateTitle titleOf(const core::CalculatorDefinition& definition,
                              const core::CalculationOutputs& outputs) {
    return {q(definition.printHeading), &outputs.report};
}

} // namespace

std::optional<core::TemplatePlan> planTemplatePdf(Prompts& prompts, QWidget* parent,
                                                  const core::CalculationOutputs& outputs,
                                                  const core::TemplateSettings& settings) {
    // A PDF has no unprintable edge; the plan keeps the usual margin for whoever prints it.
    return planned(prompts, parent, outputs, settings, 0.0);
}

QByteArray templatePdfBytes(const core::TemplatePlan& plan,
                            const core::CalculatorDefinition& definition,
                            const core::CalculationOutputs& outputs) {
    return render::templatePdf(plan, outputs.dxfLines, titleOf(definition, outputs));
}

void printTemplate(Prompts& prompts, QWidget* parent, const core::CalculatorDefinition& definition,
                   const core::CalculationOutputs& outputs,
                   const core::TemplateSettings& settings) {
    QPrinter printer(QPrinter::HighResolution);
    auto plan = planned(prompts, parent, outputs, settings, unprintableEdge(printer));
    if (!plan) {
        return;
    }
    printer.setPageLayout(render::templatePageLayout(*plan));
    if (!prompts.printDialog(parent, printer)) {
        return;
    }
    // The paper and its edges are the printer's now: plan again on what it will print.
    core::TemplateSettings chosen = settings;
    const QPageSize::PageSizeId paper = printer.pageLayout().pageSize().id();
    if (paper == QPageSize::A3 || paper == QPageSize::Letter || paper == QPageSize::A4) {
        chosen.paper = paper == QPageSize::A3       ? core::PaperSize::A3
                       : paper == QPageSize::Letter ? core::PaperSize::Letter
                                                    : core::PaperSize::A4;
    }
    chosen.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                             ? core::PageOrientation::Landscape
                             : core::PageOrientation::Portrait;
    plan = planned(prompts, parent, outputs, chosen, unprintableEdge(printer));
    if (!plan) {
        return;
    }
    printer.setFullPage(true);
    printer.setPageLayout(render::templatePageLayout(*plan));
    printer.setDocName(QStringLiteral("Szablon 1:1 - ") + q(definition.printHeading));
    if (!render::paintTemplate(printer, *plan, outputs.dxfLines, titleOf(definition, outputs))) {
        prompts.error(parent, QStringLiteral("Nie moge wydrukowac szablonu"));
    }
}

} // namespace blachorys::gui
