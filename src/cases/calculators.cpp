#include "cases/calculators.h"

#include "cases/cone/conecase.h"
#include "cases/pipe_pipe/pipepipecase.h"
#include "cases/transition/transitioncase.h"

namespace blachorys::core {
namespace {

MenuEntry built(const Calculator& calculator) {
    return {&calculator, {}, {}};
}

MenuEntry planned(std::string caption, std::string handler) {
    return {nullptr, std::move(caption), std::move(handler)};
}

} // namespace

const std::vector<MenuEntry>& menuEntries() {
    static const std::vector<MenuEntry> entries{
        built(pipePipeCalculator()),
        planned("Rura - STOŻEK    (króciec - Płaszcz)", "Rurastozek1Click"),
        planned("Stożek symetryczny - RURA     (króciec - Płaszcz)", "StozekRura1Click"),
        built(coneCalculator()),
        planned("Kolano segmentowe", "KolanoSegm1Click"),
        built(transitionCalculator()),
    };
    return entries;
}

std::string MenuEntry::caption() const {
    return calculator != nullptr ? calculator->definition().window.menuCaption : plannedCaption;
}

std::string MenuEntry::handler() const {
    return calculator != nullptr ? calculator->definition().window.menuHandler : plannedHandler;
}

const std::vector<const Calculator*>& calculators() {
    static const std::vector<const Calculator*> built = [] {
        std::vector<const Calculator*> list;
        for (const MenuEntry& entry : menuEntries()) {
            if (entry.calculator != nullptr) {
                list.push_back(entry.calculator);
            }
        }
        return list;
    }();
    return built;
}

const Calculator* findCalculator(std::string_view key) {
    for (const Calculator* calculator : calculators()) {
        if (calculator->definition().key == key) {
            return calculator;
        }
    }
    return nullptr;
}

} // namespace blachorys::core
