#include "common/render/millimetrepainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

namespace blachorys::render {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;
/** DejaVu Sans's em is about 1.4 times its capital height. */
constexpr double kEmPerCapital = 1.4;

} // namespace

MillimetrePainter::MillimetrePainter(QPainter& painter, double dpiX, double dpiY)
    : m_painter(painter), m_x(dpiX / kMillimetresPerInch), m_y(dpiY / kMillimetresPerInch) {}

void MillimetrePainter::pen(const QColor& colour, double widthMm, Qt::PenStyle style) {
    m_painter.setPen(QPen(colour, widthMm * m_x, style, Qt::RoundCap, Qt::RoundJoin));
}

void MillimetrePainter::line(double x1, double y1, double x2, double y2) {
    m_painter.drawLine(at(x1, y1), at(x2, y2));
}

void MillimetrePainter::cross(double x, double y) {
    line(x - core::kCrossArmMm, y, x + core::kCrossArmMm, y);
    line(x, y - core::kCrossArmMm, x, y + core::kCrossArmMm);
}

void MillimetrePainter::rectangle(double left, double top, double width, double height) {
    m_painter.drawRect(QRectF(at(left, top), at(left + width, top + height)));
}

void MillimetrePainter::dot(double x, double y, double radiusMm) {
    m_painter.setBrush(m_painter.pen().color());
    m_painter.drawEllipse(at(x, y), radiusMm * m_x, radiusMm * m_y);
    m_painter.setBrush(Qt::NoBrush);
}

void MillimetrePainter::text(double x, double y, TextStyle style, const QString& text) {
    m_painter.setFont(font(style));
    m_painter.drawText(at(x, y), text);
}

void MillimetrePainter::upwardText(double x, double y, TextStyle style, const QString& text) {
    m_painter.save();
    m_painter.translate(at(x, y));
    m_painter.rotate(-90);
    m_painter.setFont(font(style));
    m_painter.drawText(QPointF(0, 0), text);
    m_painter.restore();
}

double MillimetrePainter::textWidth(TextStyle style, const QString& text) const {
    return QFontMetricsF(font(style), m_painter.device()).horizontalAdvance(text) / m_x;
}

double MillimetrePainter::ascent(TextStyle style) const {
    return QFontMetricsF(font(style), m_painter.device()).ascent() / m_y;
}

double MillimetrePainter::descent(TextStyle style) const {
    return QFontMetricsF(font(style), m_painter.device()).descent() / m_y;
}

QString MillimetrePainter::elided(TextStyle style, const QString& text, double widthMm) const {
    return QFontMetricsF(font(style), m_painter.device())
        .elidedText(text, Qt::ElideRight, widthMm * m_x);
}

QFont MillimetrePainter::font(TextStyle style) const {
    QFont font(QStringLiteral("DejaVu Sans"));
    // A point is 1/72 inch.
    font.setPointSizeF(style.capitalMm * kEmPerCapital / kMillimetresPerInch * kPointsPerInch);
    font.setBold(style.bold);
    return font;
}

} // namespace blachorys::render
