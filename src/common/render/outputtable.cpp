#include "common/render/outputtable.h"

#include <QStringList>

#include <algorithm>
#include <stdexcept>

namespace blachorys::render {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** "rura_rura.dxf" with `suffixAndExtension` in place of its extension. */
QString dxfNameWith(const core::CalculatorDefinition& definition,
                    const QString& suffixAndExtension) {
    const QString name = q(definition.dxfFileName);
    return name.left(name.lastIndexOf(u'.')) + suffixAndExtension;
}

/**
 * "_mniejsza" for a calculator's development; nothing where it has only the one. The files of
 * the program's own outputs carry it, so that the branch's and the main part's lie side by side
 * in one job's folder; the report's and the points' DXF keep the names the program always gave.
 */
QString developmentSuffix(const core::CalculatorDefinition& definition, std::size_t development) {
    if (development >= definition.developments.size()) {
        return {};
    }
    return u'_' + q(definition.developments[development].key);
}

/** "rura_rura_mniejsza_szablon.pdf": one of the program's own outputs for a development. */
QString developmentFileName(const core::CalculatorDefinition& definition, std::size_t development,
                            const char* suffixAndExtension) {
    return dxfNameWith(definition, developmentSuffix(definition, development) +
                                       QString::fromLatin1(suffixAndExtension));
}

} // namespace

const std::vector<OutputRow>& outputRows() {
    static const std::vector<OutputRow> rows{
        {.kind = OutputKind::Txt,
         .buttonName = "ZapiszWyniki",
         .caption = "Zapisz Wyniki - TXT",
         .make = reportFile,
         .cliOption = "--txt",
         .cliFileName = "TXT",
         .filters = {{"Plik tekstowy - TXT", "*.txt"}},
         .settingsKey = "txt",
         .initialName = [](const core::CalculatorDefinition& d,
                           std::size_t) { return q(d.txtFileName); }},
        {.kind = OutputKind::Dxf,
         .buttonName = "ZapiszRysunek",
         .caption = "Zapisz rysunek-DXF",
         .tooltip = "DXF punktów, jak w opisie programu",
         .make = dxfFile,
         .cliOption = "--dxf",
         .cliFileName = "DXF",
         .filters = {{"Plik rysunku -  DXF", "*.dxf"}},
         .settingsKey = "dxf",
         .initialName = [](const core::CalculatorDefinition& d,
                           std::size_t) { return q(d.dxfFileName); }},
        {.kind = OutputKind::Print,
         .action = OutputAction::PrintReport,
         .buttonName = "DrukujWyniki",
         .caption = "Drukuj Wyniki"},
        {.kind = OutputKind::Preview,
         .action = OutputAction::ShowPreview,
         .buttonName = "ZobaczRysunek",
         .caption = "Zobacz rysunek"},
        {.kind = OutputKind::TemplatePdf,
         .action = OutputAction::TemplateDialog,
         .buttonName = "DrukujSzablon",
         .caption = "Drukuj szablon 1:1",
         .make = templatePdfFile,
         .cliOption = "--template-pdf",
         .cliFileName = "PDF",
         .cliProblemName = "the template",
         .filters = {{"Plik PDF", "*.pdf"}},
         .settingsKey = "template-pdf",
         .windowProblem = "Nie moge przygotowac szablonu : ",
         .initialName =
             [](const core::CalculatorDefinition& d, std::size_t development) {
                 return developmentFileName(d, development, "_szablon.pdf");
             },
         .needsDrawing = true},
        {.kind = OutputKind::CncDxf,
         .buttonName = "ZapiszDXFCNC",
         .caption = "Zapisz DXF dla CNC",
         .tooltip = "DXF dla CNC: zamknięte kontury w mm, warstwy CIECIE, ZNACZENIE, OPISY",
         .make = cncDxfFile,
         .cliOption = "--cnc-dxf",
         .cliFileName = "CNC DXF",
         .cliProblemName = "the CNC DXF",
         .filters = {{"DXF dla CNC - R2000", "*.dxf", cnc::DxfVersion::R2000},
                     {"DXF dla CNC - R12 (starsze sterowniki)", "*.dxf", cnc::DxfVersion::R12}},
         .settingsKey = "cnc-dxf",
         .windowProblem = "Nie moge przygotowac pliku DXF dla CNC : ",
         .initialName =
             [](const core::CalculatorDefinition& d, std::size_t development) {
                 return developmentFileName(d, development, "_cnc.dxf");
             }},
        {.kind = OutputKind::View3d,
         .action = OutputAction::ShowView,
         .buttonName = "Widok3D",
         .caption = "Widok 3D",
         .make = viewPngFile,
         .cliOption = "--view-png",
         .cliFileName = "PNG",
         .cliProblemName = "the 3-D view",
         .filters = {{"Obraz PNG", "*.png"}},
         .settingsKey = "view-png",
         .windowProblem = "Nie moge przygotowac widoku 3D : ",
         .initialName =
             [](const core::CalculatorDefinition& d, std::size_t development) {
                 return developmentFileName(d, development, "_widok3d.png");
             },
         .needsDrawing = true},
        {.kind = OutputKind::NestingDxf,
         .buttonName = "Rozkroj",
         .caption = "Rozkrój na arkuszach",
         .tooltip = "Rozkrój na arkuszach: DXF z blokiem konturów na każdy arkusz, warstwy jak "
                    "DXF dla CNC, albo PDF ze stroną na każdy arkusz, w skali",
         .make = nestingDxfFile,
         .cliOption = "--nesting-dxf",
         .cliFileName = "nesting DXF",
         .cliProblemName = "the nesting",
         .filters = {{"Rozkrój - DXF R2000", "*.dxf", cnc::DxfVersion::R2000},
                     {"Rozkrój - DXF R12 (starsze sterowniki)", "*.dxf", cnc::DxfVersion::R12}},
         .settingsKey = "nesting-dxf",
         .windowProblem = "Nie moge przygotowac rozkroju : ",
         .initialName =
             [](const core::CalculatorDefinition& d, std::size_t development) {
                 return developmentFileName(d, development, "_rozkroj.dxf");
             }},
        // Offered by the nesting DXF's button, so the window keeps one button for the nesting.
        {.kind = OutputKind::NestingPdf,
         .make = nestingPdfFile,
         .cliOption = "--nesting-pdf",
         .cliFileName = "nesting PDF",
         .cliProblemName = "the nesting",
         .filters = {{"Rozkrój - PDF", "*.pdf"}},
         .needsDrawing = true,
         .offeredWith = OutputKind::NestingDxf},
        // Offered by the report's button: the table beside the report's points.
        {.kind = OutputKind::BevelCsv,
         .make = bevelCsvFile,
         .cliOption = "--bevel-csv",
         .cliFileName = "bevel CSV",
         .cliProblemName = "the bevel CSV",
         .filters = {{"Ukosy krawedzi - CSV", "*.csv"}},
         .offeredWith = OutputKind::Txt,
         .offeredFor = [](const core::CalculatorDefinition& d) { return d.weldedCut; }},
    };
    return rows;
}

