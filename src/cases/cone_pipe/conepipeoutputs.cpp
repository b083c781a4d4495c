#include "cases/cone_pipe/conepipeoutputs.h"

#include "common/core/numbertext.h"
#include "common/core/patternlines.h"

#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kInputsRule = 72;
constexpr int kResultsRule = 31;

/**
 * What each edge of the patterns is to the worker: its colour number in the DXF and its pen in
 * the preview go together.
 */
struct EdgeKind {
    int colour;
    PenRole pen;
};
constexpr EdgeKind kCut{3, PenRole::Curve};     ///< the cone's cut, the hole, the pipe's start
constexpr EdgeKind kFreeEnd{7, PenRole::Edge};  ///< the cone's free end, the pipe's far end
constexpr EdgeKind kSeam{6, PenRole::SeamEdge}; ///< edges joined when the sheet is rolled
constexpr EdgeKind kGeneratrix{1, PenRole::Generator};

/** One straight edge of a pattern, from (x1, y1) to (x2, y2). */
struct Edge {
    EdgeKind kind;
    double x1;
    double y1;
    double x2;
    double y2;
};

/**
 * The cone's edges in the template's order: cut and free end step by step, the seam edges,
 * the generatrices between them.
 */
std::vector<Edge> coneEdges(const ConePipeModel& m) {
    const std::size_t last = m.Xm.size() - 1;
    std::vector<Edge> edges;
    for (std::size_t j = 0; j < last; ++j) {
        edges.push_back({kCut, m.Xd[j], m.Yd[j], m.Xd[j + 1], m.Yd[j + 1]});
        edges.push_back({kFreeEnd, m.Xm[j], m.Ym[j], m.Xm[j + 1], m.Ym[j + 1]});
    }
    for (const std::size_t seam : {std::size_t{0}, last}) {
        edges.push_back({kSeam, m.Xm[seam], m.Ym[seam], m.Xd[seam], m.Yd[seam]});
    }
    for (std::size_t j = 1; j < last; ++j) {
        edges.push_back({kGeneratrix, m.Xm[j], m.Ym[j], m.Xd[j], m.Yd[j]});
    }
    return edges;
}

/** The pipe's rectangle corner to corner from (0, 0), then the hole. */
std::vector<Edge> pipeEdges(const ConePipeModel& m) {
    const double L = m.inputs.L;
    const double around = kPi * m.inputs.Dr;
    std::vector<Edge> edges{
        {kSeam, 0.0, 0.0, L, 0.0},
        {kFreeEnd, L, 0.0, L, around},
        {kSeam, L, around, 0.0, around},
        {kCut, 0.0, around, 0.0, 0.0},
    };
    for (std::size_t j = 1; j < m.Xo.size(); ++j) {
        edges.push_back({kCut, m.Xo[j - 1], m.Yo[j - 1], m.Xo[j], m.Yo[j]});
    }
    return edges;
}

bool isCone(const ConePipeModel& m) {
    return m.inputs.development == ConePipeDevelopment::Cone;
}

std::vector<std::string> headerLines(const ConePipeInputs& in) {
    return {
        "Rozwiniecie STOZEK - RURA",
        repeated('-', kInputsRule),
        "DANE :",
        "Ds = " + formatReport(in.Ds) + " [mm] , Dr = " + formatReport(in.Dr) + " [mm] , P = " +
            formatReport(in.P) + " [mm] , Gamma = " + formatReport(in.Gamma) + " [°]",
        "BETA = " + formatReport(in.Beta) + " [°] , alfa = " + formatReport(in.alfa) +
            " [°] , Hs = " + formatReport(in.Hs) + " [mm] , L = " + formatReport(in.L),
        "Lm = " + formatReport(in.Lm) + " [mm] , N = " + std::to_string(in.N) + " [-]",
        repeated('-', kInputsRule),
        "WYNIKI :",
    };
}

/** The lines before the points: the cone's title, or the pipe's title and its rectangle. */
std::vector<std::string> resultsOpening(const ConePipeModel& m) {
    if (isCone(m)) {
        return {"Rozwiniecie STOZKA (KRÓCCA)"};
    }
    const double L = m.inputs.L;
    const double around = kPi * m.inputs.Dr;
    return {
        "Rozwiniecie RURY (PLASZCZA)",
        "Kontur zewnetrzny Plaszcza",
        labelledValues({{"a : X=", 0.0}, {"     Y=", 0.0}}),
        labelledValues({{"b : X=", L}, {"     Y=", 0.0}}),
        labelledValues({{"c : X=", L}, {"     Y=", around}}),
        labelledValues({{"d : X=", 0.0}, {"     Y=", around}}),
        repeated('-', kResultsRule),
        "Kontur otworu w Plaszczu",
    };
}

