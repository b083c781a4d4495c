#include "common/render/outputfile.h"

#include "common/core/cncdrawing.h"
#include "common/core/patterndrawing.h"
#include "common/io/outputfiles.h"
#include "common/render/templatepainter.h"

namespace blachorys::render {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** A PDF has no unprintable edge; the plan keeps the usual margin for whoever prints it. */
constexpr double kPdfMarginMm = 0.0;

core::TemplatePlanning pdfPlan(const OutputSource& source) {
    return core::planTemplate(source.outputs.pattern, source.templateSettings, kPdfMarginMm);
}

/** "rura_rura.dxf" with `suffix` before its extension. */
QString dxfNameWith(const core::CalculatorDefinition& definition,
                    const QString& suffixAndExtension) {
    const QString name = q(definition.dxfFileName);
    return name.left(name.lastIndexOf(u'.')) + suffixAndExtension;
}

core::CncDrawingResult cncDrawing(const OutputSource& source) {
    return core::cncDrawingOf(
        source.outputs.pattern,
        core::cncTitleLine(source.definition.printHeading, source.outputs.report));
}

} // namespace

std::optional<QString> outputProblem(OutputKind kind, const OutputSource& source) {
    if (kind == OutputKind::CncDxf) {
        const core::CncDrawingResult drawing = cncDrawing(source);
        return drawing.drawing ? std::nullopt : std::optional<QString>(q(drawing.problem));
    }
    if (kind != OutputKind::TemplatePdf) {
        return std::nullopt;
    }
    const core::TemplatePlanning planning = pdfPlan(source);
    if (!planning.plan) {
        return q(planning.problem);
    }
    return std::nullopt;
}

OutputFile makeOutputFile(OutputKind kind, const OutputSource& source) {
    switch (kind) {
    case OutputKind::Txt:
        return {io::reportFileBytes(source.outputs.report), std::nullopt};
    case OutputKind::Dxf:
        return {io::dxfFileBytes(core::dxfLinesOf(source.outputs.pattern)), std::nullopt};
    case OutputKind::CncDxf: {
        const core::CncDrawingResult drawing = cncDrawing(source);
        if (!drawing.drawing) {
            return {{}, q(drawing.problem)};
        }
        return {QByteArray::fromStdString(cnc::cncDxfBytes(*drawing.drawing, source.dxfVersion)),
                std::nullopt};
    }
    case OutputKind::TemplatePdf:
        break;
    }
    const core::TemplatePlanning planning = pdfPlan(source);
    if (!planning.plan) {
        return {{}, q(planning.problem)};
    }
    QByteArray bytes =
        templatePdf(*planning.plan, templateTitle(source.definition, source.outputs));
    if (bytes.isEmpty()) {
        return {{}, QStringLiteral("nie udalo sie narysowac szablonu")};
    }
    return {std::move(bytes), std::nullopt};
}

QString initialFileName(OutputKind kind, const core::CalculatorDefinition& definition) {
    switch (kind) {
    case OutputKind::Txt:
        return q(definition.txtFileName);
    case OutputKind::Dxf:
        return q(definition.dxfFileName);
    case OutputKind::CncDxf:
        return dxfNameWith(definition, QStringLiteral("_cnc.dxf"));
    case OutputKind::TemplatePdf:
        break;
    }
    return dxfNameWith(definition, QStringLiteral("_szablon.pdf"));
}

QString fileFilter(OutputKind kind) {
    switch (kind) {
    case OutputKind::Txt:
        return QStringLiteral("Plik tekstowy - TXT|*.txt");
    case OutputKind::Dxf:
        return QStringLiteral("Plik rysunku -  DXF|*.dxf");
    case OutputKind::CncDxf:
        return QStringLiteral("Pliki DXF|*.dxf");
    case OutputKind::TemplatePdf:
        break;
    }
    return QStringLiteral("Plik PDF|*.pdf");
}

TemplateTitle templateTitle(const core::CalculatorDefinition& definition,
                            const core::CalculationOutputs& outputs) {
    return {q(definition.printHeading), &outputs.report};
}

} // namespace blachorys::render
