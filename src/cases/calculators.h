#pragma once

#include "common/core/calculator.h"

#include <string>
#include <string_view>
#include <vector>

namespace blachorys::core {

/** A place in the product menu: a built calculator, or the caption of one still to come. */
struct MenuEntry {
    const Calculator* calculator = nullptr; ///< nullptr: not built yet, its entry is disabled
    std::string plannedCaption;
    std::string plannedHandler;

    std::string caption() const;
    std::string handler() const;
};

/** The product menu's entries in menu order: the one list of calculators. */
const std::vector<MenuEntry>& menuEntries();

/** The calculators that are built, in menu order. */
const std::vector<const Calculator*>& calculators();

/** The calculator with this command-line key, or nullptr. */
const Calculator* findCalculator(std::string_view key);

} // namespace blachorys::core
