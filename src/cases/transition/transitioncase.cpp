#include "cases/transition/transitioncase.h"

#include "cases/transition/transitionmodel.h"
#include "cases/transition/transitionoutputs.h"
#include "cases/transition/transitionview.h"
#include "common/core/calculator/casecalculator.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/calculator/wallchoices.h"
#include "common/core/geometry/fittingsearch.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace blachorys::core {
namespace {

/**
 * Shortest line from a corner to the circle that the fans can be laid from, mm. Only a corner
 * on the circle in the circle's own plane comes closer: the piece is pinched to a point there,
 * and the angles of the triangles at that corner are lost to rounding.
 */
constexpr double kShortestLine = 0.001;

/** A, B, D and H are measured at the middle of the sheet's thickness; one note says so. */
FieldNote midThicknessNote() {
    return {{{"Wymiary -", " A, B, D, H", "", "mierzymy miedzy ", "punktami ", "znajdujacymi sie",
              "w srodku grubosci", "blachy"}}};
}

std::vector<CaseSelector<TransitionInputs>> selectors() {
    return {{{"diameters",
              "Wymiary A, B, D",
              "Wymiary A, B, D|Wymiary A, B i D: zewnetrzne, wewnetrzne lub na osi blachy (gdy "
              "t > 0) - rozwiniecie na osi blachy",
              typedSurfaceChoices("KPRadioBut", {"zewnętrzne", "wewnętrzne", "na osi blachy"}),
              {"t"}},
             [](TransitionInputs& in, std::size_t choice) { in.sizes = typedSurfaceOf(choice); }}};
}

WindowDefinition window() {
    ComponentNames components = prefixedComponentNames("KP");
    components.calculateButton = "KPObliczeniaButton";
    components.noteMemo = "KPMemoOpisSrednic";
    return {.formName = "KoloProstokat",
            .caption = "Przejsciówka   Kolo - Prostokat",
            .menuCaption = "Przejsciówka  Koło - Prostokąt",
            .menuHandler = "Przejsciowka_KoloProstokatClick",
            .components = components,
            .noteStyle = NoteStyle::Fixed,
            .jointPicture = ":/pictures/koloprostokat.svg",
            .schemeButtonCaption = "Schemat wyników",
            .schemePicture = "w_kp",
            .previewName = "TKPWynikiRysunek",
            .previewCaption = "Wyniki - Rysunek (przejsciowka KOLO - PROSTOKAT)",
            .previewStartupOrder = 4};
}

Construction<TransitionModel> computeOrRefuse(const TransitionInputs& in) {
    // The step to the next corner divides by the side it walks along.
    if (in.A == 0.0 || in.B == 0.0) {
        return constructionFailed<TransitionModel>(
            "Blad obliczen. Prawdopodobnie A = 0 lub B = 0 - dzielenie przez zero.");
    }
    // Without a circle every thin triangle is flat: there is no round edge to develop.
    if (in.D == 0.0) {
        return constructionFailed<TransitionModel>(
            "Blad obliczen. Prawdopodobnie D = 0 - brak obwodu kola do rozwiniecia.");
    }
    TransitionModel model = computeTransition(in);
    if (model.shortestLine < kShortestLine) {
        return constructionFailed<TransitionModel>(
            "Blad obliczen. Prawdopodobnie H = 0 i naroznik prostokata lezy na kole.");
    }
    return constructed(std::move(model));
}

/**
 * A transition too low for its sides folds its outline over itself: the least H whose pattern
 * can be cut, searched down from a height as great as its largest size, where it stands clear.
 */
std::string leastHeightThatCuts(const TransitionInputs& in,
                                const std::function<bool(const TransitionInputs&)>& cuts) {
    const double largest = std::max({in.A, in.B, in.D, std::fabs(in.PA), std::fabs(in.PB)});
    const auto fits = [&](double H) {
        TransitionInputs higher = in;
        higher.H = H;
        return H > 0 && cuts(higher);
    };
    for (const double start : {largest, 4 * largest}) {
        if (start > in.H && fits(start)) {
            const std::optional<double> least = endOfFitting(
                [&fits](double H) { return fits(H) ? std::optional(1.0) : std::nullopt; }, start,
                true);
            return least ? fittingFromText("H", *least) : "";
        }
    }
    return "";
}

CaseDescriptor<TransitionInputs, TransitionModel> descriptor() {
    using F = FieldFilter;
    using In = TransitionInputs;
    CaseDescriptor<In, TransitionModel> c;
    // Creation order, which the saved-input file and the first pass follow.
    c.fields = {
        {{"PA", "PA =", "[mm]", "15", F::SignedReal,
          "PRZESUNIECIE POZIOME prostokąta|PRZESUNIECIE POZIOME prostokąta"},
         &In::PA},
        {{"B", "B =", "[mm]", "220", F::PositiveReal,
          "BOK PIONOWY prostokąta|BOK PIONOWY prostokąta", midThicknessNote()},
         &In::B},
        {{"H", "H =", "[mm]", "230", F::PositiveReal, "WYSOKOSC przejsciówki|WYSOKOSC przejsciówki",
          midThicknessNote()},
         &In::H},
        {{"PB", "PB =", "[mm]", "20", F::SignedReal,
          "PRZESUNIECIE PIONOWE prostokąta|PRZESUNIECIE PIONOWE prostokąta"},
         &In::PB},
        {{"A", "A =", "[mm]", "150", F::PositiveReal,
          "BOK POZIOMY prostokąta|BOK POZIOMY prostokąta", midThicknessNote()},
         &In::A},
        {{"D", "D =", "[mm]", "300", F::PositiveReal, "SREDNICA Kola|SREDNICA Kola",
          midThicknessNote()},
         &In::D},
        {{"N", "N = 4 x", "[-]", "12", F::PositiveInteger,
          "Podzial obwodu rowiniecia na N odcinków|Podzial obwodu rowiniecia na N odcinków - "
          "im wieksze N, tym dokladniejszy ksztalt rozwiniecia"},
         &In::N},
        {{"t", "t =", "[mm]", "0", F::PositiveReal,
          "Grubosc blachy|Grubosc blachy - 0: wymiary w srodku grubosci blachy; t > 0: wymiary "
          "wg wyboru ponizej, rozwiniecie na osi blachy (warstwa obojetna w polowie grubosci), "
          "zagiecia ostre"},
         &In::t},
    };
    c.selectors = selectors();
    c.definition = {
        .key = "koloprostokat",
        .tabOrder = {"A", "PA", "B", "PB", "D", "H", "N", "t"},
        .largestN = kMaxDivisions / 4,
        .savedInputsFileName = "dane_kp.dat",
        .positionalSavedFields = 7,
        .txtFileName = "kolo_prostokat.txt",
        .dxfFileName = "kolo_prostokat.dxf",
        .printJobTitle = "Wydruk : Rozwiniecie Przejsciowki Kolo-Prostokat",
        .printHeading = "Rozwiniecie Przejsciowki Kolo-Prostokat",
        .window = window(),
        .examples = {{"defaults", "", {}},
                     {"two_divisions", "", {{"N", "2"}}},
                     {"most_divisions", "", {{"N", "500"}}},
                     {"negative_offsets", "", {{"PA", "-40"}, {"PB", "-35.5"}}},
                     {"overhanging", "", {{"PA", "250"}, {"PB", "-60"}, {"N", "16"}}},
                     {"low_and_wide",
                      "",
                      {{"A", "500"}, {"B", "400"}, {"D", "250"}, {"H", "80"}, {"N", "24"}}},
                     {"plate_outside", "", {{"t", "5"}}},
                     {"plate_inside", "", {{"t", "12"}, {"diameters", "inside"}}}}};
    c.checks = transitionChecks;
    c.compute = computeOrRefuse;
    c.outputs = transitionOutputs;
    c.view = transitionView;
    c.whatFitsThePattern = leastHeightThatCuts;
    return c;
}

} // namespace

const Calculator& transitionCalculator() {
    static const CaseCalculator calculator(descriptor());
    return calculator;
}

} // namespace blachorys::core
