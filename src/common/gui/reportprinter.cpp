#include "common/gui/reportprinter.h"

#include "common/core/sheets/printlayout.h"

#include <QFontDatabase>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QRect>

#include <algorithm>

#include <string>
#include <vector>

namespace blachorys::gui {
namespace {

const QString kPreferredFamily = QStringLiteral("Monospac821 BT");
const QString kSubstituteFamily = QStringLiteral("DejaVu Sans Mono");

/** Vertically centred in its band; long lines run on to the page edge as they always did. */
constexpr int kLineFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip;
constexpr int kCentredFlags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextDontClip;

/** Paper a quarter of an inch from every edge stays unprinted by some printers. */
constexpr double kMinMarginMm = 6.35;

} // namespace

void keepInsidePrintableArea(QPrinter& printer) {
    // The lines start at the page's left edge, so the page's margins must hold the printer's
    // unprintable edge: at least the printer's own minimum and never under a quarter inch.
    const QPageLayout layout = printer.pageLayout();
    const QMarginsF minimum = layout.minimumMargins();
    const double toMm = layout.units() == QPageLayout::Millimeter ? 1.0
                        : layout.units() == QPageLayout::Point    ? 25.4 / 72.0
                                                                  : 0.0;
    double margin = kMinMarginMm;
    if (toMm > 0.0) {
        margin = std::max({margin, minimum.left() * toMm, minimum.top() * toMm,
                           minimum.right() * toMm, minimum.bottom() * toMm});
    }
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

QFont reportFont() {
    const QString family =
        QFontDatabase::hasFamily(kPreferredFamily) ? kPreferredFamily : kSubstituteFamily;
    QFont font(family, core::kPrintFontPoints);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

bool printReport(QPrinter& printer, const QString& jobTitle, const QString& heading,
                 const core::PointReport& report) {
    printer.setDocName(jobTitle);
    keepInsidePrintableArea(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    painter.setFont(reportFont());

    const std::vector<std::string> lines = report.bodyLines();

    const int pageWidth = painter.device()->width();
    const int pageHeight = painter.device()->height();
    const core::PrintPlan plan = core::planPrint(lines.size(), printer.logicalDpiY(), pageHeight);
    const int lh = plan.metrics.lineHeight;

    painter.drawText(QRect(plan.headingLeft, plan.headingTop, pageWidth - plan.headingLeft,
                           plan.headingBottom - plan.headingTop),
                     kCentredFlags, heading);

    int page = 0;
    const auto numberPage = [&] {
        painter.drawText(QRect(0, plan.pageNumberBandTop, pageWidth,
                               plan.pageNumberBandBottom - plan.pageNumberBandTop),
                         kCentredFlags,
                         QStringLiteral("strona %1 z %2").arg(page + 1).arg(plan.pageCount));
    };
    numberPage();
    const auto goToPage = [&](int target) {
        while (page < target) {
            printer.newPage();
            ++page;
            numberPage();
        }
    };
    for (const auto& line : plan.lines) {
        goToPage(line.page);
        painter.drawText(QRect(0, line.y, pageWidth, lh), kLineFlags,
                         QString::fromStdString(lines[line.index]));
    }

    goToPage(plan.pageCount - 1);
    painter.drawLine(0, plan.ruleY, pageWidth, plan.ruleY);
    painter.drawText(QRect(0, plan.dateBandTop, pageWidth, plan.dateBandBottom - plan.dateBandTop),
                     kCentredFlags, QString::fromStdString(report.dateLine));
    painter.drawText(
        QRect(0, plan.makerBandTop, pageWidth, plan.makerBandBottom - plan.makerBandTop),
        kCentredFlags, QString::fromStdString(report.makerLine));
    return painter.end();
}

} // namespace blachorys::gui