/** Point n of the mode's tables: "  0, Xm=   323.6, Ym= ..." or "  0, Xo=   514.2, Yo= ...". */
std::string resultPoint(const ConePipeModel& m, std::size_t n) {
    const int number = static_cast<int>(n);
    if (isCone(m)) {
        return pointLine(
            number, "",
            {{", Xm=", m.Xm[n]}, {", Ym=", m.Ym[n]}, {", Xd=", m.Xd[n]}, {", Yd=", m.Yd[n]}});
    }
    return pointLine(number, "", {{", Xo=", m.Xo[n]}, {", Yo=", m.Yo[n]}});
}

/** The results section: N + 5 lines for the cone, N + 12 for the pipe. */
std::vector<std::string> resultLines(const ConePipeModel& m) {
    std::vector<std::string> lines = resultsOpening(m);
    for (std::size_t n = 0; n < m.Xm.size(); ++n) {
        lines.push_back(resultPoint(m, n));
    }
    appendSheetSize(lines, kResultsRule, m.sheetWidth(), m.sheetHeight());
    return lines;
}

std::vector<DxfLine> dxfLines(const std::vector<Edge>& edges) {
    std::vector<DxfLine> lines;
    lines.reserve(edges.size());
    for (const Edge& e : edges) {
        lines.push_back({kLayerOutlines, e.kind.colour, e.x1, e.y1, e.x2, e.y2});
    }
    return lines;
}

/** A polyline through the points of two tables, 0 to N, with one pen. */
void drawThrough(PreviewPath& path, PenRole pen, const std::vector<double>& x,
                 const std::vector<double>& y) {
    path.setPen(pen);
    path.moveTo(x[0], y[0]);
    for (std::size_t n = 1; n < x.size(); ++n) {
        path.lineTo(x[n], y[n]);
    }
}

/** Drawn upwards and centred on the bounding box, in the template's colours and order. */
PreviewDrawing preview(const ConePipeModel& m) {
    PreviewDrawing drawing = centredOnBox(m.minX, m.maxX, m.minY, m.maxY);
    PreviewPath path(drawing.segments);
    if (isCone(m)) {
        drawThrough(path, kCut.pen, m.Xd, m.Yd);
        drawThrough(path, kFreeEnd.pen, m.Xm, m.Ym);
        // The seam edges, then the generatrices: the last entries of the template's list.
        const std::vector<Edge> edges = coneEdges(m);
        for (std::size_t e = 2 * (m.Xm.size() - 1); e < edges.size(); ++e) {
            path.setPen(edges[e].kind.pen);
            path.moveTo(edges[e].x1, edges[e].y1);
            path.lineTo(edges[e].x2, edges[e].y2);
        }
        return drawing;
    }
    // The rectangle in one stroke from (0, 0), then the hole.
    const std::vector<Edge> edges = pipeEdges(m);
    path.moveTo(0.0, 0.0);
    for (std::size_t e = 0; e < 4; ++e) {
        path.setPen(edges[e].kind.pen);
        path.lineTo(edges[e].x2, edges[e].y2);
    }
    drawThrough(path, kCut.pen, m.Xo, m.Yo);
    return drawing;
}

/** The reported points: both arcs of the cone, or the pipe's corners a to d and the hole. */
std::vector<PointMark> pointMarks(const ConePipeModel& m) {
    if (isCone(m)) {
        return coneSectorMarks({m.Xm, m.Ym, m.Xd, m.Yd});
    }
    const double L = m.inputs.L;
    const double around = kPi * m.inputs.Dr;
    std::vector<PointMark> marks{
        {0.0, 0.0, "a"}, {L, 0.0, "b"}, {L, around, "c"}, {0.0, around, "d"}};
    appendNumberedMarks(marks, m.Xo, m.Yo);
    return marks;
}

} // namespace

CalculationOutputs conePipeOutputs(const ConePipeModel& model, std::string_view dateText) {
    return {makePointReport(headerLines(model.inputs), resultLines(model), dateText),
            dxfLines(isCone(model) ? coneEdges(model) : pipeEdges(model)), preview(model),
            pointMarks(model)};
}

} // namespace blachorys::core
