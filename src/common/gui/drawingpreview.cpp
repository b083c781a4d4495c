#include "common/gui/drawingpreview.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPushButton>

#include <algorithm>

namespace blachorys::gui {
namespace {

QColor toColor(core::Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QPoint toPoint(core::PixelPoint point) {
    return {point.x, point.y};
}

/** The widest read-out a pattern gives: seven digits and a sign. */
const QString kWidestReadOut = QStringLiteral("-9999999");

} // namespace

DrawingPreview::DrawingPreview(const QString& className, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(className);
    setWindowTitle(caption);
    setMouseTracking(true);

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    // The panel keeps the ordinary window colour, so it stands apart from the white drawing.
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    QPalette panelPalette = m_panel->palette();
    panelPalette.setColor(QPalette::Window, QPalette().color(QPalette::Window));
    m_panel->setPalette(panelPalette);
    m_panel->setAutoFillBackground(true);

    // X=, its value, Y=, its value, OK: each value as wide as the widest one it can show, in
    // whatever font the desktop uses.
    m_labelX = new QLabel(QStringLiteral("0"), m_panel);
    m_labelX->setObjectName(QStringLiteral("LabelX"));
    m_labelY = new QLabel(QStringLiteral("0"), m_panel);
    m_labelY->setObjectName(QStringLiteral("LabelY"));
    m_buttonOk = new QPushButton(QStringLiteral("OK"), m_panel);
    m_buttonOk->setObjectName(QStringLiteral("ButtonOK"));
    QFont buttonFont = m_buttonOk->font();
    buttonFont.setBold(true);
    m_buttonOk->setFont(buttonFont);
    connect(m_buttonOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(m_panel);
    row->setContentsMargins(8, 1, 7, 1);
    row->setSpacing(4);
    row->addWidget(new QLabel(QStringLiteral("X="), m_panel));
    row->addWidget(m_labelX);
    row->addWidget(new QLabel(QStringLiteral("Y="), m_panel));
    row->addWidget(m_labelY);
    row->addStretch(1);
    row->addWidget(m_buttonOk);
    layOutPanel();
}

void DrawingPreview::layOutPanel() {
    const int valueWidth = m_labelX->fontMetrics().horizontalAdvance(kWidestReadOut) + 2;
    m_labelX->setMinimumWidth(valueWidth);
    m_labelY->setMinimumWidth(valueWidth);
    const QSize panel = m_panel->sizeHint().expandedTo({kClientWidth, kPanelHeight});
    const QSize drawing = drawingAreaSize();
    setFixedSize(std::max(drawing.width(), panel.width()), drawing.height() + panel.height());
    m_panel->setGeometry(0, drawing.height(), width(), panel.height());
}

void DrawingPreview::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && m_panel != nullptr) {
        layOutPanel();
    }
    QDialog::changeEvent(event);
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
    // A new picture has a new fit: the last read-out no longer says where the cursor is.
    m_labelX->clear();
    m_labelY->clear();

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
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(toColor(core::penFor(core::PenRole::Edge).colour));
    for (const auto& caption : m_drawing.captions) {
        const QString text = QString::fromStdString(caption.text);
        const QPoint centre = toPoint(m_fit.toPixel(caption.at));
        const QRect box = painter.fontMetrics().boundingRect(text);
        painter.drawText(centre.x() - box.width() / 2, centre.y() + box.height() / 4, text);
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
