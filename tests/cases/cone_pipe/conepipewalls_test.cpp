#include "cases/calculators.h"
#include "cases/cone_pipe/conepipecase.h"

#include "common/core/calculator/pointreport.h"
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
 * The joint as built: the pipe along x, z up; the cone's axis through (Lm, P, 0) at Beta to
 * the pipe's, its outside through the free end's circle Ds at height Hs; each layer of the
 * plate that outside moved along its normal.
 */
struct BuiltJoint {
    double Ds, Dr, P, gamma, beta, Hs, Lm, ts, tr;

    Vec down() const { return {-std::cos(beta), 0, -std::sin(beta)}; }
    /** Square to the axis, towards generatrix w: w = 0 leans along the pipe. */
    Vec across(double w) const {
        return {std::sin(beta) * std::cos(w), -std::sin(w), -std::cos(beta) * std::cos(w)};
    }
    /** The outside's apex, above the free end's centre on the axis. */
    Vec apex() const {
        const double aboveFreeEnd = Ds / 2 / std::tan(gamma);
        const Vec freeEnd = Vec{Lm, P, 0} + down() * (-Hs / std::sin(beta));
        return freeEnd - down() * aboveFreeEnd;
    }
    /** The plate's layer `depth` (outward along the normal) at generatrix w, `slant` along it. */
    Vec onLayer(double depth, double w, double slant) const {
        const Vec layerApex = apex() + down() * (-depth / std::sin(gamma));
        const Vec along = down() * std::cos(gamma) + across(w) * std::sin(gamma);
        return layerApex + along * slant;
    }
    Vec normal(double w) const { return across(w) * std::cos(gamma) - down() * std::sin(gamma); }
    /** How far `p` lies outside the plate's layer `depth`, mm. */
    double outsideLayer(Vec p, double depth) const {
        const Vec d = p - (apex() + down() * (-depth / std::sin(gamma)));
        const double along = d.dot(down());
        const double from = (d - down() * along).length();
        return from * std::cos(gamma) - along * std::sin(gamma);
    }
};

struct WalledJoint {
    const char* what;
    test::FieldChanges changes;
    double Ds, Dr, P, gamma, beta, Hs;
};

// A cone of 10 mm plate on a pipe of 8 mm wall, either joint and either making, at the
// defaults and inclined and offset (set in, the cone's outside would pass the pipe's inside at
// P = -60: P = -40): every layer of the plate, cut as the pattern is drawn
// and rolled back onto its mean surface, stops at the pipe's contact surface or short of it,
// and one touches it; the hole, wrapped onto the pipe's development surface and cut square
// through the wall, holds the cone's contact surface at every depth and touches it at one;
// each pattern is as long round as its surface.
TEST(ConePipeWalls, TheWallRestsOnThePipeAndTheHolePassesTheConeAtEveryDepth) {
    constexpr int kLayers = 24;
    const double ts = 10, tr = 8, Lm = 300;
    for (const WalledJoint& geometry :
         {WalledJoint{"defaults", {}, 200, 600, 40, 18, 75, 420}, WalledJoint{"inclined_offset",
                                                                              {{"Dr", "800"},
                                                                               {"P", "-60"},
                                                                               {"Beta", "60"},
                                                                               {"Gamma", "25"},
                                                                               {"alfa", "-30"},
                                                                               {"Hs", "520"},
                                                                               {"N", "36"}},
                                                                              200,
                                                                              800,
                                                                              -60,
                                                                              25,
                                                                              60,
                                                                              520}}) {
        BuiltJoint j{geometry.Ds,
                     geometry.Dr,
                     geometry.P,
                     geometry.gamma * kPi / 180,
                     geometry.beta * kPi / 180,
                     geometry.Hs,
                     Lm,
                     ts,
                     tr};
        const double alfa = geometry.what == std::string("defaults") ? 0 : -30 * kPi / 180;
        for (int k = 0; k < 4; ++k) {
            const bool setOn = (k & 1) == 0, rolled = (k & 2) == 0;
            SCOPED_TRACE(std::string(geometry.what) + (setOn ? " set on" : " set in") +
                         (rolled ? " rolled" : " from a pipe"));
            j.P = setOn || geometry.P != -60 ? geometry.P : -40;
            test::FieldChanges changes = geometry.changes;
            changes.insert(changes.end(), {{"P", std::to_string(j.P)},
                                           {"ts", "10"},
                                           {"tr", "8"},
                                           {"joint", setOn ? "set-on" : "set-in"},
                                           {"pipe-made", rolled ? "rolled" : "pipe"}});
            const auto texts = test::changedTexts(conePipeCalculator(), changes);
            const auto cone = conePipeCalculator().calculate(texts, 0, "d");
            const auto pipe = conePipeCalculator().calculate(texts, 1, "d");
            ASSERT_TRUE(cone.outputs && pipe.outputs);
            const double inside = j.Dr / 2 - tr, outside = j.Dr / 2;
            const double developed = rolled ? (j.Dr - tr) / 2 : j.Dr / 2;
            const double pipeContact = setOn ? outside : inside;
            const double coneContact = setOn ? -ts : 0;
            const double share = std::sin(j.gamma); // developed angle over the angle round

            double deepest = 0, furthest = 0;
            for (const PatternPoint q :
                 test::drawnPointsOf(cone.outputs->pattern, LineRole::CutCurve)) {
                double turned = std::atan2(q.y, q.x);
                turned += turned < -1e-9 ? 2 * kPi : 0;
                const double w = alfa + turned / share, slant = std::hypot(q.x, q.y);
                double nearest = INFINITY;
                for (int layer = 0; layer <= kLayers; ++layer) {
                    const double offset = -ts / 2 + ts * layer / kLayers;
                    const Vec p = j.onLayer(-ts / 2, w, slant) + j.normal(w) * offset;
                    nearest = std::min(nearest, std::hypot(p.y, p.z) - pipeContact);
                }
                deepest = std::max(deepest, -nearest);
                furthest = std::max(furthest, nearest);
            }
            EXPECT_LE(deepest, kCutAllowance) << "a layer of the cone's plate enters the pipe";
            EXPECT_LE(furthest, kCutAllowance) << "no layer of the cone's plate touches the pipe";
            // The free end's arc: the mean surface's circle in the free end's plane.
            double freeEnd = 0;
            const auto arc = test::drawnPointsOf(cone.outputs->pattern, LineRole::EndEdge);
            for (std::size_t p = 0; p + 2 < arc.size(); p += 3) {
                freeEnd += std::hypot(arc[p + 2].x - arc[p].x, arc[p + 2].y - arc[p].y);
            }
            EXPECT_NEAR(freeEnd, kPi * (j.Ds - ts / std::cos(j.gamma)), kCutAllowance);

            double within = 0, clear = 0;
            for (const PatternPoint q :
                 test::drawnPointsOf(pipe.outputs->pattern, LineRole::HoleOutline)) {
                const double around = q.y / developed - kPi / 2;
                double tightest = INFINITY;
                for (int layer = 0; layer <= kLayers; ++layer) {
                    const double rho = inside + (outside - inside) * layer / kLayers;
                    const Vec p{q.x, -rho * std::sin(around), rho * std::cos(around)};
                    tightest = std::min(tightest, j.outsideLayer(p, coneContact));
                }
                within = std::max(within, -tightest);
                clear = std::max(clear, tightest);
            }
            EXPECT_LE(within, kCutAllowance) << "the cone does not pass the hole at some depth";
            EXPECT_LE(clear, kCutAllowance) << "the hole is larger than the cone needs";
            EXPECT_EQ(pipe.outputs->report.sheet.size, sheetSizeText(800, 2 * kPi * developed));
        }
    }
}

