#include "common/gui/drawingpreview.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPushButton>

namespace blachorys::gui {
namespace {

QColor toColor(core::Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QPoint toPoint(core::PixelPoint point) {
    return {point.x, point.y};
}

/** A label over the panel's full height, its text centred vertically. */
QLabel* panelLabel(QWidget* panel, const QString& text, int x, int width) {
    auto* label = new QLabel(text, panel);
    label->setGeometry(x, 0, width, DrawingPreview::kPanelHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

DrawingPreview::DrawingPreview(const QString& className, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(className);
    setWindowTitle(caption);
    setFixedSize(kClientWidth, kClientHeight);
    setMouseTracking(true);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    // The panel keeps the ordinary window colour, so it stands apart from the white drawing.
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, kClientHeight - kPanelHeight, kClientWidth, kPanelHeight);
    QPalette panelPalette = panel->palette();
    panelPalette.setColor(QPalette::Window, QPalette().color(QPalette::Window));
    panel->setPalette(panelPalette);
    panel->setAutoFillBackground(true);

    // The values run on to the next label's place: X up to "Y=", Y up to the button.
    panelLabel(panel, QStringLiteral("X="), 8, 16);
    m_labelX = panelLabel(panel, QStringLiteral("0"), 24, 32);
    m_labelX->setObjectName(QStringLiteral("LabelX"));
    panelLabel(panel, QStringLiteral("Y="), 56, 16);
    m_labelY = panelLabel(panel, QStringLiteral("0"), 72, 80);
    m_labelY->setObjectName(QStringLiteral("LabelY"));

    m_buttonOk = new QPushButton(QStringLiteral("OK"), panel);
    m_buttonOk->setObjectName(QStringLiteral("ButtonOK"));
    m_buttonOk->setGeometry(424, 1, 50, 20);
    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPixelSize(12);
    buttonFont.setBold(true);
    m_buttonOk->setFont(buttonFont);
    connect(m_buttonOk, &QPushButton::clicked, this, &QDialog::accept);
}

void DrawingPreview::setDrawing(const core::PreviewDrawing& drawing) {
    m_drawing = drawing;
}

void DrawingPreview::rebuild() {
    // The image is the drawing area only, the client area above the panel; the mouse
    // read-out and the fit both work in its pixels.
    const QSize size = drawingAreaSize();
    m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(Qt::white);
    m_fit = core::fitPreview(size.width(), size.height(), m_drawing);

    QPainter painter(&m_image);
    // Aliased, so every pixel is exactly a pen colour or white.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& segment : m_drawing.segments) {
        const core::PreviewPen pen = core::penFor(segment.pen);
        const Qt::PenStyle style =
            pen.style == core::PenStyle::DashDot ? Qt::DashDotLine : Qt::SolidLine;
        painter.setPen(QPen(toColor(pen.colour), pen.width, style, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(toPoint(m_fit.toPixel(segment.from)), toPoint(m_fit.toPixel(segment.to)));
    }
    painter.end();
    update();
}

bool DrawingPreview::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        rebuild();
    }
    return QDialog::event(event);
}

void DrawingPreview::showEvent(QShowEvent* event) {
    rebuild();
    QDialog::showEvent(event);
}

void DrawingPreview::hideEvent(QHideEvent* event) {
    // The image is rebuilt at the next showing anyway; a hidden window holds no pixels.
    m_image = QImage();
    QDialog::hideEvent(event);
}

void DrawingPreview::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (!m_image.isNull()) {
        QPainter painter(this);
        painter.drawImage(0, 0, m_image);
    }
}

void DrawingPreview::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (position.y() < drawingAreaSize().height()) {
        const core::PixelPoint millimetres = m_fit.readOut(position.x(), position.y());
        m_labelX->setText(QString::number(millimetres.x));
        m_labelY->setText(QString::number(millimetres.y));
    }
    QDialog::mouseMoveEvent(event);
}

} // namespace blachorys::gui
