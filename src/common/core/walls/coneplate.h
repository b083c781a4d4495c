#pragma once

#include "common/core/geometry/obliquecone.h"
#include "common/core/geometry/point.h"
#include "common/core/geometry/space.h"

#include <optional>
#include <utility>
#include <vector>

namespace blachorys::core {

/** Where a line meets a layer of the cone's plate. */
struct LayerMeeting {
    double phi = 0.0;    ///< section angle of the typed surface's generator under it, radians
    double height = 0.0; ///< height of the typed surface's point under it (along the normal), mm
    double along = 0.0;  ///< distance along the line from its origin, mm
    Point3 point;
};

/**
 * The cone's plate, its layers at a depth δ (mm, outward positive) from the typed surface, the
 * outside. A cone's normal is the same all along a generator, so layer δ is the typed surface
 * moved by δ along it, generator by generator: the point over the typed surface's point at
 * section angle φ and height z is z·(k·cos φ, e + k·sin φ, 1) + δ·n(φ). In an end plane the
 * layer lies δ/cos a(φ) from the typed circle, a(φ) being the generator's angle to the axis as
 * seen along the circle's tangent: the plane offset of the wall model, generator by generator.
 * Every point of one normal through the plate has the same φ and z.
 */
class ConePlate {
public:
    explicit ConePlate(const ConeMantle& cone);

    /** The typed surface's outward unit normal along the generator at φ. */
    Point3 normal(double phi) const;

    /** The point of layer `depth` over the typed surface's point at φ and height z. */
    Point3 pointAt(double phi, double height, double depth) const;

    /** The height of the typed surface's point under a point of layer `depth` at φ. */
    double typedHeight(double phi, Point3 point, double depth) const;

    /** The section angle and the typed height under a point of layer `depth` in space. */
    std::pair<double, double> under(Point3 point, double depth) const;

    /**
     * Where `line`, coming from the side its direction points to, first meets layer `depth`:
     * on the generator, within a turn's quarter of `nearPhi`, on which the line crosses the
     * layer going in. Nothing when it passes it by.
     */
    std::optional<LayerMeeting> meet(const SpaceLine& line, double depth, double nearPhi) const;

    double slope() const { return m_slope; }
    double lean() const { return m_lean; }
    /** 1 when the end faces lie above the apex (Dsd > Dsm), −1 below it. */
    double side() const { return m_side; }

private:
    double m_slope; ///< the section's radius over its height, k
    double m_lean;  ///< the section centre's offset over its height, e
    double m_side;
};

/**
 * A layer of the plate rolled out flat. The layer is the typed cone moved along its normals,
 * so it is developable with the same generators: each unrolls along the cone's own developed
 * angle ψ(φ), from where the layer's point over the apex lands, O(φ), which the normal's turn
 * carries along: O'(φ) = δ·(n'·b)·(−sin ψ, cos ψ), b the unit vector the generator turns
 * towards. With no depth it is the cone's own development about its apex.
 */
class LayerDevelopment {
public:
    /** Over the outline's fine generators, whose developed angles it takes. */
    LayerDevelopment(const ConePlate& plate, const MantleOutline& outline, double depth);

    /** The developed point of the layer over the typed surface's point at φ and z. */
    PatternPoint at(double phi, double height) const;

    /** The same on fine generator s of the outline. */
    PatternPoint atFine(std::size_t s, double height) const;

    /**
     * The typed surface's section angle and height under a point of the layer laid flat: the
     * inverse of `at`, the generator found by a few steps from the sector's angle.
     */
    std::pair<double, double> under(PatternPoint p) const;

    /** The layer's point in the end plane at height `plane`, on the generator at φ: its z. */
    double heightInPlane(double phi, double plane) const;

    double depth() const { return m_depth; }

private:
    PatternPoint developed(double phi, double psi, PatternPoint foot, double height) const;
    /** The section angle φ measured from the outline's cut, 0..2π. */
    double fromCut(double phi) const;

    const ConePlate& m_plate;
    const MantleOutline& m_outline;
    double m_depth;
    /** O at every fine generator, mm. */
    std::vector<PatternPoint> m_foot;
};

/** A layer of the plate where it crosses the planes of the cone's end faces, rolled out. */
struct LayerEnds {
    std::vector<PatternPoint> large; ///< on every fine generator, in the large end's plane
    std::vector<PatternPoint> small; ///< the same in the small end's plane
};

/**
 * Both end sections of `layer` through every fine generator of its outline, `outline`, whose
 * tables of points (every K-th generator) take them too.
 */
LayerEnds layerEnds(const LayerDevelopment& layer, const ConeMantle& cone, MantleOutline& outline);

/**
 * The cone's plate and one layer of it rolled out, as a pattern is developed on that layer: a
 * point of the pattern lies over the typed surface's point at section angle φ and height z, on
 * the generator whose developed angle points to it from that generator's foot.
 */
class RolledConePlate {
public:
    RolledConePlate(const ConeMantle& cone, const MantleOutline& outline, double depth)
        : m_plate(cone), m_outline(outline), m_layer(m_plate, m_outline, depth),
          m_middle(outline.fineAngles.back() / 2) {}
    RolledConePlate(const RolledConePlate&) = delete;
    RolledConePlate& operator=(const RolledConePlate&) = delete;

    /** The typed surface's section angle and height under a point of the pattern. */
    std::pair<double, double> under(PatternPoint p) const { return m_layer.under(p); }

    /** The same under a point of layer `depth` in the cone's frame. */
    std::pair<double, double> under(Point3 c, double depth) const {
        return m_plate.under(c, depth);
    }

    Point3 pointAt(double phi, double height, double depth) const {
        return m_plate.pointAt(phi, height, depth);
    }
    /** Half the developed angle: the sector's middle, for the angles of its points. */
    double middle() const { return m_middle; }
    double seam() const { return m_outline.seam; }

private:
    ConePlate m_plate;
    MantleOutline m_outline;
    LayerDevelopment m_layer;
    double m_middle;
};

} // namespace blachorys::core
