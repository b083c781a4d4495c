#include "cases/pipe_pipe/pipepipecase.h"

#include "cases/pipe_pipe/pipepipemodel.h"
#include "cases/pipe_pipe/pipepipeoutputs.h"
#include "cases/pipe_pipe/pipepipeview.h"
#include "common/core/calculator/casecalculator.h"
#include "common/core/calculator/wallchoices.h"

namespace blachorys::core {
namespace {

/** What the diameters are once a wall has a thickness: the program works out the surfaces. */
const std::vector<std::string> kThickWallsLines = {
    "Przy grubosci scianki",    "tm > 0 lub td > 0:",    "Dm i Dd = srednice",
    "ZEWNETRZNE rur",           "(Dm_zew, Dd_zew).",     "Powierzchnie styku i",
    "rozwiniecia wynikaja z",   "osadzenia krócca oraz", "wykonania krócca i",
    "plaszcza (wybor ponizej)."};

FieldNote branchDiameterNote() {
    return {.linesPerDevelopment =
                {
                    {"Dla rury mniejszej", "- krócca", "a) zwijanego z arkusza",
                     "blachy - Dm= sredniej", "srednicy rury mniejszej-",
                     "Dm = (Dm_zew + Dm_wew)/2", "b) wykonego z rury wg", "szablonu owijanego na",
                     "rurze - Dm= srednicy", "zewnetrznej rury mniej.-", "Dm=Dm_zewn"},
                    {"Dla rury- krócca)", "", "a) \"wpuszczanego\" w plaszcz", "Dm = srednicy",
                     "zewnetrznej rury mniej.", "Dm = Dm_zew", "a) spawanego na plaszczu",
                     "Dm = srednicy", "wewnetrznej rury mniej.", "Dm = Dm_wew"},
                },
            .otherWhenNonZero = {"tm", "td"},
            .otherLinesPerDevelopment = {kThickWallsLines}};
}

FieldNote shellDiameterNote() {
    return {.linesPerDevelopment =
                {
                    {"Dla rury- krócca", "", "a) \"wpuszczanego\" w plaszcz", "Dd = srednicy",
                     "wewnetrznej rury", "wiekszej, Dd=Dd_wew", "a) spawanego na plaszczu",
                     "Dd = srednicy", "zewnetrznej rury", "wiekszej, Dd=Dd_zew"},
                    {"Dla rury wiekszej - plaszcza", "a) zwijanego z arkusza blachy",
                     "Dd = średniej średnicy", "rury wiekszej", "Dd=(Dd_zew+Dd_wew)/2",
                     "b) wykonego z rury wg", "szablonu owijanego na", "rurze - Dd= srednicy",
                     "zewn. rury wiekszej Dd=Dd_zewn"},
                },
            .otherWhenNonZero = {"tm", "td"},
            .otherLinesPerDevelopment = {kThickWallsLines}};
}

std::vector<CaseSelector<PipePipeInputs>> selectors() {
    using In = PipePipeInputs;
    // The joint moves both contact surfaces; how a pipe is made moves only its own developed
    // surface, by half its wall (surfacesOf).
    const std::string eitherWall = " (gdy tm lub td > 0)";
    const auto made = [](const std::string& prefix) {
        return makingChoices("RadioBut" + prefix, {"zwijany z blachy", "z rury, szablon owijany"});
    };
    return {
        {{"joint",
          "Osadzenie krócca",
          "Osadzenie krócca na plaszczu|Osadzenie krócca: nakladany - jego wnetrze na zewnatrz "
          "plaszcza, wpuszczany - jego zewnatrz do wnetrza plaszcza" +
              eitherWall,
          jointChoices("RadioBut", {"nakładany na płaszcz", "wpuszczany w płaszcz"},
                       {"Nakladany", "Wpuszczany"}),
          {"tm", "td"}},
         [](In& in, std::size_t choice) { in.joint = jointOf(choice); }},
        {{"branch-made",
          "Wykonanie krócca",
          "Wykonanie krócca|Wykonanie krócca: zwijany - rozwiniecie na srednicy sredniej, z rury "
          "- na zewnetrznej (gdy tm > 0)",
          made("Kroc"),
          {"tm"}},
         [](In& in, std::size_t choice) { in.branchMade = makingOf(choice); }},
        {{"shell-made",
          "Wykonanie płaszcza",
          "Wykonanie plaszcza|Wykonanie plaszcza: zwijany - rozwiniecie na srednicy sredniej, z "
          "rury - na zewnetrznej (gdy td > 0)",
          made("Plasz"),
          {"td"}},
         [](In& in, std::size_t choice) { in.shellMade = makingOf(choice); }},
    };
}

WindowDefinition window() {
    ComponentNames components = prefixedComponentNames("");
    components.resultsMemo = "RRMemo_Wyniki";
    return {.formName = "Rurarura",
            .caption = "Połączenie :   Rura - rura",
            .menuCaption = "Rura - RURA       (króciec - Płaszcz)",
            .menuHandler = "Rurarura1Click",
            .components = components,
            .jointPicture = ":/pictures/rurarura.svg",
            // A little smaller than the others: the wall selectors go under it.
            .jointPictureWidth = 300,
            .jointPictureHeight = 311,
            .previewName = "TWynikiRysunek",
            .previewCaption = "Wyniki - Rysunek (Rura-Rura)"};
}

CaseDescriptor<PipePipeInputs, PipePipeModel> descriptor() {
    using F = FieldFilter;
    using In = PipePipeInputs;
    CaseDescriptor<In, PipePipeModel> c;
    // Creation order, which the saved-input file and the first pass follow.
    c.fields = {
        {{"Dm", "Dm =", "[mm]", "300", F::PositiveReal,
          "Srednica rury mniejszej|Srednica rury mniejszej (krócca)", branchDiameterNote()},
         &In::Dm},
        {{"Dd", "Dd =", "[mm]", "800", F::PositiveReal,
          "Srednica rury wiekszej|Srednica rury wiekszej (plaszcza)", shellDiameterNote()},
         &In::Dd},
        {{"P", "P =", "[mm]", "200", F::SignedReal,
          "Przesuniecie osi rury mniejszej|Przesuniecie osi rury mniejszej (krocca)"},
         &In::P},
        {{"alfa", "alfa =", "[°]", "0", F::PositiveReal,
          "Kat umiejscowienia spawu na rurze mniejszej|Kat umiejscowienia spawu na rurze "
          "mniejszej (na kroccu) - np. dla kąta 45 stopni i 30 minut - wpisz 45.5"},
         &In::alfa},
        {{"H", "H =", "[mm]", "700", F::PositiveReal,
          "Wysokosc rury mniejszej|Wysokosc rury mniejszej (krocca) - srodka jej konca nad "
          "pozioma plaszczyzna przez os rury wiekszej (nie odleglosc od samej osi)"},
         &In::H},
        {{"N", "N =", "[-]", "24", F::PositiveInteger, "Podzial obwodu rowiniecia na N odcinków"},
         &In::N},
        {{"Beta", "BETA =", "[°]", "90", F::PositiveReal,
          "Kat pochylenia rury mniejszej|Kat pochylenia rury mniejszej (krocca) - np. dla kąta "
          "45 stopni i 30 minut - wpisz 45.5"},
         &In::BETA},
        {{"Ld", "Ld =", "[mm]", "1000", F::PositiveReal,
          "Dlugosc rury wiekszej|Dlugosc rury wiekszej (plaszcza)"},
         &In::Ld},
        {{"Lm", "Lm =", "[mm]", "350", F::SignedReal,
          "Odleglosc osi rury mniejszej (krocca) od poczatku rury wiekszej|Odleglosc osi rury "
          "mniejszej (krocca) od poczatku rury wiekszej (plaszcza)"},
         &In::Lm},
        {{"tm", "tm =", "[mm]", "0", F::PositiveReal,
          "Grubosc scianki rury mniejszej|Grubosc scianki rury mniejszej (krocca) - 0: Dm wg "
          "opisu srednic, bez grubosci"},
         &In::tm},
        {{"td", "td =", "[mm]", "0", F::PositiveReal,
          "Grubosc scianki rury wiekszej|Grubosc scianki rury wiekszej (plaszcza) - 0: Dd wg "
          "opisu srednic, bez grubosci"},
         &In::td},
        {{"szew", "szew =", "[°]", "0", F::SignedReal,
          "Polozenie szwu plaszcza|Polozenie szwu rury wiekszej (plaszcza) - kat wokol jej osi od "
          "boku rury (0, jak na rysunku) w strone otworu; szew nie moze przecinac otworu"},
         &In::shellSeam},
    };
    c.selectors = selectors();
    c.definition = {
        .key = "rurarura",
        .tabOrder = {"Dm", "Dd", "P", "Beta", "alfa", "H", "Ld", "Lm", "N", "tm", "td", "szew"},
        .developments = {{"mniejsza", "RadioButRozwRurM", "Rozwinięcie rury mniejszej - króćca",
                          "Schemat wyników - Rura mniejsza", "w_rr_r"},
                         {"wieksza", "RadioButRozwRurW", "Rozwinięcie rury WIĘKSZEJ - płaszcza",
                          "Schemat wyników - Rura WIEKSZA", "w_rr_p"}},
        .largestN = kMaxDivisions,
        .savedInputsFileName = "danetmp.dat",
        // Dm to Lm, then tm and td: the file held them by position before it named anything.
        .positionalSavedFields = 11,
        .txtFileName = "rurarura.txt",
        .dxfFileName = "rura_rura.dxf",
        .printJobTitle = "Wydruk : Rozwiniecie Rura-Rura",
        .printHeading = "Rozwiniecie Rura-Rura",
        .window = window(),
        .examples = {
            {"defaults_smaller", "mniejsza", {}},
            {"defaults_larger", "wieksza", {}},
            {"inclined_smaller", "mniejsza", {{"Beta", "60"}, {"alfa", "30"}, {"P", "-120"}}},
            {"inclined_larger", "wieksza", {{"Beta", "60"}, {"alfa", "30"}, {"P", "-120"}}},
            {"short_branch_smaller", "mniejsza", {{"H", "400"}}},
            {"touching_smaller", "mniejsza", {{"P", "250"}, {"N", "36"}}},
            {"equal_diameters_larger", "wieksza", {{"Dm", "800"}, {"P", "0"}, {"Lm", "500"}}},
            {"two_divisions_smaller", "mniejsza", {{"N", "2"}}},
            {"most_divisions_smaller", "mniejsza", {{"N", mostDivisionsText()}, {"Beta", "60"}}},
            {"most_divisions_larger",
             "wieksza",
             {{"N", mostDivisionsText()}, {"Beta", "120"}, {"Lm", "600"}}},
            {"set_in_pipe_smaller",
             "mniejsza",
             {{"tm", "10"}, {"td", "10"}, {"joint", "set-in"}, {"branch-made", "pipe"}}},
            {"seam_below_larger", "wieksza", {{"szew", "-90"}, {"P", "-120"}}},
            {"set_on_rolled_larger",
             "wieksza",
             {{"tm", "10"}, {"td", "10"}, {"Beta", "60"}, {"P", "0"}, {"shell-made", "rolled"}}},
        }};

    c.selectDevelopment = [](In& in, std::size_t development) {
        in.development =
            development == 0 ? PipePipeDevelopment::SmallerPipe : PipePipeDevelopment::LargerPipe;
    };
    c.definition.weldedCut = true;
    c.definition.seamFields = {"alfa", "szew"};
    c.checks = pipePipeChecks;
    c.closingMessage = "Dane NIE OK";
    c.compute = [](const In& in) {
        PipePipeModel model = computePipePipe(in);
        if (const auto fault = pipePipeFault(model)) {
            return constructionFailed<PipePipeModel>(*fault);
        }
        return constructed(std::move(model));
    };
    c.outputs = pipePipeOutputs;
    c.view = pipePipeView;
    return c;
}

} // namespace

const Calculator& pipePipeCalculator() {
    static const CaseCalculator calculator(descriptor());
    return calculator;
}

} // namespace blachorys::core
