#include "common/gui/pictures.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace blachorys::gui {
namespace {

/** Paints its image over the whole widget, smoothly, so it stays sharp at 125 % and 150 %. */
class PictureWidget final : public QWidget {
public:
    PictureWidget(QImage image, QWidget* parent) : QWidget(parent), m_image(std::move(image)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect()), m_image);
    }

private:
    QImage m_image;
};

} // namespace

QString pictureResource(const QString& svgResource) {
    QString png = svgResource;
    if (png.endsWith(QStringLiteral(".svg"))) {
        png.chop(4);
        png += QStringLiteral(".png");
    }
    return png;
}

QWidget* makePictureWidget(const QString& svgResource, QSize size, QWidget* parent) {
    auto* picture = new PictureWidget(QImage(pictureResource(svgResource)), parent);
    picture->setFixedSize(size);
    return picture;
}

bool drawPicture(const QString& svgResource, QPainter& painter, const QRectF& target) {
    const QImage image(pictureResource(svgResource));
    if (image.isNull()) {
        return false;
    }
    QSizeF size = image.size();
    size.scale(target.size(), Qt::KeepAspectRatio);
    QRectF placed(QPointF(), size);
    placed.moveCenter(target.center());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(placed, image);
    painter.restore();
    return true;
}

} // namespace blachorys::gui
