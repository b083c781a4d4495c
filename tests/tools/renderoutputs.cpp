// Renders what the calculators show and print, for looking at without a screen: the previews,
// the printouts (defaults and a long one), the scheme pictures and the scheme dialog.
// Usage: render_outputs <directory>
#include "cases/calculators.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/gui/drawingpreview.h"
#include "common/gui/reportprinter.h"
#include "common/gui/twynikischemat.h"
#include "common/render/outputtable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using blachorys::core::CalculationOutputs;
using blachorys::core::Calculator;
using blachorys::gui::DrawingPreview;
using blachorys::gui::TWynikiSchemat;

const char* const kDate = "08-12-2026";

std::optional<CalculationOutputs> calculate(const Calculator& calculator,
                                            const blachorys::core::CalculatorInputs& texts,
                                            std::size_t development) {
    auto result = calculator.calculate(texts, development, kDate);
    if (result.status != blachorys::core::CalculationResult::Status::Calculated) {
        for (const auto& message : result.messages) {
            std::fprintf(stderr, "%s\n", message.text.c_str());
        }
        return std::nullopt;
    }
    return std::move(result.outputs);
}

bool save(const QImage& image, const QString& path) {
    const bool saved = image.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

bool savePreview(const Calculator& calculator, const CalculationOutputs& outputs,
                 const QString& directory, const QString& name) {
    const auto& definition = calculator.definition();
    DrawingPreview preview(QString::fromStdString(definition.window.previewName),
                           QString::fromStdString(definition.window.previewCaption));
    const blachorys::core::PreviewDrawing drawing = blachorys::core::previewOf(outputs);
    preview.setDrawing(drawing);
    preview.show();
    bool ok = save(preview.image(), directory + "/" + name + ".png");
    // The whole window too, panel included, with the cursor on the pattern's right-most
    // point: the read-out shows its millimetres, the largest X there is.
    blachorys::core::PreviewPoint right{-1e300, 0.0};
    for (const auto& segment : drawing.segments) {
        for (const auto& point : {segment.from, segment.to}) {
            right = point.x > right.x ? point : right;
        }
    }
    const auto pixel = preview.fit().toPixel(right);
    QMouseEvent move(QEvent::MouseMove, QPointF(pixel.x, pixel.y), QPointF(pixel.x, pixel.y),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&preview, &move);
    ok = save(preview.grab().toImage(), directory + "/" + name + "_window.png") && ok;
    preview.hide();
    return ok;
}

bool savePrintout(const Calculator& calculator, const CalculationOutputs& outputs,
                  const QString& path) {
    const auto& definition = calculator.definition();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(path);
    const bool printed = blachorys::gui::printReport(
        printer, QString::fromStdString(definition.printJobTitle),
        QString::fromStdString(definition.printHeading), outputs.report);
    std::printf("%s %s\n", printed ? "wrote" : "FAILED", qPrintable(path));
    return printed;
}

/** The full-scale template, as "Zapisz PDF" saves it with the default settings. */
bool saveTemplate(const Calculator& calculator, const CalculationOutputs& outputs,
                  const QString& path) {
    using blachorys::render::OutputKind;
    const QByteArray bytes = blachorys::render::makeOutputFile(OutputKind::TemplatePdf,
                                                               {calculator.definition(), outputs})
                                 .bytes;
    QFile file(path);
    const bool saved =
        !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

/** The scheme picture as the program has it. */
bool savePicture(const QString& name, const QString& directory) {
    const QString source = TWynikiSchemat::resourcePath(name);
    if (!QFile::exists(source)) {
        std::printf("no picture %s\n", qPrintable(name));
        return false;
    }
    return save(TWynikiSchemat::renderPicture(source).toImage(),
                directory + "/picture_" + name + ".png");
}

/** The scheme dialog as it shows each picture. */
bool saveSchemeDialog(const QString& name, const QString& directory) {
    TWynikiSchemat dialog([&] { return name; });
    dialog.show();
    const bool ok = save(dialog.grab().toImage(), directory + "/scheme_" + name + ".png");
    dialog.hide();
    return ok;
}

/** Every example's preview, and the printouts of the first and the longest example. */
bool renderCalculator(const Calculator& calculator, const QString& directory) {
    const auto& d = calculator.definition();
    bool ok = true;
    std::size_t longest = 0;
    std::optional<CalculationOutputs> longestOutputs;
    for (const auto& example : d.examples) {
        const auto development = blachorys::core::developmentIndex(d, example.development);
        const auto outputs = calculate(calculator, blachorys::core::exampleInputs(d, example),
                                       development.value_or(0));
        if (!development || !outputs) {
            return false;
        }
        const QString name = QString::fromStdString(d.key + "_" + example.name);
        ok = savePreview(calculator, *outputs, directory, "preview_" + name) && ok;
        if (&example == &d.examples.front()) {
            ok = savePrintout(calculator, *outputs, directory + "/report_" + name + ".pdf") && ok;
            ok = saveTemplate(calculator, *outputs, directory + "/template_" + name + ".pdf") && ok;
        }
        if (outputs->report.resultLines().size() > longest) {
            longest = outputs->report.resultLines().size();
            longestOutputs = outputs;
        }
    }
    ok = savePrintout(calculator, *longestOutputs,
                      directory + "/report_" + QString::fromStdString(d.key) + "_longest.pdf") &&
         ok;
    std::vector<std::string> pictures{d.window.schemePicture};
    for (const auto& development : d.developments) {
        pictures.push_back(development.schemePicture);
    }
    for (const auto& picture : pictures) {
        if (!picture.empty()) {
            ok = savePicture(QString::fromStdString(picture), directory) && ok;
            ok = saveSchemeDialog(QString::fromStdString(picture), directory) && ok;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_outputs <directory>\n");
        return 2;
    }
    const QString directory = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const Calculator* calculator : blachorys::core::calculators()) {
        ok = renderCalculator(*calculator, directory) && ok;
    }
    return ok ? 0 : 1;
}
