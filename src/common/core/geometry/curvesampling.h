#pragma once

#include "common/core/geometry/point.h"

#include <functional>
#include <optional>
#include <vector>

namespace blachorys::core {

/** How far a cut may lie from the true line, mm. */
inline constexpr double kCutAllowance = 0.05;

/**
 * How far a drawn cut line may lie from the true curve, mm: a fifth of what a cut is allowed,
 * since the check between samples looks at a few points of each piece, not all.
 */
inline constexpr double kCutLineTolerance = kCutAllowance / 5;

/** The point of a curve at parameter t, or nothing where the geometry gives no point. */
using CurveAt = std::function<std::optional<PatternPoint>(double t)>;

/**
 * A curve through its reported points `knots` (at the increasing or decreasing `parameters`,
 * one each), with as many points of `at` between them as keep every chord within `tolerance`
 * of the curve: each piece is halved until the curve at a quarter, a half and three quarters of
 * it lies that close to its chord. Every reported interval starts in at least two pieces, and
 * in more at small N, so that a narrow bulge between two reported points is not missed. The
 * knots are kept as they are, so the curve passes through the reported points exactly. Nothing
 * when the geometry gives no point somewhere between the knots.
 */
std::optional<std::vector<PatternPoint>> sampleCurve(const CurveAt& at,
                                                     const std::vector<double>& parameters,
                                                     const std::vector<PatternPoint>& knots,
                                                     double tolerance = kCutLineTolerance);

/** A sampled curve with the parameter of each of its points. */
struct SampledCurve {
    std::vector<PatternPoint> points;
    std::vector<double> parameters;
};

/** The same, keeping each point's parameter. */
std::optional<SampledCurve> sampleCurveWithParameters(const CurveAt& at,
                                                      const std::vector<double>& parameters,
                                                      const std::vector<PatternPoint>& knots,
                                                      double tolerance = kCutLineTolerance);

/**
 * A finely drawn curve with the points it can spare left out: every chord of the result stays
 * within `tolerance` of the points it passes over. The first and last points and each point
 * `kept` marks stay.
 */
std::vector<PatternPoint> thinnedCurve(const std::vector<PatternPoint>& points,
                                       const std::vector<bool>& kept,
                                       double tolerance = kCutLineTolerance);

/** Distance from `p` to the segment from `a` to `b`. */
double distanceToSegment(PatternPoint p, PatternPoint a, PatternPoint b);
/** Its square, for comparisons that need no root. */
double squaredDistanceToSegment(PatternPoint p, PatternPoint a, PatternPoint b);

} // namespace blachorys::core
