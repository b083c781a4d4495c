#pragma once

#include "common/core/calculatordefinition.h"
#include "common/core/wall.h"

#include <array>
#include <string>
#include <vector>

namespace blachorys::core {

/**
 * The choices of which surface the typed sizes mean, in the window's order (outside, inside, on
 * the plate's axis), their radio buttons named `objectPrefix` + "Zewnetrzne", "Wewnetrzne",
 * "NaOsi"; `captions` in the grammar of what they qualify ("zewnętrzne", "zewnętrzna", ...).
 */
std::vector<ChoiceDefinition> typedSurfaceChoices(const std::string& objectPrefix,
                                                  const std::array<const char*, 3>& captions);
WallSurface typedSurfaceOf(std::size_t choice);

/** The choices of how a part is made, rolled from plate first, then cut from a pipe. */
std::vector<ChoiceDefinition> makingChoices(const std::string& objectPrefix,
                                            const std::array<const char*, 2>& captions);
PartMaking makingOf(std::size_t choice);

/** "zewnetrzne", "wewnetrzne", "na osi blachy": what a typed size means, in a report's words. */
std::string typedSurfaceWords(WallSurface surface);

/** The surface a pattern is developed on, in a report's words: "na osi blachy", "na zewnatrz". */
std::string developedSurfaceWords(WallSurface surface);

} // namespace blachorys::core
