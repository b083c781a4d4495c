#include "cases/elbow/elbowcase.h"

#include "cases/elbow/elbowmodel.h"
#include "cases/elbow/elbowoutputs.h"
#include "cases/elbow/elbowview.h"
#include "common/core/calculator/casecalculator.h"
#include "common/core/calculator/wallchoices.h"

namespace blachorys::core {
namespace {

/** Which diameter to type: the mean one for a rolled sheet, the outer one for a template. */
FieldNote pipeDiameterNote() {
    return {.linesPerDevelopment = {{"Dla segmentu kolana", "", "a) zwijanego z arkusza",
                                     "blachy - Dr= srednicy", "sredniej rury -",
                                     "Dr = (Dr_zew + Dr_wew)/2", "", "b) wykonego z rury wg",
                                     "szablonu owijanego na", "rurze - Dr= sredncy",
                                     "zewnetrznej rury -", "Dr=Dr_zew"}},
            .otherWhenNonZero = {"t"},
            .otherLinesPerDevelopment = {{"Przy grubosci scianki", "t > 0: Dr wg wyboru",
                                          "ponizej (zewnetrzna,", "wewnetrzna lub na osi",
                                          "blachy). Rozwiniecie", "na osi blachy (kolano",
                                          "zwijane) lub na", "zewnatrz (z rury)."}}};
}

std::vector<CaseSelector<ElbowInputs>> selectors() {
    const std::string thickOnly = " (gdy t > 0)";
    return {
        {{"diameters",
          "Średnica Dr",
          "Srednica Dr|Srednica Dr: zewnetrzna, wewnetrzna lub na osi blachy" + thickOnly,
          typedSurfaceChoices("KSRadioBut", {"zewnętrzna", "wewnętrzna", "na osi blachy"}),
          {"t"}},
         [](ElbowInputs& in, std::size_t choice) { in.diameter = typedSurfaceOf(choice); }},
        {{"made",
          "Wykonanie",
          "Wykonanie kolana|Wykonanie kolana: zwijane - rozwiniecie na srednicy sredniej, z rury "
          "- na zewnetrznej" +
              thickOnly,
          makingChoices("KSRadioBut", {"zwijane z blachy", "z rury, szablon owijany"}),
          {"t"}},
         [](ElbowInputs& in, std::size_t choice) { in.made = makingOf(choice); }},
        {{"seams",
          "Szwy segmentów",
          "Szwy segmentow|Szwy segmentow: w jednej linii lub na przemian - co drugi obrocony o "
          "pol obrotu, by szwy sasiednich segmentow sie nie schodzily",
          {{"aligned", "KSRadioButSzwyWLinii", "w jednej linii"},
           {"alternate", "KSRadioButSzwyNaPrzemian", "szwy na przemian"}},
          {}},
         [](ElbowInputs& in, std::size_t choice) { in.alternateSeams = choice == 1; }},
    };
}

WindowDefinition window() {
    ComponentNames components = prefixedComponentNames("KS");
    components.calculateButton = "KSObliczeniaButton";
    return {.formName = "KolanoSegm",
            .caption = "Kolano segmentowe",
            .menuCaption = "Kolano segmentowe",
            .menuHandler = "KolanoSegm1Click",
            .components = components,
            .noteStyle = NoteStyle::RefilledUnscrolled,
            .jointPicture = ":/pictures/kolanosegm.svg",
            .jointPictureWidth = 318,
            .jointPictureHeight = 290,
            .schemeButtonCaption = "Schemat wyników",
            .schemePicture = "w_ks",
            .previewName = "TKSWynikiRysunek",
            .previewCaption = "Wyniki - Rysunek (KOLANO SEGMENTOWE)",
            .previewStartupOrder = 3};
}

Construction<ElbowModel> computeOrRefuse(const ElbowInputs& in) {
    // The angle round the pipe is a length along the sheet over the diameter.
    if (in.Dr == 0.0) {
        return constructionFailed<ElbowModel>(
            "Blad obliczen. Prawdopodobnie Dr = 0 - dzielenie przez zero.");
    }
    // A full turn in three segments cuts each one along its axis: no finite height.
    if (halfAngleDegrees(in) >= 90.0) {
        return constructionFailed<ElbowModel>(
            "Blad obliczen. Prawdopodobnie BETA/(2*(Ns-1)) = 90 [°] - ciecie wzdluz osi rury, "
            "wysokosci nieskonczone.");
    }
    return constructed(computeElbow(in));
}

CaseDescriptor<ElbowInputs, ElbowModel> descriptor() {
    using F = FieldFilter;
    using In = ElbowInputs;
    CaseDescriptor<In, ElbowModel> c;
    // Creation order, which the saved-input file and the first pass follow.
    c.fields = {
        {{"Rk", "Rk =", "[mm]", "800", F::PositiveReal,
          "Promien kolana (promien giecia)|Promien kolana (promien giecia)"},
         &In::Rk},
        {{"BETA", "BETA =", "[°]", "90", F::PositiveReal,
          "Kat kolana segmentowego|Kat kolana segmentowego - np. dla kąta 45 stopni i 30 minut - "
          "wpisz 45.5"},
         &In::BETA},
        {{"N", "N =", "[-]", "24", F::PositiveInteger,
          "Podzial obwodu rowiniecia na N odcinków|Podzial obwodu rowiniecia na N odcinków - im "
          "wieksze N, tym dokladniejszy ksztalt rozwiniecia"},
         &In::N},
        {{"Ns", "Ns =", "[-]", "6", F::PositiveInteger,
          "Ilosc segmentów kolan (lacznie A i B)|Ilosc segmentów kolan (lacznie A i B)"},
         &In::Ns},
        {{"Dr", "Dr =", "[mm]", "300", F::PositiveReal, "Srednica rury|Srednica rury",
          pipeDiameterNote()},
         &In::Dr},
        {{"t", "t =", "[mm]", "0", F::PositiveReal,
          "Grubosc scianki|Grubosc scianki rury - 0: Dr wg opisu srednicy, bez grubosci"},
         &In::t},
        {{"szew", "szew =", "[°]", "0", F::SignedReal,
          "Polozenie szwu|Polozenie szwu - kat wokol osi segmentu od wewnetrznej strony luku, "
          "gdzie lezy szew wzdluzny; 0: po wewnetrznej stronie"},
         &In::seam},
    };
    c.selectors = selectors();
    c.definition = {
        .key = "kolanosegm",
        .tabOrder = {"Dr", "Rk", "BETA", "Ns", "N", "t", "szew"},
        .largestN = kMaxDivisions,
        .savedInputsFileName = "dane_ks.dat",
        .positionalSavedFields = 5,
        .txtFileName = "KolanoSegmentowe.txt",
        .dxfFileName = "KolanoSegmentowe.dxf",
        .printJobTitle = "Wydruk : Rozwiniecie Kolana segmentowego",
        .printHeading = "Rozwiniecie Kolana segmentowego",
        .window = window(),
        .examples = {{"defaults", "", {}},
                     {"two_divisions", "", {{"N", "2"}}},
                     {"most_divisions", "", {{"N", mostDivisionsText()}}},
                     {"three_segments", "", {{"Ns", "3"}}},
                     {"sharp_inner_corner", "", {{"Rk", "150"}}},
                     {"wide_angle_odd_divisions", "", {{"BETA", "135.5"}, {"N", "37"}}},
                     {"full_turn", "", {{"BETA", "360"}, {"Ns", "9"}, {"Dr", "219.1"}}},
                     {"wall_rolled", "", {{"t", "5"}}},
                     {"wall_from_a_pipe_inside",
                      "",
                      {{"t", "12"}, {"diameters", "inside"}, {"made", "pipe"}}},
                     {"seams_turned_alternating", "", {{"szew", "97.5"}, {"seams", "alternate"}}}}};
    c.definition.weldedCut = true;
    c.definition.seamFields = {"szew"};
    c.checks = elbowChecks;
    c.compute = computeOrRefuse;
    c.outputs = elbowOutputs;
    c.view = elbowView;
    return c;
}

} // namespace

const Calculator& elbowCalculator() {
    static const CaseCalculator calculator(descriptor());
    return calculator;
}

} // namespace blachorys::core
