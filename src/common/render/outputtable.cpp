#include "common/render/outputtable.h"

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

} // namespace

const std::vector<OutputRow>& outputRows() {
    static const std::vector<OutputRow> rows{
        {.kind = OutputKind::Txt,
         .buttonName = "ZapiszWyniki",
         .caption = "Zapisz Wyniki - TXT",
         .make = reportFile,
         .cliOption = "--txt",
         .cliFileName = "TXT",
         .filter = "Plik tekstowy - TXT|*.txt",
         .initialName = [](const core::CalculatorDefinition& d) { return q(d.txtFileName); }},
        {.kind = OutputKind::Dxf,
         .buttonName = "ZapiszRysunek",
         .caption = "Zapisz rysunek-DXF",
         .make = dxfFile,
         .cliOption = "--dxf",
         .cliFileName = "DXF",
         .filter = "Plik rysunku -  DXF|*.dxf",
         .initialName = [](const core::CalculatorDefinition& d) { return q(d.dxfFileName); }},
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
         .filter = "Plik PDF|*.pdf",
         .windowProblem = "Nie moge przygotowac szablonu : ",
         .initialName =
             [](const core::CalculatorDefinition& d) {
                 return dxfNameWith(d, QStringLiteral("_szablon.pdf"));
             },
         .needsDrawing = true},
        {.kind = OutputKind::CncDxf,
         .buttonName = "ZapiszDXFCNC",
         .caption = "Zapisz DXF dla CNC",
         .make = cncDxfFile,
         .cliOption = "--cnc-dxf",
         .cliFileName = "CNC DXF",
         .cliProblemName = "the CNC DXF",
         .filter = "Pliki DXF|*.dxf",
         .windowProblem = "Nie moge przygotowac pliku DXF dla CNC : ",
         .initialName =
             [](const core::CalculatorDefinition& d) {
                 return dxfNameWith(d, QStringLiteral("_cnc.dxf"));
             }},
        {.kind = OutputKind::View3d,
         .action = OutputAction::ShowView,
         .buttonName = "Widok3D",
         .caption = "Widok 3D",
         .make = viewPngFile,
         .cliOption = "--view-png",
         .cliFileName = "PNG",
         .cliProblemName = "the 3-D view",
         .filter = "Obraz PNG|*.png",
         .windowProblem = "Nie moge przygotowac widoku 3D : ",
         .initialName =
             [](const core::CalculatorDefinition& d) {
                 return dxfNameWith(d, QStringLiteral("_widok3d.png"));
             },
         .needsDrawing = true},
    };
    return rows;
}

const OutputRow& outputRow(OutputKind kind) {
    const auto& rows = outputRows();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [kind](const OutputRow& r) { return r.kind == kind; });
    if (row == rows.end()) {
        throw std::out_of_range("no output row of this kind");
    }
    return *row;
}

OutputFile makeOutputFile(OutputKind kind, const OutputSource& source) {
    const OutputRow& row = outputRow(kind);
    if (!row.isFile()) {
        return {{}, QStringLiteral("brak pliku")};
    }
    return row.make(source);
}

} // namespace blachorys::render
