#include "cases/calculators.h"
#include "cases/pipe_cone/pipeconecase.h"

#include "common/core/geometry/curvesampling.h"
#include "support/casetexts.h"
#include "support/drawncut.h"
#include "support/vec3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

using test::Vec;

/**
 * The joint as built, in the cone's frame (apex at the origin, z along the axis, the section
 * at z a circle of radius slope·z about (0, lean·z)), its plate the outside moved inwards along
 * the normal, which is found here from the surface's own tangents.
 */
struct BuiltJoint {
    double Dr, Dsm, Dsd, P, beta, alfa, Hr, Hs, Lm, E, tr, ts;
    double slope = (Dsd - Dsm) / 2 / Hs, lean = E / Hs;
    double Zd = Dsd * Hs / (Dsd - Dsm), Zm = Zd - Hs;

    /** The typed (outside) surface at section angle φ and height z. */
    Vec typed(double phi, double z) const {
        return {z * slope * std::cos(phi), z * (lean + slope * std::sin(phi)), z};
    }
    Vec generator(double phi) const { return (typed(phi, Zd) - typed(phi, Zd / 2)).unit(); }
    Vec normal(double phi) const {
        const Vec along = typed(phi + 1e-6, Zd) - typed(phi - 1e-6, Zd);
        Vec n = along.cross(generator(phi)).unit();
        const Vec radial{std::cos(phi), std::sin(phi), 0};
        return n.dot(radial) < 0 ? n * -1 : n;
    }
    /** How far `p` lies outside the outside surface (negative: within the plate or inside). */
    double outsideTyped(Vec p) const {
        double phi = std::atan2(p.y - lean * p.z, p.x);
        // The nearest generator, by halving the angle round the point's own section angle.
        const auto distance = [&](double f) {
            const Vec g = generator(f);
            const Vec d = p - g * p.dot(g);
            return d.length();
        };
        double low = phi - 0.5, high = phi + 0.5;
        for (int k = 0; k < 80; ++k) {
            const double a = low + (high - low) / 3, b = high - (high - low) / 3;
            if (distance(a) < distance(b)) {
                high = b;
            } else {
                low = a;
            }
        }
        const double nearest = distance((low + high) / 2);
        const bool inside = std::hypot(p.x, p.y - lean * p.z) < std::fabs(slope * p.z);
        return inside ? -nearest : nearest;
    }
    Vec axis() const { return {0, std::sin(beta), std::cos(beta)}; }
    Vec axisFoot() const { return {P, lean * (Zm + Lm), Zm + Lm}; }
    /** The point h below the pipe's end face on its generator θ of radius ρ. */
    Vec onPipe(double theta, double rho, double h) const {
        const Vec across = Vec{0, -std::cos(beta), std::sin(beta)} * std::cos(theta) +
                           Vec{-1, 0, 0} * std::sin(theta);
        return axisFoot() + axis() * (Hr / std::sin(beta) - h) + across * rho;
    }
    double fromPipeAxis(Vec p) const {
        const Vec d = p - axisFoot();
        return (d - axis() * d.dot(axis())).length();
    }
};

/**
 * The plate's mean surface rolled out by triangles between its generators, with their true
 * sides: what the mantle's outline rolls back onto.
 */
class MeanRollBack {
public:
    MeanRollBack(const BuiltJoint& j, int strips) : m_j(j), m_step(2 * kPi / strips) {
        const double near = std::fabs(j.Zm) * 0.9, far = std::fabs(j.Zd) * 1.1;
        Vec a3 = point(0, near), b3 = point(0, far);
        PatternPoint a{near, 0}, b{far, 0};
        for (int k = 0; k <= strips; ++k) {
            m_foot.push_back(
                {a.x - near * (b.x - a.x) / (far - near), a.y - near * (b.y - a.y) / (far - near)});
            m_along.push_back({(b.x - a.x) / (far - near), (b.y - a.y) / (far - near)});
            const Vec a4 = point((k + 1) * m_step, near), b4 = point((k + 1) * m_step, far);
            const PatternPoint b2 = apex(a, b, (b4 - a3).length(), (b4 - b3).length());
            a = apex(a, b2, (a4 - a3).length(), (a4 - b4).length());
            b = b2;
            a3 = a4;
            b3 = b4;
        }
    }

