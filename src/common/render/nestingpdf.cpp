#include "common/render/nestingpdf.h"

#include "common/render/millimetrepainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace blachorys::render {
namespace {

constexpr double kLongSideMm = 297.0;
constexpr double kShortSideMm = 210.0;
constexpr double kMarginMm = 12.0;
/** Room above the plate for the heading and the plate's line. */
constexpr double kHeadingMm = 18.0;
constexpr int kResolution = 600;
/** The pieces' names on the paper, mm: their capitals' height. */
constexpr double kLabelCapitalMm = 2.0;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

double pageWidth(const NestingPage& page) {
    return page.landscape ? kLongSideMm : kShortSideMm;
}

double pageHeight(const NestingPage& page) {
    return page.landscape ? kShortSideMm : kLongSideMm;
}

/** The smallest whole n for which the plate at 1:n fits the room, or none. */
std::optional<int> scaleFor(const core::NestingDrawing& drawing, bool landscape) {
    const NestingPage page{landscape, 1};
    const double roomX = pageWidth(page) - 2 * kMarginMm;
    const double roomY = pageHeight(page) - 2 * kMarginMm - kHeadingMm;
    const double needed = std::max(drawing.lengthMm / roomX, drawing.widthMm / roomY);
    if (!(needed < 1e9)) {
        return std::nullopt;
    }
    return std::max(1, static_cast<int>(std::ceil(needed - 1e-9)));
}

/** The plate's X to the page's right, its Y up the page, in the middle of the room. */
struct PlateOnPage {
    double scale = 1.0;
    double left = kMarginMm;
    double bottom = kShortSideMm - kMarginMm;
    double x(double mm) const { return left + mm / scale; }
    double y(double mm) const { return bottom - mm / scale; }
};

PlateOnPage plateOnPage(const core::NestingDrawing& drawing, const NestingPage& page) {
    const double scale = page.scale;
    const double roomX = pageWidth(page) - 2 * kMarginMm;
    const double roomY = pageHeight(page) - 2 * kMarginMm - kHeadingMm;
    const double left = kMarginMm + (roomX - drawing.lengthMm / scale) / 2;
    const double top = kMarginMm + kHeadingMm + (roomY - drawing.widthMm / scale) / 2;
    return {scale, left, top + drawing.widthMm / scale};
}

void paintSheet(MillimetrePainter& paint, const core::NestingDrawing& drawing,
                const core::NestedSheet& sheet, const QString& heading, const NestingPage& page) {
    const PlateOnPage plate = plateOnPage(drawing, page);
    // Every page begins in black: the last page's marking pen is not the heading's.
    paint.pen(Qt::black, 0.25);
    paint.text(kMarginMm, kMarginMm + 4.0, {3.0, true}, heading);
    // The sheet's line is the last of its texts: its place on the page is the heading's.
    if (!sheet.texts.empty()) {
        paint.text(kMarginMm, kMarginMm + 10.0, {2.4, false},
                   q(sheet.texts.back().text) + QStringLiteral(" , skala 1:") +
                       QString::number(page.scale));
    }
    paint.pen(Qt::darkGray, 0.2);
    paint.rectangle(plate.x(0), plate.y(drawing.widthMm), drawing.lengthMm / plate.scale,
                    drawing.widthMm / plate.scale);
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
    // The names placed anew for the page: their height on the paper is the page's, not the
    // cutting table's.
    const auto painted = [&paint, &plate](const std::string& text, double capitalMm) {
        return paint.textWidth({capitalMm / plate.scale, false}, q(text)) * plate.scale;
    };
    const auto labels = core::placeNestingLabels(sheet.pieces, drawing.lengthMm, drawing.widthMm,
                                                 kLabelCapitalMm * plate.scale, painted);
    paint.pen(Qt::blue, 0.1);
    for (const core::NestingLabel& label : labels) {
        if (label.leader) {
            const core::CncMarking& m = *label.leader;
            paint.line(plate.x(m.from.x), plate.y(m.from.y), plate.x(m.to.x), plate.y(m.to.y));
        }
    }
    paint.pen(Qt::black, 0.25);
    for (const core::NestingLabel& label : labels) {
        const core::CncText& text = label.text;
        paint.text(plate.x(text.at.x), plate.y(text.at.y), {text.height / plate.scale, false},
                   q(text.text));
    }
}

} // namespace

NestingPage nestingPage(const core::NestingDrawing& drawing) {
    const std::optional<int> lying = scaleFor(drawing, true);
    const std::optional<int> upright = scaleFor(drawing, false);
    if (upright && (!lying || *upright < *lying)) {
        return {false, *upright};
    }
    return {true, lying.value_or(1)};
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
        const NestingPage page = nestingPage(drawing);
        if (!writer.setPageLayout(QPageLayout(
                QPageSize(QSizeF(pageWidth(page), pageHeight(page)), QPageSize::Millimeter),
                QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter))) {
            return {};
        }
        QPainter painter;
        if (!painter.begin(&writer)) {
            return {};
        }
        MillimetrePainter paint(painter, writer.resolution(), writer.resolution());
        for (std::size_t s = 0; s < drawing.sheets.size(); ++s) {
            if (s > 0 && !writer.newPage()) {
                return {};
            }
            paintSheet(paint, drawing, drawing.sheets[s], heading, page);
        }
        painter.end();
    }
    return bytes;
}

} // namespace blachorys::render
