#include "common/render/templatepainter.h"

#include "common/core/numbertext.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace blachorys::render {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
/** The check bars: this long on paper once the printer prints at the corrected scale. */
constexpr double kCheckBarMm = 100.0;
const QColor kCheckBarColour(0, 0, 255);
const QColor kFrameColour(110, 110, 110);
constexpr double kThinMm = 0.15;
constexpr double kCrossArmMm = 4.0;
constexpr double kTickMm = 3.0;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** Draws in paper millimetres on a device of any resolution. */
class MillimetrePainter {
public:
    MillimetrePainter(QPainter& painter, double dpiX, double dpiY)
        : m_painter(painter), m_x(dpiX / kMillimetresPerInch), m_y(dpiY / kMillimetresPerInch) {}

    QPointF at(double x, double y) const { return {x * m_x, y * m_y}; }

    void pen(const QColor& colour, double widthMm, Qt::PenStyle style = Qt::SolidLine) {
        QPen pen(colour, widthMm * m_x, style, Qt::RoundCap, Qt::RoundJoin);
        m_painter.setPen(pen);
    }
    void line(double x1, double y1, double x2, double y2) {
        m_painter.drawLine(at(x1, y1), at(x2, y2));
    }
    void cross(double x, double y) {
        line(x - kCrossArmMm, y, x + kCrossArmMm, y);
        line(x, y - kCrossArmMm, x, y + kCrossArmMm);
    }
    void rectangle(double left, double top, double width, double height) {
        m_painter.drawRect(QRectF(at(left, top), at(left + width, top + height)));
    }
    /** Text of `heightMm` capitals, its baseline starting at (x, y). */
    void text(double x, double y, double heightMm, const QString& text, bool bold = false) {
        m_painter.setFont(font(heightMm, bold));
        m_painter.drawText(at(x, y), text);
    }
    /** Text turned a quarter left, reading upwards, its baseline starting at (x, y). */
    void upwardText(double x, double y, double heightMm, const QString& text) {
        m_painter.save();
        m_painter.translate(at(x, y));
        m_painter.rotate(-90);
        m_painter.setFont(font(heightMm, false));
        m_painter.drawText(QPointF(0, 0), text);
        m_painter.restore();
    }
    double textWidth(double heightMm, const QString& text, bool bold = false) const {
        return QFontMetricsF(font(heightMm, bold), m_painter.device()).horizontalAdvance(text) /
               m_x;
    }
    void dot(double x, double y, double radiusMm) {
        m_painter.setBrush(m_painter.pen().color());
        m_painter.drawEllipse(at(x, y), radiusMm * m_x, radiusMm * m_y);
        m_painter.setBrush(Qt::NoBrush);
    }

private:
    QFont font(double heightMm, bool bold) const {
        QFont font(QStringLiteral("DejaVu Sans"));
        // A point is 1/72 inch; the font's em is about 1.4 times its capital height.
        font.setPointSizeF(heightMm * 1.4 / kMillimetresPerInch * kPointsPerInch);
        font.setBold(bold);
        return font;
    }

    QPainter& m_painter;
    double m_x;
    double m_y;
};

QColor colourOf(const core::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QString pageNames(const core::TemplatePlan& plan) {
    QStringList names;
    for (const auto& page : plan.pages) {
        names << q(page.name);
    }
    return names.join(QStringLiteral(", "));
}

QString settingsLine(const core::TemplatePlan& plan) {
    const char* paper = core::paperOf(plan.settings.paper).name;
    return QStringLiteral("Arkusze %1 %2, zakladka %3 mm, korekta skali X %4 %, Y %5 %")
        .arg(QString::fromLatin1(paper),
             plan.landscape ? QStringLiteral("poziomo") : QStringLiteral("pionowo"),
             q(core::formatFixed(plan.settings.overlapMm, 1)),
             q(core::formatFixed(plan.settings.scaleXPercent, 1)),
             q(core::formatFixed(plan.settings.scaleYPercent, 1)));
}

/** Words of `text` broken into lines no wider than `widthMm`. */
QStringList wrapped(const MillimetrePainter& mm, double heightMm, const QString& text,
                    double widthMm, bool bold = false) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ')) {
        const QString longer = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && mm.textWidth(heightMm, longer, bold) > widthMm) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    lines << line;
    return lines;
}

/** The first page: the data of the calculation, then the whole pattern with the page grid. */
/** A pen of the ink's colour and style, `widthMm` wide. */
void inkPen(MillimetrePainter& mm, const core::TemplateInk& ink, double widthMm) {
    mm.pen(colourOf(ink.colour), widthMm, ink.dashDot ? Qt::DashDotLine : Qt::SolidLine);
}

