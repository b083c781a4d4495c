#pragma once

#include "common/cnc/cncdxf.h"
#include "common/core/calculator/calculationresult.h"
#include "common/core/calculator/calculatordefinition.h"
#include "common/core/plate/platesettings.h"
#include "common/core/sheets/templatesettings.h"
#include "common/core/view3d/viewcamera.h"
#include "common/render/templatepainter.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace blachorys::render {

/** What a file is made from: the calculator, its calculation and the files' settings. */
struct OutputSource {
    const core::CalculatorDefinition& definition;
    const core::CalculationOutputs& outputs;
    core::TemplateSettings templateSettings = {};
    /** The release of the cutting table's DXF. */
    cnc::DxfVersion dxfVersion = cnc::DxfVersion::R2000;
    /** The plates the job is nested on, its material and the gap. */
    core::PlateSettings plate = {};
    /** The 3-D view's image: its preset and size. */
    core::ViewImageSettings view = {};
};

/** A file's bytes, or why it cannot be made. */
struct OutputFile {
    QByteArray bytes;
    std::optional<QString> problem;
};

/** The whole report in Windows-1250, CR LF after every line. */
OutputFile reportFile(const OutputSource& source);
/** The bevel at every point of the welded cuts as CSV; refused when no edge is prepared. */
OutputFile bevelCsvFile(const OutputSource& source);
/** The document's DXF of the pattern: every line on its role's layer. */
OutputFile dxfFile(const OutputSource& source);
/** The full-scale template as a PDF; needs the program's drawing layer (a QGuiApplication). */
OutputFile templatePdfFile(const OutputSource& source);
/** The cutting table's DXF: closed cuts, marking lines and texts on their layers. */
OutputFile cncDxfFile(const OutputSource& source);

/** The job's pieces nested on its plates, as the cutting table's DXF: a block per plate. */
OutputFile nestingDxfFile(const OutputSource& source);
/** The same as a PDF, a page per plate to scale; needs the program's drawing layer. */
OutputFile nestingPdfFile(const OutputSource& source);
/**
 * The 3-D view as a PNG: the joint rolled from its pattern at the settings' preset, fitted to
 * the image, with the calculator's caption and the fit below it; needs the drawing layer.
 */
OutputFile viewPngFile(const OutputSource& source);

/** The template's title for a calculator: its printout's heading and its report. */
TemplateTitle templateTitle(const core::CalculatorDefinition& definition,
                            const core::CalculationOutputs& outputs);

} // namespace blachorys::render
