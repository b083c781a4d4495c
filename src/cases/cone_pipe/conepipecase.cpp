#include "cases/cone_pipe/conepipecase.h"

#include "cases/cone_pipe/conepipemodel.h"
#include "cases/cone_pipe/conepipeoutputs.h"
#include "cases/cone_pipe/conepipeview.h"
#include "common/core/calculator/casecalculator.h"
#include "common/core/calculator/fittingrange.h"
#include "common/core/calculator/wallchoices.h"

namespace blachorys::core {
namespace {

/** What the diameters are once a wall has a thickness: the program works out the surfaces. */
const std::vector<std::string> kThickWallsLines = {
    "Przy grubosci scianki",    "ts > 0 lub tr > 0:",        "Ds i Dr = srednice",
    "ZEWNETRZNE (Ds_zew -",     "u wolnego konca, Dr_zew).", "Powierzchnie styku i",
    "rozwiniecia wynikaja z",   "osadzenia stozka oraz",     "wykonania rury (wybor",
    "ponizej); stozek zwijany", "z blachy - rozwiniecie",    "na osi blachy."};

/** The cone's diameter: a mean one for the rolled cone, the fitted one where it meets the pipe. */
FieldNote coneDiameterNote() {
    return {.linesPerDevelopment =
                {
                    {"Dla stozka symetrycznego", "- krócca", "", "zwijanego z arkusza",
                     "blachy - Ds= srednicy", "sredniej stozka"},
                    {"Dla stozka symetrycznego", "- krócca", "", "a) \"wpuszczanego\" w plaszcz",
                     "Ds = srednicy zewnetrznej", "stozka, Ds=Ds_zew", "",
                     "a) spawanego na plaszczu", "Ds = srednicy wewnetrznej", "stozka, Ds=Ds_wew"},
                },
            .otherWhenNonZero = {"ts", "tr"},
            .otherLinesPerDevelopment = {kThickWallsLines}};
}

/** The pipe's diameter: the fitted one for the cone's cut, a mean one for the rolled pipe. */
FieldNote pipeDiameterNote() {
    return {.linesPerDevelopment =
                {
                    {"Dla stozka symetrycznego", "- krócca", "", "a) \"wpuszczanego\" w plaszcz",
                     "Dr = srednicy wewnetrznej", "rury, Dr=Dr_wew", "", "a) spawanego na plaszczu",
                     "Dr = srednicy zewnetrznej", "rury, Dr=Dr_zew"},
                    {"Dla rury - plaszcza", "", "a) zwijanego z arkusza blachy",
                     "Dr = sredniej srednicy rury", "Dr = (Dr_zew + Dr_wew)/2", "",
                     "b)  wykonego z rury wg", "szablonu owijanego na", "rurze - Dr= sredncy",
                     "zewnetrznej rury -", "Dr=Dr_zewn"},
                },
            .otherWhenNonZero = {"ts", "tr"},
            .otherLinesPerDevelopment = {kThickWallsLines}};
}

std::vector<CaseSelector<ConePipeInputs>> selectors() {
    using In = ConePipeInputs;
    const std::string thickOnly = " (gdy ts lub tr > 0)";
    return {
        {{"joint",
          "Osadzenie stożka",
          "Osadzenie stozka na rurze|Osadzenie stozka (krocca): nakladany - jego wnetrze na "
          "zewnatrz rury, wpuszczany - jego zewnatrz do wnetrza rury" +
              thickOnly,
          jointChoices("SRRadioBut", {"nakładany na rurę", "wpuszczany w rurę"},
                       {"Nakladany", "Wpuszczany"}),
          {"ts", "tr"}},
         [](In& in, std::size_t choice) { in.joint = jointOf(choice); }},
        {{"pipe-made",
          "Wykonanie rury",
          "Wykonanie rury|Wykonanie rury (plaszcza): zwijana - rozwiniecie na srednicy sredniej, "
          "z rury - na zewnetrznej (gdy tr > 0); stozek zwijany z blachy - na osi blachy",
          makingChoices("SRRadioBut", {"zwijana z blachy", "z rury, szablon owijany"},
                        {"RuraZwijana", "RuraZRury"}),
          {"tr"}},
         [](In& in, std::size_t choice) { in.pipeMade = makingOf(choice); }},
    };
}

WindowDefinition window() {
    return {.formName = "StozekRura",
            .caption = "stozek symetryczny - Rura",
            .menuCaption = "Stożek symetryczny - RURA     (króciec - Płaszcz)",
            .menuHandler = "StozekRura1Click",
            .components = prefixedComponentNames("SR"),
            .jointPicture = ":/pictures/stozekrura.svg",
            .jointPictureWidth = 294,
            .jointPictureHeight = 261,
            .previewName = "TSRWynikiRysunek",
            .previewCaption = "Wyniki - Rysunek (Stożek-Rura)",
            .previewStartupOrder = 5};
}

Construction<ConePipeModel> computeOrRefuse(const ConePipeInputs& in) {
    ConePipeConstruction construction = computeConePipe(in);
    if (construction.fault != ConePipeFault::None) {
        return constructionFailed<ConePipeModel>(
            withWhatFits(faultMessage(construction.fault), construction.fitting));
    }
    return constructed(std::move(construction.model));
}

CaseDescriptor<ConePipeInputs, ConePipeModel> descriptor() {
    using F = FieldFilter;
    using In = ConePipeInputs;
    CaseDescriptor<In, ConePipeModel> c;
    // Creation order, which the saved-input file and the first pass follow; the walls after
    // the ten the file has always held by position.
    c.fields = {
        {{"Ds", "Ds =", "[mm]", "200", F::PositiveReal,
          "Srednica stozka symetrycznego|Srednica stozka (krócca)", coneDiameterNote()},
         &In::Ds},
        // The offset takes every key; what is not a number becomes 0 when "Licz" is clicked.
        {{"P", "P =", "[mm]", "40", F::Unfiltered,
          "Przesuniecie osi stozka|Przesuniecie osi stozka (krocca)"},
         &In::P},
        {{"Gamma", "Gamma =", "[°]", "18", F::PositiveReal,
          "Kąt stożka - miedzy tworzaca a osia stozka|Kąt stożka - miedzy tworzaca a osia stozka "
          "np. dla kąta 15 stopni i 30 minut - wpisz 15.5"},
         &In::Gamma},
        {{"alfa", "alfa =", "[°]", "0", F::SignedReal,
          "Kat umiejscowienia spawu na rurze|Kat umiejscowienia spawu na rurze (na kroccu) - np. "
          "dla kąta 45 stopni i 30 minut - wpisz 45.5"},
         &In::alfa},
        {{"Hs", "Hs =", "[mm]", "420", F::PositiveReal, "Wysokosc stozka|Wysokosc stozka (krocca)"},
         &In::Hs},
        {{"Beta", "BETA =", "[°]", "75", F::PositiveReal,
          "Kat pochylenia osi stozka|Kat pochylenia osi stozka (krocca) - np. dla kąta 75 stopni "
          "i 30 minut - wpisz 75.5"},
         &In::Beta},
        {{"L", "L =", "[mm]", "800", F::PositiveReal, "Dlugosc rury|Dlugosc rury (plaszcza)"},
         &In::L},
        {{"Lm", "Lm =", "[mm]", "300", F::SignedReal,
          "Odleglosc osi stozka (krocca) od poczatku rury|Odleglosc osi stozka (krocca) od "
          "poczatku rury (plaszcza)"},
         &In::Lm},
        {{"Dr", "Dr =", "[mm]", "600", F::PositiveReal, "Srednica rury|Srednica rury (plaszcza)",
          pipeDiameterNote()},
         &In::Dr},
        {{"N", "N =", "[-]", "48", F::PositiveInteger, "Podzial obwodu rowiniecia na N odcinków"},
         &In::N},
        {{"ts", "ts =", "[mm]", "0", F::PositiveReal,
          "Grubosc blachy stozka|Grubosc blachy stozka (krocca) - 0: Ds wg opisu srednic, bez "
          "grubosci"},
         &In::ts},
        {{"tr", "tr =", "[mm]", "0", F::PositiveReal,
          "Grubosc scianki rury|Grubosc scianki rury (plaszcza) - 0: Dr wg opisu srednic, bez "
          "grubosci"},
         &In::tr},
        {{"szew", "szew =", "[°]", "0", F::SignedReal,
          "Polozenie szwu rury|Polozenie szwu rury - kat wokol jej osi od boku rury (0, jak na "
          "rysunku) w strone otworu; szew nie moze przecinac otworu"},
         &In::pipeSeam},
    };
    c.selectors = selectors();
    c.definition = {
        .key = "stozekrura",
        .tabOrder = {"Ds", "Dr", "P", "Gamma", "Beta", "alfa", "Hs", "L", "Lm", "N", "ts", "tr",
                     "szew"},
        .developments = {{"stozek", "SRRadioButRozwStozka", "Rozwinięcie STOZKA - króćca",
                          "Schemat wyników - Stozek", "w_sr_s"},
                         {"rura", "SRRadioButRozwRury", "Rozwinięcie RURY - płaszcza",
                          "Schemat wyników - Rura", "w_sr_p"}},
        .largestN = kMaxDivisions,
        .savedInputsFileName = "dane_sr.dat",
        .positionalSavedFields = 10,
        .txtFileName = "stozekRura.txt",
        .dxfFileName = "stozek_rura.dxf",
        .printJobTitle = "Wydruk : Rozwiniecie Stozek-Rura",
        .printHeading = "Rozwiniecie Stozek-Rura",
        .window = window(),
        .examples = {
            {"defaults_cone", "stozek", {}},
            {"defaults_pipe", "rura", {}},
            {"two_divisions_cone", "stozek", {{"N", "2"}}},
            {"two_divisions_pipe", "rura", {{"N", "2"}}},
            {"most_divisions_cone", "stozek", {{"N", mostDivisionsText()}, {"alfa", "33.3"}}},
            {"most_divisions_pipe", "rura", {{"N", mostDivisionsText()}, {"alfa", "33.3"}}},
            {"inclined_offset_cone",
             "stozek",
             {{"Dr", "800"},
              {"P", "-60"},
              {"Beta", "60"},
              {"Gamma", "25"},
              {"alfa", "-30"},
              {"Hs", "520"},
              {"N", "36"}}},
            {"square_centred_pipe", "rura", {{"P", "0"}, {"Beta", "90"}, {"Lm", "400"}}},
            {"set_on_walls_cone", "stozek", {{"ts", "10"}, {"tr", "8"}}},
            {"set_on_walls_pipe", "rura", {{"ts", "10"}, {"tr", "8"}, {"pipe-made", "pipe"}}},
            {"set_in_inclined_walls_cone",
             "stozek",
             {{"ts", "10"},
              {"tr", "8"},
              {"Dr", "800"},
              {"P", "-40"},
              {"Beta", "60"},
              {"Gamma", "25"},
              {"alfa", "-30"},
              {"Hs", "520"},
              {"joint", "set-in"}}},
            {"set_in_walls_pipe", "rura", {{"ts", "10"}, {"tr", "8"}, {"joint", "set-in"}}},
        }};

    c.selectDevelopment = [](In& in, std::size_t development) {
        in.development = development == 0 ? ConePipeDevelopment::Cone : ConePipeDevelopment::Pipe;
    };
    c.definition.weldedCut = true;
    c.definition.seamFields = {"alfa", "szew"};
    c.checks = conePipeChecks;
    c.compute = computeOrRefuse;
    c.outputs = conePipeOutputs;
    c.view = conePipeView;
    return c;
}

} // namespace

const Calculator& conePipeCalculator() {
    static const CaseCalculator calculator(descriptor());
    return calculator;
}

} // namespace blachorys::core
