#include "common/core/view3d/viewframe.h"

#include <algorithm>
#include <cmath>

namespace blachorys::core {
namespace {

/** The light comes from over the viewer's left shoulder, in the camera's axes. */
constexpr double kLightRight = -0.45;
constexpr double kLightUp = 0.55;
constexpr double kLightTowards = 0.70;
/** Light every face has, however it is turned. */
constexpr double kAmbient = 0.38;
/**
 * A line is sorted as if this share of a square nearer, so that the faces it lies on do not
 * hide it.
 */
constexpr double kLineLift = 0.5;
/** A name is shown while its surface is turned at most this far past the side (cosine). */
constexpr double kLabelFacing = -0.1;
/**
 * A face hides a name when its plane stands this share of a square in front of the name's
 * point: less is the sag of the face's own chord over the curved surface.
 */
constexpr double kLabelClearance = 0.2;
/**
 * A face seen nearly edge on (cosine) covers no name: its plane's depth at a point beside it is
 * its chord's sag magnified.
 */
constexpr double kEdgeOn = 0.25;

/** A line's points closer on the image than this (across plus down, pixels) are drawn as one. */
constexpr double kLinePointsApart = 1.5;

bool apart(ScreenPoint a, ScreenPoint b) {
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) >= kLinePointsApart;
}

/** Odd-even, as the face is filled. */
bool inside(const ScreenPoint* points, std::size_t count, ScreenPoint p) {
    bool in = false;
    for (std::size_t k = 0, j = count - 1; k < count; j = k++) {
        const ScreenPoint a = points[k];
        const ScreenPoint b = points[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
            in = !in;
        }
    }
    return in;
}

void boxRound(FaceOnImage& on, const ScreenPoint* points) {
    on.left = on.right = points[0].x;
    on.top = on.bottom = points[0].y;
    for (std::uint32_t k = 1; k < on.count; ++k) {
        on.left = std::min(on.left, points[k].x);
        on.right = std::max(on.right, points[k].x);
        on.top = std::min(on.top, points[k].y);
        on.bottom = std::max(on.bottom, points[k].y);
    }
}

class FrameDrawer {
public:
    FrameDrawer(const ViewScene& scene, const ViewCamera& camera, int width, int height,
                ViewFrame& frame)
        : m_scene(scene), m_projection(camera, width, height), m_width(width), m_height(height),
          m_frame(frame), m_towards(m_projection.towards()),
          m_light(unit(kLightRight * m_projection.right() + kLightUp * m_projection.up() +
                       kLightTowards * m_towards)) {
        frame.width = width;
        frame.height = height;
        frame.points.clear();
        frame.items.clear();
        frame.faces.clear();
    }

    void faces() {
        for (const ViewFace& face : m_scene.faces) {
            this->face(face);
        }
    }

    void lines() {
        const double lift = kLineLift * m_scene.cellSize;
        for (const ViewLine& line : m_scene.lines) {
            if (dot(line.away, m_towards) < 0.0) {
                continue;
            }
            FrameItem item;
            item.kind = FrameItem::Kind::Line;
            item.style = static_cast<std::uint8_t>(line.kind);
            item.first = static_cast<std::uint32_t>(m_frame.points.size());
            item.count = line.count;
            // By its nearest point: a line lies on the edge of a face, which it must stay over.
            // The other part's edges lie where the developed part's cut does, and give way.
            const bool other = line.kind == ViewLineKind::OtherEdge;
            item.depth = m_projection.depth(line.middle);
            for (std::uint32_t k = 0; k < line.count; ++k) {
                const Point3 p = m_scene.linePoints[line.first + k];
                const ScreenPoint at = projected(p);
                // Points that fall within a pixel's share of the last one drawn add nothing.
                const bool last = k + 1 == line.count;
                if (k == 0 || last || apart(m_frame.points.back(), at)) {
                    m_frame.points.push_back(at);
                }
                if (!other) {
                    item.depth = std::max(item.depth, m_projection.depth(p));
                }
            }
            item.count = static_cast<std::uint32_t>(m_frame.points.size()) - item.first;
            if (!other) {
                item.depth += lift;
            }
            m_frame.items.push_back(item);
        }
    }

