#include "cases/pipe_cone/pipeconeoutputs.h"

#include "common/core/numbertext.h"
#include "common/core/patternlines.h"

#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kTitleRule = 26;
constexpr int kInputsRule = 56;
constexpr int kOutlineRule = 55;
constexpr int kResultsRule = 33;

/** Colour numbers of the template's curve and end face, and of the hole outline. */
constexpr int kCurveColour = 3;
constexpr int kEndFaceColour = 7;
constexpr int kHoleColour = 3;

std::vector<std::string> headerLines(const PipeConeInputs& in) {
    // Hr's unit is followed by "," with no space before it, unlike the other separators; N
    // is printed as a real.
    return {
        "Rozwiniecie RURA - STOZEK",
        repeated('-', kTitleRule),
        "DANE :",
        "Dr = " + formatReport(in.Dr) + " [mm] , Dsm = " + formatReport(in.Dsm) +
            " [mm] , Dsd = " + formatReport(in.Dsd) + " [mm] , P = " + formatReport(in.P) + " [mm]",
        "BETA = " + formatReport(in.BETA) + " [°] , ALFA = " + formatReport(in.alfa) +
            " [°] , Hr = " + formatReport(in.Hr) + " [mm], Hs = " + formatReport(in.Hs) + " [mm]",
        "Lm = " + formatReport(in.Lm) + " [mm] , E = " + formatReport(in.E) +
            " [mm] , N = " + formatReport(static_cast<double>(in.N)) + " [-]",
        repeated('-', kInputsRule),
        "WYNIKI : ",
    };
}

std::vector<std::string> templateResults(const PipeConeModel& model) {
    std::vector<std::string> lines{"Rozwiniecie RURY (KRÓCCA)"};
    for (std::size_t i = 0; i < model.L.size(); ++i) {
        lines.push_back(
            pointLine(static_cast<int>(i), "   ", {{"L=", model.L[i]}, {"     h=", model.h[i]}}));
    }
    appendSheetSize(lines, kResultsRule, kPi * model.inputs.Dr, model.hmax);
    return lines;
}

std::vector<std::string> mantleResults(const PipeConeModel& m) {
    const MantleOutline& o = m.outline;
    std::vector<std::string> lines{"Rozwiniecie STOZKA (PLASZCZA)", "Kontur zewnetrzny Plaszcza"};
    for (std::size_t j = 0; j < o.Xm.size(); ++j) {
        lines.push_back(pointLine(
            static_cast<int>(j), "  ",
            {{"Xm=", o.Xm[j]}, {", Ym=", o.Ym[j]}, {", Xd=", o.Xd[j]}, {", Yd=", o.Yd[j]}}));
    }
    lines.push_back(repeated('-', kOutlineRule));
    lines.emplace_back("Kontur otworu w Plaszczu");
    for (std::size_t i = 0; i < m.Xo.size(); ++i) {
        lines.push_back(
            pointLine(static_cast<int>(i), "  ", {{"Xo=", m.Xo[i]}, {", Yo=", m.Yo[i]}}));
    }
    appendSheetSize(lines, kResultsRule, m.sheet.width(), m.sheet.height());
    return lines;
}

TemplateStrip strip(const PipeConeModel& model) {
    return {model.L, model.h, kPi * model.inputs.Dr, model.hmax};
}

ConeSector sector(const PipeConeModel& m) {
    return {m.outline.Xm, m.outline.Ym, m.outline.Xd, m.outline.Yd};
}

std::vector<DxfLine> mantleDxf(const PipeConeModel& m) {
    std::vector<DxfLine> lines = coneSectorDxf(sector(m));
    for (std::size_t i = 1; i < m.Xo.size(); ++i) {
        lines.push_back({kLayerOutlines, kHoleColour, m.Xo[i - 1], m.Yo[i - 1], m.Xo[i], m.Yo[i]});
    }
    return lines;
}

PreviewDrawing mantlePreview(const PipeConeModel& m) {
    PreviewDrawing drawing = coneSectorPreview(sector(m), m.sheet);
    PreviewPath path(drawing.segments);
    path.setPen(PenRole::Curve);
    path.moveTo(m.Xo[0], m.Yo[0]);
    for (std::size_t i = 1; i < m.Xo.size(); ++i) {
        path.lineTo(m.Xo[i], m.Yo[i]);
    }
    return drawing;
}

} // namespace

CalculationOutputs pipeConeOutputs(const PipeConeModel& model, std::string_view dateText) {
    if (model.inputs.development == PipeConeDevelopment::Pipe) {
        return {makePointReport(headerLines(model.inputs), templateResults(model), dateText),
                templateStripDxf(strip(model), {kCurveColour, kEndFaceColour}),
                templateStripPreview(strip(model)), templateStripMarks(strip(model))};
    }
    std::vector<PointMark> marks = coneSectorMarks(sector(model));
    appendNumberedMarks(marks, model.Xo, model.Yo);
    return {makePointReport(headerLines(model.inputs), mantleResults(model), dateText),
            mantleDxf(model), mantlePreview(model), std::move(marks)};
}

} // namespace blachorys::core
