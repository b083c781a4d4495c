#pragma once

#include "common/core/geometry/space.h"

#include <span>
#include <vector>

namespace blachorys::core {

/**
 * A truncated cone, possibly oblique, in the frame fixed to it: the apex at the origin, z
 * along the length axis towards the large end, y in the plane of the offset E (towards the
 * branch's side), x across. Its section at height z is the circle of radius R(z) about
 * (0, e(z)); the apex and every section centre lie on one straight line.
 */
struct ConeMantle {
    double Dsm = 600.0; ///< diameter of the small end face, mm
    double Dsd = 800.0; ///< diameter of the large end face, mm
    double Hs = 1000.0; ///< distance between the end faces, mm
    double E = 100.0;   ///< offset of the large end face's centre from the small one's, mm

    /** Distance of the large end face from the apex, mm (negative when Dsm > Dsd). */
    double Zd() const { return Dsd * Hs / (Dsd - Dsm); }
    /** Distance of the small end face from the apex, mm. */
    double Zm() const { return Zd() - Hs; }
    /** Radius of the section at height z, mm. */
    double radiusAt(double z) const { return z * (Dsd - Dsm) / (2 * Hs); }
    /** Offset of the section centre at height z towards positive y, mm. */
    double centreAt(double z) const { return z * E / Hs; }
};

/** Thin triangles from the reference generator to a point of the mantle. */
inline constexpr int kPointSteps = 8000;
/** Fine steps round the whole large end, at least, for the outline. */
inline constexpr int kOutlineSteps = 8000;

/** A point of the unrolled mantle: the apex at the origin, the reference generator along +X. */
struct DevelopedPoint {
    double x = 0.0;
    double y = 0.0;
};

/**
 * Unrolls the mantle point (x, y, z) about the apex. The reference generator, the cut of the
 * mantle, runs through x = +R(z), y = e(z) in every section; the generator through the point
 * makes the section angle φ = atan2(y − e(z), x) with it (π/2 when x is exactly 0). Its
 * developed angle is the sum of the apex angles of 8000 thin triangles between generators
 * φ/8000 apart, each with the section's arc of one step as its base; the point goes to its
 * own distance from the apex along that angle.
 *
 * A point on the far side of its section centre (y < e(z)) lies past half a turn from the cut:
 * its φ is taken from 0 to 2π, as the outline's generators are.
 *
 * The reference implementation: the straightforward loop, which any faster one must match.
 */
DevelopedPoint developPointReference(const ConeMantle& cone, double x, double y, double z);

/**
 * The same construction as `developPointReference`, for every point, spread over the
 * processor's cores (`threads`: how many at most, 0 for all): each point's 8000 triangles are
 * one fan of `fanSum`. Many points share their fans instead: the developed angle depends on
 * the section angle alone, and `interpolatedPointAngles` gives it from a few dozen fans
 * where it settles. The result does not depend on the number of threads. Where the fan gives
 * no finite point, the reference loop gives its own answer.
 */
std::vector<DevelopedPoint> developPoints(const ConeMantle& cone, std::span<const Point3> points,
                                          unsigned threads = 0);

/**
 * The unrolled end arcs: N + 1 generators spaced 2π/N round the cone, from the cut, which lies
 * on the generator at section angle `seam`.
 */
struct MantleOutline {
    /** The section angle of the cut, radians: fine generator s lies at seam + s·2π/M. */
    double seam = 0.0;
    /** Fine steps per division (8000/N rounded up), and in all (M = K·N). */
    int K = 0;
    int M = 0;
    std::vector<double> Xm; ///< small end arc, mm
    std::vector<double> Ym;
    std::vector<double> Xd; ///< large end arc, mm
    std::vector<double> Yd;
    /** Every fine generator s = 0..M, at section angle s·2π/M: its developed angle, radians. */
    std::vector<double> fineAngles;
    /** The large end's point on every fine generator, mm: the arc as exactly as it is cut. */
    std::vector<double> fineXd;
    std::vector<double> fineYd;
};

/**
 * The developed angle of the generator at section angle φ (measured 0..2π from the cut), from the
 * outline's fine generators, between two of them along the straight line joining their angles.
 */
double developedAngle(const MantleOutline& outline, double phi);

/**
 * The section angle (0..2π from the cut) of the generator whose developed angle is ψ, between
 * two of the outline's fine generators: the inverse of `developedAngle`.
 */
double sectionAngleOfDeveloped(const MantleOutline& outline, double psi);

/** The section angle of a mantle point, 0..2π from the cut. */
double sectionAngle(const ConeMantle& cone, double x, double y, double z);

/** Fine steps per division of the outline: 8000/N, rounded up to a whole number. */
int outlineStepsPerDivision(int divisions);

/**
 * Unrolls the large end in M fine thin triangles about the apex, each with one fine step of
 * the end circle (2π·Rd/M) as its base, from the cut at section angle `seam` round to it again,
 * and keeps every K-th generator's end. The small end
 * arc is the large one scaled towards the apex by (Zd − Hs)/Zd = Dsm/Dsd. Point N is the
 * reference generator again, at the full development angle: the two sides of the cut are
 * point 0 and point N of both arcs.
 *
 * The reference implementation: the straightforward loop, which any faster one must match.
 */
MantleOutline developOutlineReference(const ConeMantle& cone, int divisions, double seam = 0.0);

/**
 * The same construction as `developOutlineReference`, its M triangles one fan of `fanAngles`.
 * Where the fan gives a point that is not finite, the reference loop gives the outline.
 */
MantleOutline developOutline(const ConeMantle& cone, int divisions, double seam = 0.0);

} // namespace blachorys::core
