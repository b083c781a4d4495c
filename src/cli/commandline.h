#pragma once

#include "common/cnc/cncdxf.h"
#include "common/core/calculator/calculator.h"
#include "common/core/plate/platesettings.h"
#include "common/core/sheets/templatesettings.h"
#include "common/core/view3d/edgepreparation.h"
#include "common/core/view3d/viewcamera.h"
#include "common/render/outputtable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace blachorys::cli {

/** The name that sends a file to standard output. */
inline const std::string kStandardOutput = "-";

/** A file asked for on the command line: which output, and where it goes. */
struct RequestedFile {
    const render::OutputRow* row = nullptr;
    std::string path; ///< as given; "-" is standard output
};

/** What a command line asks for. */
struct CliOptions {
    /** `--list`: the calculators and what they take, and nothing calculated. */
    bool list = false;
    const core::Calculator* calculator = nullptr;
    std::size_t development = 0;
    /** The defaults, with the fields and choices given in place. */
    core::CalculatorInputs inputs;
    /** The fields as the calculation reads them. */
    core::FieldReading fields;
    /** The files asked for, in the outputs' table's order. */
    std::vector<RequestedFile> files;
    cnc::DxfVersion dxfVersion = cnc::DxfVersion::R2000;
    core::TemplateSettings templateSettings;
    /** The plate and material the job is cut from: `--plate`, `--material`. */
    core::PlateSettings plate;
    /** How the welded cuts' edges are prepared: `--edge` and its sizes. */
    core::EdgeSettings edge;
    /** The 3-D view's preset and size (`--view`, `--size`). */
    core::ViewImageSettings viewImage;
    std::optional<std::string> date;
    bool strict = false;

    /** The file asked for of this output, or nullptr. */
    const RequestedFile* file(render::OutputKind kind) const;
};

/** A command line read: what it asks for, or nothing when it is wrong. */
struct ParsedCommandLine {
    std::optional<CliOptions> options;
    /**
     * Lines for standard error, in order: what is wrong ("blachorys-cli: ..."), or a warning
     * ("Uwaga: ...") for each field text that is not a number and counts as 0.
     */
    std::vector<std::string> messages;
};

/**
 * Reads the arguments (without the program name) and nothing else: no file is opened or
 * written, nothing is printed. Output file names are only compared (the same file under two
 * names is refused). A field's text is read as the window's field would hold it typed: a ","
 * is its decimal point.
 */
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

/** Whether the arguments ask for a file that is painted, which needs the drawing layer. */
bool needsDrawingLayer(const std::vector<std::string>& arguments);

/** The usage text, with every calculator, development, selector and output option. */
std::string usageText();

/**
 * `--list`, for scripts: per calculator, in menu order, its key on a line of its own, then
 * indented lines "development KEY", "selector NAME CHOICE...", "field NAME DEFAULT" (in
 * creation order) and "largest-N N".
 */
std::string calculatorList();

} // namespace blachorys::cli
