#include "common/gui/pictures.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QSvgWidget>

namespace blachorys::gui {

QString pictureResource(const QString& svgResource) {
    return svgResource;
}

QWidget* makePictureWidget(const QString& svgResource, QSize size, QWidget* parent) {
    auto* picture = new QSvgWidget(svgResource, parent);
    picture->setFixedSize(size);
    return picture;
}

bool drawPicture(const QString& svgResource, QPainter& painter, const QRectF& target) {
    // Checked first: the renderer would log every picture that is not there yet.
    if (!QFile::exists(svgResource)) {
        return false;
    }
    QSvgRenderer renderer(svgResource);
    if (!renderer.isValid()) {
        return false;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    renderer.render(&painter, target);
    return true;
}

} // namespace blachorys::gui
