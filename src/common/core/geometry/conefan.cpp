// The thin-triangle fans of a cone's mantle, vectorised with Highway: the code below is compiled
// once for each instruction set Highway targets (SSSE3, SSE4, AVX2, AVX-512 on x86, and plain
// C++), and the processor's best is chosen when the program runs: one binary for every machine.
//
// Every target computes the same numbers bit for bit: only additions, multiplications,
// divisions and square roots (each rounded exactly as IEEE 754 prescribes, in any vector
// width), no fused multiply-add (this file is built with -ffp-contract=off), and the angles are
// added up in eight compensated running sums by step number modulo 8, however many lanes a
// vector has.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "common/core/geometry/conefan.cpp"
#include <hwy/foreach_target.h> // must come before highway.h
#include <hwy/highway.h>

#ifndef BLACHORYS_CONEFAN_SHARED
#define BLACHORYS_CONEFAN_SHARED

#include "common/core/base/compensatedsum.h"
#include "common/core/geometry/conefan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace blachorys::core::fan {

/** Steps per tile: the generator lengths of one tile are computed, then its angles. */
inline constexpr std::size_t kTile = 64;
/** Steps per row: the running sums of the angles, one per step number modulo 8. */
inline constexpr std::size_t kRow = 8;

/**
 * The thin-triangle range of q = sin²(α/2): α = 2·asin √q by its series up to the q⁵ term.
 * For √q ≤ 1/16 the first term left off, 0.0226·q⁶ ≤ 8e-17 of the angle, is below half an
 * ulp. Wider triangles (α over 0.125 rad: near the apex of a cone far flatter than long, or a
 * fan of few steps) take the arctangent instead.
 */
inline constexpr double kThinLimit = 1.0 / 256;
/** asin(x)/x = 1 + c1·x² + c2·x⁴ + ...: cₙ = (2n)! / (4ⁿ·(n!)²·(2n + 1)). */
inline constexpr std::array<double, 5> kAsinSeries{1.0 / 6, 3.0 / 40, 5.0 / 112, 35.0 / 1152,
                                                   63.0 / 2816};

/** A point of the unit circle, e^{iθ}: its cosine and sine. */
struct Turn {
    double c = 1.0;
    double s = 0.0;
};

inline Turn times(Turn a, Turn b) {
    return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s};
}

inline Turn turnBy(double angle) {
    return {std::cos(angle), std::sin(angle)};
}

/**
 * The cosines and sines of the step angles φ_(i+1) = (i + 1)·Δ, step i = 64·m + k: the tile's
 * turn e^{i·64mΔ} times the step's turn e^{i·(k+1)Δ} within it. Only e^{iΔ}, e^{i·8Δ},
 * e^{i·64Δ} and e^{i·1024Δ} come from std::cos and std::sin; every other turn is at most 40
 * products of them away, each adding under 2 ulp: within 1e-14 of the true value, which moves
 * a developed point by some 1e-14 of its distance from the apex (1e-10 mm at 10 m), well below
 * what the straightforward loop's own rounding does.
 */
class StepTurns {
public:
    explicit StepTurns(double delta)
        : step(turnBy(delta)), m_tileStep(turnBy(static_cast<double>(kTile) * delta)),
          m_groupStep(turnBy(static_cast<double>(kTile * kTilesPerGroup) * delta)) {
        const Turn rowStep = turnBy(static_cast<double>(kRow) * delta);
        std::array<Turn, kRow> row;  // e^{i(d+1)Δ}
        std::array<Turn, kRow> rows; // e^{i·8cΔ}
        row[0] = step;
        rows[0] = Turn{};
        for (std::size_t k = 1; k < kRow; ++k) {
            row[k] = times(row[k - 1], step);
            rows[k] = times(rows[k - 1], rowStep);
        }
        for (std::size_t k = 0; k < kTile; ++k) {
            const Turn t = times(rows[k / kRow], row[k % kRow]);
            cosines[k] = t.c;
            sines[k] = t.s;
        }
        m_tiles[0] = Turn{};
        for (std::size_t b = 1; b < kTilesPerGroup; ++b) {
            m_tiles[b] = times(m_tiles[b - 1], m_tileStep);
        }
    }

