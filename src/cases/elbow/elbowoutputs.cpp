#include "cases/elbow/elbowoutputs.h"

#include "common/core/base/numbertext.h"
#include "common/core/calculator/sheetseam.h"
#include "common/core/calculator/wallchoices.h"
#include "common/core/pattern/patternlines.h"

#include <algorithm>
#include <numbers>
#include <string>

namespace blachorys::core {
namespace {

constexpr int kRuleLength = 55;

/** Both patterns' sheets: A's, then B's, twice as high. */
ReportSheet sheet(const ElbowModel& m) {
    return {kRuleLength,
            "A->  " + sheetSizeText(m.Lc, m.hmax) + "  ,  B->  " + sheetSizeText(m.Lc, 2 * m.hmax)};
}

/** The preview fits the patterns with half an hmax of margin below the first and above the last. */
constexpr double kMarginBelow = 0.5;

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
    std::vector<std::string> inputLines{std::move(dimensions), std::move(counts)};
    if (in.seam != 0.0 || in.alternateSeams) {
        inputLines.push_back("szew = " + formatReport(seamWithinATurn(in.seam)) + " [°]" +
                             (in.alternateSeams ? " , szwy na przemian" : ""));
    }
    return {.title = "Rozwiniecie KOLANA SEGMENTOWEGO",
            .titleRule = kRuleLength,
            .inputLines = std::move(inputLines),
            .wallLines = wallLines(m),
            .inputsRule = kRuleLength};
}

/** A point's line, or the seam's, " sz", where it falls between two points. */
std::string generatorLine(const ElbowGenerator& g) {
    const std::initializer_list<LabelledValue> values = {
        {"L=", g.L}, {", hA=", g.h}, {", hB=", 2 * g.h}};
    return g.point >= 0 ? pointLine(g.point, "  ", values) : " sz  " + labelledValues(values);
}

/** "Szew przy 90.0° (punkt 6) : A – 1 szt. , B – 4 szt." */
std::string seamHeading(const ElbowModel& m, double seam) {
    constexpr double kDegrees = 180.0 / std::numbers::pi;
    std::string where;
    for (const ElbowStrip& strip : m.strips) {
        if (strip.seam != seam) {
            continue;
        }
        if (where.empty()) {
            const std::vector<ElbowGenerator>& g = strip.generators;
            where = g.front().point >= 0
                        ? "(punkt " + std::to_string(g.front().point) + ")"
                        : "(sz, miedzy punktami " + std::to_string(g[g.size() - 2].point) + " i " +
                              std::to_string(g[1].point) + ")";
            where = "Szew przy " + formatReport(seam * kDegrees) + " [°] " + where + " :";
        } else {
            where += " ,";
        }
        where += " " + strip.name + " – " + std::to_string(strip.count) + " szt.";
    }
    return where;
}

/**
 * The table of generators: with every seam on the inner side, point by point as always;
 * otherwise one table for each angle a pattern starts at, from its seam round to it again.
 */
std::vector<std::string> resultLines(const ElbowModel& m) {
    std::vector<std::string> lines;
    if (m.seamsOnTheInnerSide()) {
        for (std::size_t i = 0; i < m.L.size(); ++i) {
            lines.push_back(pointLine(static_cast<int>(i), "  ",
                                      {{"L=", m.L[i]}, {", hA=", m.h[i]}, {", hB=", 2 * m.h[i]}}));
        }
        return lines;
    }
    lines.push_back("Katy szwu od wewnetrznej strony luku; ostatni segment A odwrocony");
    std::vector<double> listed;
    for (const ElbowStrip& strip : m.strips) {
        if (std::find(listed.begin(), listed.end(), strip.seam) != listed.end()) {
            continue;
        }
        listed.push_back(strip.seam);
        lines.push_back(seamHeading(m, strip.seam));
        for (const ElbowGenerator& g : strip.generators) {
            lines.push_back(generatorLine(g));
        }
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

PatternPoint at(const ElbowGenerator& g, double y) {
    return {g.L, y};
}

std::vector<PatternPoint> shifted(std::vector<PatternPoint> curve, double base, double side) {
    for (PatternPoint& p : curve) {
        p.y = base + side * p.y;
    }
    return curve;
}

/**
 * The strip's generators at reported points, in the order of their numbers, 0 to N: where the
 * seam lies elsewhere, points 0 and N are the same generator, as the table has them.
 */
std::vector<ElbowGenerator> pointsInOrder(const ElbowStrip& strip) {
    const int n = std::max_element(strip.generators.begin(), strip.generators.end(),
                                   [](const ElbowGenerator& a, const ElbowGenerator& b) {
                                       return a.point < b.point;
                                   })
                      ->point;
    std::vector<ElbowGenerator> points(static_cast<std::size_t>(n) + 1);
    std::vector<bool> found(points.size(), false);
    for (const ElbowGenerator& g : strip.generators) {
        if (g.point >= 0 && !found[static_cast<std::size_t>(g.point)]) {
            points[static_cast<std::size_t>(g.point)] = g;
            found[static_cast<std::size_t>(g.point)] = true;
        }
    }
    if (!found[0]) {
        points[0] = points.back();
        points[0].point = 0;
    }
    return points;
}

/** An end segment's strip from its base line upwards. */
int addEndStrip(PatternBuilder& b, const ElbowStrip& strip, double t) {
    const std::vector<ElbowGenerator>& g = strip.generators;
    const std::size_t n = g.size() - 1;
    const double y = strip.base;
    const int piece = b.newPiece({strip.name, strip.count, t, {SplitKind::AlongGenerators}});
    const int cut = b.exactCurve(LineRole::CutCurve, shifted(strip.exactCut, y, 1.0));
    for (std::size_t i = 0; i < n; ++i) {
        b.line(LineRole::CutCurve, at(g[i], y + g[i].h), at(g[i + 1], y + g[i + 1].h),
               {piece, kACut, cut});
    }
    b.line(LineRole::SeamEdge, at(g[0], y), at(g[0], y + g[0].h), {piece, kASeams});
    b.line(LineRole::SeamEdge, at(g[n], y), at(g[n], y + g[n].h), {piece, kASeams});
    b.line(LineRole::EndEdge, at(g[0], y), at(g[n], y), {piece, kABase});
    for (std::size_t i = 1; i < n; ++i) {
        b.line(LineRole::Generator, at(g[i], y), at(g[i], y + g[i].h), {kNoOutline, kAGenerators});
    }
    return piece;
}

/** A middle segment's strip about its centre line. */
int addMiddleStrip(PatternBuilder& b, const ElbowStrip& strip, double t) {
    const std::vector<ElbowGenerator>& g = strip.generators;
    const std::size_t n = g.size() - 1;
    const double y0 = strip.base;
    const int piece = b.newPiece({strip.name, strip.count, t, {SplitKind::AlongGenerators}});
    const int upper = b.exactCurve(LineRole::CutCurve, shifted(strip.exactCut, y0, 1.0));
    const int lower = b.exactCurve(LineRole::CutCurve, shifted(strip.exactCut, y0, -1.0));
    for (std::size_t i = 0; i < n; ++i) {
        b.line(LineRole::CutCurve, at(g[i], y0 + g[i].h), at(g[i + 1], y0 + g[i + 1].h),
               {piece, kBUpperCut, upper});
        b.line(LineRole::CutCurve, at(g[i], y0 - g[i].h), at(g[i + 1], y0 - g[i + 1].h),
               {piece, kBLowerCut, lower});
    }
    b.line(LineRole::SeamEdge, at(g[0], y0 + g[0].h), at(g[0], y0 - g[0].h), {piece, kBSeams});
    // The centre line marks the middle cross-section, where B's two halves meet.
    b.line(LineRole::CentreLine, at(g[0], y0), at(g[n], y0), {kNoOutline, kCentreLine});
    for (std::size_t i = 1; i < n; ++i) {
        b.line(LineRole::Generator, at(g[i], y0 - g[i].h), at(g[i], y0 + g[i].h),
               {kNoOutline, kBGenerators});
    }
    b.line(LineRole::SeamEdge, at(g[n], y0 + g[n].h), at(g[n], y0 - g[n].h), {piece, kBSeams});
    return piece;
}

/**
 * Each strip in its turn: A (an end segment) from its base line upwards, B (a middle segment)
 * about its centre line, one outline each. With the seams on the inner side the preview fits
 * the box 0..Lc by −0.5·hmax..4·hmax, centred: A's base line lies 3.5·hmax·scale / 2 below the
 * middle of the image and B's centre line 2.5·hmax·scale above it.
 */
Pattern pattern(const ElbowModel& m) {
    PatternBuilder b;
    const double t = elbowWall(m.inputs).thickness;
    std::vector<int> pieces;
    for (const ElbowStrip& strip : m.strips) {
        pieces.push_back(strip.middle ? addMiddleStrip(b, strip, t) : addEndStrip(b, strip, t));
    }
    // Each reported point on A's cut and on both of B's curves, numbered as the report numbers
    // them, point 0 first wherever the seam lies: each curve's points a run of their own.
    for (std::size_t s = 0; s < m.strips.size(); ++s) {
        const ElbowStrip& strip = m.strips[s];
        const std::vector<ElbowGenerator> points = pointsInOrder(strip);
        for (const double side : strip.middle ? std::vector{1.0, -1.0} : std::vector{1.0}) {
            b.onPieceOf(pieces[s]);
            b.newMarkRun();
            for (const ElbowGenerator& g : points) {
                b.mark(at(g, strip.base + side * g.h),
                       (strip.middle ? "hB" : "hA") + std::to_string(g.point));
            }
        }
    }
    // Which pattern is which, and how many of each the elbow takes: inside each, over its
    // outer side, where it is highest.
    for (std::size_t s = 0; s < m.strips.size(); ++s) {
        const ElbowStrip& strip = m.strips[s];
        b.onPieceOf(pieces[s]);
        b.caption({m.Lc / 2, strip.base + m.hmax / 2},
                  strip.name + " – " + std::to_string(strip.count) + " szt.");
    }
    return std::move(b).finish();
}

} // namespace

CalculationOutputs elbowOutputs(const ElbowModel& model, std::string_view dateText) {
    CalculationOutputs outputs;
    outputs.report = makePointReport(heading(model), resultLines(model), sheet(model), dateText);
    outputs.pattern = pattern(model);
    outputs.look = {standardStyles(), centredOnBox(0.0, model.Lc, -kMarginBelow * model.hmax,
                                                   model.topInHmax * model.hmax)};
    return outputs;
}

} // namespace blachorys::core
