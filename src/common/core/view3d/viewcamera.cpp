#include "common/core/view3d/viewcamera.h"

#include "common/core/base/numbertext.h"
#include "common/core/view3d/viewscene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace blachorys::core {
namespace {

constexpr double kPi = std::numbers::pi;
/** A turn of this many radians per pixel dragged: half a turn across a wide window. */
constexpr double kTurnPerPixel = kPi / 600;
/** The smallest side of an image worth drawing, pixels. */
constexpr int kSmallestImageSide = 16;

} // namespace

std::optional<ViewPreset> viewPresetNamed(std::string_view name) {
    if (name == "front") {
        return ViewPreset::Front;
    }
    if (name == "side") {
        return ViewPreset::Side;
    }
    if (name == "top") {
        return ViewPreset::Top;
    }
    if (name == "iso") {
        return ViewPreset::Iso;
    }
    return std::nullopt;
}

Point3 ViewCamera::right() const {
    return {std::cos(azimuth), std::sin(azimuth), 0.0};
}

Point3 ViewCamera::towardsViewer() const {
    return {std::cos(elevation) * std::sin(azimuth), -std::cos(elevation) * std::cos(azimuth),
            std::sin(elevation)};
}

Point3 ViewCamera::up() const {
    return cross(towardsViewer(), right());
}

void turnTo(ViewCamera& camera, ViewPreset preset) {
    switch (preset) {
    case ViewPreset::Front:
        camera.azimuth = 0.0;
        camera.elevation = 0.0;
        return;
    case ViewPreset::Side:
        camera.azimuth = kPi / 2;
        camera.elevation = 0.0;
        return;
    case ViewPreset::Top:
        camera.azimuth = 0.0;
        camera.elevation = kPi / 2;
        return;
    case ViewPreset::Iso:
        // The cube's diagonal towards the one looking: from the front, the right and above.
        camera.azimuth = kPi / 4;
        camera.elevation = std::atan(1 / std::sqrt(2.0));
        return;
    }
}

Projection::Projection(const ViewCamera& camera, int width, int height)
    : m_centre(camera.centre), m_right(camera.right()), m_up(camera.up()),
      m_towards(camera.towardsViewer()), m_scale(camera.scale),
      m_middleX(width / 2.0 + camera.panX), m_middleY(height / 2.0 + camera.panY) {}

ScreenPoint project(const ViewCamera& camera, Point3 p, int width, int height) {
    return Projection(camera, width, height)(p);
}

double depthOf(const ViewCamera& camera, Point3 p) {
    return dot(p - camera.centre, camera.towardsViewer());
}

void fitScene(ViewCamera& camera, const ViewScene& scene, int width, int height, double margin) {
    camera.centre = scene.middle();
    const Point3 right = camera.right();
    const Point3 up = camera.up();
    double left = std::numeric_limits<double>::infinity();
    double low = left;
    double rightMost = -left;
    double high = -left;
    const auto widen = [&](Point3 p) {
        const double x = dot(p - camera.centre, right);
        const double y = dot(p - camera.centre, up);
        left = std::min(left, x);
        rightMost = std::max(rightMost, x);
        low = std::min(low, y);
        high = std::max(high, y);
    };
    for (const Point3 p : scene.points) {
        widen(p);
    }
    for (const Point3 p : scene.linePoints) {
        widen(p);
    }
    if (!(rightMost >= left)) {
        camera.scale = 1.0;
        camera.panX = camera.panY = 0.0;
        return;
    }
    const double roomX = std::max(1.0, width - 2 * margin);
    const double roomY = std::max(1.0, height - 2 * margin);
    const double spanX = std::max(rightMost - left, 1e-9);
    const double spanY = std::max(high - low, 1e-9);
    camera.scale = std::min(roomX / spanX, roomY / spanY);
    camera.panX = -camera.scale * (left + rightMost) / 2;
    camera.panY = camera.scale * (low + high) / 2;
}

void dragTurn(ViewCamera& camera, double dx, double dy) {
    camera.azimuth = std::remainder(camera.azimuth - dx * kTurnPerPixel, 2 * kPi);
    camera.elevation = std::clamp(camera.elevation + dy * kTurnPerPixel, -kPi / 2, kPi / 2);
}

void zoomAbout(ViewCamera& camera, double factor, double x, double y, int width, int height) {
    // The pixel's offset from the centre's place grows with the scale; the pan makes up for it.
    const double fromCentreX = x - width / 2.0 - camera.panX;
    const double fromCentreY = y - height / 2.0 - camera.panY;
    camera.scale *= factor;
    camera.panX = x - width / 2.0 - factor * fromCentreX;
    camera.panY = y - height / 2.0 - factor * fromCentreY;
}

std::optional<std::pair<int, int>> imageSizeNamed(std::string_view text) {
    const auto by = text.find('x');
    if (by == std::string_view::npos) {
        return std::nullopt;
    }
    const auto width = parseInteger(text.substr(0, by));
    const auto height = parseInteger(text.substr(by + 1));
    const auto fits = [](const std::optional<int>& side) {
        return side && *side >= kSmallestImageSide && *side <= kLargestImageSide;
    };
    if (!fits(width) || !fits(height)) {
        return std::nullopt;
    }
    return std::pair{*width, *height};
}

} // namespace blachorys::core
