#include "common/core/view3d/laidflat.h"

#include <utility>
#include <vector>

namespace blachorys::core {

OtherPart branchLaidFlat(double girth, const std::function<double(double x)>& cutAt) {
    std::vector<PatternPoint> ring;
    for (int k = 0; k <= kOtherCutSteps; ++k) {
        const double x = girth * k / kOtherCutSteps;
        ring.push_back({x, cutAt(x)});
    }
    ring.push_back({girth, 0.0});
    ring.push_back({0.0, 0.0});
    std::vector<bool> shown(ring.size(), true);
    shown[kOtherCutSteps] = false;
    shown.back() = false;
    OtherPart part;
    part.rings.push_back(std::move(ring));
    part.edgesShown.push_back(std::move(shown));
    return part;
}

} // namespace blachorys::core