const OutputRow& outputRow(OutputKind kind) {
    const auto& rows = outputRows();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [kind](const OutputRow& r) { return r.kind == kind; });
    if (row == rows.end()) {
        throw std::out_of_range("no output row of this kind");
    }
    return *row;
}

std::vector<OfferedFile> offeredFiles(const OutputRow& row,
                                      const core::CalculatorDefinition* definition) {
    std::vector<OfferedFile> files;
    auto offer = [&files](const OutputRow& r) {
        for (const OutputFilter& filter : r.filters) {
            files.push_back({&r, &filter});
        }
    };
    offer(row);
    for (const OutputRow& other : outputRows()) {
        const bool forThisWindow =
            definition == nullptr || other.offeredFor == nullptr || other.offeredFor(*definition);
        if (other.offeredWith == row.kind && forThisWindow) {
            offer(other);
        }
    }
    return files;
}

QString dialogFilter(const OutputRow& row, const core::CalculatorDefinition* definition) {
    QStringList parts;
    for (const OfferedFile& file : offeredFiles(row, definition)) {
        parts << QString::fromUtf8(file.filter->caption) << QString::fromUtf8(file.filter->pattern);
    }
    return parts.join(u'|');
}

OutputFile makeOutputFile(OutputKind kind, const OutputSource& source) {
    const OutputRow& row = outputRow(kind);
    if (!row.isFile()) {
        return {{}, QStringLiteral("brak pliku")};
    }
    return row.make(source);
}

} // namespace blachorys::render
