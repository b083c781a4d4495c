#include "common/core/wallchoices.h"

namespace blachorys::core {

std::vector<ChoiceDefinition> typedSurfaceChoices(const std::string& objectPrefix,
                                                  const std::array<const char*, 3>& captions) {
    return {{"outside", objectPrefix + "Zewnetrzne", captions[0]},
            {"inside", objectPrefix + "Wewnetrzne", captions[1]},
            {"mean", objectPrefix + "NaOsi", captions[2]}};
}

WallSurface typedSurfaceOf(std::size_t choice) {
    return choice == 0 ? WallSurface::Outside
                       : (choice == 1 ? WallSurface::Inside : WallSurface::Mean);
}

std::vector<ChoiceDefinition> makingChoices(const std::string& objectPrefix,
                                            const std::array<const char*, 2>& captions) {
    return {{"rolled", objectPrefix + "Zwijany", captions[0]},
            {"pipe", objectPrefix + "ZRury", captions[1]}};
}

PartMaking makingOf(std::size_t choice) {
    return choice == 0 ? PartMaking::RolledFromPlate : PartMaking::CutFromPipe;
}

std::string typedSurfaceWords(WallSurface surface) {
    switch (surface) {
    case WallSurface::Outside:
        return "zewnetrzne";
    case WallSurface::Inside:
        return "wewnetrzne";
    case WallSurface::Mean:
        break;
    }
    return "na osi blachy";
}

std::string developedSurfaceWords(WallSurface surface) {
    return surface == WallSurface::Outside ? "na zewnatrz" : "na osi blachy";
}

} // namespace blachorys::core
