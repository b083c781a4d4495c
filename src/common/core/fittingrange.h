#pragma once

#include <string>

namespace blachorys::core {

/**
 * What a refusal says would fit: "(pasuje Lm od 152.3 do 847.7)", the ends rounded inward to the
 * report's tenth so that typing either one fits; "(nie pasuje zadne Lm)" when nothing between;
 * nothing when an end is not a finite number.
 */
std::string fittingRangeText(const std::string& name, double lowest, double highest);

/** "(pasuje H od 412.3)": the least value that fits, rounded up to the report's tenth. */
std::string fittingFromText(const std::string& name, double lowest);

/** A refusal ending in a full stop with what would fit put before it; as it is without. */
std::string withWhatFits(std::string refusal, const std::string& fitting);

} // namespace blachorys::core