    void sort() {
        std::sort(m_frame.items.begin(), m_frame.items.end(),
                  [](const FrameItem& a, const FrameItem& b) { return a.depth < b.depth; });
    }

    /**
     * The names over everything, each where its surface faces the one looking and no face
     * stands in front of its point: a name's box reaches over the faces beside its point,
     * which the painter's order would let cover it.
     */
    void labels() {
        for (std::size_t l = 0; l < m_scene.labels.size(); ++l) {
            const ViewLabel& label = m_scene.labels[l];
            if (dot(label.outwards, m_towards) >= kLabelFacing && !hidden(label)) {
                FrameItem item;
                item.kind = FrameItem::Kind::Label;
                item.first = static_cast<std::uint32_t>(l);
                m_frame.items.push_back(item);
            }
        }
    }

private:
    ScreenPoint projected(Point3 p) const { return m_projection(p); }

    void face(const ViewFace& face) {
        FrameItem item;
        item.kind = FrameItem::Kind::Face;
        item.style = static_cast<std::uint8_t>(face.tone);
        item.first = static_cast<std::uint32_t>(m_frame.points.size());
        item.depth = m_projection.depth(face.middle);
        item.back = dot(face.normal, m_towards) < 0;
        // Lit on whichever side is seen.
        const double lit = std::fabs(dot(face.normal, m_light));
        item.shade = static_cast<float>(kAmbient + (1 - kAmbient) * lit);
        std::uint32_t at = face.first;
        for (std::uint32_t r = 0; r < face.rings; ++r) {
            const std::uint32_t size = m_scene.ringSizes[face.firstRing + r];
            for (std::uint32_t k = 0; k < size; ++k) {
                m_frame.points.push_back(projected(m_scene.points[at + k]));
            }
            // Back to the ring's start, and for a further ring back to the first ring's.
            m_frame.points.push_back(projected(m_scene.points[at]));
            if (r > 0) {
                m_frame.points.push_back(projected(m_scene.points[face.first]));
            }
            at += size;
        }
        item.count = static_cast<std::uint32_t>(m_frame.points.size()) - item.first;
        if (face.tone == FaceTone::Other) {
            // The other part is sorted by its face's farthest corner: where the two parts meet,
            // its big faces would otherwise cover the developed part's edge beside them.
            for (std::uint32_t k = 0; k < face.count; ++k) {
                item.depth =
                    std::min(item.depth, m_projection.depth(m_scene.points[face.first + k]));
            }
        }
        FaceOnImage on{&face, item.first, item.count};
        boxRound(on, &m_frame.points[item.first]);
        if (on.right < 0 || on.bottom < 0 || on.left > m_width || on.top > m_height) {
            m_frame.points.resize(item.first);
            return;
        }
        m_frame.items.push_back(item);
        m_frame.faces.push_back(on);
    }

    bool hidden(const ViewLabel& label) const {
        const ScreenPoint at = projected(label.at);
        const double clearance = kLabelClearance * m_scene.cellSize;
        for (const FaceOnImage& on : m_frame.faces) {
            if (at.x < on.left || at.x > on.right || at.y < on.top || at.y > on.bottom) {
                continue;
            }
            // How far in front of the point the face's plane lies along the line of sight.
            const ViewFace& face = *on.face;
            const double across = dot(face.normal, m_towards);
            if (std::fabs(across) < kEdgeOn) {
                continue;
            }
            const double inFront = dot(face.normal, face.middle - label.at) / across;
            if (inFront > clearance && inside(&m_frame.points[on.first], on.count, at)) {
                return true;
            }
        }
        return false;
    }

    const ViewScene& m_scene;
    Projection m_projection;
    int m_width;
    int m_height;
    ViewFrame& m_frame;
    Point3 m_towards;
    Point3 m_light;
};

} // namespace

void drawFrame(const ViewScene& scene, const ViewCamera& camera, int width, int height,
               ViewFrame& frame) {
    FrameDrawer drawer(scene, camera, width, height, frame);
    drawer.faces();
    drawer.lines();
    drawer.sort();
    drawer.labels();
}

} // namespace blachorys::core
