#include "common/render/jobfiles.h"

#include "common/core/job/jobreport.h"
#include "common/io/windows1250.h"
#include "common/render/nestingpdf.h"

namespace blachorys::render {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::optional<QString> calculationProblem(const JobOutputs& outputs) {
    if (outputs.calculation.ok()) {
        return std::nullopt;
    }
    QString text;
    for (const std::string& problem : outputs.calculation.problems) {
        text += (text.isEmpty() ? QString() : QStringLiteral(" ; ")) + q(problem);
    }
    return text;
}

} // namespace

JobOutputs jobOutputsOf(core::Job job, const core::CalculatorLookup& lookup,
                        const std::string& dateText) {
    JobOutputs outputs{std::move(job), {}, {}};
    outputs.calculation = core::calculateJob(outputs.job, lookup, dateText);
    if (outputs.calculation.ok()) {
        outputs.groups = core::jobGroupsOf(outputs.job, outputs.calculation);
    }
    return outputs;
}

OutputFile jobReportFile(const JobOutputs& outputs) {
    if (const auto problem = calculationProblem(outputs)) {
        return {{}, problem};
    }
    return {io::linesToWindows1250(
                core::jobReportLines(outputs.job, outputs.calculation, outputs.groups)),
            std::nullopt};
}

OutputFile jobNestingDxfFile(const JobOutputs& outputs, cnc::DxfVersion version) {
    if (const auto problem = calculationProblem(outputs)) {
        return {{}, problem};
    }
    const core::NestingDrawingResult drawing = core::jobNestingDrawing(outputs.groups);
    if (!drawing.drawing) {
        return {{}, q(drawing.problem)};
    }
    return {QByteArray::fromStdString(cnc::nestingDxfBytes(*drawing.drawing, version)),
            std::nullopt};
}

OutputFile jobNestingPdfFile(const JobOutputs& outputs) {
    if (const auto problem = calculationProblem(outputs)) {
        return {{}, problem};
    }
    const core::NestingDrawingResult drawing = core::jobNestingDrawing(outputs.groups);
    if (!drawing.drawing) {
        return {{}, q(drawing.problem)};
    }
    QByteArray bytes =
        nestingPdf(*drawing.drawing, QStringLiteral("Zlecenie ") + q(outputs.job.name));
    if (bytes.isEmpty()) {
        return {{}, QStringLiteral("nie udalo sie narysowac rozkroju")};
    }
    return {std::move(bytes), std::nullopt};
}

std::vector<NamedFile> jobCncFiles(const JobOutputs& outputs, cnc::DxfVersion version) {
    std::vector<NamedFile> files;
    for (const core::JobPieceCalculation& piece : outputs.calculation.pieces) {
        const core::CalculatorDefinition& definition = piece.calculator->definition();
        QString name = q(outputs.job.entries.at(piece.entry).mark);
        if (piece.development < definition.developments.size()) {
            name += u'_' + q(definition.developments[piece.development].key);
        }
        OutputSource source{definition, piece.outputs};
        source.dxfVersion = version;
        source.plate = outputs.calculation.plate;
        files.push_back({name + QStringLiteral(".dxf"), cncDxfFile(source)});
    }
    return files;
}

} // namespace blachorys::render
