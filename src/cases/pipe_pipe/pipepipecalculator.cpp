#include "cases/pipe_pipe/pipepipecalculator.h"

#include "cases/pipe_pipe/pipepipemodel.h"
#include "cases/pipe_pipe/pipepipeoutputs.h"

namespace blachorys::core {
namespace {

FieldNote branchDiameterNote() {
    return {{
        {"Dla rury mniejszej", "- krócca", "a) zwijanego z arkusza", "blachy - Dm= sredniej",
         "srednicy rury mniejszej-", "Dm = (Dm_zew + Dm_wew)/2", "b) wykonego z rury wg",
         "szablonu owijanego na", "rurze - Dm= srednicy", "zewnetrznej rury mniej.-", "Dm=Dm_zewn"},
        {"Dla rury- krócca)", "", "a) \"wpuszczanego\" w plaszcz", "Dm = srednicy",
         "zewnetrznej rury mniej.", "Dm = Dm_zew", "a) spawanego na plaszczu", "Dm = srednicy",
         "wewnetrznej rury mniej.", "Dm = Dm_wew"},
    }};
}

FieldNote shellDiameterNote() {
    return {{
        {"Dla rury- krócca", "", "a) \"wpuszczanego\" w plaszcz", "Dd = srednicy",
         "wewnetrznej rury", "wiekszej, Dd=Dd_wew", "a) spawanego na plaszczu", "Dd = srednicy",
         "zewnetrznej rury", "wiekszej, Dd=Dd_zew"},
        {"Dla rury wiekszej - plaszcza", "a) zwijanego z arkusza blachy", "Dd = średniej średnicy",
         "rury wiekszej", "Dd=(Dd_zew+Dd_wew)/2", "b) wykonego z rury wg", "szablonu owijanego na",
         "rurze - Dd= srednicy", "zewn. rury wiekszej Dd=Dd_zewn"},
    }};
}

CalculatorDefinition makeDefinition() {
    using F = FieldFilter;
    CalculatorDefinition d;
    d.key = "rurarura";
    d.windowName = "Rurarura";
    d.windowClass = "TRurarura";
    d.caption = "Połączenie :   Rura - rura";
    d.resultsMemoName = "RRMemo_Wyniki";
    d.noteMemoName = "MemoOpisSRednic";
    // Creation order, which the saved-input file and the first pass follow.
    d.fields = {
        {"Dm", "Dm =", "[mm]", "300", F::PositiveReal, FieldKind::Real,
         "Srednica rury mniejszej|Srednica rury mniejszej (krócca)", branchDiameterNote()},
        {"Dd", "Dd =", "[mm]", "800", F::PositiveReal, FieldKind::Real,
         "Srednica rury wiekszej|Srednica rury wiekszej (plaszcza)", shellDiameterNote()},
        {"P", "P =", "[mm]", "200", F::SignedReal, FieldKind::Real,
         "Przesuniecie osi rury mniejszej|Przesuniecie osi rury mniejszej (krocca)", std::nullopt},
        {"alfa", "alfa =", "[°]", "0", F::PositiveReal, FieldKind::Real,
         "Kat umiejscowienia spawu na rurze mniejszej|Kat umiejscowienia spawu na rurze "
         "mniejszej (na kroccu) - np. dla kąta 45 stopni i 30 minut - wpisz 45.5",
         std::nullopt},
        {"H", "H =", "[mm]", "700", F::PositiveReal, FieldKind::Real,
         "Wysokosc rury mniejszej|Wysokosc rury mniejszej (krocca)", std::nullopt},
        {"N", "N =", "[-]", "24", F::PositiveInteger, FieldKind::Integer,
         "Podzial obwodu rowiniecia na N odcinków", std::nullopt},
        {"Beta", "BETA =", "[°]", "90", F::PositiveReal, FieldKind::Real,
         "Kat pochylenia rury mniejszej|Kat pochylenia rury mniejszej (krocca) - np. dla kąta 45 "
         "stopni i 30 minut - wpisz 45.5",
         std::nullopt},
        {"Ld", "Ld =", "[mm]", "1000", F::PositiveReal, FieldKind::Real,
         "Dlugosc rury wiekszej|Dlugosc rury wiekszej (plaszcza)", std::nullopt},
        {"Lm", "Lm =", "[mm]", "350", F::SignedReal, FieldKind::Real,
         "Odleglosc osi rury mniejszej (krocca) od poczatku rury wiekszej|Odleglosc osi rury "
         "mniejszej (krocca) od poczatku rury wiekszej (plaszcza)",
         std::nullopt},
    };
    // Dm, Dd, P, BETA, alfa, H, Ld, Lm, N.
    d.tabOrder = {0, 1, 2, 6, 3, 4, 7, 8, 5};
    d.developments = {
        {"mniejsza", "RadioButRozwRurM", "Rozwinięcie rury mniejszej - króćca",
         "Schemat wyników - Rura mniejsza", "w_rr_r"},
        {"wieksza", "RadioButRozwRurW", "Rozwinięcie rury WIĘKSZEJ - płaszcza",
         "Schemat wyników - Rura WIEKSZA", "w_rr_p"},
    };
    d.savedInputsFileName = "danetmp.dat";
    d.txtFileName = "rurarura.txt";
    d.dxfFileName = "rura_rura.dxf";
    d.printJobTitle = "Wydruk : Rozwiniecie Rura-Rura";
    d.printHeading = "Rozwiniecie Rura-Rura";
    d.previewClass = "TWynikiRysunek";
    d.previewCaption = "Wyniki - Rysunek (Rura-Rura)";
    return d;
}

/** Index of each field in the creation order. */
enum Field : std::size_t { Dm, Dd, P, alfa, H, N, Beta, Ld, Lm };

} // namespace

const CalculatorDefinition& PipePipeCalculator::definition() const {
    static const CalculatorDefinition definition = makeDefinition();
    return definition;
}

CalculationResult PipePipeCalculator::calculate(const std::vector<std::string>& fieldTexts,
                                                std::size_t developmentIndex,
                                                const std::string& dateText) const {
    const FieldReading reading = readFields(definition(), fieldTexts);
    if (reading.refusal) {
        return refusedResult(*reading.refusal);
    }
    const FieldValues& field = reading.values;
    PipePipeInputs in;
    in.Dm = field.real(Dm);
    in.Dd = field.real(Dd);
    in.P = field.real(P);
    in.BETA = field.real(Beta);
    in.alfa = field.real(alfa);
    in.H = field.real(H);
    in.Ld = field.real(Ld);
    in.Lm = field.real(Lm);
    in.N = field.integer(N);
    in.development =
        developmentIndex == 0 ? PipePipeDevelopment::SmallerPipe : PipePipeDevelopment::LargerPipe;

    auto failures = validatePipePipe(in);
    if (!failures.empty()) {
        failures.emplace_back("Dane NIE OK");
        return refusedResult(failures);
    }

    const PipePipeModel model = computePipePipe(in);
    if (!isFinite(model)) {
        return failedResult(kDataTooLargeMessage);
    }
    return calculatedResult(
        {pipePipeReport(model, dateText), pipePipeDxfLines(model), pipePipePreview(model)});
}

} // namespace blachorys::core
