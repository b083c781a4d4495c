#include "common/core/walls/walloffset.h"

#include <utility>

namespace blachorys::core {

SheetSurface offsetAlongNormal(SheetSurface surface, double outward, Point3 axisPoint,
                               Point3 axisDirection) {
    const Point3 along = unit(axisDirection);
    return [surface = std::move(surface), outward, axisPoint, along](PatternPoint p) {
        constexpr double kStep = 0.01;
        const Point3 at = surface(p);
        const Point3 across = surface({p.x + kStep, p.y}) - surface({p.x - kStep, p.y});
        const Point3 up = surface({p.x, p.y + kStep}) - surface({p.x, p.y - kStep});
        Point3 normal = unit(cross(across, up));
        const Point3 fromAxis = at - axisPoint - dot(at - axisPoint, along) * along;
        if (dot(normal, fromAxis) < 0.0) {
            normal = -1.0 * normal;
        }
        return at + outward * normal;
    };
}

} // namespace blachorys::core
