#pragma once

#include "common/core/view3d/viewcamera.h"
#include "common/core/view3d/viewscene.h"

#include <cstdint>
#include <vector>

namespace blachorys::core {

/** One thing to paint, in the order of the painter's algorithm. */
struct FrameItem {
    enum class Kind : std::uint8_t { Face, Line, Label };
    Kind kind = Kind::Face;
    /** A face's tone, or a line's kind. */
    std::uint8_t style = 0;
    /** A face seen from the side the pattern is not printed on. */
    bool back = false;
    /** Light on a face, 0 to 1. */
    float shade = 1.0F;
    /** A face's or a line's points in the frame's; a label's index in the scene's. */
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    double depth = 0.0;
};

/** Where a face lies on the image: the box round its points, and its points. */
struct FaceOnImage {
    const ViewFace* face = nullptr;
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

/**
 * One frame of the view: every face and line projected, far ones first, then the names that
 * show. A face of several rings is one polygon, its rings joined by a run there and back,
 * filled odd-even.
 */
struct ViewFrame {
    int width = 0;
    int height = 0;
    std::vector<ScreenPoint> points;
    std::vector<FrameItem> items;
    /** Every face drawn, in the scene's order: what may stand in front of a name. */
    std::vector<FaceOnImage> faces;
};

/**
 * Projects the scene for the camera into an image of `width` × `height` pixels, sorts it by
 * depth and sheds light on the faces. `frame` is reused, so that a frame allocates nothing once
 * the first one has.
 */
void drawFrame(const ViewScene& scene, const ViewCamera& camera, int width, int height,
               ViewFrame& frame);

} // namespace blachorys::core
