#pragma once

#include "common/core/sheets/nestingdrawing.h"

#include <QByteArray>
#include <QString>

namespace blachorys::render {

/** How a plate lies on its A4 page: the page's way round and the scale, 1:`scale`. */
struct NestingPage {
    bool landscape = true;
    int scale = 1;
};

/**
 * The page that shows the plate largest: lying or upright, whichever takes the larger whole
 * scale 1:n that holds the plate below the heading (lying where both do).
 */
NestingPage nestingPage(const core::NestingDrawing& drawing);

/**
 * The nested plates as a PDF, one A4 page per plate as `nestingPage` lays it, the plate in the
 * middle of the room under the heading, with its pieces, their names (placed for the page's
 * scale) and the plate's use; empty when painting fails.
 */
QByteArray nestingPdf(const core::NestingDrawing& drawing, const QString& heading);

} // namespace blachorys::render
