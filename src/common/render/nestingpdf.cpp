#include "common/render/nestingpdf.h"

#include "common/render/millimetrepainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <array>

namespace blachorys::render {
namespace {

constexpr double kPageWidthMm = 297.0;
constexpr double kPageHeightMm = 210.0;
constexpr double kMarginMm = 12.0;
/** Room above the plate for the heading and the plate's line. */
constexpr double kHeadingMm = 18.0;
constexpr std::array<int, 7> kScales{5, 10, 20, 25, 50, 100, 200};
constexpr int kResolution = 600;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/** The plate's X to the page's right, its Y up the page, below the heading. */
struct PlateOnPage {
    double scale = 1.0;
    double left = kMarginMm;
    double bottom = kPageHeightMm - kMarginMm;
    double x(double mm) const { return left + mm / scale; }
    double y(double mm) const { return bottom - mm / scale; }
};

void paintSheet(MillimetrePainter& paint, const core::NestingDrawing& drawing,
                const core::NestedSheet& sheet, const QString& heading, int scale) {
    const PlateOnPage plate{static_cast<double>(scale)};
    paint.text(kMarginMm, kMarginMm + 4.0, {3.0, true}, heading);
    // The sheet's line is the last of its texts: its place on the page is the heading's.
    if (!sheet.texts.empty()) {
        paint.text(kMarginMm, kMarginMm + 10.0, {2.4, false},
                   q(sheet.texts.back().text) + QStringLiteral(" , skala 1:") +
                       QString::number(scale));
    }
    paint.pen(Qt::darkGray, 0.2);
    paint.rectangle(plate.x(0), plate.y(drawing.widthMm), drawing.lengthMm / scale,
                    drawing.widthMm / scale);
    paint.pen(Qt::black, 0.25);
    for (const core::CncCut& cut : sheet.cuts) {
        for (std::size_t k = 0; k < cut.points.size(); ++k) {
            const core::PatternPoint a = cut.points[k];
            const core::PatternPoint b = cut.points[(k + 1) % cut.points.size()];
            paint.line(plate.x(a.x), plate.y(a.y), plate.x(b.x), plate.y(b.y));
        }
    }
    paint.pen(Qt::darkGreen, 0.1, Qt::DashLine);
    for (const core::CncMarking& m : sheet.markings) {
        paint.line(plate.x(m.from.x), plate.y(m.from.y), plate.x(m.to.x), plate.y(m.to.y));
    }
    for (std::size_t t = 0; t + 1 < sheet.texts.size(); ++t) {
        const core::CncText& text = sheet.texts[t];
        const TextStyle style{2.0, true};
        const QString words = q(text.text);
        paint.text(plate.x(text.at.x) - paint.textWidth(style, words) / 2,
                   plate.y(text.at.y) + style.capitalMm / 2, style, words);
    }
}

} // namespace

int nestingScale(const core::NestingDrawing& drawing) {
    const double roomX = kPageWidthMm - 2 * kMarginMm;
    const double roomY = kPageHeightMm - 2 * kMarginMm - kHeadingMm;
    for (const int scale : kScales) {
        if (drawing.lengthMm / scale <= roomX && drawing.widthMm / scale <= roomY) {
            return scale;
        }
    }
    return kScales.back();
}

QByteArray nestingPdf(const core::NestingDrawing& drawing, const QString& heading) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return {};
    }
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setTitle(QStringLiteral("Rozkroj na arkuszach - ") + heading);
        writer.setCreator(QStringLiteral("Blachorys"));
        if (!writer.setPageLayout(QPageLayout(
                QPageSize(QSizeF(kPageWidthMm, kPageHeightMm), QPageSize::Millimeter),
                QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter))) {
            return {};
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            return {};
        }
        MillimetrePainter paint(painter, writer.resolution(), writer.resolution());
        const int scale = nestingScale(drawing);
        for (std::size_t s = 0; s < drawing.sheets.size(); ++s) {
            if (s > 0 && !writer.newPage()) {
                return {};
            }
            paintSheet(paint, drawing, drawing.sheets[s], heading, scale);
        }
        painter.end();
    }
    return bytes;
}

} // namespace blachorys::render