    /** e^{i·64mΔ}, the turn of tile m's start; tiles are asked for in order from 0. */
    Turn tile(std::size_t m) {
        if (m % kTilesPerGroup == 0 && m > 0) {
            m_group = times(m_group, m_groupStep);
        }
        return times(m_group, m_tiles[m % kTilesPerGroup]);
    }

    /** e^{iΔ}. */
    Turn step;
    /** cos and sin of (k + 1)·Δ, k = 0..63. */
    alignas(64) std::array<double, kTile> cosines{};
    alignas(64) std::array<double, kTile> sines{};

private:
    static constexpr std::size_t kTilesPerGroup = 16;
    Turn m_tileStep;
    Turn m_groupStep;
    std::array<Turn, kTilesPerGroup> m_tiles; // e^{i·64bΔ}
    Turn m_group;                             // e^{i·1024aΔ}, a = m / 16
};

/** What every step of a fan shares. */
struct FanConstants {
    FanConstants(const SectionFan& fan, double delta, Turn step) : absBase(std::fabs(fan.base)) {
        // The difference of two neighbouring generators' squares by an identity, free of the
        // cancellation between the squares of two nearly equal lengths, with a = the centre's
        // offset across:
        //   ℓ_j² − ℓ_(j−1)² = 2eR·(sin φ_j − sin φ_(j−1)) + 2aR·(cos φ_j − cos φ_(j−1))
        //     = 2eR·(sin Δ·cos φ_j + 2·sin²(Δ/2)·sin φ_j)
        //       + 2aR·(2·sin²(Δ/2)·cos φ_j − sin Δ·sin φ_j).
        const double halfSine = std::sin(delta / 2);
        squareStepCos = 2 * fan.e * fan.R * step.s + 4 * fan.across * fan.R * (halfSine * halfSine);
        squareStepSin = 4 * fan.e * fan.R * (halfSine * halfSine) - 2 * fan.across * fan.R * step.s;
        // The generator at φ = 0, as the straightforward loop computes it.
        const double across = fan.across + fan.R;
        const double along = fan.e + fan.R * 0.0;
        firstLength = std::sqrt(fan.z * fan.z + across * across + along * along);
    }

    double absBase;
    double squareStepCos = 0.0;
    double squareStepSin = 0.0;
    double firstLength = 0.0;
};

/** x, or 0 where rounding has left it a hair below; NaN stays NaN. */
inline double nonNegative(double x) {
    return x < 0.0 ? 0.0 : x;
}

/**
 * The apex angle of a triangle too wide for the series, from the same quantities: the sides
 * p and l from the apex, the difference of their squares, and the base b. With S = p + l,
 * tan(α/2) = √(b² − (l − p)²) / √(S² − b²), and (l − p)·S is the difference of the squares.
 * A triangle whose sides cannot close is flat, as `apexAngle` takes it: 0 or π.
 */
inline double wideApexAngle(double p, double l, double squareStep, double base) {
    const double S = p + l;
    const double bS = base * S;
    const double across = (bS - squareStep) * (bS + squareStep);
    const double along = (S - base) * (S + base);
    return 2 * std::atan2(std::sqrt(nonNegative(across)) / S, std::sqrt(nonNegative(along)));
}

/** The eight running sums and the rounding each carries, added up, always in this order. */
inline double addRunningSums(const std::array<double, kRow>& sums,
                             const std::array<double, kRow>& errors) {
    CompensatedSum total;
    for (std::size_t i = 0; i < kRow; ++i) {
        total.add(sums[i]);
        total.add(-errors[i]);
    }
    return total.value();
}

} // namespace blachorys::core::fan

#endif // BLACHORYS_CONEFAN_SHARED

HWY_BEFORE_NAMESPACE();
namespace blachorys::core::HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;
using D = hn::CappedTag<double, fan::kRow>;
using V = hn::Vec<D>;
constexpr std::size_t kLanes = hn::MaxLanes(D());
constexpr std::size_t kVectorsPerRow = fan::kRow / kLanes;
static_assert(fan::kRow % kLanes == 0 && fan::kTile % fan::kRow == 0);

/**
 * Walks the fan tile by tile and hands `take(first step, angles)` each vector of apex angles.
 * Steps past the last one are computed as the fan went on, and left to `take` to drop.
 */
