#pragma once

#include <functional>
#include <optional>

namespace blachorys::core {

/**
 * The length of a branch's generator, at one place round it, from the surface it meets to its
 * end face, for the layer `layer` of its wall (the case's own measure: a radius, a depth);
 * nothing where that layer misses what it must meet.
 */
using LayerLength = std::function<std::optional<double>(double layer)>;

/**
 * The layer of a branch's wall, at one place round it, that meets the other part first, so
 * that the end cut square through the wall rests on it there and no layer enters it: of the
 * layers from the contact surface `contact` towards the far face `far` that meet it at all, the
 * one whose generator is shortest. The length is convex over the layers (a convex surface's
 * section along parallel lines), so a search from the faces finds it. `contact` itself when
 * the wall has no thickness or its contact surface misses.
 */
double firstTouchingLayer(const LayerLength& lengthAt, double contact, double far);

} // namespace blachorys::core
