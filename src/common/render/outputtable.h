#pragma once

#include "common/core/calculator/calculatordefinition.h"
#include "common/render/outputfile.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace blachorys::render {

/** Every output of a calculation, as the window's buttons and the command line offer them. */
enum class OutputKind {
    Txt,         ///< the whole report
    Dxf,         ///< the document's DXF of the pattern
    Print,       ///< the report printed
    Preview,     ///< the scaled drawing in the preview window
    TemplatePdf, ///< the full-scale template, printed or saved as a PDF
    CncDxf,      ///< the cutting table's DXF: closed cuts, marking lines and texts on layers
    View3d,      ///< the joint rolled from its pattern, in a window to turn, or as a PNG
    NestingDxf,  ///< the job's pieces nested on its plates, as the cutting table's DXF
    NestingPdf,  ///< the same, a page per plate to scale
    BevelCsv,    ///< the welded edges' bevel at every point, as CSV
};

/** What the window's button of an output does. */
enum class OutputAction {
    SaveFile,       ///< the file through the save dialog
    PrintReport,    ///< the print dialog, then the report
    ShowPreview,    ///< the preview window
    TemplateDialog, ///< the template's dialog: printed, or saved as the file
    ShowView,       ///< the 3-D view's window, which saves its image itself
};

/** One filter of a file's save dialog; choosing it chooses the CNC DXF's release too. */
struct OutputFilter {
    const char* caption = ""; ///< "Plik tekstowy - TXT"
    const char* pattern = ""; ///< "*.txt"
    cnc::DxfVersion dxfVersion = cnc::DxfVersion::R2000;
};

/**
 * One kind of output: its button in the window and, for a file, its option on the command line,
 * its save dialog and its writer.
 */
struct OutputRow {
    OutputKind kind = OutputKind::Txt;
    OutputAction action = OutputAction::SaveFile;
    /** The button's object name after the window's prefix: "ZapiszWyniki". */
    const char* buttonName = "";
    const char* caption = ""; ///< "Zapisz Wyniki - TXT"
    /** The button's tooltip, where its caption alone does not tell it from another; or none. */
    const char* tooltip = nullptr;
    /** The file's writer; none for an output that makes no file. */
    OutputFile (*make)(const OutputSource&) = nullptr;
    const char* cliOption = nullptr; ///< "--txt"
    /** The file's name in the command line's messages: "cannot write the TXT file". */
    const char* cliFileName = nullptr;
    /** What the command line cannot make when the writer refuses: "the template". */
    const char* cliProblemName = nullptr;
    /** The save dialog's filters, the first one offered first. */
    std::vector<OutputFilter> filters;
    /** The kind of file as the program's settings name it, for its dialog's filter: "txt". */
    const char* settingsKey = nullptr;
    /** The window's message before the writer's problem: "Nie moge przygotowac szablonu : ". */
    const char* windowProblem = nullptr;
    /**
     * The save dialog's initial name for the development shown (its index in the definition's
     * developments, 0 where it has none).
     */
    QString (*initialName)(const core::CalculatorDefinition&, std::size_t development) = nullptr;
    /** The writer paints, and needs the program's drawing layer. */
    bool needsDrawing = false;
    /**
     * The row whose button's save dialog offers this file too, after its own filters; none for
     * an output with a button of its own. Such a row has no button and the other's dialog takes
     * its folder, name and message.
     */
    std::optional<OutputKind> offeredWith;
    /** The calculators whose windows offer it; every one where none is given. */
    bool (*offeredFor)(const core::CalculatorDefinition&) = nullptr;

    bool isFile() const { return make != nullptr; }
    bool hasButton() const { return !offeredWith.has_value(); }
};

/** One choice of a button's save dialog: the file it makes and the filter it is saved with. */
struct OfferedFile {
    const OutputRow* row = nullptr;
    const OutputFilter* filter = nullptr;
};

/** The outputs, in the order of the window's buttons (two to a row) for those with one. */
const std::vector<OutputRow>& outputRows();

/** The row of an output. */
const OutputRow& outputRow(OutputKind kind);

/**
 * The files the save dialog of `row`'s button offers, in its filters' order: its own filters,
 * then those of each row offered with it (in `definition`'s window, those offered for it).
 */
std::vector<OfferedFile> offeredFiles(const OutputRow& row,
                                      const core::CalculatorDefinition* definition = nullptr);

/** The save dialog's filters as the prompts take them: "Plik tekstowy - TXT|*.txt|...". */
QString dialogFilter(const OutputRow& row, const core::CalculatorDefinition* definition = nullptr);

/** The file of an output that makes one. */
OutputFile makeOutputFile(OutputKind kind, const OutputSource& source);

} // namespace blachorys::render
