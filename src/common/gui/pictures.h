#pragma once

#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;
class QWidget;

namespace blachorys::gui {

/**
 * The program's pictures, named by their SVG resources (":/pictures/<key>.svg"). Where Qt
 * has its Svg module they are drawn from the SVG; where it has not (the Windows build), from a
 * PNG rendered from the SVG at build time at twice its size, under the same name with ".png".
 */

/** The resource the picture named `svgResource` is read from in this build. */
QString pictureResource(const QString& svgResource);

/** A widget that shows the picture scaled to `size`. */
QWidget* makePictureWidget(const QString& svgResource, QSize size, QWidget* parent);

/**
 * Draws the picture into `target`, keeping its aspect ratio, centred. False, drawing nothing,
 * when there is no such picture or it cannot be read.
 */
bool drawPicture(const QString& svgResource, QPainter& painter, const QRectF& target);

} // namespace blachorys::gui
