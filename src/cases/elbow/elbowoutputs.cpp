#include "cases/elbow/elbowoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/wallchoices.h"
#include "common/core/pattern/patternlines.h"

#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

/** Both patterns' sheets: A's, then B's, twice as high. */
ReportSheet sheet(const ElbowModel& m) {
    return {kRuleLength,
            "A->  " + sheetSizeText(m.Lc, m.hmax) + "  ,  B->  " + sheetSizeText(m.Lc, 2 * m.hmax)};
}

/** The preview fits the patterns with half an hmax of margin below A and above B. */
constexpr double kMarginBelow = 0.5;
constexpr double kTopAboveBase = 4.0;

/** The wall and the surface developed, named only where the wall has a thickness. */
std::vector<std::string> wallLines(const ElbowModel& m) {
    const ElbowInputs& in = m.inputs;
    if (in.t == 0.0) {
        return {};
    }
    const char* meaning = in.diameter == WallSurface::Outside  ? "zewnetrzna"
                          : in.diameter == WallSurface::Inside ? "wewnetrzna"
                                                               : "na osi blachy";
    return {"t = " + formatReport(in.t) + " [mm] (Dr - srednica " + meaning + ") , kolano " +
                (in.made == PartMaking::RolledFromPlate ? "zwijane z blachy"
                                                        : "z rury, szablon owijany"),
            "rozwiniecie " + developedSurfaceWords(elbowWall(in).developed()) +
                " : Dr' = " + formatReport(m.developedDr)};
}

ReportHeading heading(const ElbowModel& m) {
    const ElbowInputs& in = m.inputs;
    std::string dimensions = "Dr = " + formatReport(in.Dr) + " [mm] , Rk = " + formatReport(in.Rk) +
                             " [mm] , BETA = " + formatReport(in.BETA) + " [°]";
    std::string counts =
        "Ns = " + std::to_string(in.Ns) + " [-] , N = " + std::to_string(in.N) + " [-]";
    return {.title = "Rozwiniecie KOLANA SEGMENTOWEGO",
            .titleRule = kRuleLength,
            .inputLines = {std::move(dimensions), std::move(counts)},
            .wallLines = wallLines(m),
            .inputsRule = kRuleLength};
}

std::vector<std::string> resultLines(const ElbowModel& m) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < m.L.size(); ++i) {
        lines.push_back(pointLine(static_cast<int>(i), "  ",
                                  {{"L=", m.L[i]}, {", hA=", m.h[i]}, {", hB=", 2 * m.h[i]}}));
    }
    return lines;
}

/** The preview draws A's cut, seams, base line and generators, then B's, then the centre line. */
enum PreviewPass : int {
    kACut,
    kASeams,
    kABase,
    kAGenerators,
    kBLowerCut,
    kBUpperCut,
    kBSeams,
    kBGenerators,
    kCentreLine,
};

/**
 * Strip A (an end segment) from its base line upwards, strip B (a middle segment) about its
 * centre line above it; one outline each. The preview fits the box 0..Lc by −0.5·hmax..4·hmax,
 * centred: A's base line lies 3.5·hmax·scale / 2 below the middle of the image and B's centre
 * line 2.5·hmax·scale above it.
 */
Pattern pattern(const ElbowModel& m) {
    const std::size_t n = m.L.size() - 1;
    const double y0 = m.middleCentreLine();
    PatternBuilder b;
    const double t = elbowWall(m.inputs).thickness;
    const SplitPlan strips{SplitKind::AlongGenerators};
    const auto at = [&](std::size_t i, double y) { return PatternPoint{m.L[i], y}; };

    const auto shifted = [&](double base, double side) {
        std::vector<PatternPoint> curve = m.exactCut;
        for (PatternPoint& p : curve) {
            p.y = base + side * p.y;
        }
        return curve;
    };
    const int a = b.newPiece({"A", 2, t, strips});
    const int aCut = b.exactCurve(LineRole::CutCurve, m.exactCut);
    for (std::size_t i = 0; i < n; ++i) {
        b.line(LineRole::CutCurve, at(i, m.h[i]), at(i + 1, m.h[i + 1]), {a, kACut, aCut});
    }
    b.line(LineRole::SeamEdge, at(0, 0.0), at(0, m.h[0]), {a, kASeams});
    b.line(LineRole::SeamEdge, at(n, 0.0), at(n, m.h[n]), {a, kASeams});
    b.line(LineRole::EndEdge, at(0, 0.0), at(n, 0.0), {a, kABase});
    for (std::size_t i = 1; i < n; ++i) {
        b.line(LineRole::Generator, at(i, 0.0), at(i, m.h[i]), {kNoOutline, kAGenerators});
    }

    const int middle = b.newPiece({"B", m.inputs.Ns - 2, t, strips});
    const int upper = b.exactCurve(LineRole::CutCurve, shifted(y0, 1.0));
    const int lower = b.exactCurve(LineRole::CutCurve, shifted(y0, -1.0));
    for (std::size_t i = 0; i < n; ++i) {
        b.line(LineRole::CutCurve, at(i, y0 + m.h[i]), at(i + 1, y0 + m.h[i + 1]),
               {middle, kBUpperCut, upper});
        b.line(LineRole::CutCurve, at(i, y0 - m.h[i]), at(i + 1, y0 - m.h[i + 1]),
               {middle, kBLowerCut, lower});
    }
    b.line(LineRole::SeamEdge, at(0, y0 + m.h[0]), at(0, y0 - m.h[0]), {middle, kBSeams});
    // The centre line marks the middle cross-section, where B's two halves meet.
    b.line(LineRole::CentreLine, at(0, y0), at(n, y0), {kNoOutline, kCentreLine});
    for (std::size_t i = 1; i < n; ++i) {
        b.line(LineRole::Generator, at(i, y0 - m.h[i]), at(i, y0 + m.h[i]),
               {kNoOutline, kBGenerators});
    }
    b.line(LineRole::SeamEdge, at(n, y0 + m.h[n]), at(n, y0 - m.h[n]), {middle, kBSeams});

    // Generator i on A's cut and on both of B's curves, numbered as the report numbers them:
    // each curve's points a run of their own.
    const double centres[] = {0.0, y0, y0};
    const double sides[] = {1.0, 1.0, -1.0};
    const char* const names[] = {"hA", "hB", "hB"};
    for (std::size_t curve = 0; curve < 3; ++curve) {
        b.onPieceOf(curve == 0 ? a : middle);
        b.newMarkRun();
        for (std::size_t i = 0; i <= n; ++i) {
            b.mark(at(i, centres[curve] + sides[curve] * m.h[i]), names[curve] + std::to_string(i));
        }
    }
    // Which pattern is which, and how many of each the elbow takes: inside each, over its
    // outer side, where it is highest.
    b.onPieceOf(a);
    b.caption({m.Lc / 2, m.hmax / 2}, "A – 2 szt.");
    b.onPieceOf(middle);
    b.caption({m.Lc / 2, y0 + m.hmax / 2}, "B – " + std::to_string(m.inputs.Ns - 2) + " szt.");
    return std::move(b).finish();
}

} // namespace

CalculationOutputs elbowOutputs(const ElbowModel& model, std::string_view dateText) {
    CalculationOutputs outputs;
    outputs.report = makePointReport(heading(model), resultLines(model), sheet(model), dateText);
    outputs.pattern = pattern(model);
    outputs.look = {standardStyles(), centredOnBox(0.0, model.Lc, -kMarginBelow * model.hmax,
                                                   kTopAboveBase * model.hmax)};
    return outputs;
}

} // namespace blachorys::core
