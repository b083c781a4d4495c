#include "cases/cone_pipe/conepipeoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/sheetseam.h"
#include "common/core/pattern/patternlines.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kInputsRule = 72;
constexpr int kResultsRule = 31;

bool isCone(const ConePipeModel& m) {
    return m.inputs.development == ConePipeDevelopment::Cone;
}

/** The walls and the joint, named only where a wall has a thickness. */
std::vector<std::string> wallLines(const ConePipeInputs& in) {
    if (!hasWallThickness(in)) {
        return {};
    }
    return {
        "ts = " + formatReport(in.ts) + " [mm] , tr = " + formatReport(in.tr) +
            " [mm] (Ds, Dr - srednice zewnetrzne)",
        std::string("Stozek ") +
            (in.joint == BranchJoint::SetOn ? "nakladany na rure" : "wpuszczany w rure"),
        std::string("Stozek zwijany z blachy (rozwiniecie na osi blachy) , rura ") +
            (in.pipeMade == PartMaking::RolledFromPlate ? "zwijana z blachy"
                                                        : "z rury, szablon owijany"),
    };
}

ReportHeading heading(const ConePipeInputs& in) {
    return {
        .title = "Rozwiniecie STOZEK - RURA",
        .titleRule = kInputsRule,
        .inputLines = {"Ds = " + formatReport(in.Ds) + " [mm] , Dr = " + formatReport(in.Dr) +
                           " [mm] , P = " + formatReport(in.P) +
                           " [mm] , Gamma = " + formatReport(in.Gamma) + " [°]",
                       "BETA = " + formatReport(in.Beta) + " [°] , alfa = " +
                           formatReport(in.alfa) + " [°] , Hs = " + formatReport(in.Hs) +
                           " [mm] , L = " + formatReport(in.L),
                       "Lm = " + formatReport(in.Lm) + " [mm] , N = " + std::to_string(in.N) +
                           " [-]"},
        .wallLines = wallLines(in),
        .inputsRule = kInputsRule,
    };
}

/** The lines before the points: the cone's title, or the pipe's title and its rectangle. */
std::vector<std::string> resultsOpening(const ConePipeModel& m) {
    if (isCone(m)) {
        return {"Rozwiniecie STOZKA (KRÓCCA)"};
    }
    const double L = m.inputs.L;
    const double around = m.girth;
    std::vector<std::string> lines{
        "Rozwiniecie RURY (PLASZCZA)",
        "Kontur zewnetrzny Plaszcza",
        labelledValues({{"a : X=", 0.0}, {"     Y=", 0.0}}),
        labelledValues({{"b : X=", L}, {"     Y=", 0.0}}),
        labelledValues({{"c : X=", L}, {"     Y=", around}}),
        labelledValues({{"d : X=", 0.0}, {"     Y=", around}}),
        repeated('-', kResultsRule),
        "Kontur otworu w Plaszczu",
    };
    // The sheet starts at the seam: where it is turned from the pipe's side, the hole moves.
    if (const auto seam = turnedSeamLine(m.inputs.pipeSeam, m.holeShift)) {
        lines.insert(lines.begin() + 1, *seam);
    }
    return lines;
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
    // Cut square through the wall, the hole passes the cone at every depth; at the outside
    // face it may stand clear of it, where the worker bevels or pads.
    if (!isCone(m) && hasWallThickness(m.inputs)) {
        lines.push_back("Otwor ciety prostopadle przez scianke - luz na zewnatrz plaszcza do " +
                        formatReport(m.holeOverhang) + " mm");
    }
    return lines;
}

/**
 * The cone's sector, its large arc the cut along the pipe; or the pipe's sheet with the hole,
 * drawn in the DXF's order. Both centred on their bounding box in the preview.
 */
Pattern pattern(const ConePipeModel& m) {
    PatternBuilder b;
    const SplitPlan alongGenerators{SplitKind::AlongGenerators};
    if (isCone(m)) {
        addConeSector(b, {"stozek", 1, coneWall(m.inputs).thickness, alongGenerators},
                      {m.Xm, m.Ym, m.Xd, m.Yd}, {LineRole::CutCurve, LineRole::EndEdge},
                      {m.exactFreeEnd, m.exactCut});
        return std::move(b).finish();
    }
    addShellSheet(b, {"rura", 1, pipeWall(m.inputs).thickness, alongGenerators}, m.inputs.L,
                  m.girth, {0, 0, 0, 0});
    const int hole = b.newHole();
    const int exact = b.exactCurve(LineRole::HoleOutline, m.exactHole);
    b.polyline(LineRole::HoleOutline, pointsOf(m.Xo, m.Yo), {hole, 0, exact});
    b.numberedMarks("Xo", m.Xo, m.Yo);
    return std::move(b).finish();
}

} // namespace

CalculationOutputs conePipeOutputs(const ConePipeModel& model, std::string_view dateText) {
    return {makePointReport(heading(model.inputs), resultLines(model),
                            sheetOf(kResultsRule, model.sheetWidth(), model.sheetHeight()),
                            dateText),
            pattern(model),
            {standardStyles(), centredOnBox(model.minX, model.maxX, model.minY, model.maxY)}};
}

} // namespace blachorys::core
