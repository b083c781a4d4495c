#include "cases/cone/coneoutputs.h"

#include "common/core/numbertext.h"
#include "common/core/patternlines.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

std::vector<std::string> headerLines(const ConeInputs& in) {
    return {
        "Rozwiniecie STOZKA",
        repeated('-', kRuleLength),
        "DANE :",
        "Dsm = " + formatReport(in.Dsm) + " [mm] , Dsd = " + formatReport(in.Dsd) +
            " [mm] , ALFA = " + formatReport(in.alfa) + " [°]",
        "Hs = " + formatReport(in.Hs) + " [mm] , E = " + formatReport(in.E) +
            " [mm] , N = " + std::to_string(in.N) + " [-]",
        repeated('-', kRuleLength),
        "WYNIKI :",
    };
}

std::vector<std::string> resultLines(const ConeModel& m) {
    std::vector<std::string> lines;
    for (std::size_t j = 0; j < m.Xm.size(); ++j) {
        lines.push_back(pointLine(
            static_cast<int>(j), "  ",
            {{"Xm=", m.Xm[j]}, {", Ym=", m.Ym[j]}, {", Xd=", m.Xd[j]}, {", Yd=", m.Yd[j]}}));
    }
    appendSheetSize(lines, kRuleLength, m.sheet.width(), m.sheet.height());
    return lines;
}

Pattern pattern(const ConeModel& m) {
    PatternBuilder b(standardStyles(),
                     centredOnBox(m.sheet.xMin, m.sheet.xMax, m.sheet.yMin, m.sheet.yMax));
    addConeSector(b, {m.Xm, m.Ym, m.Xd, m.Yd}, {LineRole::EndEdge, LineRole::StartEdge},
                  m.exactArcs);
    return std::move(b).finish();
}

} // namespace

CalculationOutputs coneOutputs(const ConeModel& model, std::string_view dateText) {
    return {makePointReport(headerLines(model.inputs), resultLines(model), dateText),
            pattern(model)};
}

} // namespace blachorys::core
