#include "common/core/view3d/viewcamera.h"
#include "common/core/view3d/viewframe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

/** A box's eight corners as a scene of one face each. */
ViewScene box(Point3 low, Point3 high) {
    ViewScene scene;
    for (int k = 0; k < 8; ++k) {
        scene.points.push_back(
            {(k & 1) ? high.x : low.x, (k & 2) ? high.y : low.y, (k & 4) ? high.z : low.z});
    }
    scene.ringSizes = {8};
    scene.faces.push_back({0, 8, 0, 1, 0.5 * (low + high), {0, 0, 1}, FaceTone::Sheet});
    scene.low = low;
    scene.high = high;
    scene.cellSize = 10;
    return scene;
}

TEST(ViewCamera, PresetsLookAlongTheirAxesWithZUp) {
    struct Expected {
        ViewPreset preset;
        Point3 towards;
    };
    const double third = 1 / std::sqrt(3.0);
    for (const Expected e :
         {Expected{ViewPreset::Front, {0, -1, 0}}, Expected{ViewPreset::Side, {1, 0, 0}},
          Expected{ViewPreset::Top, {0, 0, 1}},
          Expected{ViewPreset::Iso, {third, -third, third}}}) {
        ViewCamera camera;
        turnTo(camera, e.preset);
        EXPECT_NEAR(norm(camera.towardsViewer() - e.towards), 0.0, 1e-12);
        // A right-handed frame of unit axes, the picture's up never pointing down.
        EXPECT_NEAR(norm(cross(camera.right(), camera.up()) - camera.towardsViewer()), 0.0, 1e-12);
        EXPECT_NEAR(dot(camera.right(), camera.up()), 0.0, 1e-12);
        EXPECT_GE(camera.up().z, 0.0);
    }
}

// Fitted in, the scene's outermost points stand the margin from two opposite sides and none
// beyond it; a zoom about a pixel keeps the point under it there.
TEST(ViewCamera, FittingAndZoomingKeepWhatTheySay) {
    const ViewScene scene = box({-300, 20, 0}, {700, 420, 1200});
    for (const ViewPreset preset :
         {ViewPreset::Front, ViewPreset::Side, ViewPreset::Top, ViewPreset::Iso}) {
        ViewCamera camera;
        turnTo(camera, preset);
        fitScene(camera, scene, 1280, 800, 40);
        double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
        for (const Point3 p : scene.points) {
            const ScreenPoint s = project(camera, p, 1280, 800);
            left = std::min(left, s.x);
            right = std::max(right, s.x);
            top = std::min(top, s.y);
            bottom = std::max(bottom, s.y);
        }
        EXPECT_TRUE(std::fabs(left - 40) < 1e-6 || std::fabs(top - 40) < 1e-6);
        EXPECT_NEAR(left + right, 1280, 1e-6);
        EXPECT_NEAR(top + bottom, 800, 1e-6);
        EXPECT_GE(left, 40 - 1e-6);
        EXPECT_GE(top, 40 - 1e-6);

        const Point3 corner = scene.points[5];
        const ScreenPoint before = project(camera, corner, 1280, 800);
        zoomAbout(camera, 2.5, before.x, before.y, 1280, 800);
        const ScreenPoint after = project(camera, corner, 1280, 800);
        EXPECT_NEAR(after.x, before.x, 1e-6);
        EXPECT_NEAR(after.y, before.y, 1e-6);
    }
}

// The painter's order: far first. Two faces one in front of the other swap as the view turns
// round to their other side.
TEST(ViewFrame, FarFacesComeFirst) {
    ViewScene scene = box({0, 0, 0}, {1, 1, 1});
    scene.faces.push_back(scene.faces.front());
    scene.faces[0].middle = {0, -100, 0};
    scene.faces[1].middle = {0, 100, 0};
    for (const ViewPreset preset : {ViewPreset::Front, ViewPreset::Iso}) {
        ViewCamera camera;
        turnTo(camera, preset);
        ViewFrame frame;
        drawFrame(scene, camera, 640, 480, frame);
        ASSERT_EQ(frame.items.size(), 2U);
        EXPECT_LT(frame.items[0].depth, frame.items[1].depth);
    }
    // From behind (+y) the face at y = +100 is the near one.
    ViewCamera behind;
    behind.azimuth = std::acos(-1.0);
    ViewFrame frame;
    drawFrame(scene, behind, 640, 480, frame);
    EXPECT_GT(depthOf(behind, scene.faces[1].middle), depthOf(behind, scene.faces[0].middle));
    EXPECT_EQ(frame.items[1].depth, depthOf(behind, scene.faces[1].middle));
}

TEST(ViewCamera, ImageSizesAndPresetsByName) {
    EXPECT_EQ(imageSizeNamed("1280x800"), (std::pair{1280, 800}));
    for (const char* wrong : {"1280", "x800", "0x800", "1280x99999", "12.5x800", "-1x5", ""}) {
        EXPECT_FALSE(imageSizeNamed(wrong)) << wrong;
    }
    EXPECT_EQ(viewPresetNamed("top"), ViewPreset::Top);
    EXPECT_FALSE(viewPresetNamed("Top"));
}

} // namespace
} // namespace blachorys::core