    /** The mean surface's point at section angle φ, s along the generator from its foot. */
    Vec point(double phi, double s) const {
        return m_j.generator(phi) * s + m_j.normal(phi) * (-m_j.ts / 2);
    }

    /** The pattern's point (x, y) rolled back: its generator's φ and distance s. */
    std::pair<double, double> rollBack(PatternPoint q) const {
        const auto side = [&](std::size_t k) {
            return m_along[k].x * (q.y - m_foot[k].y) - m_along[k].y * (q.x - m_foot[k].x);
        };
        std::size_t low = 0, high = m_foot.size() - 1;
        while (high - low > 1) {
            const std::size_t middle = (low + high) / 2;
            (side(middle) >= 0 ? low : high) = middle;
        }
        const double share = side(low) / (side(low) - side(high));
        const auto alongOf = [&](std::size_t k) {
            return m_along[k].x * (q.x - m_foot[k].x) + m_along[k].y * (q.y - m_foot[k].y);
        };
        return {(static_cast<double>(low) + share) * m_step,
                alongOf(low) + share * (alongOf(high) - alongOf(low))};
    }

    /** The mean surface's section in the end plane at height z, as long as it is, mm. */
    double sectionLength(double z, int samples) const {
        double total = 0;
        Vec previous{};
        for (int k = 0; k <= samples; ++k) {
            const double phi = 2 * kPi * k / samples;
            const Vec foot = point(phi, 0), g = m_j.generator(phi);
            const Vec p = foot + g * ((z - foot.z) / g.z);
            total += k > 0 ? (p - previous).length() : 0;
            previous = p;
        }
        return total;
    }

private:
    /** The third corner of a triangle on `from`–`to`, anticlockwise of it. */
    static PatternPoint apex(PatternPoint from, PatternPoint to, double fromFrom, double fromTo) {
        const double base = std::hypot(to.x - from.x, to.y - from.y);
        const double along = (fromFrom * fromFrom - fromTo * fromTo + base * base) / (2 * base);
        const double up = std::sqrt(std::max(0.0, fromFrom * fromFrom - along * along));
        const PatternPoint u{(to.x - from.x) / base, (to.y - from.y) / base};
        return {from.x + along * u.x - up * u.y, from.y + along * u.y + up * u.x};
    }

    const BuiltJoint& m_j;
    double m_step;
    std::vector<PatternPoint> m_foot, m_along;
};

double drawnLength(const Pattern& pattern, LineRole role) {
    double total = 0;
    for (const Contour& contour : pattern.exactContours) {
        for (std::size_t k = 0; k < contour.points.size(); ++k) {
            if (contour.roles[k] == role) {
                const PatternPoint a = contour.points[k];
                const PatternPoint b = contour.points[(k + 1) % contour.points.size()];
                total += std::hypot(b.x - a.x, b.y - a.y);
            }
        }
    }
    return total;
}

struct WalledJoint {
    const char* what;
    test::FieldChanges changes;
    double P, beta, alfa, E;
};

