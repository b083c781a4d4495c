#pragma once

#include "cases/pipe_cone/pipeconegenerators.h"
#include "cases/pipe_cone/pipeconemantle.h"
#include "common/core/pattern.h"

#include <optional>
#include <vector>

namespace blachorys::core {

/** Where a line meets a layer of the cone's plate. */
struct LayerMeeting {
    double phi = 0.0;    ///< section angle of the typed surface's generator under it, radians
    double height = 0.0; ///< height of the typed surface's point under it (along the normal), mm
    double along = 0.0;  ///< distance along the line from its origin, mm
    MantlePoint point;
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
    MantlePoint normal(double phi) const;

    /** The point of layer `depth` over the typed surface's point at φ and height z. */
    MantlePoint pointAt(double phi, double height, double depth) const;

    /** The height of the typed surface's point under a point of layer `depth` at φ. */
    double typedHeight(double phi, MantlePoint point, double depth) const;

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

    /** The developed point of the layer over the typed surface's point at φ (0..2π) and z. */
    PatternPoint at(double phi, double height) const;

    /** The same on fine generator s of the outline. */
    PatternPoint atFine(std::size_t s, double height) const;

    /** The layer's point in the end plane at height `plane`, on the generator at φ: its z. */
    double heightInPlane(double phi, double plane) const;

    double depth() const { return m_depth; }

private:
    PatternPoint developed(double phi, double psi, PatternPoint foot, double height) const;

    const ConePlate& m_plate;
    const MantleOutline& m_outline;
    double m_depth;
    /** O at every fine generator, mm. */
    std::vector<PatternPoint> m_foot;
};

} // namespace blachorys::core
