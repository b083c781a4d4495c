#pragma once

#include "common/core/sheets/previewdrawing.h"

namespace blachorys::core {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/** The one scale and the offsets that fit a drawing to 90 % of an image, centred. */
struct PreviewFit {
    PreviewOrientation orientation = PreviewOrientation::Downwards;
    double scale = 1.0; ///< pixels per millimetre, the same on both axes
    int offsetX = 0;
    int offsetY = 0;

    PixelPoint toPixel(PreviewPoint point) const;
    /** The cursor read-out in whole millimetres, Y upwards whatever the orientation. */
    PixelPoint readOut(int mouseX, int mouseY) const;
};

/** Share of the image the pattern may fill in each direction. */
inline constexpr double kPreviewFillRatio = 0.9;

/**
 * Fits `drawing` to an image of `imageWidth` × `imageHeight` pixels. An extent of zero in one
 * direction (a template whose every height is negative has hmax = 0) would give an infinite
 * scale: then the drawing is fitted by the bounding box of its segments instead, and a drawing
 * with no size at all is drawn at one pixel per millimetre.
 */
PreviewFit fitPreview(int imageWidth, int imageHeight, const PreviewDrawing& drawing);

/** Nearest integer, halves to even (2.5 gives 2, 3.5 gives 4). */
int roundHalfEven(double value);

} // namespace blachorys::core
