#pragma once

#include "common/core/view3d/edgepreparation.h"

#include <optional>
#include <string>

namespace blachorys::core {

/**
 * The edge preparation as the joint windows' group and the command line hold it: the choice and
 * the texts of its sizes, degrees and millimetres. Like the plate, they are no calculator's
 * fields: the saved-input file does not hold them.
 */
struct EdgeTexts {
    EdgeChoice choice = EdgeChoice::Square;
    std::string grooveAngle = "45";
    std::string rootFace = "1.5";
    std::string rootGap = "2";
    std::string bevelLimit = "45";
    friend bool operator==(const EdgeTexts&, const EdgeTexts&) = default;
};

/** The settings, or what is wrong with the first text that does not read. */
struct EdgeReading {
    std::optional<EdgeSettings> settings;
    std::string problem;
};

/**
 * Reads the texts ("," as the decimal point): a groove angle over 0 and under 90°, a root face
 * and a root gap from 0 to kLargestEdgeSizeMm, a bevel head's limit over 0 and under 90°. The
 * problem is a data error naming the field.
 */
EdgeReading readEdgeTexts(const EdgeTexts& texts);

/** A root face or gap is at most this, mm. */
inline constexpr double kLargestEdgeSizeMm = 100.0;

/** "square", "fit", "groove": the choice as the command line names it; nothing for another. */
std::optional<EdgeChoice> edgeChoiceNamed(const std::string& name);

/** The choice's command-line name, as edgeChoiceNamed reads it. */
std::string edgeChoiceName(EdgeChoice choice);

} // namespace blachorys::core
