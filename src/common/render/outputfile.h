#pragma once

#include "common/cnc/cncdxf.h"
#include "common/core/calculationresult.h"
#include "common/core/calculatordefinition.h"
#include "common/core/templateplan.h"
#include "common/render/templatepainter.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace blachorys::render {

/** The files a calculation is saved as. */
enum class OutputKind {
    Txt,         ///< the whole report
    Dxf,         ///< the document's DXF of the pattern
    TemplatePdf, ///< the full-scale template
    CncDxf,      ///< the cutting table's DXF: closed cuts, marking lines and texts on layers
};

/** What a file is made from: the calculator, its calculation and the template's settings. */
struct OutputSource {
    const core::CalculatorDefinition& definition;
    const core::CalculationOutputs& outputs;
    core::TemplateSettings templateSettings = {};
    /** The release of the cutting table's DXF. */
    cnc::DxfVersion dxfVersion = cnc::DxfVersion::R2000;
};

/** A file's bytes, or why it cannot be made. */
struct OutputFile {
    QByteArray bytes;
    std::optional<QString> problem;
};

/**
 * Why the file cannot be made ("szablon zajalby ..."), or nothing: cheap enough to ask before
 * the save dialog.
 */
std::optional<QString> outputProblem(OutputKind kind, const OutputSource& source);

/**
 * The file's bytes, the same for the window and the command line. The template needs the
 * program's drawing layer (a QGuiApplication).
 */
OutputFile makeOutputFile(OutputKind kind, const OutputSource& source);

/**
 * The save dialog's initial name: the calculator's TXT or DXF name as its definition gives it;
 * the template PDF and the CNC DXF named after the DXF with "_szablon" or "_cnc" added.
 */
QString initialFileName(OutputKind kind, const core::CalculatorDefinition& definition);

/** The save dialog's filter: "Plik tekstowy - TXT|*.txt". */
QString fileFilter(OutputKind kind);

/** The template's title for a calculator: its printout's heading and its report. */
TemplateTitle templateTitle(const core::CalculatorDefinition& definition,
                            const core::CalculationOutputs& outputs);

} // namespace blachorys::render