template <class Take> double walkFan(const SectionFan& fan, double* lengthsOut, Take&& take) {
    const D d;
    const auto steps = static_cast<std::size_t>(std::max(fan.steps, 0));
    const std::size_t tiles = (steps + fan::kTile - 1) / fan::kTile;
    const double delta = fan.phi / fan.steps;
    fan::StepTurns turns(delta);
    const fan::FanConstants k(fan, delta, turns.step);

    const V z2 = hn::Set(d, fan.z * fan.z);
    const V R = hn::Set(d, fan.R);
    const V e = hn::Set(d, fan.e);
    const V centreAcross = hn::Set(d, fan.across);
    const V stepCos = hn::Set(d, k.squareStepCos);
    const V stepSin = hn::Set(d, k.squareStepSin);
    const V base = hn::Set(d, k.absBase);
    const V four = hn::Set(d, 4.0);
    const V two = hn::Set(d, 2.0);
    const V one = hn::Set(d, 1.0);
    const V zero = hn::Zero(d);
    const V thinLimit = hn::Set(d, fan::kThinLimit);
    const V c1 = hn::Set(d, fan::kAsinSeries[0]);
    const V c2 = hn::Set(d, fan::kAsinSeries[1]);
    const V c3 = hn::Set(d, fan::kAsinSeries[2]);
    const V c4 = hn::Set(d, fan::kAsinSeries[3]);
    const V c5 = hn::Set(d, fan::kAsinSeries[4]);

    // lengths[kRow − 1] is the generator before the tile, lengths[kRow + k] the one of step k.
    alignas(64) std::array<double, fan::kRow + fan::kTile> lengths{};
    alignas(64) std::array<double, fan::kTile> squareSteps{};
    lengths[fan::kRow - 1] = k.firstLength;
    if (lengthsOut != nullptr) {
        lengthsOut[0] = k.firstLength;
    }
    for (std::size_t m = 0; m < tiles; ++m) {
        const fan::Turn tile = turns.tile(m);
        const V tileCos = hn::Set(d, tile.c);
        const V tileSin = hn::Set(d, tile.s);
        for (std::size_t i = 0; i < fan::kTile; i += kLanes) {
            const V stepCosines = hn::Load(d, turns.cosines.data() + i);
            const V stepSines = hn::Load(d, turns.sines.data() + i);
            const V cosPhi = hn::Sub(hn::Mul(tileCos, stepCosines), hn::Mul(tileSin, stepSines));
            const V sinPhi = hn::Add(hn::Mul(tileSin, stepCosines), hn::Mul(tileCos, stepSines));
            const V across = hn::Add(centreAcross, hn::Mul(R, cosPhi));
            const V along = hn::Add(e, hn::Mul(R, sinPhi));
            const V squared = hn::Add(hn::Add(z2, hn::Mul(across, across)), hn::Mul(along, along));
            hn::Store(hn::Sqrt(squared), d, lengths.data() + fan::kRow + i);
            hn::Store(hn::Add(hn::Mul(stepCos, cosPhi), hn::Mul(stepSin, sinPhi)), d,
                      squareSteps.data() + i);
        }
        for (std::size_t i = 0; i < fan::kTile; i += kLanes) {
            const V p = hn::LoadU(d, lengths.data() + fan::kRow - 1 + i);
            const V l = hn::Load(d, lengths.data() + fan::kRow + i);
            const V squareStep = hn::Load(d, squareSteps.data() + i);
            // sin²(α/2) = (b² − (l − p)²) / (4pl), with l − p = (l² − p²) / (l + p).
            const V S = hn::Add(p, l);
            const V bS = hn::Mul(base, S);
            const V across = hn::Mul(hn::Sub(bS, squareStep), hn::Add(bS, squareStep));
            const V q = hn::Div(across, hn::Mul(hn::Mul(hn::Mul(four, p), l), hn::Mul(S, S)));
            const auto thin = hn::Le(q, thinLimit);
            // Rounding can leave a triangle flat to within it a hair below 0: its angle is 0.
            const V qq = hn::Max(q, zero);
            V poly = hn::Add(c4, hn::Mul(qq, c5));
            poly = hn::Add(c3, hn::Mul(qq, poly));
            poly = hn::Add(c2, hn::Mul(qq, poly));
            poly = hn::Add(c1, hn::Mul(qq, poly));
            poly = hn::Add(one, hn::Mul(qq, poly));
            V angle = hn::Mul(hn::Mul(two, hn::Sqrt(qq)), poly);
            if (!hn::AllTrue(d, thin)) {
                alignas(64) std::array<double, kLanes> angles{};
                alignas(64) std::array<double, kLanes> qs{};
                hn::Store(angle, d, angles.data());
                hn::Store(q, d, qs.data());
                for (std::size_t t = 0; t < kLanes; ++t) {
                    if (!(qs[t] <= fan::kThinLimit)) {
                        angles[t] = fan::wideApexAngle(lengths[fan::kRow - 1 + i + t],
                                                       lengths[fan::kRow + i + t],
                                                       squareSteps[i + t], k.absBase);
                    }
                }
                angle = hn::Load(d, angles.data());
            }
            take(m * fan::kTile + i, angle);
        }
        if (lengthsOut != nullptr) {
            const std::size_t count = std::min(fan::kTile, steps - m * fan::kTile);
            std::copy_n(lengths.begin() + fan::kRow, count, lengthsOut + 1 + m * fan::kTile);
        }
        lengths[fan::kRow - 1] = lengths[fan::kRow + fan::kTile - 1];
    }
    // The last step's generator, in its slot of the last tile.
    return steps == 0 ? k.firstLength : lengths[fan::kRow + (steps - 1) % fan::kTile];
}

} // namespace

