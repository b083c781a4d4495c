#pragma once

namespace blachorys::core {

/** Which surface of a plate's thickness a typed size means. */
enum class WallSurface {
    Outside, ///< the outer face
    Mean,    ///< half-way through the plate, where it neither stretches nor shrinks as it bends
    Inside,  ///< the inner face
};

/** How a part is made, which says the surface its pattern is developed on. */
enum class PartMaking {
    RolledFromPlate, ///< bent from a flat sheet: developed on the mean surface
    CutFromPipe,     ///< marked by a template wrapped round a pipe: developed on its outside
};

/** How a branch meets the part it stands on, once the walls have a thickness. */
enum class BranchJoint {
    SetOn, ///< the branch's inside rests on the other part's outside; the hole is the branch's bore
    SetIn, ///< the branch's outside enters the other part and meets its inside
};

/** The surfaces of a branch joint's two walls that meet. */
struct JointContact {
    WallSurface branch; ///< set on, the branch's inside; set in, its outside
    WallSurface main;   ///< set on, the main part's outside; set in, its inside
};

constexpr JointContact contactOf(BranchJoint joint) {
    return joint == BranchJoint::SetOn ? JointContact{WallSurface::Inside, WallSurface::Outside}
                                       : JointContact{WallSurface::Outside, WallSurface::Inside};
}

/**
 * A part's wall: its thickness, which surface the sizes typed for it mean, and how it is made.
 * With no thickness every surface is the typed one, exactly.
 */
struct Wall {
    double thickness = 0.0;
    WallSurface typed = WallSurface::Outside;
    PartMaking made = PartMaking::RolledFromPlate;

    /** The surface the part's pattern is developed on. */
    WallSurface developed() const;
    /** How far `surface` lies outward of the typed surface, along the wall's normal, mm. */
    double outwardOfTyped(WallSurface surface) const;
};

/**
 * The radius of `surface` of a round wall (a pipe, or a cone's circle measured square to its
 * generator), the typed surface's radius being `typedRadius`: the same radius when the wall has
 * no thickness, whatever the surface.
 */
double radiusOf(const Wall& wall, double typedRadius, WallSurface surface);

/**
 * How far outward of the typed surface `surface` lies, measured in a plane square to the axis of
 * a cone whose generators make `generatorToAxis` radians with its axis: the offset along the
 * wall's normal over cos(generatorToAxis), so a 60° cone's mean surface lies a whole thickness
 * from its outside in an end plane, not half of it. 0 without a thickness.
 */
double planeOffsetOf(const Wall& wall, WallSurface surface, double generatorToAxis);

} // namespace blachorys::core
