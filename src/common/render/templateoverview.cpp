#include "common/render/templateoverview.h"

#include "common/core/base/numbertext.h"
#include "common/core/sheets/templatewording.h"
#include "common/render/millimetrepainter.h"
#include "common/render/templatepainter.h"

#include <QStringList>

#include <algorithm>

namespace blachorys::render {
namespace {

const QColor kFrameColour(110, 110, 110);
constexpr double kThinMm = 0.15;
/** Space between two lines of a paragraph, and after a paragraph, mm. */
constexpr double kLineGapMm = 1.2;
constexpr double kParagraphGapMm = 2.0;
/** The sheets' names shrink to this before the list is cut short. */
constexpr TextStyle kNamesStyle{3.2, true};
constexpr TextStyle kSmallestNamesStyle{2.0, true};

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QString settingsLine(const core::TemplatePlan& plan) {
    return QStringLiteral("Zakladka %1 mm, korekta skali X %2 %, Y %3 %")
        .arg(q(core::formatFixed(plan.settings.overlapMm, 1)),
             q(core::formatFixed(plan.settings.scaleXPercent, 1)),
             q(core::formatFixed(plan.settings.scaleYPercent, 1)));
}

/** Words of `text` broken into lines no wider than `widthMm`; a longer word is cut. */
QStringList wrapped(const MillimetrePainter& mm, TextStyle style, const QString& text,
                    double widthMm) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ')) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && mm.textWidth(style, longer) > widthMm) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    lines << line;
    for (QString& l : lines) {
        if (mm.textWidth(style, l) > widthMm) {
            l = mm.elided(style, l, widthMm);
        }
    }
    return lines;
}

double lineHeight(const MillimetrePainter& mm, TextStyle style) {
    return mm.ascent(style) + mm.descent(style);
}

/** Draws the lines from `top` down; returns the top of what follows. */
double paragraph(MillimetrePainter& mm, TextStyle style, const QStringList& lines, double left,
                 double top) {
    for (const QString& line : lines) {
        mm.text(left, top + mm.ascent(style), style, line);
        top += lineHeight(mm, style) + kLineGapMm;
    }
    return top + kParagraphGapMm - kLineGapMm;
}

/**
 * The list of sheets in a style that lets it end above `bottom`, shrunk as far as needed, and
 * cut short with "…" when even the smallest would not.
 */
double sheetNames(MillimetrePainter& mm, const QString& text, double left, double top, double width,
                  double bottom) {
    for (TextStyle style = kNamesStyle; style.capitalMm >= kSmallestNamesStyle.capitalMm;
         style.capitalMm -= 0.2) {
        QStringList lines = wrapped(mm, style, text, width);
        const double step = lineHeight(mm, style) + kLineGapMm;
        const auto fitting = static_cast<qsizetype>(std::max(0.0, (bottom - top) / step));
        const bool smallest = style.capitalMm - 0.2 < kSmallestNamesStyle.capitalMm;
        if (lines.size() <= fitting || (smallest && fitting > 0)) {
            if (lines.size() > fitting) {
                lines = lines.mid(0, fitting);
                lines.back() = mm.elided(style, lines.back() + QStringLiteral(" …"), width);
            }
            return paragraph(mm, style, lines, left, top);
        }
    }
    return top;
}

QString pageNames(const core::TemplatePlan& plan) {
    QStringList names;
    for (const auto& page : plan.pages) {
        names << q(page.name);
    }
    return QStringLiteral("Skala 1:1 na arkuszach ") + names.join(QStringLiteral(", "));
}

/** The pattern small in the box, with each printed page's tile and name over it. */
void smallPattern(MillimetrePainter& mm, const core::TemplatePlan& plan, const BoxMm& box) {
    const double patternWidth = plan.patternMaxX - plan.patternMinX;
    const double patternHeight = plan.patternMaxY - plan.patternMinY;
    if (box.height <= 10 || patternWidth <= 0 || patternHeight <= 0) {
        return;
    }
    const double scale = std::min(box.width / patternWidth, box.height / patternHeight);
    const double originX = box.left + (box.width - patternWidth * scale) / 2;
    const double originY = box.top + (box.height - patternHeight * scale) / 2;
    const auto sx = [&](double x) { return originX + (x - plan.patternMinX) * scale; };
    const auto sy = [&](double y) { return originY + (plan.patternMaxY - y) * scale; };
    for (const auto& line : plan.lines) {
        const core::TemplateInk ink = plan.inkOf(line.role);
        mm.pen(QColor(ink.colour.red, ink.colour.green, ink.colour.blue), ink.widthMm / 2,
               ink.dashDot ? Qt::DashDotLine : Qt::SolidLine);
        mm.line(sx(line.x1), sy(line.y1), sx(line.x2), sy(line.y2));
    }
    // A name no wider than the step to the next tile, so that no two names meet.
    const double stepX = (plan.tileWidth - plan.settings.overlapMm) * scale;
    const double stepY = (plan.tileHeight - plan.settings.overlapMm) * scale;
    for (const auto& page : plan.pages) {
        mm.pen(kFrameColour, kThinMm, Qt::DashLine);
        mm.rectangle(sx(page.patternLeft), sy(page.patternTop), plan.tileWidth * scale,
                     plan.tileHeight * scale);
        TextStyle style{std::clamp(stepY / 6, 1.2, 4.0), false};
        const double width = mm.textWidth(style, q(page.name));
        if (width > stepX - 2) {
            style.capitalMm *= std::max(0.0, stepX - 2) / width;
        }
        if (style.capitalMm < 0.5) {
            continue;
        }
        mm.pen(kFrameColour, kThinMm);
        mm.text(sx(page.patternLeft) + 1, sy(page.patternTop) + 1 + mm.ascent(style), style,
                q(page.name));
    }
}

} // namespace

