#include "common/render/outputfile.h"

#include "common/core/calculator/edgeoutputs.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/sheets/cncdrawing.h"
#include "common/core/sheets/nestingdrawing.h"
#include "common/core/sheets/patterndrawing.h"
#include "common/core/sheets/templateplan.h"
#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewscene.h"
#include "common/io/outputfiles.h"
#include "common/render/nestingpdf.h"
#include "common/render/viewpainter.h"

#include <QBuffer>

namespace blachorys::render {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** A PDF has no unprintable edge; the plan keeps the usual margin for whoever prints it. */
constexpr double kPdfMarginMm = 0.0;
/** Room round the piece in the view's image for the names of its points and the caption, px. */
constexpr double kViewImageMargin = 48.0;

} // namespace

OutputFile reportFile(const OutputSource& source) {
    return {io::reportFileBytes(source.outputs.report), std::nullopt};
}

OutputFile bevelCsvFile(const OutputSource& source) {
    if (source.outputs.edges.points.empty()) {
        return {{},
                QStringLiteral("krawedz nie jest przygotowana - wybierz krawedz dopasowana "
                               "lub pod spoine, przy spawanej krawedzi")};
    }
    return {QByteArray::fromStdString(core::bevelCsv(source.outputs.edges)), std::nullopt};
}

OutputFile dxfFile(const OutputSource& source) {
    return {io::dxfFileBytes(core::dxfLinesOf(source.outputs)), std::nullopt};
}

OutputFile templatePdfFile(const OutputSource& source) {
    const core::TemplatePlanning planning =
        core::planTemplate(core::patternToCut(source.outputs), source.outputs.look.styles,
                           source.templateSettings, kPdfMarginMm);
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

OutputFile cncDxfFile(const OutputSource& source) {
    const core::CncDrawingResult drawing = core::cncDrawingOf(
        core::patternToCut(source.outputs),
        core::cncTitleLine(source.definition.printHeading, source.outputs.report));
    if (!drawing.drawing) {
        return {{}, q(drawing.problem)};
    }
    return {QByteArray::fromStdString(cnc::cncDxfBytes(*drawing.drawing, source.dxfVersion)),
            std::nullopt};
}

namespace {

core::NestingDrawingResult nestedDrawing(const OutputSource& source) {
    const auto pieces = core::jobPiecesOf(source.outputs);
    const core::Nesting nesting = core::nestPieces(pieces, source.plate.plate, source.plate.gapMm);
    return core::nestingDrawingOf(core::patternToCut(source.outputs), pieces, nesting);
}

} // namespace

OutputFile nestingDxfFile(const OutputSource& source) {
    const core::NestingDrawingResult drawing = nestedDrawing(source);
    if (!drawing.drawing) {
        return {{}, q(drawing.problem)};
    }
    return {QByteArray::fromStdString(cnc::nestingDxfBytes(*drawing.drawing, source.dxfVersion)),
            std::nullopt};
}

OutputFile nestingPdfFile(const OutputSource& source) {
    const core::NestingDrawingResult drawing = nestedDrawing(source);
    if (!drawing.drawing) {
        return {{}, q(drawing.problem)};
    }
    QByteArray bytes = nestingPdf(*drawing.drawing, q(source.definition.printHeading));
    if (bytes.isEmpty()) {
        return {{}, QStringLiteral("nie udalo sie narysowac rozkroju")};
    }
    return {std::move(bytes), std::nullopt};
}

OutputFile viewPngFile(const OutputSource& source) {
    if (!source.outputs.view) {
        return {{}, QStringLiteral("ten kalkulator nie ma widoku 3D")};
    }
    const core::JointView joint = source.outputs.view();
    const core::ViewScene scene =
        core::buildViewScene(source.outputs.pattern, joint, &source.outputs.edges);
    if (scene.empty()) {
        return {{},
                scene.problem.empty() ? QStringLiteral("nie ma czego narysowac")
                                      : q(scene.problem)};
    }
    const core::ViewImageSettings& settings = source.view;
    core::ViewCamera camera;
    core::turnTo(camera, settings.preset);
    core::fitScene(camera, scene, settings.width, settings.height, kViewImageMargin);
    const QImage image = viewImage(scene, camera, QSize(settings.width, settings.height),
                                   fitCaption(q(source.definition.window.caption),
                                              core::measureFit(source.outputs.pattern, joint, &source.outputs.edges)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        return {{}, QStringLiteral("nie udalo sie narysowac widoku")};
    }
    return {std::move(bytes), std::nullopt};
}

TemplateTitle templateTitle(const core::CalculatorDefinition& definition,
                            const core::CalculationOutputs& outputs) {
    return {q(definition.printHeading), &outputs.report};
}

} // namespace blachorys::render
