#include "cases/cone/conecalculator.h"

#include "cases/cone/conemodel.h"
#include "cases/cone/coneoutputs.h"

namespace blachorys::core {
namespace {

/** Both diameters of a rolled shell are mean diameters; the notes say so. */
FieldNote meanDiameterNote(const std::string& name) {
    return {{{"Dla stozka zwijanego", "z arkusza blachy", "podajemy srednia", "srednice", "",
              name + "=(" + name + "_zew +", "        + " + name + "_wew) / 2"}}};
}

CalculatorDefinition makeDefinition() {
    using F = FieldFilter;
    CalculatorDefinition d;
    d.key = "stozek";
    d.windowName = "Stozek_";
    d.windowClass = "TStozek_";
    d.caption = "Stożek";
    d.componentPrefix = "St";
    d.resultsMemoName = "StMemo_Wyniki";
    d.noteMemoName = "StMemoOpisSRednic";
    // Creation order, which the saved-input file and the first pass follow.
    d.fields = {
        {"Dsd", "Dsd =", "[mm]", "800", F::PositiveReal, FieldKind::Real,
         "Srednica wieksza stozka|Srednica wieksza stozka (plaszcza)", meanDiameterNote("Dsd")},
        {"alfa", "alfa =", "[°]", "0", F::SignedReal, FieldKind::Real,
         "Kat umiejscowienia|Kat umiejscowienia spawu - np. dla kąta 45 stopni i 30 minut - "
         "wpisz 45.5",
         std::nullopt},
        {"N", "N =", "[-]", "24", F::PositiveInteger, FieldKind::Integer,
         "Podzial obwodu rowiniecia na N odcinków", std::nullopt},
        {"Hs", "Hs =", "[mm]", "1000", F::PositiveReal, FieldKind::Real,
         "Dlugosc stozka|Dlugosc stozka (plaszcza)", std::nullopt},
        {"Dsm", "Dsm =", "[mm]", "600", F::PositiveReal, FieldKind::Real,
         "Srednica mniejsza stozka|Srednica mniejsza stozka (plaszcza)", meanDiameterNote("Dsm")},
        // The short hint has lost its closing parenthesis; the window has always shown it so.
        {"E", "E =", "[mm]", "100", F::SignedReal, FieldKind::Real,
         "Odleglosc miedzy srodkami podstaw stozka (E=0 - stozek symetryczny|Odleglosc miedzy "
         "srodkami podstaw stozka (E=0 - stozek symetryczny)",
         std::nullopt},
    };
    // Dsm, Dsd, alfa, Hs, E, N.
    d.tabOrder = {4, 0, 1, 3, 5, 2};
    d.schemeButtonCaption = "Schemat wyników";
    d.savedInputsFileName = "dane_st.dat";
    d.txtFileName = "Stozek.txt";
    d.dxfFileName = "stozek.dxf";
    d.printJobTitle = "Wydruk : Rozwiniecie Stozka";
    d.printHeading = "Rozwiniecie Stozka";
    d.previewClass = "TStWynikiRysunek";
    d.previewCaption = "Wyniki - Rysunek (STOZEK)";
    return d;
}

/** Index of each field in the creation order. */
enum Field : std::size_t { Dsd, alfa, N, Hs, Dsm, E };

} // namespace

const CalculatorDefinition& ConeCalculator::definition() const {
    static const CalculatorDefinition definition = makeDefinition();
    return definition;
}

CalculationResult ConeCalculator::calculate(const std::vector<std::string>& fieldTexts,
                                            std::size_t /*developmentIndex*/,
                                            const std::string& dateText) const {
    const FieldReading reading = readFields(definition(), fieldTexts);
    if (reading.refusal) {
        return refusedResult(*reading.refusal);
    }
    const FieldValues& field = reading.values;
    ConeInputs in;
    in.Dsm = field.real(Dsm);
    in.Dsd = field.real(Dsd);
    in.alfa = field.real(alfa);
    in.Hs = field.real(Hs);
    in.E = field.real(E);
    in.N = field.integer(N);

    const auto failures = validateCone(in);
    if (!failures.empty()) {
        return refusedResult(failures);
    }
    // The apex in the plane of the Dsd edge leaves no slant height to develop along.
    if (apexHeight(in) == 0.0) {
        return failedResult(
            "Blad obliczen. Prawdopodobnie Dsd = 0 lub Hs = 0 - dzielenie przez zero.");
    }
    const ConeModel model = computeCone(in);
    if (!isFinite(model)) {
        return failedResult(kDataTooLargeMessage);
    }
    return calculatedResult({coneReport(model, dateText), coneDxfLines(model), conePreview(model)});
}

} // namespace blachorys::core