void paintOverview(MillimetrePainter& mm, const core::TemplatePlan& plan,
                   const TemplateTitle& title) {
    const double left = plan.marginMm + 5;
    const double width = plan.paper.width - 2 * left;
    const double bottom = plan.paper.height - plan.marginMm - 5;
    const TextStyle body{2.6, false};
    mm.pen(Qt::black, kThinMm);
    double top = plan.marginMm + 4;
    const TextStyle heading{5.0, true};
    top = paragraph(mm, heading,
                    wrapped(mm, heading, QStringLiteral("Szablon 1:1 - ") + title.heading, width),
                    left, top);

    QStringList texts;
    if (title.report != nullptr) {
        for (const auto& line : title.report->headerLines()) {
            texts << q(line);
        }
        texts << q(title.report->sheetLine());
        for (const auto& note : title.report->cutNotes) {
            texts << q(note);
        }
        // The report's sheet is the box round the reported points; the cut line can bulge out
        // of it between two of them.
        for (const core::ExactSheet& sheet : plan.exactSheets) {
            texts << QStringLiteral(
                         "Arkusz wg dokladnej linii ciecia : %1 x %2 (w wynikach %3 x %4)")
                         .arg(q(core::formatReport(sheet.width)),
                              q(core::formatReport(sheet.height)),
                              q(core::formatReport(sheet.reportedWidth)),
                              q(core::formatReport(sheet.reportedHeight)));
        }
        texts << q(title.report->dateLine);
    }
    texts << QStringLiteral("Szablon: ") + q(core::sheetSummary(plan)) +
                 QStringLiteral(" - strona 1 z %1").arg(plan.sheetCount());
    texts << settingsLine(plan);
    texts << QStringLiteral("Wydrukuj w skali 100 % (bez dopasowania do strony) i zmierz paski "
                            "kontrolne: maja 100 mm.");
    QStringList lines;
    for (const QString& text : texts) {
        lines << wrapped(mm, body, text, width);
    }
    top = paragraph(mm, body, lines, left, top);
    top = sheetNames(mm, pageNames(plan), left, top, width, bottom);
    smallPattern(mm, plan, {left, top + 2, width, bottom - top - 2});
}

} // namespace blachorys::render
