// cnc_dxf_samples DIR: the CNC DXF of every calculator and development, at the defaults and at
// many divisions, R2000 and R12, through the output service, each with a JSON file of the
// pattern's cuts for check_cnc_dxf.py; in DIR/tampered one cut is 0.02 mm longer than its own.

#include "cases/calculators.h"
#include "common/core/calculator/edgeoutputs.h"
#include "common/core/pattern/pattern.h"
#include "common/render/outputtable.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cmath>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace blachorys;

/** The pattern's cuts measured on its exact contours: length and enclosed area. */
std::string cutsJson(const core::Pattern& pattern, double lengthOffset, double bevelLength = 0.0) {
    std::string json = "{\"cuts\": [";
    bool first = true;
    for (const core::Contour& contour : pattern.exactContours) {
        double length = 0.0;
        double twiceArea = 0.0;
        const auto& p = contour.points;
        for (std::size_t k = 0; k < p.size(); ++k) {
            const core::PatternPoint& a = p[k];
            const core::PatternPoint& b = p[(k + 1) % p.size()];
            length += std::hypot(b.x - a.x, b.y - a.y);
            twiceArea += a.x * b.y - b.x * a.y;
        }
        json += std::string(first ? "" : ", ") +
                "{\"length\": " + std::to_string(length + lengthOffset) +
                ", \"area\": " + std::to_string(std::fabs(twiceArea) / 2) + "}";
        first = false;
        lengthOffset = 0.0;
    }
    return json + "], \"bevel_length\": " + std::to_string(bevelLength) + "}\n";
}

bool writeBytes(const QDir& directory, const std::string& name, const QByteArray& bytes) {
    QFile file(directory.filePath(QString::fromStdString(name)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/** The far faces' edges of the bevelled cuts, end to end. */
double bevelLength(const core::PreparedEdges& edges) {
    double length = 0.0;
    for (const core::EdgeRun& run : edges.runs) {
        for (std::size_t k = 1; k < run.farEdge.size(); ++k) {
            length += std::hypot(run.farEdge[k].x - run.farEdge[k - 1].x,
                                 run.farEdge[k].y - run.farEdge[k - 1].y);
        }
    }
    return length;
}

bool writeSample(const core::Calculator& calculator, std::size_t development,
                 const std::string& divisions, const QDir& directory, double lengthOffset,
                 core::EdgeChoice edge = core::EdgeChoice::Square) {
    const auto& definition = calculator.definition();
    std::vector<std::string> texts;
    for (const auto& field : definition.fields) {
        texts.push_back(field.name == "N" && !divisions.empty() ? divisions : field.defaultText);
        // A bevel needs a wall: every thickness 10 mm.
        if (edge != core::EdgeChoice::Square && field.name.starts_with('t')) {
            texts.back() = "10";
        }
    }
    const std::string name =
        definition.key +
        (definition.developments.empty() ? "" : "_" + definition.developments[development].key) +
        "_n" + (divisions.empty() ? "default" : divisions) +
        (edge == core::EdgeChoice::Square ? "" : "_bevelled");
    const core::CalculationResult result = core::withPreparedEdges(
        calculator.calculate(texts, development, "8-12-2026"), {.choice = edge});
    if (!result.outputs) {
        std::cerr << name << ": not calculated\n";
        return false;
    }
    bool ok = writeBytes(
        directory, name + ".json",
        QByteArray::fromStdString(cutsJson(core::patternToCut(*result.outputs), lengthOffset,
                                           bevelLength(result.outputs->edges))));
    for (const auto& [version, suffix] : {std::pair{cnc::DxfVersion::R2000, "_r2000.dxf"},
                                          std::pair{cnc::DxfVersion::R12, "_r12.dxf"}}) {
        const render::OutputSource source{definition, *result.outputs, {}, version};
        const render::OutputFile file = render::makeOutputFile(render::OutputKind::CncDxf, source);
        if (file.problem) {
            std::cerr << name << ": " << file.problem->toStdString() << '\n';
            ok = false;
            continue;
        }
        ok = writeBytes(directory, name + suffix, file.bytes) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: cnc_dxf_samples DIR\n";
        return 64;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QDir good(root.filePath("good"));
    const QDir tampered(root.filePath("tampered"));
    for (QDir directory : {good, tampered}) {
        if (!directory.removeRecursively() || !QDir().mkpath(directory.path())) {
            std::cerr << "cannot prepare " << directory.path().toStdString() << '\n';
            return 73;
        }
    }
    bool ok = true;
    for (const core::Calculator* calculator : core::calculators()) {
        const auto& definition = calculator->definition();
        // The transition is calculated at 500 divisions, the others at 2000.
        const std::string many = std::to_string(definition.largestN);
        const std::size_t developments = std::max<std::size_t>(1, definition.developments.size());
        for (std::size_t development = 0; development < developments; ++development) {
            ok = writeSample(*calculator, development, "", good, 0.0) && ok;
            ok = writeSample(*calculator, development, many, good, 0.0) && ok;
        }
        if (definition.weldedCut) {
            ok = writeSample(*calculator, 0, "", good, 0.0, core::EdgeChoice::Groove) && ok;
        }
    }
    ok = writeSample(*core::calculators().front(), 0, "", tampered, 0.02) && ok;
    return ok ? 0 : 1;
}
