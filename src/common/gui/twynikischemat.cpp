#include "common/gui/twynikischemat.h"

#include "common/gui/pictures.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace blachorys::gui {
namespace {

QLabel* centredLine(QWidget* parent, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setGeometry(0, y, TWynikiSchemat::kClientWidth, 16);
    return label;
}

} // namespace

TWynikiSchemat::TWynikiSchemat(std::function<QString()> activePicture, QWidget* parent)
    : QDialog(parent), m_activePicture(std::move(activePicture)) {
    setObjectName(QStringLiteral("TWynikiSchemat"));
    setWindowTitle(QStringLiteral("Wyniki - Schemat"));
    setFixedSize(kClientWidth, kClientHeight);
    QFont boldArial(QStringLiteral("Arial"));
    boldArial.setPixelSize(12);
    boldArial.setBold(true);
    setFont(boldArial);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(8, 8, kPictureWidth, kPictureHeight);
    m_image->setPixmap(renderPicture(QString()));

    centredLine(this, QStringLiteral("Rysunek jest tylko ogólnym schematem wyników obliczen"), 366);
    centredLine(this, QStringLiteral("Aby zobaczyć rysunek rozwinięcia odpowiadający"), 382);
    centredLine(this,
                QStringLiteral("wprowadzonym danym nalezy kliknac przycisk- \"Zobacz rysunek\""),
                398);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setGeometry(189, 424, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString TWynikiSchemat::resourcePath(const QString& name) {
    return QStringLiteral(":/schemes/%1.svg").arg(name);
}

QPixmap TWynikiSchemat::renderPicture(const QString& path) {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::white);
    if (!path.isEmpty()) {
        QPainter painter(&pixmap);
        drawPicture(path, painter, QRectF(pixmap.rect()));
    }
    return pixmap;
}

void TWynikiSchemat::choosePicture() {
    const QString name = m_activePicture ? m_activePicture() : QString();
    if (name.isEmpty() || name == m_pictureName) {
        return;
    }
    m_pictureName = name;
    m_image->setPixmap(renderPicture(resourcePath(name)));
}

bool TWynikiSchemat::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        choosePicture();
    }
    return QDialog::event(event);
}

void TWynikiSchemat::showEvent(QShowEvent* event) {
    choosePicture();
    QDialog::showEvent(event);
}

} // namespace blachorys::gui
