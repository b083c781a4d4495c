#include "common/render/templatepainter.h"

#include "common/render/millimetrepainter.h"
#include "common/render/templateoverview.h"
#include "common/render/templatetile.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace blachorys::render {

QPageLayout templatePageLayout(const core::TemplatePlan& plan) {
    // The paper's millimetres match its standard size, whose name the printer knows.
    const core::PaperMm paper = core::paperOf(plan.settings.paper).mm;
    return QPageLayout(QPageSize(QSizeF(paper.width, paper.height), QPageSize::Millimeter),
                       plan.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool paintTemplate(QPagedPaintDevice& device, const core::TemplatePlan& plan,
                   const TemplateTitle& title, SheetRange sheets) {
    const int first = std::max(1, sheets.first);
    const int last = sheets.last > 0 ? std::min(sheets.last, plan.sheetCount()) : plan.sheetCount();
    if (first > last) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    MillimetrePainter mm(painter, device.logicalDpiX(), device.logicalDpiY());
    for (int sheet = first; sheet <= last; ++sheet) {
        if (sheet > first && !device.newPage()) {
            return false;
        }
        if (sheet == 1) {
            paintOverview(mm, plan, title);
        } else {
            paintTile(mm, plan, plan.pages[static_cast<std::size_t>(sheet - 2)], sheet,
                      title.heading);
        }
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
