#include "cases/pipe_pipe/pipepipeoutputs.h"

#include "common/core/numbertext.h"
#include "common/core/patternlines.h"

#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr int kTitleRule = 23;
constexpr int kInputsRule = 53;
constexpr int kResultsRule = 33;

/** Colour numbers of the template's curve and base line. */
constexpr int kCurveColour = 7;
constexpr int kBaseLineColour = 3;

std::vector<std::string> headerLines(const PipePipeInputs& in) {
    return {
        "Rozwiniecie RURA - RURA",
        repeated('-', kTitleRule),
        "DANE :",
        "Dm = " + formatReport(in.Dm) + " [mm] , Dd = " + formatReport(in.Dd) +
            " [mm] , P = " + formatReport(in.P) + " [mm]",
        "BETA = " + formatReport(in.BETA) + " [°] , ALFA = " + formatReport(in.alfa) +
            " [°] , H = " + formatReport(in.H) + " [mm]",
        "Ld = " + formatReport(in.Ld) + " [mm] , Lm = " + formatReport(in.Lm) +
            " [mm] , N = " + std::to_string(in.N) + " [-]",
        repeated('-', kInputsRule),
        "WYNIKI : ",
    };
}

std::vector<std::string> templateResults(const PipePipeModel& model) {
    std::vector<std::string> lines{"Rozwiniecie RURY MNIEJSZEJ (KRÓCCA)"};
    for (std::size_t i = 0; i < model.L.size(); ++i) {
        lines.push_back(
            pointLine(static_cast<int>(i), "   ", {{"L=", model.L[i]}, {"     h=", model.h[i]}}));
    }
    appendSheetSize(lines, kResultsRule, kPi * model.inputs.Dm, model.hmax);
    return lines;
}

std::vector<std::string> shellResults(const PipePipeModel& model) {
    const double Ld = model.inputs.Ld;
    const double circumference = kPi * model.inputs.Dd;
    std::vector<std::string> lines{
        "Rozwiniecie RURY WIEKSZEJ (PLASZCZA)",
        "Kontur zewnetrzny Plaszcza",
        labelledValues({{"a : X=", 0.0}, {"     Y=", 0.0}}),
        labelledValues({{"b : X=", Ld}, {"     Y=", 0.0}}),
        labelledValues({{"c : X=", Ld}, {"     Y=", circumference}}),
        labelledValues({{"d : X=", 0.0}, {"     Y=", circumference}}),
        repeated('-', kResultsRule),
        "Kontur otworu w Plaszczu",
    };
    for (std::size_t i = 0; i < model.Xo.size(); ++i) {
        lines.push_back(pointLine(static_cast<int>(i), "   ",
                                  {{"Xo=", model.Xo[i]}, {"     Yo=", model.Yo[i]}}));
    }
    appendSheetSize(lines, kResultsRule, Ld, circumference);
    return lines;
}

std::vector<DxfLine> shellDxf(const PipePipeModel& model) {
    const double Ld = model.inputs.Ld;
    const double circumference = kPi * model.inputs.Dd;
    std::vector<DxfLine> lines{
        {kLayerOutlines, 6, 0.0, 0.0, Ld, 0.0},
        {kLayerOutlines, 7, Ld, 0.0, Ld, circumference},
        {kLayerOutlines, 6, Ld, circumference, 0.0, circumference},
        {kLayerOutlines, 3, 0.0, circumference, 0.0, 0.0},
    };
    for (std::size_t i = 1; i < model.Xo.size(); ++i) {
        lines.push_back(
            {kLayerOutlines, 3, model.Xo[i - 1], model.Yo[i - 1], model.Xo[i], model.Yo[i]});
    }
    return lines;
}

TemplateStrip strip(const PipePipeModel& model) {
    return {model.L, model.h, kPi * model.inputs.Dm, model.hmax};
}

PreviewDrawing shellPreview(const PipePipeModel& model) {
    const double Ld = model.inputs.Ld;
    const double circumference = kPi * model.inputs.Dd;
    PreviewDrawing drawing;
    drawing.orientation = PreviewOrientation::Upwards;
    drawing.xMax = Ld;
    drawing.yMax = circumference;
    PreviewPath path(drawing.segments);
    path.moveTo(model.Xo[0], model.Yo[0]);
    path.setPen(PenRole::Curve);
    for (std::size_t i = 1; i < model.Xo.size(); ++i) {
        path.lineTo(model.Xo[i], model.Yo[i]);
    }
    path.moveTo(0.0, 0.0);
    path.lineTo(0.0, circumference);
    path.setPen(PenRole::SeamEdge);
    path.lineTo(Ld, circumference);
    path.setPen(PenRole::Edge);
    path.lineTo(Ld, 0.0);
    path.setPen(PenRole::SeamEdge);
    path.lineTo(0.0, 0.0);
    return drawing;
}

/** The shell's corners a to d and the hole's points. */
std::vector<PointMark> shellMarks(const PipePipeModel& model) {
    const double Ld = model.inputs.Ld;
    const double circumference = kPi * model.inputs.Dd;
    std::vector<PointMark> marks{
        {0.0, 0.0, "a"}, {Ld, 0.0, "b"}, {Ld, circumference, "c"}, {0.0, circumference, "d"}};
    appendNumberedMarks(marks, model.Xo, model.Yo);
    return marks;
}

bool isTemplate(const PipePipeModel& model) {
    return model.inputs.development == PipePipeDevelopment::SmallerPipe;
}

} // namespace

CalculationOutputs pipePipeOutputs(const PipePipeModel& model, std::string_view dateText) {
    if (isTemplate(model)) {
        return {makePointReport(headerLines(model.inputs), templateResults(model), dateText),
                templateStripDxf(strip(model), {kCurveColour, kBaseLineColour}),
                templateStripPreview(strip(model)), templateStripMarks(strip(model))};
    }
    return {makePointReport(headerLines(model.inputs), shellResults(model), dateText),
            shellDxf(model), shellPreview(model), shellMarks(model)};
}

} // namespace blachorys::core
