#pragma once

#include "common/core/calculator/calculator.h"
#include "common/core/calculator/edgetexts.h"
#include "common/core/calculator/platetexts.h"
#include "common/core/sheets/templateplan.h"
#include "common/gui/calculatorform.h"
#include "common/gui/guicontext.h"
#include "common/render/outputtable.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace blachorys::gui {

class NumericLineEdit;
class ViewWindow;

/**
 * The window every calculator shares, built from the calculator's definition (its form is
 * `CalculatorForm`). It keeps the calculation: the outputs of the last successful one are its
 * state, the output buttons are enabled exactly while they are set, and any change of the
 * inputs clears them. Its inputs are saved when it closes and loaded at its first paint.
 */
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(const core::Calculator& calculator, const GuiContext& context,
                     QWidget* parent = nullptr);

    const core::CalculatorDefinition& definition() const;

    /** The edit fields in creation order. */
    const std::vector<NumericLineEdit*>& fields() const { return m_form.fields; }
    QStringList fieldTexts() const;
    /** The fields' texts and the selectors' choices: what is saved and calculated. */
    core::CalculatorInputs inputs() const;
    /** Each selector's radio buttons, in its choices' order. */
    const std::vector<std::vector<QRadioButton*>>& selectorButtons() const {
        return m_form.selectorButtons;
    }
    /** The plate, material and gap texts the window calculates with. */
    const core::PlateTexts& plateTexts() const { return m_plateTexts; }
    /**
     * Other plate texts: the calculation stands, split and listed anew for the plate (the
     * outputs go only when the texts do not read or the split is refused).
     */
    void setPlateTexts(const core::PlateTexts& texts);
    /** How the welded cut's edge is prepared, as the window calculates it. */
    const core::EdgeTexts& edgeTexts() const { return m_edgeTexts; }
    /**
     * Other inputs and edge, as an entry of a job holds them, with `development` checked: the
     * outputs go, and the saved inputs no longer replace them at the first paint.
     */
    void setInputs(const core::CalculatorInputs& inputs, std::size_t development,
                   const core::EdgeTexts& edge);
    /** Index of the development checked now (0 when there is no selector). */
    std::size_t developmentIndex() const;
    /** Whether outputs of a calculation that matches the inputs are ready. */
    bool hasResultsReady() const { return m_outputs.has_value(); }
    /** The outputs of the calculation, when ready. */
    const std::optional<core::CalculationOutputs>& outputs() const { return m_outputs; }
    /** Puts the caret in the first field of the tab order, ready for typing. */
    void focusFirstField();
    /** The size that shows every control without scrolling: the contents and the status bar. */
    QSize neededSize() const;
    /** The scheme picture for the development checked now ("w_rr_r"). */
    QString schemePicture() const;

public slots:
    /** "Licz": first pass, checks, calculation, memo and output buttons. */
    void Button1Click();
    /** The inputs changed: outputs dropped, memo cleared, scheme button retitled. */
    void Disable_Przyciski();
    void ZapiszWynikiClick();
    void ZapiszPlikDXF();
    void DrukujWynikiClick();
    void ZobaczRysunekClick();
    /** "Drukuj szablon 1:1": the pattern at full scale over pages, printed or as a PDF. */
    void DrukujSzablonClick();
    void SchematWynikowClick();
    /** "Zapisz DXF dla CNC": closed cuts on their own layer, in millimetres, R2000. */
    void ZapiszDXFCNC();
    /** "Arkusz": the plate dialog; texts that do not read are refused with a warning. */
    void ArkuszClick();
    /**
     * "Krawędź": the edge dialog; texts that do not read are refused with a warning, and a
     * calculation shown is made again with the new edge.
     */
    void KrawedzClick();
    /** "Widok 3D": the joint rolled from its pattern, in a window of its own. */
    void Widok3DClick();
    /** "Dodaj do zlecenia": the inputs handed to the job as a new entry. */
    void DodajDoZleceniaClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setOutputs(std::optional<core::CalculationOutputs> outputs);
    /** Each selector enabled exactly while its choice acts on the fields' numbers. */
    void enableActiveSelectors();
    /** What an output's button does, while the outputs are ready. */
    void runOutput(const render::OutputRow& row);
    /**
     * Where the save dialog of an output opens: the name last saved under in this window for
     * the file of this default name, else that name, for the filter `filterIndex`, in the
     * folder the last file of any kind went to.
     */
    QString offeredPath(const render::OutputRow& row, int filterIndex) const;
    /**
     * The file made, then the save dialog, the overwrite question and an atomic write; the
     * folder remembered and the status line saying so.
     */
    void saveOutput(const render::OutputRow& row, const core::TemplateSettings& settings = {});
    void printResults();
    void showPreview();
    /** The 3-D view's window, made on first use and kept beside the window. */
    void showView();
    /** The view shown, raised and active. */
    void raiseView();
    /** The report's lines in the memo. */
    void showReport(const core::CalculationOutputs& outputs);
    /** The template's settings, then printed or saved as the row's file. */
    void templateDialog(const render::OutputRow& row);
    void loadSavedInputs();
    /** The plate texts this window last had, from the program's settings. */
    void loadPlateTexts();
    /** The button's tooltip names the plate, material and gap. */
    void showPlateTexts();
    /** The edge button's tooltip names the choice. */
    void showEdgeTexts();
    void saveInputs();

    const core::Calculator& m_calculator;
    GuiContext m_context;
    CalculatorForm m_form;
    std::optional<core::CalculationOutputs> m_outputs;
    /** The plate, material and gap the outputs were calculated for. */
    core::PlateSettings m_plate;
    core::PlateTexts m_plateTexts;
    core::EdgeTexts m_edgeTexts;
    bool m_inputsLoaded = false;
    /**
     * The name last saved under, per kind of file and its default name (which tells the
     * branch's file from the main part's where they differ).
     */
    std::map<std::pair<render::OutputKind, QString>, QString> m_lastNames;
    /** The 3-D view, once opened: it shows each calculation while it is open. */
    QPointer<ViewWindow> m_viewWindow;
};

} // namespace blachorys::gui
