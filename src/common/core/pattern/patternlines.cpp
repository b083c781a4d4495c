#include "common/core/pattern/patternlines.h"

#include <algorithm>
#include <string>
#include <utility>

namespace blachorys::core {
namespace {

/** The strip's outline first, its inner generators over it. */
constexpr int kStripOutlinePass = 0;
constexpr int kStripGeneratorPass = 1;

/** The sector's arcs one after the other, then the sides of the cut, then the generators. */
constexpr int kLargeArcPass = 0;
constexpr int kSmallArcPass = 1;
constexpr int kSidesPass = 2;
constexpr int kSectorGeneratorPass = 3;

} // namespace

Pattern templateStripPattern(const TemplateStrip& strip, CutPiece piece,
                             std::vector<PatternPoint> exactCurve) {
    const auto& L = strip.L;
    const auto& h = strip.h;
    const std::size_t n = L.size() - 1;
    PatternBuilder b;
    const auto curve = [&](std::size_t i) { return PatternPoint{L[i], -h[i]}; };
    const auto top = [&](std::size_t i) { return PatternPoint{L[i], 0.0}; };
    const int outline = b.newPiece(std::move(piece));
    const LinePlace edge{outline, kStripOutlinePass};
    const LinePlace chord{outline, kStripOutlinePass,
                          b.exactCurve(LineRole::CutCurve, std::move(exactCurve))};
    b.line(LineRole::SeamEdge, {0.0, 0.0}, curve(0), edge);
    for (std::size_t i = 1; i <= n; ++i) {
        b.line(LineRole::CutCurve, curve(i - 1), curve(i), chord);
        if (i < n) {
            b.line(LineRole::Generator, top(i), curve(i), {kNoOutline, kStripGeneratorPass});
        } else {
            b.line(LineRole::ClosingSeam, top(i), curve(i), edge);
        }
    }
    b.line(LineRole::EndEdge, {0.0, 0.0}, top(n), edge);
    for (std::size_t i = 0; i <= n; ++i) {
        b.mark(curve(i), "h" + std::to_string(i));
    }
    return std::move(b).finish();
}

SheetBox sectorBox(const ConeSector& s) {
    SheetBox box{s.Xm[0], s.Xm[0], s.Ym[0], s.Ym[0]};
    for (std::size_t j = 0; j < s.Xm.size(); ++j) {
        box.xMin = std::min({box.xMin, s.Xm[j], s.Xd[j]});
        box.xMax = std::max({box.xMax, s.Xm[j], s.Xd[j]});
        box.yMin = std::min({box.yMin, s.Ym[j], s.Yd[j]});
        box.yMax = std::max({box.yMax, s.Ym[j], s.Yd[j]});
    }
    return box;
}

int addConeSector(PatternBuilder& b, CutPiece piece, const ConeSector& s, SectorRoles roles,
                  ExactArcs exact) {
    const std::size_t n = s.Xm.size() - 1;
    const auto small = [&](std::size_t j) { return PatternPoint{s.Xm[j], s.Ym[j]}; };
    const auto large = [&](std::size_t j) { return PatternPoint{s.Xd[j], s.Yd[j]}; };
    const int outline = b.newPiece(std::move(piece));
    const int largeCurve = b.exactCurve(roles.largeArc, std::move(exact.large));
    const int smallCurve = b.exactCurve(roles.smallArc, std::move(exact.small));
    for (std::size_t j = 0; j < n; ++j) {
        b.line(roles.largeArc, large(j), large(j + 1), {outline, kLargeArcPass, largeCurve});
        b.line(roles.smallArc, small(j), small(j + 1), {outline, kSmallArcPass, smallCurve});
    }
    b.line(LineRole::SeamEdge, small(0), large(0), {outline, kSidesPass});
    b.line(LineRole::SeamEdge, small(n), large(n), {outline, kSidesPass});
    for (std::size_t j = 1; j < n; ++j) {
        b.line(LineRole::Generator, small(j), large(j), {kNoOutline, kSectorGeneratorPass});
    }
    b.numberedMarks("Xm", s.Xm, s.Ym);
    b.numberedMarks("Xd", s.Xd, s.Yd);
    return outline;
}

int addShellSheet(PatternBuilder& b, CutPiece piece, double length, double around,
                  const std::array<int, 4>& passes) {
    const int outline = b.newPiece(std::move(piece));
    const PatternPoint a{0.0, 0.0};
    const PatternPoint bCorner{length, 0.0};
    const PatternPoint c{length, around};
    const PatternPoint d{0.0, around};
    b.line(LineRole::SeamEdge, a, bCorner, {outline, passes[0]});
    b.line(LineRole::EndEdge, bCorner, c, {outline, passes[1]});
    b.line(LineRole::SeamEdge, c, d, {outline, passes[2]});
    b.line(LineRole::StartEdge, d, a, {outline, passes[3]});
    b.newMarkRun();
    b.mark(a, "a");
    b.mark(bCorner, "b");
    b.mark(c, "c");
    b.mark(d, "d");
    return outline;
}

std::vector<PatternPoint> pointsOf(const std::vector<double>& X, const std::vector<double>& Y) {
    std::vector<PatternPoint> points(X.size());
    for (std::size_t i = 0; i < X.size(); ++i) {
        points[i] = {X[i], Y[i]};
    }
    return points;
}

} // namespace blachorys::core
