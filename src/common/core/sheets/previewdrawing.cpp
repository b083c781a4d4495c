#include "common/core/sheets/previewdrawing.h"

namespace blachorys::core {

PreviewPen penFor(PenRole role) {
    switch (role) {
    case PenRole::SeamEdge:
        return {{255, 0, 255}, 2};
    case PenRole::Curve:
        return {{24, 228, 3}, 2};
    case PenRole::Edge:
        return {{0, 0, 0}, 2};
    case PenRole::Generator:
        return {{255, 0, 0}, 1};
    case PenRole::CentreLine:
        return {{0, 0, 255}, 1, PenStyle::DashDot};
    }
    return {{0, 0, 0}, 2};
}

PreviewFrame downwardsOver(double width, double depth) {
    return {PreviewOrientation::Downwards, 0.0, width, 0.0, depth};
}

PreviewFrame upwardsOver(double width, double height) {
    return {PreviewOrientation::Upwards, 0.0, width, 0.0, height};
}

PreviewFrame centredOnBox(double xMin, double xMax, double yMin, double yMax) {
    return {PreviewOrientation::BoundingBox, xMin, xMax, yMin, yMax};
}

} // namespace blachorys::core
