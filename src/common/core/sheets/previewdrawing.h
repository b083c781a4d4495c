#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace blachorys::core {

/** What an edge is to the worker; each role has its own pen in the preview. */
enum class PenRole {
    SeamEdge,   ///< magenta, 2 px: the edges joined when the sheet is rolled
    Curve,      ///< green, 2 px: intersection curves, hole outlines, start edges
    Edge,       ///< black, 2 px: the remaining edges
    Generator,  ///< red, 1 px: generator lines
    CentreLine, ///< blue, 1 px, dash-dot: a centre line to mark out, no edge of the sheet
};

enum class PenStyle { Solid, DashDot };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct PreviewPen {
    Rgb colour;
    int width = 1;
    PenStyle style = PenStyle::Solid;
};

PreviewPen penFor(PenRole role);

/** A point of a pattern in millimetres. */
struct PreviewPoint {
    double x = 0.0;
    double y = 0.0;
};

struct PreviewSegment {
    PenRole pen = PenRole::Edge;
    PreviewPoint from;
    PreviewPoint to;
};

/** How pattern millimetres map to the image. */
enum class PreviewOrientation {
    /** From a base line at Y = 0 downwards (screen y grows with Y); extent 0..width, 0..height. */
    Downwards,
    /** Y up, as in the DXF; extent 0..width, 0..height. */
    Upwards,
    /** Y up, centred on the bounding box xMin..xMax, yMin..yMax. */
    BoundingBox,
};

/** How a pattern is fitted to the preview: its orientation and the extent it is fitted by. */
struct PreviewFrame {
    PreviewOrientation orientation = PreviewOrientation::Downwards;
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
};

/** A case's preview: its frame and the segments in drawing order. */
/** A text centred on a point of the pattern, in the edges' black. */
struct PreviewCaption {
    PreviewPoint at;
    std::string text;
};

struct PreviewDrawing : PreviewFrame {
    std::vector<PreviewSegment> segments;
    std::vector<PreviewCaption> captions;
};

/** Drawn downwards from a base line over 0..width by 0..depth. */
PreviewFrame downwardsOver(double width, double depth);
/** Drawn upwards over 0..width by 0..height. */
PreviewFrame upwardsOver(double width, double height);
/** Fitted by, and centred on, the box xMin..xMax by yMin..yMax (Y up). */
PreviewFrame centredOnBox(double xMin, double xMax, double yMin, double yMax);

} // namespace blachorys::core
