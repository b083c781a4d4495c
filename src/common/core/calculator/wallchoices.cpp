#include "common/core/calculator/wallchoices.h"

namespace blachorys::core {
namespace {

/** Each list's values in the order of its choices. */
constexpr std::array kTypedSurfaces{WallSurface::Outside, WallSurface::Inside, WallSurface::Mean};
constexpr std::array kMakings{PartMaking::RolledFromPlate, PartMaking::CutFromPipe};
constexpr std::array kJoints{BranchJoint::SetOn, BranchJoint::SetIn};

} // namespace

std::vector<ChoiceDefinition> typedSurfaceChoices(const std::string& objectPrefix,
                                                  const std::array<const char*, 3>& captions) {
    return {{"outside", objectPrefix + "Zewnetrzne", captions[0]},
            {"inside", objectPrefix + "Wewnetrzne", captions[1]},
            {"mean", objectPrefix + "NaOsi", captions[2]}};
}

std::vector<ChoiceDefinition> makingChoices(const std::string& objectPrefix,
                                            const std::array<const char*, 2>& captions,
                                            const std::array<const char*, 2>& objectSuffixes) {
    return {{"rolled", objectPrefix + objectSuffixes[0], captions[0]},
            {"pipe", objectPrefix + objectSuffixes[1], captions[1]}};
}

std::vector<ChoiceDefinition> jointChoices(const std::string& objectPrefix,
                                           const std::array<const char*, 2>& captions,
                                           const std::array<const char*, 2>& objectSuffixes) {
    return {{"set-on", objectPrefix + objectSuffixes[0], captions[0]},
            {"set-in", objectPrefix + objectSuffixes[1], captions[1]}};
}

WallSurface typedSurfaceOf(std::size_t choice) {
    return kTypedSurfaces.at(choice);
}

PartMaking makingOf(std::size_t choice) {
    return kMakings.at(choice);
}

BranchJoint jointOf(std::size_t choice) {
    return kJoints.at(choice);
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
