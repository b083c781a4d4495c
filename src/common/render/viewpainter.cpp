#include "common/render/viewpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>

#include <algorithm>
#include <vector>

namespace blachorys::render {
namespace {

using core::FrameItem;
using core::ViewLineKind;

QColor toned(const QColor& base, double shade) {
    return QColor::fromRgbF(static_cast<float>(base.redF() * shade),
                            static_cast<float>(base.greenF() * shade),
                            static_cast<float>(base.blueF() * shade));
}

/** The printed side of a sheet, its other side, and the other part (kept light). */
const QColor kSheetPrinted{96, 140, 204};
const QColor kSheetReverse{186, 164, 128};
const QColor kOtherPart{226, 224, 214};
/** The other part's shade only goes this low, so that it stays the lighter one. */
constexpr double kOtherDarkest = 0.72;

struct LineStyle {
    QColor colour;
    double width;
};

LineStyle lineStyle(ViewLineKind kind) {
    switch (kind) {
    case ViewLineKind::Cut:
        return {QColor(20, 20, 28), 1.8};
    case ViewLineKind::Hole:
        return {QColor(0, 128, 48), 1.8};
    case ViewLineKind::Seam:
        return {QColor(204, 0, 170), 2.4};
    case ViewLineKind::Edge:
        return {QColor(45, 50, 70), 1.2};
    case ViewLineKind::OtherEdge:
        return {QColor(150, 148, 136), 1.0};
    }
    return {Qt::black, 1.0};
}

QFont labelFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    return font;
}

/**
 * Where a label's text starts beside its point: above right, below right, above left or below
 * left, at the least distance where its box meets no label painted before; at the first place
 * when none is free.
 */
QPointF labelPlace(QPointF at, const QRectF& textBox, const std::vector<QRectF>& taken) {
    constexpr int kRings = 4;
    constexpr double kStep = 7.0;
    for (int ring = 0; ring < kRings; ++ring) {
        const double d = 5.0 + ring * kStep;
        const QPointF places[] = {{d, -d},
                                  {d, d + textBox.height() / 2},
                                  {-d - textBox.width(), -d},
                                  {-d - textBox.width(), d + textBox.height() / 2}};
        for (const QPointF& offset : places) {
            const QRectF box = textBox.translated(at + offset).adjusted(-2, -1, 2, 1);
            if (std::none_of(taken.begin(), taken.end(),
                             [&box](const QRectF& other) { return other.intersects(box); })) {
                return at + offset;
            }
        }
    }
    return at + QPointF(5, -5);
}

void paintLabel(QPainter& painter, const core::ViewLabel& label, QPointF at,
                const QFontMetricsF& metrics, std::vector<QRectF>& taken) {
    const QString text = QString::fromStdString(label.text);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(at, 2.5, 2.5);
    QRectF box = metrics.boundingRect(text);
    const QPointF textAt = labelPlace(at, box, taken);
    box.translate(textAt);
    taken.push_back(box.adjusted(-2, -1, 2, 1));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRoundedRect(box.adjusted(-2, -1, 2, 1), 2, 2);
    painter.setPen(Qt::black);
    painter.drawText(textAt, text);
}

void paintCaption(QPainter& painter, const ViewPaintOptions& options, int height) {
    if (options.caption.isEmpty()) {
        return;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    double y = height - 10 - metrics.descent() -
               metrics.lineSpacing() * static_cast<double>(options.caption.size() - 1);
    for (qsizetype k = 0; k < options.caption.size(); ++k) {
        const bool warning = options.captionWarning && k + 1 == options.caption.size();
        painter.setPen(warning ? QColor(200, 0, 0) : QColor(30, 30, 30));
        painter.drawText(QPointF(10, y), options.caption[k]);
        y += metrics.lineSpacing();
    }
}

/** The legend in the top right corner, on a pale box. */
void paintLegend(QPainter& painter, int width) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double swatch = 14.0;
    const double pitch = std::max(metrics.lineSpacing(), swatch) + 4;
    double textWidth = 0.0;
    for (const LegendEntry& entry : viewLegend()) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entry.text));
    }
    const double boxWidth = 8 + swatch + 6 + textWidth + 8;
    const double boxHeight = 6 + pitch * static_cast<double>(viewLegend().size()) + 2;
    const QRectF box(width - boxWidth - 8, 8, boxWidth, boxHeight);
    painter.setPen(QPen(QColor(180, 180, 186), 1.0));
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRoundedRect(box, 3, 3);
    double y = box.top() + 6;
    for (const LegendEntry& entry : viewLegend()) {
        const QRectF mark(box.left() + 8, y + (pitch - 4 - swatch) / 2, swatch, swatch);
        if (entry.line) {
            painter.setPen(QPen(entry.colour, 2.4, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(mark.left(), mark.center().y()),
                             QPointF(mark.right(), mark.center().y()));
        } else {
            painter.setPen(QPen(QColor(90, 90, 96), 0.8));
            painter.setBrush(entry.colour);
            painter.drawRect(mark);
        }
        painter.setPen(QColor(30, 30, 30));
        painter.drawText(QPointF(mark.right() + 6, mark.center().y() + metrics.ascent() / 2 - 1),
                         entry.text);
        y += pitch;
    }
}

} // namespace

