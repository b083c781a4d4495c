#include "cases/cone/coneoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/wallchoices.h"
#include "common/core/pattern/patternlines.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

/** The plate and the surface developed, named only where the plate has a thickness. */
std::vector<std::string> wallLines(const ConeModel& m) {
    const ConeInputs& in = m.inputs;
    if (in.t == 0.0) {
        return {};
    }
    return {"t = " + formatReport(in.t) + " [mm] (Dsm, Dsd - srednice " +
                typedSurfaceWords(in.diameters) + ")",
            "rozwiniecie " + developedSurfaceWords(coneWall(in).developed()) + " : Dsm' = " +
                formatReport(m.developed.Dsm) + " , Dsd' = " + formatReport(m.developed.Dsd)};
}

ReportHeading heading(const ConeModel& m) {
    const ConeInputs& in = m.inputs;
    return {
        .title = "Rozwiniecie STOZKA",
        .titleRule = kRuleLength,
        .inputLines = {"Dsm = " + formatReport(in.Dsm) + " [mm] , Dsd = " + formatReport(in.Dsd) +
                           " [mm] , ALFA = " + formatReport(in.alfa) + " [°]",
                       "Hs = " + formatReport(in.Hs) + " [mm] , E = " + formatReport(in.E) +
                           " [mm] , N = " + std::to_string(in.N) + " [-]"},
        .wallLines = wallLines(m),
        .inputsRule = kRuleLength,
    };
}

std::vector<std::string> resultLines(const ConeModel& m) {
    std::vector<std::string> lines;
    for (std::size_t j = 0; j < m.Xm.size(); ++j) {
        lines.push_back(pointLine(
            static_cast<int>(j), "  ",
            {{"Xm=", m.Xm[j]}, {", Ym=", m.Ym[j]}, {", Xd=", m.Xd[j]}, {", Yd=", m.Yd[j]}}));
    }
    return lines;
}

Pattern pattern(const ConeModel& m) {
    PatternBuilder b;
    addConeSector(b, {"stozek", 1, coneWall(m.inputs).thickness, {SplitKind::AlongGenerators}},
                  {m.Xm, m.Ym, m.Xd, m.Yd}, {LineRole::EndEdge, LineRole::StartEdge}, m.exactArcs);
    return std::move(b).finish();
}

} // namespace

CalculationOutputs coneOutputs(const ConeModel& model, std::string_view dateText) {
    return {makePointReport(heading(model), resultLines(model),
                            sheetOf(kRuleLength, model.sheet.width(), model.sheet.height()),
                            dateText),
            pattern(model),
            {standardStyles(),
             centredOnBox(model.sheet.xMin, model.sheet.xMax, model.sheet.yMin, model.sheet.yMax)}};
}

} // namespace blachorys::core
