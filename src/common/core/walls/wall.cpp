#include "common/core/walls/wall.h"

#include <cmath>

namespace blachorys::core {
namespace {

/** How far a surface lies outward of the inside face, in plate thicknesses. */
double depthFromInside(WallSurface surface) {
    switch (surface) {
    case WallSurface::Outside:
        return 1.0;
    case WallSurface::Mean:
        return 0.5;
    case WallSurface::Inside:
        break;
    }
    return 0.0;
}

} // namespace

WallSurface Wall::developed() const {
    return made == PartMaking::RolledFromPlate ? WallSurface::Mean : WallSurface::Outside;
}

double Wall::outwardOfTyped(WallSurface surface) const {
    return thickness * (depthFromInside(surface) - depthFromInside(typed));
}

double radiusOf(const Wall& wall, double typedRadius, WallSurface surface) {
    // Spelt out for no thickness, so that the typed radius comes back bit for bit.
    if (wall.thickness == 0.0 || surface == wall.typed) {
        return typedRadius;
    }
    return typedRadius + wall.outwardOfTyped(surface);
}

double planeOffsetOf(const Wall& wall, WallSurface surface, double generatorToAxis) {
    if (wall.thickness == 0.0 || surface == wall.typed) {
        return 0.0;
    }
    return wall.outwardOfTyped(surface) / std::cos(generatorToAxis);
}

} // namespace blachorys::core
