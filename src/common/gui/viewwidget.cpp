#include "common/gui/viewwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace blachorys::gui {
namespace {

/** Room round the joint when it is fitted in, pixels. */
constexpr double kFitMargin = 32.0;
/** The zoom of one notch of the wheel (120 eighths of a degree). */
constexpr double kZoomPerNotch = 1.15;

} // namespace

ViewWidget::ViewWidget(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 200);
    setFocusPolicy(Qt::StrongFocus);
    core::turnTo(m_camera, core::ViewPreset::Iso);
}

void ViewWidget::setScene(core::ViewScene scene, render::ViewPaintOptions options) {
    m_scene = std::move(scene);
    m_options = std::move(options);
    // The view turns about the new joint's centre; its turn, scale and place stay. The first
    // joint is fitted in when the widget is first painted, at the size it is shown at.
    m_camera.centre = m_scene.middle();
    update();
}

void ViewWidget::turnTo(core::ViewPreset preset) {
    core::turnTo(m_camera, preset);
    fitIn();
}

void ViewWidget::fitIn() {
    core::fitScene(m_camera, m_scene, width(), height(), kFitMargin);
    m_fitted = !m_scene.empty();
    update();
}

void ViewWidget::paintEvent(QPaintEvent*) {
    if (!m_fitted && !m_scene.empty()) {
        core::fitScene(m_camera, m_scene, width(), height(), kFitMargin);
        m_fitted = true;
    }
    core::drawFrame(m_scene, m_camera, width(), height(), m_frame);
    QPainter painter(this);
    render::paintViewFrame(painter, m_scene, m_frame, m_camera, m_options);
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    const bool move = event->button() == Qt::MiddleButton || event->button() == Qt::RightButton ||
                      (event->button() == Qt::LeftButton &&
                       event->modifiers().testFlag(Qt::ShiftModifier));
    m_drag = move ? Drag::Move : event->button() == Qt::LeftButton ? Drag::Turn : Drag::None;
    m_last = event->position().toPoint();
    event->accept();
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_drag == Drag::None) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const QPoint by = at - m_last;
    m_last = at;
    if (m_drag == Drag::Turn) {
        core::dragTurn(m_camera, by.x(), by.y());
    } else {
        m_camera.panX += by.x();
        m_camera.panY += by.y();
    }
    update();
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    m_drag = Drag::None;
    event->accept();
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0.0) {
        return;
    }
    const QPointF at = event->position();
    core::zoomAbout(m_camera, std::pow(kZoomPerNotch, notches), at.x(), at.y(), width(),
                    height());
    update();
    event->accept();
}

} // namespace blachorys::gui
