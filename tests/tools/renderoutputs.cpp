// Renders what the calculators show and print, for looking at without a screen: the previews,
// the printouts (defaults and a long one), the scheme pictures and the scheme dialog.
// Usage: render_outputs <directory>
#include "cases/calculators.h"
#include "common/gui/drawingpreview.h"
#include "common/gui/reportprinter.h"
#include "common/gui/twynikischemat.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRadioButton>

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

const Calculator& calculator(const char* key) {
    return *blachorys::core::findCalculator(key);
}

std::vector<std::string> defaultTexts(const Calculator& calculator) {
    std::vector<std::string> texts;
    for (const auto& field : calculator.definition().fields) {
        texts.push_back(field.defaultText);
    }
    return texts;
}

std::optional<CalculationOutputs> calculate(const Calculator& calculator,
                                            const std::vector<std::string>& texts,
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
    DrawingPreview preview(QString::fromStdString(definition.previewClass),
                           QString::fromStdString(definition.previewCaption));
    preview.setDrawing(outputs.preview);
    preview.rebuild();
    bool ok = save(preview.image(), directory + "/" + name + ".png");
    // The whole window too, panel included.
    ok = save(preview.grab().toImage(), directory + "/" + name + "_window.png") && ok;
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

/**
 * The scheme picture as the program has it, or straight from the source tree while the
 * picture is not yet among the program's resources.
 */
bool savePicture(const QString& name, const QString& directory) {
    QString source = TWynikiSchemat::resourcePath(name);
    if (!QFile::exists(source)) {
        source = QStringLiteral(BLACHORYS_SOURCE_DIR "/resources/schemes/") + name + ".svg";
    }
    if (!QFile::exists(source)) {
        std::printf("no picture %s\n", qPrintable(name));
        return true;
    }
    std::printf("picture %s from %s\n", qPrintable(name), qPrintable(source));
    return save(TWynikiSchemat::renderPicture(source).toImage(),
                directory + "/picture_" + name + ".png");
}

bool saveSchemeDialog(const QString& directory) {
    QWidget calculator;
    calculator.setObjectName(QStringLiteral("Rurarura"));
    auto* smaller = new QRadioButton(&calculator);
    smaller->setObjectName(QStringLiteral("RadioButRozwRurM"));
    auto* larger = new QRadioButton(&calculator);
    larger->setObjectName(QStringLiteral("RadioButRozwRurW"));

    TWynikiSchemat dialog([&] { return &calculator; });
    bool ok = true;
    for (QRadioButton* button : {smaller, larger}) {
        button->setChecked(true);
        dialog.show();
        ok =
            save(dialog.grab().toImage(), directory + "/scheme_" + dialog.pictureName() + ".png") &&
            ok;
        dialog.hide();
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

    const Calculator& pipePipe = calculator("rurarura");
    std::vector<std::string> texts = defaultTexts(pipePipe);
    const auto smaller = calculate(pipePipe, texts, 0);
    const auto larger = calculate(pipePipe, texts, 1);
    texts[5] = "2000"; // N
    const auto longReport = calculate(pipePipe, texts, 0);

    const Calculator& cone = calculator("stozek");
    std::vector<std::string> coneTexts = defaultTexts(cone);
    const auto coneDefaults = calculate(cone, coneTexts, 0);
    coneTexts[3] = "150"; // Hs: a short cone turns past half a turn
    const auto coneShort = calculate(cone, coneTexts, 0);
    if (!smaller || !larger || !longReport || !coneDefaults || !coneShort) {
        return 1;
    }

    bool ok = savePreview(pipePipe, *smaller, directory, QStringLiteral("preview_smaller"));
    ok = savePreview(pipePipe, *larger, directory, QStringLiteral("preview_larger")) && ok;
    ok = savePreview(cone, *coneDefaults, directory, QStringLiteral("preview_cone")) && ok;
    ok = savePreview(cone, *coneShort, directory, QStringLiteral("preview_cone_short")) && ok;
    ok = savePrintout(pipePipe, *smaller, directory + "/report_smaller.pdf") && ok;
    ok = savePrintout(pipePipe, *longReport, directory + "/report_n2000.pdf") && ok;
    ok = savePrintout(cone, *coneDefaults, directory + "/report_cone.pdf") && ok;
    for (const char* picture : {"w_rr_r", "w_rr_p", "w_s"}) {
        ok = savePicture(QString::fromLatin1(picture), directory) && ok;
    }
    ok = saveSchemeDialog(directory) && ok;
    return ok ? 0 : 1;
}