// A pipe 8 mm thick on a cone of 10 mm plate, either joint and either making, at the defaults
// (set in, the pipe's outside would pass the cone's inside at P = 230: P = 220) and inclined,
// offset and on an oblique cone: every layer of the pipe's wall, cut as the template is drawn,
// stops at the cone's contact surface or short of it, and one touches it; the hole, rolled
// back onto the plate's mean surface and cut square through the plate, holds the pipe's
// contact surface at every depth and touches it at one; each pattern is as long round as its
// surface.
TEST(PipeConeWalls, TheWallRestsOnTheConeAndTheHolePassesThePipeAtEveryDepth) {
    constexpr int kLayers = 24;
    const double tr = 8, ts = 10;
    for (const WalledJoint& geometry :
         {WalledJoint{"defaults", {}, 230, 90, 0, 100},
          WalledJoint{"inclined_oblique",
                      {{"Beta", "60"}, {"alfa", "30"}, {"P", "-120"}, {"E", "-150"}},
                      -120,
                      60,
                      30,
                      -150}}) {
        BuiltJoint j{250,
                     600,
                     800,
                     geometry.P,
                     geometry.beta * kPi / 180,
                     geometry.alfa * kPi / 180,
                     700,
                     1000,
                     600,
                     geometry.E,
                     tr,
                     ts};
        const MeanRollBack mean(j, 100000);
        for (int k = 0; k < 4; ++k) {
            const bool setOn = (k & 1) == 0, rolled = (k & 2) == 0;
            SCOPED_TRACE(std::string(geometry.what) + (setOn ? " set on" : " set in") +
                         (rolled ? " rolled" : " from a pipe"));
            j.P = setOn || geometry.P != 230 ? geometry.P : 220;
            test::FieldChanges changes = geometry.changes;
            changes.insert(changes.end(), {{"tr", "8"},
                                           {"ts", "10"},
                                           {"P", std::to_string(j.P)},
                                           {"joint", setOn ? "set-on" : "set-in"},
                                           {"pipe-made", rolled ? "rolled" : "pipe"}});
            const auto texts = test::changedTexts(pipeConeCalculator(), changes);
            const auto pipe = pipeConeCalculator().calculate(texts, 0, "d");
            const auto cone = pipeConeCalculator().calculate(texts, 1, "d");
            ASSERT_TRUE(pipe.outputs && cone.outputs)
                << test::messageTexts(pipe).size() + test::messageTexts(cone).size();
            const double inside = j.Dr / 2 - tr, outside = j.Dr / 2;
            const double developed = rolled ? (j.Dr - tr) / 2 : j.Dr / 2;
            const double contactDepth = setOn ? 0 : -ts;

            const auto cut = test::drawnPointsOf(pipe.outputs->pattern, LineRole::CutCurve);
            const auto [left, right] = std::minmax_element(
                cut.begin(), cut.end(), [](auto a, auto b) { return a.x < b.x; });
            EXPECT_NEAR(right->x - left->x, 2 * kPi * developed, 1e-6);
            double deepest = 0, furthest = 0;
            for (const PatternPoint q : cut) {
                double nearest = INFINITY;
                for (int layer = 0; layer <= kLayers; ++layer) {
                    const double rho = inside + (outside - inside) * layer / kLayers;
                    const Vec p = j.onPipe(j.alfa + q.x / developed, rho, -q.y);
                    nearest = std::min(nearest, j.outsideTyped(p) - contactDepth);
                }
                deepest = std::max(deepest, -nearest);
                furthest = std::max(furthest, nearest);
            }
            EXPECT_LE(deepest, kCutAllowance) << "a layer of the pipe's wall enters the cone";
            EXPECT_LE(furthest, kCutAllowance) << "no layer of the pipe's wall touches the cone";

            const double contact = setOn ? inside : outside;
            double within = 0, clear = 0;
            for (const PatternPoint q :
                 test::drawnPointsOf(cone.outputs->pattern, LineRole::HoleOutline)) {
                const auto [phi, s] = mean.rollBack(q);
                double tightest = INFINITY;
                for (int layer = 0; layer <= kLayers; ++layer) {
                    const double offset = -ts / 2 + ts * layer / kLayers;
                    const Vec p = mean.point(phi, s) + j.normal(phi) * offset;
                    tightest = std::min(tightest, j.fromPipeAxis(p) - contact);
                }
                within = std::max(within, -tightest);
                clear = std::max(clear, tightest);
            }
            EXPECT_LE(within, kCutAllowance) << "the pipe does not pass the hole at some depth";
            EXPECT_LE(clear, kCutAllowance) << "the hole is larger than the pipe needs";
            EXPECT_NEAR(drawnLength(cone.outputs->pattern, LineRole::EndEdge),
                        mean.sectionLength(j.Zd, 200000), kCutAllowance);
            EXPECT_NEAR(drawnLength(cone.outputs->pattern, LineRole::StartEdge),
                        mean.sectionLength(j.Zm, 200000), kCutAllowance);
        }
    }
}