void paintOverview(MillimetrePainter& mm, const core::TemplatePlan& plan,
                   const TemplateTitle& title) {
    const double left = plan.marginMm + 5;
    const double width = plan.paper.width - 2 * left;
    double y = plan.marginMm + 10;
    mm.pen(Qt::black, kThinMm);
    mm.text(left, y, 5, QStringLiteral("Szablon 1:1 - ") + title.heading, true);
    y += 9;
    QStringList texts;
    if (title.report != nullptr) {
        for (const auto& line : title.report->headerLines) {
            texts << q(line);
        }
        const auto& results = title.report->resultLines;
        if (results.size() >= 2) {
            texts << q(results[results.size() - 2]) + u' ' + q(results.back());
        }
        texts << q(title.report->footerLines[2]);
    }
    texts << QStringLiteral("Liczba stron szablonu: %1 (siatka %2 x %3)")
                 .arg(plan.pages.size())
                 .arg(plan.rows)
                 .arg(plan.columns);
    texts << settingsLine(plan);
    texts << QStringLiteral("Wydrukuj w skali 100 % (bez dopasowania do strony) i zmierz paski "
                            "kontrolne: maja 100 mm.");
    for (const QString& text : texts) {
        for (const QString& part : wrapped(mm, 2.6, text, width)) {
            mm.text(left, y, 2.6, part);
            y += 4.2;
        }
    }
    for (const QString& part : wrapped(
             mm, 3.2, QStringLiteral("Skala 1:1 na arkuszach ") + pageNames(plan), width, true)) {
        mm.text(left, y + 1, 3.2, part, true);
        y += 5;
    }
    y += 4;

    // The pattern small, with every printed page's tile over it.
    const double boxTop = y;
    const double boxHeight = plan.paper.height - plan.marginMm - 5 - boxTop;
    const double patternWidth = plan.patternMaxX - plan.patternMinX;
    const double patternHeight = plan.patternMaxY - plan.patternMinY;
    if (boxHeight <= 10 || patternWidth <= 0 || patternHeight <= 0) {
        return;
    }
    const double scale = std::min(width / patternWidth, boxHeight / patternHeight);
    const double originX = left + (width - patternWidth * scale) / 2;
    const double originY = boxTop + (boxHeight - patternHeight * scale) / 2;
    const auto sx = [&](double x) { return originX + (x - plan.patternMinX) * scale; };
    const auto sy = [&](double y) { return originY + (plan.patternMaxY - y) * scale; };
    for (const auto& line : plan.lines) {
        inkPen(mm, line.ink, line.ink.widthMm / 2);
        mm.line(sx(line.x1), sy(line.y1), sx(line.x2), sy(line.y2));
    }
    for (const auto& page : plan.pages) {
        mm.pen(kFrameColour, kThinMm, Qt::DashLine);
        mm.rectangle(sx(page.patternLeft), sy(page.patternTop), plan.tileWidth * scale,
                     plan.tileHeight * scale);
        const double height = std::clamp(plan.tileHeight * scale / 6, 1.5, 4.0);
        mm.pen(kFrameColour, kThinMm);
        mm.text(sx(page.patternLeft) + 1, sy(page.patternTop) + height + 1, height, q(page.name));
    }
}

QString arrowed(const char* arrow, const std::string& name) {
    return QString::fromUtf8(arrow) + u' ' + q(name);
}

/** The alignment crosses at the corners of the zones shared with the printed neighbours. */
void paintCrosses(MillimetrePainter& mm, const core::TemplatePlan& plan,
                  const core::TemplatePage& page) {
    const core::RectMm& f = plan.frame;
    const double overlapX = plan.settings.overlapMm * plan.scaleX;
    const double overlapY = plan.settings.overlapMm * plan.scaleY;
    std::set<std::pair<double, double>> points;
    const auto zone = [&](double left, double top, double right, double bottom) {
        points.insert({left, top});
        points.insert({right, top});
        points.insert({left, bottom});
        points.insert({right, bottom});
        mm.pen(kFrameColour, kThinMm, Qt::DashLine);
        mm.rectangle(left, top, right - left, bottom - top);
    };
    if (!page.left.empty()) {
        zone(f.left, f.top, f.left + overlapX, f.bottom());
    }
    if (!page.right.empty()) {
        zone(f.right() - overlapX, f.top, f.right(), f.bottom());
    }
    if (!page.above.empty()) {
        zone(f.left, f.top, f.right(), f.top + overlapY);
    }
    if (!page.below.empty()) {
        zone(f.left, f.bottom() - overlapY, f.right(), f.bottom());
    }
    mm.pen(Qt::black, kThinMm);
    for (const auto& [x, y] : points) {
        mm.cross(x, y);
    }
}

