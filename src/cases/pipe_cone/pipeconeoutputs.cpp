#include "cases/pipe_cone/pipeconeoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/pattern/patternlines.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kTitleRule = 26;
constexpr int kInputsRule = 56;
constexpr int kOutlineRule = 55;
constexpr int kResultsRule = 33;

/** Colour numbers of the template's curve and end face. */
constexpr int kCurveColour = 3;
constexpr int kEndFaceColour = 7;

/** The walls and the joint, named only where a wall has a thickness. */
std::vector<std::string> wallLines(const PipeConeInputs& in) {
    if (!hasWallThickness(in)) {
        return {};
    }
    return {
        "tr = " + formatReport(in.tr) + " [mm] , ts = " + formatReport(in.ts) +
            " [mm] (Dr, Dsm, Dsd - srednice zewnetrzne)",
        std::string("Rura ") +
            (in.joint == BranchJoint::SetOn ? "nakladana na stozek" : "wpuszczana w stozek"),
        std::string("Rura ") +
            (in.pipeMade == PartMaking::RolledFromPlate ? "zwijana z blachy"
                                                        : "z rury, szablon owijany") +
            " , stozek zwijany z blachy (rozwiniecie na osi blachy)",
    };
}

ReportHeading heading(const PipeConeInputs& in) {
    // Hr's unit is followed by "," with no space before it, unlike the other separators; N
    // is printed as a real.
    return {
        .title = "Rozwiniecie RURA - STOZEK",
        .titleRule = kTitleRule,
        .inputLines = {"Dr = " + formatReport(in.Dr) + " [mm] , Dsm = " + formatReport(in.Dsm) +
                           " [mm] , Dsd = " + formatReport(in.Dsd) +
                           " [mm] , P = " + formatReport(in.P) + " [mm]",
                       "BETA = " + formatReport(in.BETA) + " [°] , ALFA = " +
                           formatReport(in.alfa) + " [°] , Hr = " + formatReport(in.Hr) +
                           " [mm], Hs = " + formatReport(in.Hs) + " [mm]",
                       "Lm = " + formatReport(in.Lm) + " [mm] , E = " + formatReport(in.E) +
                           " [mm] , N = " + formatReport(static_cast<double>(in.N)) + " [-]"},
        .wallLines = wallLines(in),
        .inputsRule = kInputsRule,
        .captionSpace = true,
    };
}

std::vector<std::string> templateResults(const PipeConeModel& model) {
    std::vector<std::string> lines{"Rozwiniecie RURY (KRÓCCA)"};
    for (std::size_t i = 0; i < model.L.size(); ++i) {
        lines.push_back(
            pointLine(static_cast<int>(i), "   ", {{"L=", model.L[i]}, {"     h=", model.h[i]}}));
    }
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
    // Cut square through the plate, the hole passes the pipe at every depth; at the outside
    // face it may stand clear of it, where the worker bevels or pads.
    if (hasWallThickness(m.inputs)) {
        lines.push_back("Otwor ciety prostopadle przez scianke - luz na zewnatrz plaszcza do " +
                        formatReport(m.holeOverhang) + " mm");
    }
    return lines;
}

/** The mantle's sector with the hole, which the preview draws last. */
Pattern mantlePattern(const PipeConeModel& m) {
    const MantleOutline& o = m.outline;
    PatternBuilder b;
    addConeSector(b,
                  {"plaszcz stozka", 1, coneWall(m.inputs).thickness, {SplitKind::AlongGenerators}},
                  {o.Xm, o.Ym, o.Xd, o.Yd}, {LineRole::EndEdge, LineRole::StartEdge}, m.exactArcs);
    const int hole = b.newHole();
    const int exact = b.exactCurve(LineRole::HoleOutline, m.exactHole);
    b.polyline(LineRole::HoleOutline, pointsOf(m.Xo, m.Yo), {hole, kPassAfterSector, exact});
    b.numberedMarks("Xo", m.Xo, m.Yo);
    return std::move(b).finish();
}

} // namespace

CalculationOutputs pipeConeOutputs(const PipeConeModel& model, std::string_view dateText) {
    if (model.inputs.development == PipeConeDevelopment::Pipe) {
        const TemplateStrip strip{model.L, model.h, model.girth, model.hmax};
        return {makePointReport(heading(model.inputs), templateResults(model),
                                sheetOf(kResultsRule, model.girth, model.hmax), dateText),
                templateStripPattern(
                    strip,
                    {"rura", 1, pipeWall(model.inputs).thickness, {SplitKind::AlongGenerators}},
                    model.exactTemplate),
                templateStripLook(strip, {kCurveColour, kEndFaceColour})};
    }
    return {makePointReport(heading(model.inputs), mantleResults(model),
                            sheetOf(kResultsRule, model.sheet.width(), model.sheet.height()),
                            dateText),
            mantlePattern(model),
            {standardStyles(),
             centredOnBox(model.sheet.xMin, model.sheet.xMax, model.sheet.yMin, model.sheet.yMax)}};
}

} // namespace blachorys::core
