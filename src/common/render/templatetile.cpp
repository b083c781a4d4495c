#include "common/render/templatetile.h"

#include "common/render/millimetrepainter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace blachorys::render {
namespace {

/** The check bars: this long on paper once the printer prints at the corrected scale. */
constexpr double kCheckBarMm = 100.0;
const QColor kCheckBarColour(0, 0, 255);
const QColor kFrameColour(110, 110, 110);
constexpr double kThinMm = 0.15;
constexpr double kTickMm = 3.0;
/** The X bar lies this far under the frame, the Y bar this far left of it, mm. */
constexpr double kBarOffsetMm = 6.0;
/** Room kept between a text and a cross, a bar or another text, mm. */
constexpr double kClearMm = 0.5;
/** Band texts stand this far beyond a cross's arm: the arm reaches into the band. */
constexpr double kBeyondArmMm = core::kCrossArmMm + kClearMm;

constexpr TextStyle kNameStyle{3.2, true};
constexpr TextStyle kNeighbourStyle{2.6, false};
constexpr TextStyle kTitleStyle{2.4, false};
constexpr double kSmallestTitleMm = 1.6;
constexpr TextStyle kNoteStyle{2.2, false};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QString arrowed(const char* arrow, const std::string& name) {
    return QString::fromUtf8(arrow) + u' ' + q(name);
}

using Span = std::pair<double, double>;

/**
 * Where a run of `length` along from..to starts that meets none of the blocked spans, the one
 * nearest `preferred`; nothing when there is none.
 */
std::optional<double> freeStart(double from, double to, double length, double preferred,
                                const std::vector<Span>& blocked) {
    std::vector<double> starts{std::clamp(preferred, from, to - length)};
    for (const auto& [low, high] : blocked) {
        starts.push_back(high + kClearMm);
        starts.push_back(low - kClearMm - length);
    }
    std::optional<double> best;
    for (const double start : starts) {
        const bool within = start >= from && start + length <= to;
        const bool clear = std::none_of(blocked.begin(), blocked.end(), [&](const Span& span) {
            return start < span.second + kClearMm && span.first - kClearMm < start + length;
        });
        if (within && clear &&
            (!best || std::fabs(start - preferred) < std::fabs(*best - preferred))) {
            best = start;
        }
    }
    return best;
}

/** The crosses' arms along one edge: their extents along it. */
std::vector<Span> armsAlong(const std::vector<core::PagePoint>& crosses, bool vertical,
                            double edge) {
    std::vector<Span> spans;
    for (const core::PagePoint& cross : crosses) {
        const double across = vertical ? cross.x : cross.y;
        const double along = vertical ? cross.y : cross.x;
        // A cross on the edge, or one whose arm reaches over it from inside the frame.
        if (std::fabs(across - edge) <= core::kCrossArmMm) {
            spans.push_back({along - core::kCrossArmMm, along + core::kCrossArmMm});
        }
    }
    return spans;
}

/** The frame, the dashed zones shared with the neighbours, their crosses. */
void paintFrame(MillimetrePainter& mm, const core::TemplatePlan& plan,
                const core::TemplatePage& page) {
    const core::RectMm& f = plan.frame;
    mm.pen(kFrameColour, kThinMm);
    mm.rectangle(f.left, f.top, f.width, f.height);
    const double overlapX = plan.settings.overlapMm * plan.scaleX;
    const double overlapY = plan.settings.overlapMm * plan.scaleY;
    mm.pen(kFrameColour, kThinMm, Qt::DashLine);
    if (!page.left.empty()) {
        mm.rectangle(f.left, f.top, overlapX, f.height);
    }
    if (!page.right.empty()) {
        mm.rectangle(f.right() - overlapX, f.top, overlapX, f.height);
    }
    if (!page.above.empty()) {
        mm.rectangle(f.left, f.top, f.width, overlapY);
    }
    if (!page.below.empty()) {
        mm.rectangle(f.left, f.bottom() - overlapY, f.width, overlapY);
    }
    mm.pen(Qt::black, core::kCrossPenMm);
    for (const core::PagePoint& cross : page.crosses) {
        mm.cross(cross.x, cross.y);
    }
}

/** 100 mm along X under the frame and along Y beside it, each with its note. */
void paintCheckBars(MillimetrePainter& mm, const core::TemplatePlan& plan) {
    const core::RectMm& f = plan.frame;
    const double lengthX = kCheckBarMm * plan.scaleX;
    const double lengthY = kCheckBarMm * plan.scaleY;
    const double barY = f.bottom() + kBarOffsetMm;
    mm.pen(kCheckBarColour, 0.3);
    mm.line(f.left, barY, f.left + lengthX, barY);
    mm.line(f.left, barY - kTickMm / 2, f.left, barY + kTickMm / 2);
    mm.line(f.left + lengthX, barY - kTickMm / 2, f.left + lengthX, barY + kTickMm / 2);
    const double barX = f.left - kBarOffsetMm;
    mm.line(barX, f.bottom(), barX, f.bottom() - lengthY);
    mm.line(barX - kTickMm / 2, f.bottom(), barX + kTickMm / 2, f.bottom());
    mm.line(barX - kTickMm / 2, f.bottom() - lengthY, barX + kTickMm / 2, f.bottom() - lengthY);
    const QString note = QStringLiteral("Zmierz: 100 mm");
    mm.pen(Qt::black, kThinMm);
    mm.text(f.left + 2, barY + kTickMm / 2 + kClearMm + mm.ascent(kNoteStyle), kNoteStyle, note);
    mm.upwardText(barX - kTickMm / 2 - kClearMm - mm.descent(kNoteStyle), f.bottom() - 2,
                  kNoteStyle, note);
}

/**
 * The top band, above the crosses' arms: the page's name, its title shrunk or cut to the room
 * left, and the name of the page above at the right.
 */
void paintTopBand(MillimetrePainter& mm, const core::TemplatePlan& plan,
                  const core::TemplatePage& page, const QString& title) {
    const core::RectMm& f = plan.frame;
    const double baseline = f.top - kBeyondArmMm - mm.descent(kNameStyle);
    double right = f.right();
    if (!page.above.empty()) {
        const QString above = arrowed("▲", page.above);
        right -= mm.textWidth(kNeighbourStyle, above);
        mm.text(right, baseline, kNeighbourStyle, above);
        right -= 3;
    }
    mm.text(f.left, baseline, kNameStyle, q(page.name));
    const double left = f.left + mm.textWidth(kNameStyle, q(page.name)) + 3;
    TextStyle style = kTitleStyle;
    while (mm.textWidth(style, title) > right - left && style.capitalMm > kSmallestTitleMm) {
        style.capitalMm = std::max(kSmallestTitleMm, style.capitalMm - 0.1);
    }
    mm.text(left, baseline, style, mm.elided(style, title, right - left));
}

/** The names of the pages below, left and right, each where no cross or bar is. */
void paintNeighbours(MillimetrePainter& mm, const core::TemplatePlan& plan,
                     const core::TemplatePage& page) {
    const core::RectMm& f = plan.frame;
    const double height = mm.ascent(kNeighbourStyle) + mm.descent(kNeighbourStyle);
    const double barLengthX = kCheckBarMm * plan.scaleX;
    const double barLengthY = kCheckBarMm * plan.scaleY;
    if (!page.below.empty()) {
        // Under the crosses' arms, clear of the X bar and its note.
        const QString text = arrowed("▼", page.below);
        const double width = mm.textWidth(kNeighbourStyle, text);
        const double noteEnd =
            f.left + 2 + mm.textWidth(kNoteStyle, QStringLiteral("Zmierz: 100 mm"));
        const std::vector<Span> bar{{f.left - kTickMm, std::max(f.left + barLengthX, noteEnd)}};
        if (const auto x = freeStart(f.left, f.right(), width, f.right() - width, bar)) {
            mm.text(*x, f.bottom() + kBeyondArmMm + mm.ascent(kNeighbourStyle), kNeighbourStyle,
                    text);
        }
    }
    if (!page.left.empty()) {
        // Beside the frame, between the crosses' arms and above the Y bar; read upwards.
        const QString text = arrowed("◄", page.left);
        const double length = mm.textWidth(kNeighbourStyle, text);
        std::vector<Span> blocked = armsAlong(page.crosses, true, f.left);
        blocked.push_back({f.bottom() - barLengthY - kTickMm, f.bottom() + kTickMm});
        if (const auto y = freeStart(f.top, f.bottom(), length, f.top, blocked)) {
            mm.upwardText(f.left - 1 - mm.descent(kNeighbourStyle), *y + length, kNeighbourStyle,
                          text);
        }
    }
    if (!page.right.empty()) {
        const QString text = arrowed("►", page.right);
        const double length = mm.textWidth(kNeighbourStyle, text);
        const double x = f.right() + 1 + height - mm.descent(kNeighbourStyle);
        if (const auto y = freeStart(f.top, f.bottom(), length, f.top + (f.height - length) / 2,
                                     armsAlong(page.crosses, true, f.right()))) {
            mm.upwardText(x, *y + length, kNeighbourStyle, text);
        }
    }
}

} // namespace

void paintTile(MillimetrePainter& mm, const core::TemplatePlan& plan,
               const core::TemplatePage& page, int sheet, const QString& heading) {
    paintFrame(mm, plan, page);
    for (const auto& stroke : page.strokes) {
        const core::TemplateInk ink = plan.inkOf(stroke.role);
        mm.pen(QColor(ink.colour.red, ink.colour.green, ink.colour.blue), ink.widthMm,
               ink.dashDot ? Qt::DashDotLine : Qt::SolidLine);
        mm.line(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
    }
    const TextStyle labelStyle{core::kLabelCapitalMm, false};
    mm.pen(Qt::black, kThinMm);
    for (const auto& label : page.labels) {
        if (label.dot) {
            mm.dot(label.x, label.y, core::kPointDotRadiusMm);
        }
        mm.text(label.textX, label.textY, labelStyle, q(label.text));
    }
    paintCheckBars(mm, plan);
    mm.pen(Qt::black, kThinMm);
    paintTopBand(mm, plan, page,
                 QStringLiteral("%1 - szablon 1:1 - strona %2 z %3")
                     .arg(heading)
                     .arg(sheet)
                     .arg(plan.sheetCount()));
    paintNeighbours(mm, plan, page);
}

} // namespace blachorys::render