const std::vector<LegendEntry>& viewLegend() {
    static const std::vector<LegendEntry> entries{
        {kSheetPrinted, false, QStringLiteral("strona z rysunkiem szablonu")},
        {kSheetReverse, false, QStringLiteral("druga strona blachy")},
        {kOtherPart, false, QStringLiteral("druga część złącza")},
        {lineStyle(ViewLineKind::Cut).colour, true, QStringLiteral("linia cięcia")},
        {lineStyle(ViewLineKind::Hole).colour, true, QStringLiteral("otwór")},
        {lineStyle(ViewLineKind::Seam).colour, true, QStringLiteral("szew")},
    };
    return entries;
}

void paintViewFrame(QPainter& painter, const core::ViewScene& scene, const core::ViewFrame& frame,
                    const core::ViewCamera& camera, const ViewPaintOptions& options) {
    painter.fillRect(QRectF(0, 0, frame.width, frame.height), kViewBackground);
    const QFont font = labelFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    std::vector<QPointF> points;
    std::vector<QRectF> labelBoxes;
    bool smooth = false;
    for (const FrameItem& item : frame.items) {
        const bool wantSmooth = item.kind != FrameItem::Kind::Face;
        if (wantSmooth != smooth) {
            painter.setRenderHint(QPainter::Antialiasing, wantSmooth);
            smooth = wantSmooth;
        }
        if (item.kind == FrameItem::Kind::Label) {
            if (options.labels) {
                const core::ViewLabel& label = scene.labels[item.first];
                const core::ScreenPoint at =
                    core::project(camera, label.at, frame.width, frame.height);
                paintLabel(painter, label, QPointF(at.x, at.y), metrics, labelBoxes);
            }
            continue;
        }
        points.resize(item.count);
        for (std::uint32_t k = 0; k < item.count; ++k) {
            const core::ScreenPoint p = frame.points[item.first + k];
            points[k] = QPointF(p.x, p.y);
        }
        if (item.kind == FrameItem::Kind::Face) {
            const bool other = item.style == static_cast<std::uint8_t>(core::FaceTone::Other);
            const QColor colour =
                other ? toned(kOtherPart, kOtherDarkest + (1 - kOtherDarkest) * item.shade)
                      : toned(item.back ? kSheetReverse : kSheetPrinted, item.shade);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
        } else {
            const LineStyle style = lineStyle(static_cast<ViewLineKind>(item.style));
            QPen pen(style.colour, style.width);
            // Round joins cost an arc at each of a curve's many points, bevels look the same.
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::BevelJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (options.gapMark) {
        const core::ScreenPoint at =
            core::project(camera, *options.gapMark, frame.width, frame.height);
        painter.setPen(QPen(QColor(220, 0, 0), 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPointF(at.x, at.y), 9, 9);
    }
    paintCaption(painter, options, frame.height);
    if (options.legend) {
        paintLegend(painter, frame.width);
    }
}

QImage viewImage(const core::ViewScene& scene, const core::ViewCamera& camera, QSize size,
                 const ViewPaintOptions& options) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    core::ViewFrame frame;
    core::drawFrame(scene, camera, size.width(), size.height(), frame);
    QPainter painter(&image);
    paintViewFrame(painter, scene, frame, camera, options);
    painter.end();
    return image;
}

ViewPaintOptions fitCaption(const QString& title, const core::JointFit& fit) {
    ViewPaintOptions options;
    if (!title.isEmpty()) {
        options.caption << title;
    }
    options.caption << QString::fromStdString(core::fitText(fit));
    options.captionWarning = fit.measured && fit.largestGap > core::kGapShownRed;
    if (options.captionWarning) {
        options.gapMark = fit.where;
    }
    return options;
}

} // namespace blachorys::render
