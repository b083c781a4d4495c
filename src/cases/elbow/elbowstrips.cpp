#include "cases/elbow/elbowstrips.h"

#include "common/core/geometry/curvesampling.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTurn = 2 * kPi;

/** The angle in [0, 2π). */
double withinATurn(double angle) {
    const double a = std::fmod(angle, kTurn);
    return a < 0.0 ? a + kTurn : (a >= kTurn ? 0.0 : a);
}

/** Whether two angles in [0, 2π) are the same place round the pipe. */
bool samePlace(double a, double b) {
    const double apart = std::fabs(a - b);
    return std::min(apart, kTurn - apart) <= 1e-12 * kTurn;
}

/**
 * The generators from the seam at `seam` round to it again. A seam on a reported point k
 * starts there: k, k + 1, ..., N, 1, ..., k, every step πDr/N (with the seam on point 0 the
 * table itself). Between two points it is a generator of its own at both ends.
 */
std::vector<ElbowGenerator> generatorsFrom(const ElbowModel& m, double seam,
                                           const std::function<double(double)>& heightAt) {
    const int n = m.inputs.N;
    const double step = kTurn / n;
    const double r = m.developedDr / 2;
    std::vector<ElbowGenerator> generators;
    const double places = seam / step;
    const double nearest = std::round(places);
    if (std::fabs(places - nearest) <= 1e-9 * std::max(1.0, places)) {
        const int k = static_cast<int>(nearest) % n;
        for (int j = 0; j <= n; ++j) {
            const int point = j == 0 ? k : (k + j - 1) % n + 1;
            generators.push_back({static_cast<double>(j) * kPi * m.developedDr / n,
                                  m.h[static_cast<std::size_t>(point)], point});
        }
        return generators;
    }
    const double seamHeight = heightAt(seam);
    const int first = static_cast<int>(std::ceil(places));
    generators.push_back({0.0, seamHeight, -1});
    for (int j = 0; j < n; ++j) {
        const int point = (first + j - 1) % n + 1;
        const double around = withinATurn(static_cast<double>(point) * step - seam);
        generators.push_back({around * r, m.h[static_cast<std::size_t>(point)], point});
    }
    generators.push_back({m.Lc, seamHeight, -1});
    return generators;
}

} // namespace

double segmentSeam(const ElbowInputs& in, int segment) {
    const double typed = std::fmod(in.seam, 360.0) * kPi / 180.0;
    return withinATurn(typed + (in.alternateSeams && segment % 2 == 1 ? kPi : 0.0));
}

std::size_t ElbowModel::stripOf(int segment) const {
    if (segment == 0) {
        return firstEndStrip;
    }
    if (segment == inputs.Ns - 1) {
        return lastEndStrip;
    }
    return segment % 2 == 1 ? oddMiddleStrip : evenMiddleStrip;
}

bool ElbowModel::seamsOnTheInnerSide() const {
    return strips.size() == 2 && strips[0].seam == 0.0 && strips[1].seam == 0.0;
}

void layOutStrips(ElbowModel& m) {
    const ElbowInputs& in = m.inputs;
    const double slope = std::tan(m.halfAngle);
    const auto heightAt = [&](double phi) {
        return slope * (in.Rk - 0.5 * m.developedDr * std::cos(phi));
    };
    // In the order the segments come: the first end, the middle ones, the last end.
    m.strips.clear();
    const auto stripFor = [&](bool middle, double seam) {
        for (std::size_t s = 0; s < m.strips.size(); ++s) {
            if (m.strips[s].middle == middle && samePlace(m.strips[s].seam, seam)) {
                return s;
            }
        }
        int alike = 0;
        for (const ElbowStrip& strip : m.strips) {
            alike += strip.middle == middle ? 1 : 0;
        }
        ElbowStrip strip;
        strip.middle = middle;
        strip.name =
            std::string(middle ? "B" : "A") + std::string(static_cast<std::size_t>(alike), '\'');
        strip.seam = seam;
        m.strips.push_back(std::move(strip));
        return m.strips.size() - 1;
    };
    // Segments 1, 3, ... alike, and 2, 4, ...: the count is Ns's, not a loop over it.
    const int middles = in.Ns - 2;
    const auto add = [&](bool middle, double seam, int count) {
        const std::size_t s = stripFor(middle, seam);
        m.strips[s].count += count;
        return s;
    };
    m.firstEndStrip = add(false, segmentSeam(in, 0), 1);
    m.oddMiddleStrip =
        add(true, segmentSeam(in, 1), in.alternateSeams ? (middles + 1) / 2 : middles);
    m.evenMiddleStrip = in.alternateSeams && middles > 1
                            ? add(true, segmentSeam(in, 2), middles / 2)
                            : m.oddMiddleStrip;
    // The last end is turned round to face its neighbour: its pattern runs the other way.
    m.lastEndStrip = add(false, withinATurn(kTurn - segmentSeam(in, in.Ns - 1)), 1);
    // Each pattern 0.5·hmax clear of the last: A is hmax high from its base line, B 2·hmax
    // about its centre line. Counted in hmax so that the first B's centre line is 2.5·hmax.
    double cursor = 0.0;
    for (ElbowStrip& strip : m.strips) {
        strip.base = (strip.middle ? cursor + 1.0 : cursor) * m.hmax;
        cursor += (strip.middle ? 2.0 : 1.0) + 0.5;
        if (strip.seam == 0.0) {
            strip.generators = generatorsFrom(m, 0.0, heightAt);
            strip.exactCut = m.exactCut;
            continue;
        }
        strip.generators = generatorsFrom(m, strip.seam, heightAt);
        std::vector<double> along;
        std::vector<PatternPoint> knots;
        for (const ElbowGenerator& g : strip.generators) {
            along.push_back(g.L);
            knots.push_back({g.L, g.h});
        }
        const double r = m.developedDr / 2;
        strip.exactCut =
            sampleCurve(
                [&](double L) {
                    return std::optional(PatternPoint{L, heightAt(strip.seam + L / r)});
                },
                along, knots)
                .value_or(knots);
    }
    m.topInHmax = cursor;
}

} // namespace blachorys::core
