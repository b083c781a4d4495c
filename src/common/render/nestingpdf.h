#pragma once

#include "common/core/nestingdrawing.h"

#include <QByteArray>
#include <QString>

namespace blachorys::render {

/** The drawing's scale on A4 landscape: the largest of 1:5, 1:10, ... 1:100 that holds a plate. */
int nestingScale(const core::NestingDrawing& drawing);

/**
 * The nested plates as a PDF, one A4 landscape page per plate, drawn to `nestingScale` with
 * its pieces, their names and the plate's use; empty when painting fails.
 */
QByteArray nestingPdf(const core::NestingDrawing& drawing, const QString& heading);

} // namespace blachorys::render
