#pragma once

#include "common/core/view3d/viewcamera.h"
#include "common/core/view3d/viewframe.h"
#include "common/core/view3d/viewscene.h"
#include "common/render/viewpainter.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace blachorys::gui {

/**
 * The joint drawn in 3-D with QPainter, turned as a CAD viewer turns it: a drag turns it
 * about its centre, the wheel zooms about the cursor, a drag with the middle or right button
 * (or with Shift) moves it. A new scene keeps the view's turn; the first one is fitted in.
 */
class ViewWidget final : public QWidget {
    Q_OBJECT

public:
    explicit ViewWidget(QWidget* parent = nullptr);

    /** The joint to draw and what is painted besides it. */
    void setScene(core::ViewScene scene, render::ViewPaintOptions options);
    /** Turned to a preset and fitted in. */
    void turnTo(core::ViewPreset preset);
    /** The whole joint fitted in the widget at its turn. */
    void fitIn();

    const core::ViewCamera& camera() const { return m_camera; }
    const core::ViewScene& scene() const { return m_scene; }
    QSize sizeHint() const override { return {960, 640}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Drag { None, Turn, Move };

    core::ViewScene m_scene;
    render::ViewPaintOptions m_options;
    core::ViewCamera m_camera;
    core::ViewFrame m_frame;
    bool m_fitted = false;
    Drag m_drag = Drag::None;
    QPoint m_last;
};

} // namespace blachorys::gui
