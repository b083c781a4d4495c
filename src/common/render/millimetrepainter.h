#pragma once

#include "common/core/sheets/templateplan.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace blachorys::render {

/** A text's room, millimetres from the paper's top-left corner, y downwards. */
using BoxMm = core::RectMm;

/** Text styles of the template: DejaVu Sans, its size given by the height of its capitals. */
struct TextStyle {
    double capitalMm = 2.4;
    bool bold = false;
};

/** Draws in paper millimetres on a device of any resolution. */
class MillimetrePainter {
public:
    MillimetrePainter(QPainter& painter, double dpiX, double dpiY);

    QPointF at(double x, double y) const { return {x * m_x, y * m_y}; }

    void pen(const QColor& colour, double widthMm, Qt::PenStyle style = Qt::SolidLine);
    void line(double x1, double y1, double x2, double y2);
    void cross(double x, double y);
    void rectangle(double left, double top, double width, double height);
    void dot(double x, double y, double radiusMm);

    /** Text whose baseline starts at (x, y). */
    void text(double x, double y, TextStyle style, const QString& text);
    /** Text turned a quarter left, reading upwards, its baseline starting at (x, y). */
    void upwardText(double x, double y, TextStyle style, const QString& text);

    double textWidth(TextStyle style, const QString& text) const;
    /** How far the font reaches above and below its baseline, mm. */
    double ascent(TextStyle style) const;
    double descent(TextStyle style) const;
    /** `text` cut to `widthMm` with "…" at its end. */
    QString elided(TextStyle style, const QString& text, double widthMm) const;

private:
    QFont font(TextStyle style) const;

    QPainter& m_painter;
    double m_x;
    double m_y;
};

} // namespace blachorys::render
