#pragma once

#include "common/core/geometry/space.h"

#include <optional>
#include <string>
#include <string_view>

namespace blachorys::core {

struct ViewScene;

/** The views a button (or keys 1 to 4) turns to. */
enum class ViewPreset { Front, Side, Top, Iso };

/** The preset of a command line's word: "front", "side", "top", "iso". */
std::optional<ViewPreset> viewPresetNamed(std::string_view name);

/** A point of the image, pixels from its top left corner, y down. */
struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
};

/**
 * A parallel projection, as a drawing shows a piece: turned about the vertical by the
 * azimuth, tilted by the elevation, `scale` pixels to the millimetre, the piece's centre
 * `pan` pixels from the image's middle. At azimuth and elevation 0 it looks along +y: x to the
 * right, z up.
 */
struct ViewCamera {
    double azimuth = 0.0;   ///< radians
    double elevation = 0.0; ///< radians, from −π/2 (from below) to π/2 (from above)
    double scale = 1.0;
    double panX = 0.0;
    double panY = 0.0;
    /** The point the view turns about: the piece's centre. */
    Point3 centre;

    Point3 right() const;
    Point3 up() const;
    /** Towards the one looking. */
    Point3 towardsViewer() const;
};

/**
 * The camera's projection with its axes worked out once, for the many points of a frame: where
 * a point lies on an image of `width` × `height` pixels, and how near it is to the one looking.
 */
class Projection {
public:
    Projection(const ViewCamera& camera, int width, int height);

    ScreenPoint operator()(Point3 p) const {
        const Point3 d = p - m_centre;
        return {m_middleX + m_scale * dot(d, m_right), m_middleY - m_scale * dot(d, m_up)};
    }
    /** mm; more is nearer. */
    double depth(Point3 p) const { return dot(p - m_centre, m_towards); }
    Point3 right() const { return m_right; }
    Point3 up() const { return m_up; }
    Point3 towards() const { return m_towards; }

private:
    Point3 m_centre;
    Point3 m_right;
    Point3 m_up;
    Point3 m_towards;
    double m_scale;
    double m_middleX;
    double m_middleY;
};

/** The camera's turn for a preset, at the scale and pan it has. */
void turnTo(ViewCamera& camera, ViewPreset preset);

/** Where a point of space lies in an image of `width` × `height` pixels. */
ScreenPoint project(const ViewCamera& camera, Point3 p, int width, int height);

/** How near a point lies to the one looking, mm (more is nearer). */
double depthOf(const ViewCamera& camera, Point3 p);

/**
 * The scale and pan that fit the whole scene into the image with `margin` pixels on every side,
 * at the camera's turn, its centre the scene's.
 */
void fitScene(ViewCamera& camera, const ViewScene& scene, int width, int height, double margin);

/** A drag of (dx, dy) pixels turns the view: across about the vertical, up and down tilts it. */
void dragTurn(ViewCamera& camera, double dx, double dy);

/** Zoomed by `factor` about the image point (x, y), which stays over the same place. */
void zoomAbout(ViewCamera& camera, double factor, double x, double y, int width, int height);

/** The view's settings for an image: which preset, and its size in pixels. */
struct ViewImageSettings {
    ViewPreset preset = ViewPreset::Iso;
    int width = 1280;
    int height = 800;
};

/** The largest side of an image the command line makes, pixels. */
inline constexpr int kLargestImageSide = 8192;

/** "1280x800" as a width and a height within 16 to kLargestImageSide, or nothing. */
std::optional<std::pair<int, int>> imageSizeNamed(std::string_view text);

} // namespace blachorys::core
