#pragma once

#include "common/core/calculator/calculatordefinition.h"
#include "common/render/outputtable.h"

#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QWidget;

namespace blachorys::gui {

class HintRouter;
class NumericLineEdit;
class Prompts;

/** The scheme button is at least this wide, pixels. */
inline constexpr int kSchemeButtonWidth = 257;

/** An output's button, enabled exactly while a calculation's outputs are ready. */
struct OutputButton {
    const render::OutputRow* row = nullptr;
    QPushButton* button = nullptr;
};

/**
 * The widgets of a calculator window, built from its definition inside `window` and laid out
 * as the window shows them: the development selector and the fields (with their key filters
 * and hints) beside the note memo and "Licz", the other selectors' groups below them, the results
 * box with its memo and output buttons below them, the joint's picture, the scheme button and the
 * maker labels on the right, and the status bar. The fields come in creation order; the tab order
 * follows the definition's.
 */
struct CalculatorForm {
    std::vector<NumericLineEdit*> fields;
    std::vector<QRadioButton*> developmentButtons;
    /** Each selector's radio buttons, in its choices' order. */
    std::vector<std::vector<QRadioButton*>> selectorButtons;
    /** Each selector's group, which holds its buttons. */
    std::vector<QGroupBox*> selectorBoxes;
    QPlainTextEdit* noteMemo = nullptr;
    QPlainTextEdit* resultsMemo = nullptr;
    QPushButton* calculateButton = nullptr;
    /** One per row of the outputs' table that has a button, in its order. */
    std::vector<OutputButton> outputs;
    QPushButton* schemeButton = nullptr;
    /** "Arkusz": the plate, material and gap the job is cut with, beside "Licz". */
    QPushButton* plateButton = nullptr;
    /** "Dodaj do zlecenia": the inputs as an entry of the open job, beside "Arkusz". */
    QPushButton* addToJobButton = nullptr;
    /** "Krawędź": how the welded cut's edge is prepared; only where a cut is welded. */
    QPushButton* edgeButton = nullptr;
    QStatusBar* statusBar = nullptr;
    /** Everything above the status bar, in its scroll area. */
    QWidget* contents = nullptr;
    /** The status line's own text, "Zapisano: ...", shown whenever no hint covers it. */
    QLabel* lastSave = nullptr;
};

CalculatorForm buildCalculatorForm(QWidget& window, const core::CalculatorDefinition& definition,
                                   HintRouter& hints, Prompts& prompts);

} // namespace blachorys::gui
