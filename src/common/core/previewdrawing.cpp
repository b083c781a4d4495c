#include "common/core/previewdrawing.h"

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

PreviewDrawing centredOnBox(double xMin, double xMax, double yMin, double yMax) {
    PreviewDrawing drawing;
    drawing.orientation = PreviewOrientation::BoundingBox;
    drawing.xMin = xMin;
    drawing.xMax = xMax;
    drawing.yMin = yMin;
    drawing.yMax = yMax;
    return drawing;
}

void PreviewPath::lineTo(double x, double y) {
    const PreviewPoint to{x, y};
    m_segments.push_back({m_pen, m_position, to});
    m_position = to;
}

} // namespace blachorys::core