struct Refusal {
    const char* what;
    test::FieldChanges changes;
    std::size_t development;
    std::vector<std::string> messages; ///< none: it calculates
};

TEST(ConePipeWalls, SurfacesThatDoNotMeetAreRefusedByName) {
    const std::string notThrough =
        "Blad obliczen. Prawdopodobnie STOZEK nie przechodzi przez cala scianke RURY - otworu "
        "nie da sie wyciac - zmien P lub Beta.";
    for (const Refusal& r : {
             // 100 mm of plate at 18°: its inside lies 105 mm within the free end's 100.
             Refusal{"no inside",
                     {{"ts", "100"}},
                     0,
                     {"Blad danych : ts/cos(Gamma) >= Ds/2 - stozek z blachy ts nie ma wnetrza"}},
             Refusal{"no bore", {{"tr", "300"}}, 1, {"Blad danych : tr >= Dr/2"}},
             Refusal{"axis past the bore",
                     {{"tr", "265"}, {"joint", "set-in"}},
                     1,
                     {"Blad danych : P > Dr/2 - tr"}},
             // The cone's inside meets the pipe's outside and passes its inside by: no hole
             // can be cut, and a joint is made whole or not at all, so its pattern neither.
             Refusal{"cone past the inside",
                     {{"ts", "10"}, {"tr", "20"}, {"P", "70"}},
                     1,
                     {notThrough}},
             Refusal{"its pattern", {{"ts", "10"}, {"tr", "20"}, {"P", "70"}}, 0, {notThrough}},
         }) {
        SCOPED_TRACE(r.what);
        const auto result = conePipeCalculator().calculate(
            test::changedTexts(conePipeCalculator(), r.changes), r.development, "d");
        EXPECT_EQ(test::messageTexts(result), r.messages);
        EXPECT_EQ(result.outputs.has_value(), r.messages.empty());
    }
}

TEST(ConePipeWalls, WithoutThicknessTheChoicesChangeNothing) {
    for (const std::size_t development : {0u, 1u}) {
        const auto plain = conePipeCalculator().calculate(
            test::changedTexts(conePipeCalculator(), {}), development, "d");
        const auto chosen = conePipeCalculator().calculate(
            test::changedTexts(conePipeCalculator(), {{"joint", "set-in"}, {"pipe-made", "pipe"}}),
            development, "d");
        ASSERT_TRUE(plain.outputs && chosen.outputs);
        EXPECT_EQ(plain.outputs->report.allLines(), chosen.outputs->report.allLines());
    }
}

} // namespace
} // namespace blachorys::core
