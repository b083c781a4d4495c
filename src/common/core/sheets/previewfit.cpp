#include "common/core/sheets/previewfit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace blachorys::core {
namespace {

struct Box {
    double xMin = std::numeric_limits<double>::max();
    double xMax = std::numeric_limits<double>::lowest();
    double yMin = std::numeric_limits<double>::max();
    double yMax = std::numeric_limits<double>::lowest();

    void add(PreviewPoint p) {
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    bool empty() const { return xMin > xMax; }
};

/** The smaller of the candidate scales of the directions that have a size. */
double fittingScale(int imageWidth, int imageHeight, double widthMm, double heightMm) {
    const double infinite = std::numeric_limits<double>::infinity();
    const double sx = widthMm > 0.0 ? kPreviewFillRatio * imageWidth / widthMm : infinite;
    const double sy = heightMm > 0.0 ? kPreviewFillRatio * imageHeight / heightMm : infinite;
    const double scale = sx < sy ? sx : sy;
    return std::isfinite(scale) ? scale : 1.0;
}

PreviewFit fitBox(int imageWidth, int imageHeight, double xMin, double xMax, double yMin,
                  double yMax) {
    PreviewFit fit;
    fit.orientation = PreviewOrientation::BoundingBox;
    const double widthMm = xMax - xMin;
    const double heightMm = yMax - yMin;
    fit.scale = fittingScale(imageWidth, imageHeight, widthMm, heightMm);
    fit.offsetX = roundHalfEven((imageWidth + fit.scale * widthMm) / 2.0 - fit.scale * xMax);
    fit.offsetY = roundHalfEven((imageHeight + fit.scale * heightMm) / 2.0 + fit.scale * yMin);
    return fit;
}

} // namespace

int roundHalfEven(double value) {
    // A point far outside the fitted extent (a template fitted by a tiny hmax with one deep
    // negative h) would overflow int; it lies off the image either way.
    constexpr double kFarOff = 1e9;
    return static_cast<int>(std::nearbyint(std::clamp(value, -kFarOff, kFarOff)));
}

PixelPoint PreviewFit::toPixel(PreviewPoint point) const {
    const int x = roundHalfEven(scale * point.x) + offsetX;
    if (orientation == PreviewOrientation::Downwards) {
        return {x, roundHalfEven(scale * point.y) + offsetY};
    }
    return {x, offsetY - roundHalfEven(scale * point.y)};
}

PixelPoint PreviewFit::readOut(int mouseX, int mouseY) const {
    return {roundHalfEven((mouseX - offsetX) / scale), roundHalfEven((offsetY - mouseY) / scale)};
}

PreviewFit fitPreview(int imageWidth, int imageHeight, const PreviewDrawing& drawing) {
    if (drawing.orientation == PreviewOrientation::BoundingBox) {
        return fitBox(imageWidth, imageHeight, drawing.xMin, drawing.xMax, drawing.yMin,
                      drawing.yMax);
    }
    const double widthMm = drawing.xMax;
    const double heightMm = drawing.yMax;
    if (!(widthMm > 0.0) || !(heightMm > 0.0)) {
        Box box;
        for (const auto& segment : drawing.segments) {
            box.add(segment.from);
            box.add(segment.to);
        }
        if (box.empty()) {
            return fitBox(imageWidth, imageHeight, 0.0, 0.0, 0.0, 0.0);
        }
        if (drawing.orientation == PreviewOrientation::Downwards) {
            // Screen y grows with Y here: fit the box mirrored into the Y-up frame, whose
            // offsets then serve the downward mapping unchanged.
            PreviewFit fit =
                fitBox(imageWidth, imageHeight, box.xMin, box.xMax, -box.yMax, -box.yMin);
            fit.orientation = PreviewOrientation::Downwards;
            return fit;
        }
        return fitBox(imageWidth, imageHeight, box.xMin, box.xMax, box.yMin, box.yMax);
    }
    PreviewFit fit;
    fit.orientation = drawing.orientation;
    fit.scale = fittingScale(imageWidth, imageHeight, widthMm, heightMm);
    fit.offsetX = roundHalfEven((imageWidth - fit.scale * widthMm) / 2.0);
    if (drawing.orientation == PreviewOrientation::Downwards) {
        fit.offsetY = roundHalfEven((imageHeight - fit.scale * heightMm) / 2.0);
    } else {
        fit.offsetY = roundHalfEven((imageHeight + fit.scale * heightMm) / 2.0);
    }
    return fit;
}

} // namespace blachorys::core