struct Refusal {
    const char* what;
    test::FieldChanges changes;
    std::size_t development;
    std::vector<std::string> messages; ///< none: it calculates
};

TEST(PipeConeWalls, SurfacesThatDoNotMeetAreRefusedByName) {
    const std::string noInside = "Blad danych : ts/cos(a) >= Dsm/2 - stozek z blachy ts nie ma "
                                 "wnetrza (a - kat tworzacej do osi stozka)";
    const std::string misses =
        "Blad obliczen. Prawdopodobnie RURA nie cala powierzchnia \"wchodzi\" w STOZEK";
    const std::string notThrough = "Blad obliczen. Prawdopodobnie RURA nie przechodzi przez "
                                   "cala scianke STOZKA - otworu nie da sie wyciac - zmien P.";
    for (const Refusal& r : {
             Refusal{"no bore", {{"tr", "125"}}, 0, {"Blad danych : tr >= Dr/2"}},
             // 300 mm of plate leaves the small end no inside: 300/cos a >= 300.
             Refusal{"no inside", {{"ts", "300"}}, 1, {noInside}},
             Refusal{"bore wider than the cone",
                     {{"Dr", "900"}, {"tr", "10"}},
                     0,
                     {"Blad danych : Dr - 2*tr > Dsd", "Blad danych : Dr/2 - tr + P > Dsd/2"}},
             Refusal{"outside wider than the cone's inside",
                     {{"Dr", "790"}, {"ts", "10"}, {"joint", "set-in"}},
                     1,
                     {"Blad danych : Dr > Dsd - 2*ts", "Blad danych : Dr/2 + P > Dsd/2 - ts"}},
             // At P = 230 the pipe's outside reaches x = 355, past the cone's inside (350).
             Refusal{"set in at the defaults",
                     {{"tr", "8"}, {"ts", "10"}, {"joint", "set-in"}},
                     0,
                     {misses + " (pasuje Lm od 656.8 do 874.9)"}},
             // The bore meets the cone's outside and passes its inside by: no hole can be cut,
             // and a joint is made whole or not at all, so its template neither.
             Refusal{"bore past the inside",
                     {{"tr", "8"}, {"ts", "10"}, {"P", "240"}},
                     1,
                     {notThrough}},
             Refusal{"its template", {{"tr", "8"}, {"ts", "10"}, {"P", "240"}}, 0, {notThrough}},
         }) {
        SCOPED_TRACE(r.what);
        const auto result = pipeConeCalculator().calculate(
            test::changedTexts(pipeConeCalculator(), r.changes), r.development, "d");
        EXPECT_EQ(test::messageTexts(result), r.messages);
        EXPECT_EQ(result.outputs.has_value(), r.messages.empty());
    }
}

TEST(PipeConeWalls, WithoutThicknessTheChoicesChangeNothing) {
    for (const std::size_t development : {0u, 1u}) {
        const auto plain = pipeConeCalculator().calculate(
            test::changedTexts(pipeConeCalculator(), {}), development, "d");
        const auto chosen = pipeConeCalculator().calculate(
            test::changedTexts(pipeConeCalculator(), {{"joint", "set-in"}, {"pipe-made", "pipe"}}),
            development, "d");
        ASSERT_TRUE(plain.outputs && chosen.outputs);
        EXPECT_EQ(plain.outputs->report.allLines(), chosen.outputs->report.allLines());
    }
}

} // namespace
} // namespace blachorys::core