FanSum FanSumOf(const SectionFan& fan) {
    const D d;
    const auto steps = static_cast<std::size_t>(std::max(fan.steps, 0));
    // Kahan's compensated sums: `errors` carries what each addition rounded away (the angles
    // are never negative, so each sum is at least as large as what is added to it).
    std::array<V, kVectorsPerRow> sums;
    std::array<V, kVectorsPerRow> errors;
    for (std::size_t v = 0; v < kVectorsPerRow; ++v) {
        sums[v] = hn::Zero(d);
        errors[v] = hn::Zero(d);
    }
    const double lastLength = walkFan(fan, nullptr, [&](std::size_t first, V angle) {
        if (first + kLanes > steps) {
            // Steps past the fan's end.
            angle = hn::IfThenElseZero(
                hn::FirstN(d, first < steps ? steps - first : std::size_t{0}), angle);
        }
        const std::size_t v = (first % fan::kRow) / kLanes;
        const V added = hn::Sub(angle, errors[v]);
        const V sum = hn::Add(sums[v], added);
        errors[v] = hn::Sub(hn::Sub(sum, sums[v]), added);
        sums[v] = sum;
    });
    alignas(64) std::array<double, fan::kRow> partial{};
    alignas(64) std::array<double, fan::kRow> partialErrors{};
    for (std::size_t v = 0; v < kVectorsPerRow; ++v) {
        hn::Store(sums[v], d, partial.data() + v * kLanes);
        hn::Store(errors[v], d, partialErrors.data() + v * kLanes);
    }
    return {fan::addRunningSums(partial, partialErrors), lastLength};
}

void FanAnglesOf(const SectionFan& fan, double* angles, double* lengths) {
    const D d;
    const auto steps = static_cast<std::size_t>(std::max(fan.steps, 0));
    walkFan(fan, lengths, [&](std::size_t first, V angle) {
        alignas(64) std::array<double, kLanes> values{};
        hn::Store(angle, d, values.data());
        for (std::size_t t = 0; t < kLanes && first + t < steps; ++t) {
            angles[first + t] = values[t];
        }
    });
}

} // namespace blachorys::core::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace blachorys::core {

HWY_EXPORT(FanSumOf);
HWY_EXPORT(FanAnglesOf);

FanSum fanSum(const SectionFan& fan) {
    return HWY_DYNAMIC_DISPATCH(FanSumOf)(fan);
}

void fanAngles(const SectionFan& fan, std::span<double> angles, std::span<double> lengths) {
    const auto steps = static_cast<std::size_t>(std::max(fan.steps, 0));
    if (angles.size() < steps || lengths.size() < steps + 1) {
        throw std::invalid_argument("fanAngles: a table is shorter than the fan");
    }
    HWY_DYNAMIC_DISPATCH(FanAnglesOf)(fan, angles.data(), lengths.data());
}

} // namespace blachorys::core
#endif
