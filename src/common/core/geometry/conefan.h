#pragma once

#include <span>

namespace blachorys::core {

/**
 * A fan of thin triangles about a cone's apex over its section circle at height z (radius R
 * about (across, e)): `steps` triangles between the generators at the section angles
 * φ_j = j·φ/steps, j = 0..steps, each with `base` (the arc of one step; only its size counts)
 * opposite the apex. The generator at φ_j is √(z² + (across + R·cos φ_j)² + (e + R·sin φ_j)²)
 * long. A fan that starts elsewhere than φ = 0 round a centre at (0, e) is the same fan with
 * the centre turned back by its start: (e·sin φ₀, e·cos φ₀).
 *
 * The triangles are those of `apexAngle`, but each angle is found from quantities free of
 * cancellation, so these are more exact than the straightforward loop, and some thirty times
 * faster on one core: vectorised for the processor it runs on, with the same bits on every one.
 */
struct SectionFan {
    double z = 0.0;
    double R = 0.0;
    double e = 0.0;
    double phi = 0.0;  ///< section angle of the last generator, radians
    double base = 0.0; ///< base of every triangle, mm
    int steps = 0;
    double across = 0.0; ///< the section centre's offset along x, mm
};

/** The fan's developed angle, the sum of its apex angles, and its last generator's length. */
struct FanSum {
    double angle = 0.0;
    double lastLength = 0.0;
};

/** Adds the fan's apex angles up, in a fixed order whatever the vector width. */
FanSum fanSum(const SectionFan& fan);

/**
 * Every apex angle of the fan (`angles[j − 1]` for the triangle ending at generator j, `steps`
 * of them) and every generator's length (`lengths[j]`, `steps` + 1 of them).
 */
void fanAngles(const SectionFan& fan, std::span<double> angles, std::span<double> lengths);

} // namespace blachorys::core
