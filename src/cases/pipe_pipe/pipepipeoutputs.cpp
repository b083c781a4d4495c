#include "cases/pipe_pipe/pipepipeoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/sheetseam.h"
#include "common/core/pattern/patternlines.h"

#include <cmath>
#include <string>

namespace blachorys::core {
namespace {

constexpr int kTitleRule = 23;
constexpr int kInputsRule = 53;
constexpr int kResultsRule = 33;

/** Colour numbers of the template's curve and base line. */
constexpr int kCurveColour = 7;
constexpr int kBaseLineColour = 3;

std::string madeText(PartMaking made) {
    return made == PartMaking::RolledFromPlate ? "zwijany z blachy" : "z rury, szablon owijany";
}

/** The walls and the joint, named only where a wall has a thickness. */
std::vector<std::string> wallLines(const PipePipeInputs& in) {
    if (!hasWallThickness(in)) {
        return {};
    }
    return {
        "tm = " + formatReport(in.tm) + " [mm] , td = " + formatReport(in.td) +
            " [mm] (Dm, Dd - srednice zewnetrzne)",
        std::string("Krociec ") +
            (in.joint == BranchJoint::SetOn ? "nakladany na plaszcz" : "wpuszczany w plaszcz"),
        "Krociec " + madeText(in.branchMade) + " , plaszcz " + madeText(in.shellMade),
    };
}

ReportHeading heading(const PipePipeInputs& in) {
    return {
        .title = "Rozwiniecie RURA - RURA",
        .titleRule = kTitleRule,
        .inputLines = {"Dm = " + formatReport(in.Dm) + " [mm] , Dd = " + formatReport(in.Dd) +
                           " [mm] , P = " + formatReport(in.P) + " [mm]",
                       "BETA = " + formatReport(in.BETA) + " [°] , ALFA = " +
                           formatReport(in.alfa) + " [°] , H = " + formatReport(in.H) + " [mm]",
                       "Ld = " + formatReport(in.Ld) + " [mm] , Lm = " + formatReport(in.Lm) +
                           " [mm] , N = " + std::to_string(in.N) + " [-]"},
        .wallLines = wallLines(in),
        .inputsRule = kInputsRule,
        .captionSpace = true,
    };
}

std::vector<std::string> templateResults(const PipePipeModel& model) {
    std::vector<std::string> lines{"Rozwiniecie RURY MNIEJSZEJ (KRÓCCA)"};
    for (std::size_t i = 0; i < model.L.size(); ++i) {
        lines.push_back(
            pointLine(static_cast<int>(i), "   ", {{"L=", model.L[i]}, {"     h=", model.h[i]}}));
    }
    return lines;
}

std::vector<std::string> shellResults(const PipePipeModel& model) {
    const double Ld = model.inputs.Ld;
    const double circumference = model.girth;
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
    // The sheet starts at the seam: where it is turned from the shell's side, the hole moves.
    if (const auto seam = turnedSeamLine(model.inputs.shellSeam, model.holeShift)) {
        lines.insert(lines.begin() + 1, *seam);
    }
    for (std::size_t i = 0; i < model.Xo.size(); ++i) {
        lines.push_back(pointLine(static_cast<int>(i), "   ",
                                  {{"Xo=", model.Xo[i]}, {"     Yo=", model.Yo[i]}}));
    }
    // Cut square through the wall, the hole passes the branch at every depth; at the outside
    // face it may stand clear of it, where the worker bevels or pads.
    if (hasWallThickness(model.inputs)) {
        lines.push_back("Otwor ciety prostopadle przez scianke - luz na zewnatrz plaszcza do " +
                        formatReport(model.holeOverhang) + " mm");
    }
    return lines;
}

/**
 * The shell sheet with the hole. The preview draws the hole first, then the sheet from (0, 0)
 * round the other way: the start edge, the top seam, the far end, the bottom seam.
 */
Pattern shellPattern(const PipePipeModel& model) {
    const double Ld = model.inputs.Ld;
    const double circumference = model.girth;
    PatternBuilder b;
    addShellSheet(b,
                  {"plaszcz", 1, shellWall(model.inputs).thickness, {SplitKind::AlongGenerators}},
                  Ld, circumference, {4, 3, 2, 1});
    const int hole = b.newHole();
    const int exact = b.exactCurve(LineRole::HoleOutline, model.exactCurve);
    b.polyline(LineRole::HoleOutline, pointsOf(model.Xo, model.Yo), {hole, 0, exact});
    b.numberedMarks("Xo", model.Xo, model.Yo);
    return std::move(b).finish();
}

bool isTemplate(const PipePipeModel& model) {
    return model.inputs.development == PipePipeDevelopment::SmallerPipe;
}

} // namespace

CalculationOutputs pipePipeOutputs(const PipePipeModel& model, std::string_view dateText) {
    if (isTemplate(model)) {
        const TemplateStrip strip{model.L, model.h, model.girth, model.hmax};
        return {makePointReport(heading(model.inputs), templateResults(model),
                                sheetOf(kResultsRule, model.girth, model.hmax), dateText),
                templateStripPattern(strip,
                                     {"rura mniejsza",
                                      1,
                                      branchWall(model.inputs).thickness,
                                      {SplitKind::AlongGenerators}},
                                     model.exactCurve),
                templateStripLook(strip, {kCurveColour, kBaseLineColour})};
    }
    return {makePointReport(heading(model.inputs), shellResults(model),
                            sheetOf(kResultsRule, model.inputs.Ld, model.girth), dateText),
            shellPattern(model),
            {standardStyles(), upwardsOver(model.inputs.Ld, model.girth)}};
}

} // namespace blachorys::core
