#include "common/core/calculator/edgeoutputs.h"

#include "common/core/base/numbertext.h"

#include <algorithm>
#include <cstddef>
#include <functional>

namespace blachorys::core {
namespace {

constexpr int kEdgeTableRule = 55;
constexpr int kColumn = 8;

std::string column(double value) {
    return ' ' + alignRight(formatReport(value), kColumn - 1);
}

std::string settingsLine(const PreparedEdges& edges, const EdgeSettings& settings) {
    std::string line = "PRZYGOTOWANIE KRAWEDZI : " + edgeChoiceWords(settings.choice);
    if (!edges.points.empty()) {
        line += " , t = " + formatReport(edges.thickness) + " [mm]";
    }
    return line;
}

/** "h5–h7, h20": the points `flagged` picks, consecutive ones as one range. */
std::string flaggedRanges(const std::vector<EdgePoint>& points,
                          const std::function<bool(const EdgePoint&)>& flagged) {
    std::string text;
    for (std::size_t k = 0; k < points.size();) {
        if (!flagged(points[k])) {
            ++k;
            continue;
        }
        std::size_t last = k;
        while (last + 1 < points.size() && flagged(points[last + 1])) {
            ++last;
        }
        if (!text.empty()) {
            text += ", ";
        }
        text += points[k].label;
        if (last > k) {
            text += "–" + points[last].label;
        }
        k = last + 1;
    }
    return text;
}

/**
 * The points as the report lists them: a strip cut alike at both ends names its points once,
 * its mitres mirroring each other.
 */
std::vector<EdgePoint> listedPoints(const std::vector<EdgePoint>& points) {
    std::vector<EdgePoint> listed;
    for (const EdgePoint& p : points) {
        if (std::none_of(listed.begin(), listed.end(),
                         [&p](const EdgePoint& q) { return q.label == p.label; })) {
            listed.push_back(p);
        }
    }
    return listed;
}

} // namespace

std::vector<std::string> edgeTableLines(const PreparedEdges& edges, const EdgeSettings& settings) {
    std::vector<std::string> lines{repeated('-', kEdgeTableRule), settingsLine(edges, settings)};
    if (settings.choice == EdgeChoice::Groove) {
        lines.push_back("kat rowka = " + formatReport(settings.grooveAngle) +
                        " [°] , c = " + formatReport(settings.rootFace) +
                        " [mm] , b = " + formatReport(settings.rootGap) + " [mm]");
    }
    const std::vector<EdgePoint> points = listedPoints(edges.points);
    if (points.empty()) {
        lines.emplace_back("(ten element nie ma krawedzi spawanej do drugiej czesci - ciecie "
                           "proste)");
        return lines;
    }
    lines.emplace_back("(gorna = strona zewnetrzna ; przesuniecia od linii w glab elementu)");
    lines.push_back(alignRight("pkt", kColumn) + alignRight("kat", kColumn) +
                    alignRight("Psi", kColumn) + alignRight("ukos", kColumn) +
                    alignRight("gorna", kColumn) + alignRight("dolna", kColumn));
    for (const EdgePoint& p : points) {
        lines.push_back(alignRight(p.label, kColumn) + column(p.aroundDeg) + column(p.psiDeg) +
                        column(p.tiltDeg) + column(p.nearShift) + column(p.farShift));
    }
    const std::string over = flaggedRanges(points, [](const EdgePoint& p) { return p.overLimit; });
    if (!over.empty()) {
        std::string line = "ukos > " + formatReport(settings.bevelLimit) + "° w punktach " + over;
        if (settings.choice == EdgeChoice::Groove) {
            line += " (tam ukos graniczny, rowek wezszy)";
        }
        lines.push_back(std::move(line));
    }
    const std::string narrow =
        flaggedRanges(points, [](const EdgePoint& p) { return p.tooNarrow; });
    if (!narrow.empty()) {
        lines.push_back("Psi < " + formatReport(kNarrowestWeldAngle) +
                        "° - za waski na spoine czolowa w punktach " + narrow);
    }
    return lines;
}

CalculationResult withPreparedEdges(CalculationResult result, const EdgeSettings& settings) {
    if (!result.outputs || settings.choice == EdgeChoice::Square) {
        return result;
    }
    CalculationOutputs& outputs = *result.outputs;
    PreparedEdges edges;
    if (outputs.view) {
        edges = prepareEdges(outputs.pattern, outputs.view(), settings);
    }
    if (edges.problem) {
        return {CalculationResult::Status::Refused,
                {{MessageKind::Error, *edges.problem}},
                std::nullopt};
    }
    outputs.report.edgeTable = edgeTableLines(edges, settings);
    if (!edges.runs.empty()) {
        outputs.bevelled = bevelledPattern(outputs.pattern, edges);
    }
    outputs.edges = std::move(edges);
    return result;
}

std::string bevelCsv(const PreparedEdges& edges) {
    std::string csv = "punkt,kat_deg,psi_deg,ukos_deg,gorna_mm,dolna_mm\r\n";
    for (const EdgePoint& p : listedPoints(edges.points)) {
        csv += p.label;
        for (const double value : {p.aroundDeg, p.psiDeg, p.tiltDeg, p.nearShift, p.farShift}) {
            csv += ',' + formatFixed(value, 3);
        }
        csv += "\r\n";
    }
    return csv;
}

} // namespace blachorys::core
