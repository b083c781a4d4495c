#pragma once

#include "common/core/view3d/jointfit.h"
#include "common/core/view3d/viewcamera.h"
#include "common/core/view3d/viewframe.h"
#include "common/core/view3d/viewscene.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QPainter;

namespace blachorys::render {

/** The view's background, which nothing of the joint is painted in. */
inline const QColor kViewBackground{244, 245, 247};

/** What is painted besides the joint. */
struct ViewPaintOptions {
    bool labels = true;
    /** Lines written in the bottom left corner: the calculator, the fit. */
    QStringList caption;
    /** The caption's last line in red: the fit is past what a cut may be off. */
    bool captionWarning = false;
    /** Where the largest gap is, marked red. */
    std::optional<core::Point3> gapMark;
    /** What each colour means, in the top right corner. */
    bool legend = false;
};

/** The legend's entries: what each colour of the view is, in the view's own words. */
struct LegendEntry {
    QColor colour;
    bool line = false; ///< a line's colour, not a face's
    QString text;
};
const std::vector<LegendEntry>& viewLegend();

/**
 * Paints a frame of the view over the painter's whole device: the background, then the faces
 * flat-shaded and unsmoothed (neighbours then meet without a seam), and the lines and the
 * names smoothed, each in the frame's order.
 */
void paintViewFrame(QPainter& painter, const core::ViewScene& scene, const core::ViewFrame& frame,
                    const core::ViewCamera& camera, const ViewPaintOptions& options);

/** The view as an image of `size`, at the camera's turn, scale and pan. */
QImage viewImage(const core::ViewScene& scene, const core::ViewCamera& camera, QSize size,
                 const ViewPaintOptions& options);

/** The caption of a fit, as the window's status line says it, and whether it is red. */
ViewPaintOptions fitCaption(const QString& title, const core::JointFit& fit);

} // namespace blachorys::render
