#pragma once

#include "common/core/sheets/previewdrawing.h"
#include "common/core/sheets/previewfit.h"

#include <QDialog>
#include <QImage>
#include <QSize>

class QLabel;
class QPushButton;

namespace blachorys::gui {

/**
 * A calculator's preview window: the pattern fitted to the drawing area, and the cursor's
 * position in millimetres on the panel below it. One window per calculator, reused for every
 * calculation; the picture is drawn anew each time the window is shown or activated, and the
 * read-out is empty until the cursor moves over the new picture.
 */
class DrawingPreview final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 481;
    static constexpr int kClientHeight = 366;
    static constexpr int kPanelHeight = 22;

    DrawingPreview(const QString& className, const QString& caption, QWidget* parent = nullptr);

    /** The case's drawing, shown from the next activation on. */
    void setDrawing(const core::PreviewDrawing& drawing);
    /** Draws the stored drawing into a fresh image, clears the read-out and repaints. */
    void rebuild();

    /** The drawing as last built; null while the window is hidden. */
    QImage image() const { return m_image; }
    /** The fit the image was drawn with. */
    const core::PreviewFit& fit() const { return m_fit; }
    /** The drawing area, the whole client area above the panel. */
    static QSize drawingAreaSize() { return {kClientWidth, kClientHeight - kPanelHeight}; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    /** Sizes the read-out for the font and puts the panel under the drawing area. */
    void layOutPanel();

    core::PreviewDrawing m_drawing;
    core::PreviewFit m_fit;
    QImage m_image;
    QWidget* m_panel = nullptr;
    QLabel* m_labelX = nullptr;
    QLabel* m_labelY = nullptr;
    QPushButton* m_buttonOk = nullptr;
};

} // namespace blachorys::gui
