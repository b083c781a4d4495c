#include "cases/cone/conecase.h"

#include "cases/cone/conemodel.h"
#include "cases/cone/coneoutputs.h"
#include "cases/cone/coneview.h"
#include "common/core/calculator/casecalculator.h"
#include "common/core/calculator/wallchoices.h"

namespace blachorys::core {
namespace {

/**
 * Both diameters of a rolled shell are mean diameters; the notes say so. With a thickness the
 * choice below the fields says which they are.
 */
FieldNote meanDiameterNote(const std::string& name) {
    return {.linesPerDevelopment = {{"Dla stozka zwijanego", "z arkusza blachy", "podajemy srednia",
                                     "srednice", "", name + "=(" + name + "_zew +",
                                     "        + " + name + "_wew) / 2"}},
            .otherWhenNonZero = {"t"},
            .otherLinesPerDevelopment = {{"Przy grubosci blachy", "t > 0: Dsm i Dsd wg",
                                          "wyboru ponizej", "(zewnetrzne, wewnetrzne",
                                          "lub na osi blachy).", "Rozwiniecie zawsze",
                                          "na osi blachy."}}};
}

std::vector<CaseSelector<ConeInputs>> selectors() {
    return {{{"diameters",
              "Średnice Dsm, Dsd",
              "Srednice Dsm, Dsd|Srednice Dsm i Dsd: zewnetrzne, wewnetrzne lub na osi blachy (gdy "
              "t > 0) - rozwiniecie zawsze na osi blachy",
              typedSurfaceChoices("StRadioBut", {"zewnętrzne", "wewnętrzne", "na osi blachy"}),
              {"t"}},
             [](ConeInputs& in, std::size_t choice) { in.diameters = typedSurfaceOf(choice); }}};
}

WindowDefinition window() {
    return {.formName = "Stozek_",
            .caption = "Stożek",
            .menuCaption = "Stożek",
            .menuHandler = "Stozek1Click",
            .components = prefixedComponentNames("St"),
            .jointPicture = ":/pictures/stozek.svg",
            .jointPictureWidth = 318,
            .jointPictureHeight = 272,
            .schemeButtonCaption = "Schemat wyników",
            .schemePicture = "w_s",
            .previewName = "TStWynikiRysunek",
            .previewCaption = "Wyniki - Rysunek (STOZEK)",
            .previewStartupOrder = 2};
}

Construction<ConeModel> computeOrRefuse(const ConeInputs& in) {
    // The apex in the plane of the Dsd edge leaves no slant height to develop along.
    if (apexHeight(in) == 0.0) {
        return constructionFailed<ConeModel>(
            "Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez zero.");
    }
    return constructed(computeCone(in));
}

CaseDescriptor<ConeInputs, ConeModel> descriptor() {
    using F = FieldFilter;
    using In = ConeInputs;
    CaseDescriptor<In, ConeModel> c;
    // Creation order, which the saved-input file and the first pass follow.
    c.fields = {
        {{"Dsd", "Dsd =", "[mm]", "800", F::PositiveReal,
          "Srednica wieksza stozka|Srednica wieksza stozka (plaszcza)", meanDiameterNote("Dsd")},
         &In::Dsd},
        {{"alfa", "alfa =", "[°]", "0", F::SignedReal,
          "Kat umiejscowienia|Kat umiejscowienia spawu - np. dla kąta 45 stopni i 30 minut - "
          "wpisz 45.5"},
         &In::alfa},
        {{"N", "N =", "[-]", "24", F::PositiveInteger, "Podzial obwodu rowiniecia na N odcinków"},
         &In::N},
        {{"Hs", "Hs =", "[mm]", "1000", F::PositiveReal,
          "Dlugosc stozka|Dlugosc stozka (plaszcza)"},
         &In::Hs},
        {{"Dsm", "Dsm =", "[mm]", "600", F::PositiveReal,
          "Srednica mniejsza stozka|Srednica mniejsza stozka (plaszcza)", meanDiameterNote("Dsm")},
         &In::Dsm},
        // The short hint has lost its closing parenthesis; the window has always shown it so.
        {{"E", "E =", "[mm]", "100", F::SignedReal,
          "Odleglosc miedzy srodkami podstaw stozka (E=0 - stozek symetryczny|Odleglosc miedzy "
          "srodkami podstaw stozka (E=0 - stozek symetryczny)"},
         &In::E},
        {{"t", "t =", "[mm]", "0", F::PositiveReal,
          "Grubosc blachy|Grubosc blachy - 0: Dsm i Dsd wg opisu srednic, bez grubosci"},
         &In::t},
    };
    c.selectors = selectors();
    c.definition = {
        .key = "stozek",
        .tabOrder = {"Dsm", "Dsd", "alfa", "Hs", "E", "N", "t"},
        .largestN = kMaxDivisions,
        .savedInputsFileName = "dane_st.dat",
        .positionalSavedFields = 6,
        .txtFileName = "Stozek.txt",
        .dxfFileName = "stozek.dxf",
        .printJobTitle = "Wydruk : Rozwiniecie Stozka",
        .printHeading = "Rozwiniecie Stozka",
        .window = window(),
        .examples = {{"defaults", "", {}},
                     {"right", "", {{"E", "0"}}},
                     {"two_divisions", "", {{"N", "2"}}},
                     {"first_edge_larger", "", {{"Dsm", "1000"}, {"alfa", "-30"}, {"E", "-150"}}},
                     {"past_half_turn", "", {{"Hs", "50"}, {"N", "36"}}},
                     {"nearly_a_cylinder", "", {{"Dsm", "790"}}},
                     {"most_divisions", "", {{"N", mostDivisionsText()}, {"alfa", "45.5"}}},
                     {"plate_outside",
                      "",
                      {{"Dsm", "200"}, {"Dsd", "1200"}, {"Hs", "600"}, {"E", "0"}, {"t", "10"}}},
                     {"plate_inside_oblique", "", {{"t", "12"}, {"diameters", "inside"}}}},
        .seamFields = {"alfa"}};
    c.checks = coneChecks;
    c.compute = computeOrRefuse;
    c.outputs = coneOutputs;
    c.view = coneView;
    return c;
}

} // namespace

const Calculator& coneCalculator() {
    static const CaseCalculator calculator(descriptor());
    return calculator;
}

} // namespace blachorys::core
