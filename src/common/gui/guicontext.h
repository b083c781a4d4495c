#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace blachorys::core {
class Calculator;
struct CalculatorInputs;
struct EdgeTexts;
} // namespace blachorys::core

namespace blachorys::gui {

class HintRouter;
class OutputWindows;
class Prompts;

/** What every calculator window is given by the program that creates it. */
struct GuiContext {
    Prompts& prompts;
    HintRouter& hints;
    /** The preview windows and the scheme dialog, which live for the whole run. */
    OutputWindows& outputWindows;
    /** Where the saved-input files are read and written. */
    QString savedInputsDirectory;
    /** The day of a calculation, for the report footer. */
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    /**
     * "Dodaj do zlecenia": the calculator's inputs and its welded cuts' edge as a new entry of
     * the job; none hides it.
     */
    std::function<void(const core::Calculator&, const core::CalculatorInputs&,
                       const core::EdgeTexts&)>
        addToJob;
};

} // namespace blachorys::gui
