#include "cases/pipe_cone/pipeconecase.h"

#include "cases/pipe_cone/pipeconemodel.h"
#include "cases/pipe_cone/pipeconeoutputs.h"
#include "cases/pipe_cone/pipeconeview.h"
#include "common/core/calculator/casecalculator.h"
#include "common/core/calculator/wallchoices.h"

namespace blachorys::core {
namespace {

/** What the diameters are once a wall has a thickness: the program works out the surfaces. */
const std::vector<std::string> kThickWallsLines = {
    "Przy grubosci scianki",    "tr > 0 lub ts > 0:",     "Dr, Dsm i Dsd = srednice",
    "ZEWNETRZNE (Dr_zew,",      "Dsm_zew, Dsd_zew).",     "Powierzchnie styku i",
    "rozwiniecia wynikaja z",   "osadzenia rury oraz",    "wykonania rury (wybor",
    "ponizej); stozek zwijany", "z blachy - rozwiniecie", "na osi blachy."};

/** Which diameter of the branch to give: for its template, then for the hole in the mantle. */
FieldNote branchDiameterNote() {
    return {
        .linesPerDevelopment =
            {
                {"Dla rury - krócca", " ", "a) zwijanego z arkusza", "blachy - Dr= sredniej",
                 "srednicy rury -", "Dr = (Dr_zew + Dr_wew)/2", " ", "b) wykonego z rury wg",
                 "szablonu owijanego na", "rurze - Dr= sredncy", "zewnetrznej rury -", "Dr=Dr_zew"},
                {"Dla rury - krócca", " ", "a) \"wpuszczanego\" w plaszcz",
                 "Dr = srednicy zewnetrznej", "rury , Dr=Dr_zew", " ", "a) spawanego na plaszczu",
                 "Dr = srednicy wewnetrznej", "rury , Dr=Dr_wew"},
            },
        .otherWhenNonZero = {"tr", "ts"},
        .otherLinesPerDevelopment = {kThickWallsLines}};
}

/** Which diameters of the cone to give; Dsm and Dsd share the note. */
FieldNote coneDiameterNote() {
    return {.linesPerDevelopment =
                {
                    {"Dla rury - krócca", "", "a) \"wpuszczanego\" w plaszcz",
                     "Dsm i Dsd= srednicy", "wewnetrznej stozka", "", "a) spawanego na plaszczu",
                     "Dsm i Dsd= srednicy", "zewnetrznej stozka"},
                    {"Dla stozka - plaszcza", "", "zwijanego z arkusza blachy",
                     "Dsm i Dsd = srednej srednicy stozka"},
                },
            .otherWhenNonZero = {"tr", "ts"},
            .otherLinesPerDevelopment = {kThickWallsLines}};
}

std::vector<CaseSelector<PipeConeInputs>> selectors() {
    using In = PipeConeInputs;
    const std::string thickOnly = " (gdy tr lub ts > 0)";
    return {
        {{"joint",
          "Osadzenie rury",
          "Osadzenie rury na stozku|Osadzenie rury (krocca): nakladana - jej wnetrze na zewnatrz "
          "stozka, wpuszczana - jej zewnatrz do wnetrza stozka" +
              thickOnly,
          jointChoices("RSRadioBut", {"nakładana na stożek", "wpuszczana w stożek"},
                       {"Nakladana", "Wpuszczana"}),
          {"tr", "ts"}},
         [](In& in, std::size_t choice) { in.joint = jointOf(choice); }},
        {{"pipe-made",
          "Wykonanie rury",
          "Wykonanie rury|Wykonanie rury (krocca): zwijana - rozwiniecie na srednicy sredniej, z "
          "rury - na zewnetrznej (gdy tr > 0); stozek zwijany z blachy - na osi blachy",
          makingChoices("RSRadioBut", {"zwijana z blachy", "z rury, szablon owijany"},
                        {"RuraZwijana", "RuraZRury"}),
          {"tr"}},
         [](In& in, std::size_t choice) { in.pipeMade = makingOf(choice); }},
    };
}

WindowDefinition window() {
    ComponentNames components = prefixedComponentNames("RS");
    components.schemeButton = "SchematWynikowRS";
    return {.formName = "RuraStozek",
            .caption = "Połączenie : Rura - stożek",
            .menuCaption = "Rura - STOŻEK    (króciec - Płaszcz)",
            .menuHandler = "Rurastozek1Click",
            .components = components,
            .jointPicture = ":/pictures/rurastozek.svg",
            // A little smaller than drawn: the wall selectors go under it.
            .jointPictureWidth = 280,
            .jointPictureHeight = 286,
            .previewName = "TRSWynikiRysunek",
            .previewCaption = "Wyniki - Rysunek (Rura-Stożek)",
            .previewStartupOrder = 1};
}

/**
 * The eleven fields in creation order, which the saved-input file and the first pass follow,
 * then the walls.
 */
std::vector<CaseField<PipeConeInputs>> fields() {
    using F = FieldFilter;
    using In = PipeConeInputs;
    return {
        {{"Dr", "Dr =", "[mm]", "250", F::PositiveReal, "Srednica rury | Srednica rury (krócca)",
          branchDiameterNote()},
         &In::Dr},
        {{"Dsd", "Dsd =", "[mm]", "800", F::PositiveReal,
          "Srednica wieksza stozka|Srednica wieksza stozka (plaszcza)", coneDiameterNote()},
         &In::Dsd},
        {{"P", "P =", "[mm]", "230", F::SignedReal,
          "Przesuniecie osi rury|Przesuniecie osi rury (krocca)"},
         &In::P},
        {{"alfa", "alfa =", "[°]", "0", F::PositiveReal,
          "Kat umiejscowienia spawu na rurze|Kat umiejscowienia spawu na rurze (na kroccu) - np. "
          "dla kąta 45 stopni i 30 minut - wpisz 45.5"},
         &In::alfa},
        {{"Hr", "Hr =", "[mm]", "700", F::PositiveReal,
          "Wysokosc rury|Wysokosc rury (krocca) - srodka jej konca nad "
          "plaszczyzna przez os stozka (nie odleglosc od samej osi)"},
         &In::Hr},
        {{"N", "N =", "[-]", "24", F::PositiveInteger, "Podzial obwodu rowiniecia na N odcinków"},
         &In::N},
        {{"Beta", "BETA =", "[°]", "90", F::PositiveReal,
          "Kat pochylenia rury|Kat pochylenia rury (krocca) - np. dla kąta 45 stopni i 30 minut "
          "- wpisz 45.5"},
         &In::BETA},
        {{"Hs", "Hs =", "[mm]", "1000", F::PositiveReal,
          "Dlugosc stozka|Dlugosc stozka (plaszcza)"},
         &In::Hs},
        {{"Lm", "Lm =", "[mm]", "600", F::SignedReal,
          "Odleglosc osi rury (krocca) od poczatku stozka|Odleglosc osi rury (krocca) od "
          "poczatku stozka (plaszcza)"},
         &In::Lm},
        {{"Dsm", "Dsm =", "[mm]", "600", F::PositiveReal,
          "Srednica mniejsza stozka|Srednica mniejsza stozka (plaszcza)", coneDiameterNote()},
         &In::Dsm},
        // The short hint has lost its closing parenthesis; the window has always shown it so.
        {{"E", "E =", "[mm]", "100", F::SignedReal,
          "Odleglosc miedzy srodkami podstaw stozka (E=0 - stozek symetryczny|Odleglosc miedzy "
          "srodkami podstaw stozka (E=0 - stozek symetryczny)"},
         &In::E},
        {{"tr", "tr =", "[mm]", "0", F::PositiveReal,
          "Grubosc scianki rury|Grubosc scianki rury (krocca) - 0: Dr wg opisu srednic, bez "
          "grubosci"},
         &In::tr},
        {{"ts", "ts =", "[mm]", "0", F::PositiveReal,
          "Grubosc blachy stozka|Grubosc blachy stozka (plaszcza) - 0: Dsm i Dsd wg opisu "
          "srednic, bez grubosci"},
         &In::ts},
    };
}

CalculatorDefinition definition() {
    return {.key = "rurastozek",
            .tabOrder = {"Dr", "Dsm", "Dsd", "P", "Beta", "alfa", "Hr", "Hs", "Lm", "E", "N", "tr",
                         "ts"},
            .developments = {{"rura", "RSRadioButRozwRur", "Rozwinięcie RURY - króćca",
                              "Schemat wyników - Rura", "w_rs_r"},
                             {"stozek", "RSRadioButRozwStoz", "Rozwinięcie STOŻKA - płaszcza",
                              "Schemat wyników - Stożek", "w_rs_p"}},
            .largestN = kMaxDivisions,
            .savedInputsFileName = "dane_rs.dat",
            // Dr to E: the file held them by position before it named anything.
            .positionalSavedFields = 11,
            .txtFileName = "ruraStozek.txt",
            .dxfFileName = "rura_stozek.dxf",
            .printJobTitle = "Wydruk : Rozwiniecie Rura-Stozek",
            .printHeading = "Rozwiniecie Rura-Stożek",
            .window = window(),
            .examples =
                {
                    {"defaults_rura", "rura", {}},
                    {"defaults_stozek", "stozek", {}},
                    {"inclined_oblique_rura",
                     "rura",
                     {{"Beta", "60"}, {"alfa", "30"}, {"P", "-120"}, {"E", "-150"}}},
                    {"inclined_oblique_stozek",
                     "stozek",
                     {{"Beta", "60"}, {"alfa", "30"}, {"P", "-120"}, {"E", "-150"}}},
                    {"leaning_to_small_end_stozek", "stozek", {{"Beta", "120"}, {"alfa", "45.5"}}},
                    {"two_divisions_rura", "rura", {{"N", "2"}}},
                    {"two_divisions_stozek", "stozek", {{"N", "2"}}},
                    {"most_divisions_rura", "rura", {{"N", mostDivisionsText()}, {"Beta", "75"}}},
                    {"most_divisions_stozek", "stozek", {{"N", mostDivisionsText()}}},
                    {"set_on_walls_rura", "rura", {{"tr", "8"}, {"ts", "10"}}},
                    {"set_on_walls_stozek", "stozek", {{"tr", "8"}, {"ts", "10"}}},
                    {"set_in_pipe_walls_rura",
                     "rura",
                     {{"tr", "8"},
                      {"ts", "10"},
                      {"P", "150"},
                      {"joint", "set-in"},
                      {"pipe-made", "pipe"}}},
                    {"set_in_inclined_walls_stozek",
                     "stozek",
                     {{"tr", "8"},
                      {"ts", "10"},
                      {"Beta", "60"},
                      {"alfa", "30"},
                      {"P", "-120"},
                      {"E", "-150"},
                      {"joint", "set-in"}}},
                },
            .weldedCut = true,
            // The pipe starts at its seam; the cone's lies where its offset puts it.
            .seamFields = {"alfa", ""}};
}

void selectDevelopment(PipeConeInputs& in, std::size_t development) {
    in.development = development == 0 ? PipeConeDevelopment::Pipe : PipeConeDevelopment::Cone;
}

CaseDescriptor<PipeConeInputs, PipeConeModel>
descriptor(Construction<PipeConeModel> (*compute)(const PipeConeInputs&)) {
    return {.definition = definition(),
            .fields = fields(),
            .selectors = selectors(),
            .selectDevelopment = selectDevelopment,
            .checks = pipeConeChecks,
            .compute = compute,
            .outputs = pipeConeOutputs,
            .view = pipeConeView};
}

} // namespace

const Calculator& pipeConeCalculator() {
    static const CaseCalculator calculator(descriptor(computePipeCone));
    return calculator;
}

const Calculator& pipeConeReferenceCalculator() {
    static const CaseCalculator calculator(descriptor(computePipeConeReference));
    return calculator;
}

} // namespace blachorys::core
