#pragma once

#include "common/core/calculator.h"
#include "common/core/templateplan.h"
#include "common/gui/guicontext.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace blachorys::gui {

class NumericLineEdit;

/**
 * The window every calculator shares, built from the calculator's definition: its input
 * fields with key filters, hints and notes, the development selector, "Licz", the results
 * memo and output buttons, the scheme button, the maker labels and the status bar.
 *
 * The outputs of the last successful calculation are the window's state: the output buttons
 * are enabled exactly while they are set, and any change of the inputs clears them.
 */
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(const core::Calculator& calculator, const GuiContext& context,
                     QWidget* parent = nullptr);

    const core::CalculatorDefinition& definition() const;

    /** The edit fields in creation order. */
    const std::vector<NumericLineEdit*>& fields() const { return m_fields; }
    QStringList fieldTexts() const;
    /** Index of the development checked now (0 when there is no selector). */
    std::size_t developmentIndex() const;
    /** Whether outputs of a calculation that matches the inputs are ready. */
    bool hasResultsReady() const { return m_outputs.has_value(); }
    /** Puts the caret in the first field of the tab order, ready for typing. */
    void focusFirstField();
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildFieldsColumn();
    QGroupBox* buildResultsBox();
    QWidget* buildPictureColumn();
    void chainTabOrder();
    void setOutputs(std::optional<core::CalculationOutputs> outputs);
    void showNote(std::size_t fieldIndex);
    void loadSavedInputs();
    void saveInputs();
    void saveTemplatePdf(const core::TemplateSettings& settings);

    const core::Calculator& m_calculator;
    GuiContext m_context;
    std::vector<NumericLineEdit*> m_fields;
    std::vector<QRadioButton*> m_developmentButtons;
    QPlainTextEdit* m_noteMemo = nullptr;
    QPlainTextEdit* m_resultsMemo = nullptr;
    QPushButton* m_calculateButton = nullptr;
    std::vector<QPushButton*> m_outputButtons;
    QPushButton* m_schemeButton = nullptr;
    QStatusBar* m_statusBar = nullptr;
    std::optional<core::CalculationOutputs> m_outputs;
    bool m_inputsLoaded = false;
    QString m_lastTxtName;
    QString m_lastDxfName;
    QString m_lastPdfName;
    /** The template's settings in this window; the scale correction comes from the last run. */
    std::optional<core::TemplateSettings> m_templateSettings;
};

} // namespace blachorys::gui
