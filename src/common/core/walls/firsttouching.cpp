#include "common/core/walls/firsttouching.h"

#include "common/core/geometry/depthsearch.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace blachorys::core {
namespace {

/**
 * Golden-section steps through a wall: to 1e-5 of its thickness. What is sought there is
 * stationary in the layer, or lies at a face, so the length found is within a nanometre.
 */
constexpr int kLayerSteps = 24;
/** How far into a wall its face's slope is taken, in wall thicknesses. */
constexpr double kFaceSlopeShare = 1e-6;

} // namespace

double firstTouchingLayer(const LayerLength& measured, double contact, double far) {
    // The faces are asked for again by the search: each length is worked out once.
    std::vector<std::pair<double, std::optional<double>>> known;
    const auto lengthAt = [&](double layer) {
        for (const auto& [at, length] : known) {
            if (at == layer) {
                return length;
            }
        }
        known.emplace_back(layer, measured(layer));
        return known.back().second;
    };
    if (contact == far || !lengthAt(contact)) {
        return contact;
    }
    if (!lengthAt(far)) {
        // The layers that meet run from the contact surface to where the wall passes it by.
        double meets = contact;
        for (int step = 0; step < kLayerSteps; ++step) {
            const double middle = (meets + far) / 2;
            (lengthAt(middle) ? meets : far) = middle;
        }
        far = meets;
    }
    const double low = std::min(contact, far);
    const double high = std::max(contact, far);
    if (low == high) {
        return contact;
    }
    return depthOfMinimumFacesFirst(
        low, high,
        [&](double layer) {
            return lengthAt(layer).value_or(std::numeric_limits<double>::infinity());
        },
        kFaceSlopeShare * (high - low), kLayerSteps);
}

} // namespace blachorys::core
