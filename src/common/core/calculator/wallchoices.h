#pragma once

#include "common/core/calculator/calculatordefinition.h"
#include "common/core/walls/wall.h"

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

/**
 * The choices of how a part is made, rolled from plate first, then cut from a pipe: their radio
 * buttons named `objectPrefix` + each of `objectSuffixes`.
 */
std::vector<ChoiceDefinition>
makingChoices(const std::string& objectPrefix, const std::array<const char*, 2>& captions,
              const std::array<const char*, 2>& objectSuffixes = {"Zwijany", "ZRury"});

/**
 * The choices of how a branch meets its part, set on first, then set in: their radio buttons
 * named `objectPrefix` + each of `objectSuffixes`.
 */
std::vector<ChoiceDefinition> jointChoices(const std::string& objectPrefix,
                                           const std::array<const char*, 2>& captions,
                                           const std::array<const char*, 2>& objectSuffixes);

/**
 * What each choice of these selectors means, by its index in the lists above. An index past a
 * list is no choice: the calculation refuses it before it reads these (`choicesProblem`), and
 * they throw std::out_of_range.
 */
WallSurface typedSurfaceOf(std::size_t choice);
PartMaking makingOf(std::size_t choice);
BranchJoint jointOf(std::size_t choice);

/** "zewnetrzne", "wewnetrzne", "na osi blachy": what a typed size means, in a report's words. */
std::string typedSurfaceWords(WallSurface surface);

/** The surface a pattern is developed on, in a report's words: "na osi blachy", "na zewnatrz". */
std::string developedSurfaceWords(WallSurface surface);

} // namespace blachorys::core