/** 100 mm along X under the frame and along Y beside it, each with its note. */
void paintCheckBars(MillimetrePainter& mm, const core::TemplatePlan& plan) {
    const core::RectMm& f = plan.frame;
    const double lengthX = kCheckBarMm * plan.scaleX;
    const double lengthY = kCheckBarMm * plan.scaleY;
    const double barY = f.bottom() + 6;
    mm.pen(kCheckBarColour, 0.3);
    mm.line(f.left, barY, f.left + lengthX, barY);
    mm.line(f.left, barY - kTickMm / 2, f.left, barY + kTickMm / 2);
    mm.line(f.left + lengthX, barY - kTickMm / 2, f.left + lengthX, barY + kTickMm / 2);
    const double barX = f.left - 6;
    mm.line(barX, f.bottom(), barX, f.bottom() - lengthY);
    mm.line(barX - kTickMm / 2, f.bottom(), barX + kTickMm / 2, f.bottom());
    mm.line(barX - kTickMm / 2, f.bottom() - lengthY, barX + kTickMm / 2, f.bottom() - lengthY);
    const QString note = QStringLiteral("Zmierz: 100 mm");
    mm.pen(Qt::black, kThinMm);
    mm.text(f.left + 2, barY + 5, 2.2, note);
    mm.upwardText(barX - 2.5, f.bottom() - 2, 2.2, note);
}

void paintTile(MillimetrePainter& mm, const core::TemplatePlan& plan,
               const core::TemplatePage& page, std::size_t number, const TemplateTitle& title) {
    const core::RectMm& f = plan.frame;
    mm.pen(kFrameColour, kThinMm);
    mm.rectangle(f.left, f.top, f.width, f.height);
    paintCrosses(mm, plan, page);
    for (const auto& stroke : page.strokes) {
        inkPen(mm, stroke.ink, stroke.ink.widthMm);
        mm.line(stroke.x1, stroke.y1, stroke.x2, stroke.y2);
    }
    for (const auto& label : page.labels) {
        mm.pen(Qt::black, kThinMm);
        mm.dot(label.x, label.y, 0.4);
        mm.text(label.x + 1.0, label.y - 1.0, 2.2, q(label.text));
    }
    paintCheckBars(mm, plan);

    mm.pen(Qt::black, kThinMm);
    const double top = f.top - 3;
    mm.text(f.left, top, 4.5, q(page.name), true);
    const double afterName = f.left + mm.textWidth(4.5, q(page.name), true) + 4;
    mm.text(afterName, top, 2.4,
            QStringLiteral("%1 - szablon 1:1 - strona %2 z %3")
                .arg(title.heading)
                .arg(number)
                .arg(plan.pages.size()));
    // Neighbours' names stand clear of the crosses at the frame's corners.
    const double clear = kCrossArmMm + 2;
    if (!page.above.empty()) {
        const QString text = arrowed("▲", page.above);
        mm.text(f.right() - clear - mm.textWidth(3, text), top, 3, text);
    }
    if (!page.below.empty()) {
        const QString text = arrowed("▼", page.below);
        mm.text(f.right() - clear - mm.textWidth(3, text), f.bottom() + 7, 3, text);
    }
    if (!page.left.empty()) {
        const QString text = arrowed("◄", page.left);
        mm.upwardText(f.left - 2, f.top + clear + mm.textWidth(3, text), 3, text);
    }
    if (!page.right.empty()) {
        const QString text = arrowed("►", page.right);
        mm.upwardText(f.right() + 5, f.top + f.height / 2 + mm.textWidth(3, text) / 2, 3, text);
    }
}

} // namespace

QPageLayout templatePageLayout(const core::TemplatePlan& plan) {
    // The paper's millimetres match its standard size, whose name the printer knows.
    const core::PaperMm paper = core::paperOf(plan.settings.paper).mm;
    return QPageLayout(QPageSize(QSizeF(paper.width, paper.height), QPageSize::Millimeter),
                       plan.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool paintTemplate(QPagedPaintDevice& device, const core::TemplatePlan& plan,
                   const TemplateTitle& title) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    MillimetrePainter mm(painter, device.logicalDpiX(), device.logicalDpiY());
    paintOverview(mm, plan, title);
    std::size_t number = 1;
    for (const auto& page : plan.pages) {
        if (!device.newPage()) {
            return false;
        }
        paintTile(mm, plan, page, number++, title);
    }
    return painter.end();
}

QByteArray templatePdf(const core::TemplatePlan& plan, const TemplateTitle& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return {};
    }
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(QStringLiteral("Szablon 1:1 - ") + title.heading);
        writer.setCreator(QStringLiteral("Blachorys"));
        if (!writer.setPageLayout(templatePageLayout(plan)) ||
            !paintTemplate(writer, plan, title)) {
            return {};
        }
    }
    return bytes;
}

} // namespace blachorys::render
