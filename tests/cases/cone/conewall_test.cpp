// A cone rolled from plate with a thickness: what the template and the CNC DXF draw, rolled
// back onto the developed cone, lies on its edges' circles; for a right cone those circles are
// the plate's mean surface, t/2 from the typed face along the normal; for an oblique cone the
// measured straying from a true offset is reported.
#include "cases/cone/conemodel.h"
#include "cases/cone/coneoutputs.h"
#include "common/core/curvesampling.h"
#include "support/conerollback.h"
#include "support/drawncut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;

struct PlateCase {
    const char* what;
    ConeInputs inputs;
};

class ConePlate : public ::testing::TestWithParam<PlateCase> {};

TEST_P(ConePlate, TheDrawnEdgesLieOnTheMeanSurfaceAtEveryThicknessAndMeaning) {
    for (const double t : {0.0, 5.0, 12.0}) {
        for (const WallSurface typed :
             {WallSurface::Outside, WallSurface::Inside, WallSurface::Mean}) {
            ConeInputs in = GetParam().inputs;
            in.t = t;
            in.diameters = typed;
            SCOPED_TRACE("t " + std::to_string(t) + " meaning " + std::to_string(int(typed)));
            const ConeModel m = computeCone(in);
            const double Rd = m.developed.Dsd / 2;
            const double Rm = m.developed.Dsm / 2;
            const test::ConeRollBack back(Rd / m.H, m.a / m.H, in.alfa * kPi / 180);
            // How far the developed surface lies outward of the typed one, along the normal.
            const double outward = t * (typed == WallSurface::Outside  ? -0.5
                                        : typed == WallSurface::Inside ? 0.5
                                                                       : 0.0);
            const double slant = std::hypot(in.Dsd / 2 - in.Dsm / 2, in.Hs);
            const Pattern pattern = coneOutputs(m, "d").pattern;
            double offEdge = 0.0, offTheOffset = 0.0;
            for (const LineRole edge : {LineRole::EndEdge, LineRole::StartEdge}) {
                for (const PatternPoint p : test::drawnPointsOf(pattern, edge)) {
                    const test::SpacePoint q = back.rollBack(p.x, p.y);
                    // Height above the Dsd edge's plane, and the section's centre there.
                    const double above = m.H - q.z;
                    const double centre = m.a / m.H * q.z;
                    const double aside = std::hypot(q.x, q.y - centre) - Rd / m.H * q.z;
                    const double plane = std::min(std::fabs(above), std::fabs(above - in.Hs));
                    offEdge = std::max(offEdge, std::hypot(plane, aside));
                    if (in.E == 0.0) {
                        // From the typed cone's generator, in the meridian plane, outward.
                        const double rho = std::hypot(q.x, q.y);
                        const double across =
                            ((rho - in.Dsd / 2) * in.Hs + above * (in.Dsd / 2 - in.Dsm / 2)) /
                            slant;
                        offTheOffset = std::max(offTheOffset, std::fabs(across - outward));
                    }
                }
            }
            EXPECT_LE(offEdge, kCutAllowance);
            EXPECT_LE(offTheOffset, kCutAllowance);
            // The edges are as long as the developed circles.
            const auto length = [&](const std::vector<double>& x, const std::vector<double>& y) {
                double sum = 0.0;
                for (std::size_t j = 1; j < x.size(); ++j) {
                    sum += std::hypot(x[j] - x[j - 1], y[j] - y[j - 1]);
                }
                return sum;
            };
            double drawnLarge = 0.0;
            const auto large = test::drawnPointsOf(pattern, LineRole::EndEdge);
            for (std::size_t k = 0; k + 2 < large.size(); k += 3) {
                drawnLarge += std::hypot(large[k + 2].x - large[k].x, large[k + 2].y - large[k].y);
            }
            EXPECT_NEAR(drawnLarge, 2 * kPi * Rd, kCutAllowance);
            EXPECT_LE(length(m.Xm, m.Ym), 2 * kPi * Rm + kCutAllowance);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ConePlate,
                         ::testing::Values(PlateCase{"right", {200, 1200, 0, 600, 0, 24}},
                                           PlateCase{"defaults_oblique", {}},
                                           PlateCase{"oblique_wide",
                                                     {300, 1200, 30, 500, -250, 36}}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(ConePlate, TheWorkedExampleDevelopsOnTheMeanSurface) {
    // α = atan(500 / 600) = 39.8°: each radius moves by 5 / cos α = 6.5 mm.
    const ConeModel m = computeCone({200, 1200, 0, 600, 0, 24, 10, WallSurface::Outside});
    EXPECT_NEAR(m.developed.Dsm, 186.98, 0.005);
    EXPECT_NEAR(m.developed.Dsd, 1186.98, 0.005);
    EXPECT_EQ(coneOutputs(m, "d").report.heading.wallLines.back(),
              "rozwiniecie na osi blachy : Dsm' = 187.0 , Dsd' = 1187.0");
}

TEST(ConePlate, AnObliqueConesMeanSurfaceStraysLittleFromATrueOffset) {
    // Each generator of the typed face and the plane that touches the face along it: the
    // developed cone's generator at the same place should lie t/2 inward of that plane at both
    // edges. How far it strays, measured, for oblique cones at t = 12.
    for (const ConeInputs& in :
         {ConeInputs{600, 800, 0, 1000, 100, 24, 12, WallSurface::Outside},
          ConeInputs{300, 1200, 30, 500, -250, 36, 12, WallSurface::Outside}}) {
        const ConeModel m = computeCone(in);
        double worst = 0.0;
        for (int k = 0; k < 360; ++k) {
            const double w = 2 * kPi * k / 360, c = std::cos(w), s = std::sin(w);
            const double gx = in.E + (in.Dsm - in.Dsd) / 2 * c, gy = (in.Dsm - in.Dsd) / 2 * s;
            const double gz = in.Hs;
            // Square to the generator and to the edges' tangent (−s, c, 0), away from the axis.
            double nx = gz * c, ny = gz * s, nz = -(gx * c + gy * s);
            const double norm = std::hypot(nx, ny, nz);
            nx /= norm, ny /= norm, nz /= norm;
            const double large = ((m.developed.Dsd - in.Dsd) / 2) * (c * nx + s * ny);
            const double small = ((m.developed.Dsm - in.Dsm) / 2) * (c * nx + s * ny);
            worst = std::max({worst, std::fabs(large + in.t / 2), std::fabs(small + in.t / 2)});
        }
        std::cout << "[cone plate] Dsm " << in.Dsm << ", Dsd " << in.Dsd << ", Hs " << in.Hs
                  << ", E " << in.E << ", t 12: the developed cone strays up to " << worst
                  << " mm from a true offset of t/2\n";
        EXPECT_LT(worst, 0.2 * in.t);
    }
}

TEST(ConePlate, APlateThatLeavesAnEdgeNoInsideIsRefused) {
    // 400 mm of plate on a 300 mm radius; on the mean surface half of it still fits the Dsd edge.
    EXPECT_EQ(
        validateCone({600, 800, 0, 1000, 100, 24, 400, WallSurface::Outside}),
        (std::vector<std::string>{"Blad danych : t zbyt duze dla Dsm - brak wnetrza stozka",
                                  "Blad danych : t zbyt duze dla Dsd - brak wnetrza stozka"}));
    EXPECT_EQ(validateCone({600, 800, 0, 1000, 100, 24, 700, WallSurface::Mean}).size(), 1u);
    EXPECT_TRUE(validateCone({600, 800, 0, 1000, 100, 24, 400, WallSurface::Inside}).empty());
}

} // namespace
} // namespace blachorys::core
