#pragma once

#include "common/core/geometry/obliquecone.h"

#include <optional>

namespace blachorys::core {

struct PipeConeInputs;

/** Where a pipe generator meets the mantle (x, y, z in the cone's frame), and its length h. */
struct Meeting {
    double x, y, z, h;
};

/**
 * The generators of one layer of the pipe's wall (radius `radius` about its axis) and where
 * they meet the cone's typed surface. A square pipe's generators run at constant height; an
 * inclined pipe's generator is the line y = m + z·tan β, whose meeting with the cone
 * x² + (y − e(z))² = R(z)² is the quadratic A2·z² + A1·z + A0 = 0.
 */
class PipeGenerators {
public:
    PipeGenerators(const PipeConeInputs& in, const ConeMantle& cone, double radius);

    /** The generators of another layer of the same pipe. */
    PipeGenerators atRadius(double radius) const;

    /** The pipe's generators run parallel to one of the cone's generators. */
    bool parallelToTheCone() const;

    /** The meeting of the generator at θ (radians from the large-end side), if it meets. */
    std::optional<Meeting> meet(double theta) const;

    /** The generator at θ, from the foot of the pipe's axis towards the pipe's end face. */
    SpaceLine line(double theta) const;

    /** The generator's length from the point `along` its line to the pipe's end face, mm. */
    double toTheEndFace(double along) const;

private:
    std::optional<Meeting> meetSquare(double x, double theta) const;
    std::optional<Meeting> meetInclined(double x, double theta) const;

    const PipeConeInputs* m_in;
    const ConeMantle* m_cone;
    double m_beta;
    double m_r;
    double m_zA;
    bool m_square;
    double m_c2 = 0.0;
    double m_tanBeta = 0.0;
    double m_k = 0.0;
    double m_A2 = 0.0;
};

/**
 * Whether some generator of the pipe's layer of `radius` goes into the cone where it meets it,
 * on its way to the end face, instead of coming out: a pipe inclined more steeply than the
 * cone's side meets it only once, behind the axis, and its end stands inside the cone.
 */
bool entersTheConeTowardsItsEnd(const PipeConeInputs& in, const ConeMantle& cone, double radius);

/**
 * How far along the cone's axis the pipe's generators meet it, against its end faces: within
 * them is clear of them by the cut's allowance, so that a hole never runs into the mantle's
 * edge (where the edge and the hole would be one cut, and the mantle's outline would cross it).
 */
class FrustumReach {
public:
    explicit FrustumReach(const ConeMantle& cone);

    void add(double z);
    bool withinTheEnds() const;
    /** How far the reach must keep from each end face, mm. */
    double clearance() const;
    /** The ends along the axis, and the lowest and highest reach within them. */
    double lowestWithin() const { return m_low + clearance(); }
    double highestWithin() const { return m_high - clearance(); }

private:
    double m_low;
    double m_high;
    double m_rounding;
    double m_lowest;
    double m_highest;
};

} // namespace blachorys::core
