#include "common/gui/calculatorwindow.h"

#include "common/core/patterndrawing.h"
#include "common/gui/drawingpreview.h"
#include "common/gui/fieldnotes.h"
#include "common/gui/filesaving.h"
#include "common/gui/numericlineedit.h"
#include "common/gui/outputwindows.h"
#include "common/gui/prompts.h"
#include "common/gui/reportprinter.h"
#include "common/gui/templateoutput.h"
#include "common/gui/twynikischemat.h"
#include "common/io/atomicfile.h"
#include "common/io/reportdate.h"
#include "common/io/savedinputs.h"
#include "common/io/templatecorrection.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include <algorithm>

namespace blachorys::gui {
namespace {

const QString kInitialMemoLine = QStringLiteral("Wyniki - lista punktów");

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::vector<std::string> toStdStrings(const QStringList& texts) {
    std::vector<std::string> strings;
    for (const QString& text : texts) {
        strings.push_back(text.toStdString());
    }
    return strings;
}

/** Index of the checked button of a group, 0 when none is. */
std::size_t checkedIndex(const std::vector<QRadioButton*>& buttons) {
    const auto checked = std::find_if(buttons.begin(), buttons.end(),
                                      [](const QRadioButton* b) { return b->isChecked(); });
    return checked == buttons.end() ? 0 : static_cast<std::size_t>(checked - buttons.begin());
}

void moveCaretToStart(QPlainTextEdit* memo) {
    memo->moveCursor(QTextCursor::Start);
    memo->ensureCursorVisible();
}

} // namespace

CalculatorWindow::CalculatorWindow(const core::Calculator& calculator, const GuiContext& context,
                                   QWidget* parent)
    : QWidget(parent), m_calculator(calculator), m_context(context),
      m_form(buildCalculatorForm(*this, calculator.definition(), context.hints, context.prompts)) {
    const auto& window = definition().window;
    setObjectName(q(window.formName));
    setWindowTitle(q(window.caption));

    for (QRadioButton* button : m_form.developmentButtons) {
        connect(button, &QRadioButton::clicked, this, &CalculatorWindow::Disable_Przyciski);
    }
    for (const auto& buttons : m_form.selectorButtons) {
        for (QRadioButton* button : buttons) {
            connect(button, &QRadioButton::clicked, this, &CalculatorWindow::Disable_Przyciski);
        }
    }
    for (NumericLineEdit* field : m_form.fields) {
        connect(field, &QLineEdit::textChanged, this, &CalculatorWindow::Disable_Przyciski);
    }
    new FieldNotes(
        definition(), m_form.fields, *m_form.noteMemo, [this] { return developmentIndex(); }, this);
    connect(m_form.calculateButton, &QPushButton::clicked, this, &CalculatorWindow::Button1Click);
    const OutputButtons& o = m_form.outputs;
    connect(o.saveTxt, &QPushButton::clicked, this, &CalculatorWindow::ZapiszWynikiClick);
    connect(o.saveDxf, &QPushButton::clicked, this, &CalculatorWindow::ZapiszPlikDXF);
    connect(o.print, &QPushButton::clicked, this, &CalculatorWindow::DrukujWynikiClick);
    connect(o.preview, &QPushButton::clicked, this, &CalculatorWindow::ZobaczRysunekClick);
    connect(o.fullScale, &QPushButton::clicked, this, &CalculatorWindow::DrukujSzablonClick);
    connect(o.saveCncDxf, &QPushButton::clicked, this, &CalculatorWindow::ZapiszDXFCNC);
    connect(m_form.schemeButton, &QPushButton::clicked, this,
            &CalculatorWindow::SchematWynikowClick);

    // The window opens with the outputs disabled and the scheme button titled.
    Disable_Przyciski();
    m_form.resultsMemo->setPlainText(kInitialMemoLine);
}

const core::CalculatorDefinition& CalculatorWindow::definition() const {
    return m_calculator.definition();
}

QStringList CalculatorWindow::fieldTexts() const {
    QStringList texts;
    for (const NumericLineEdit* field : m_form.fields) {
        texts << field->text();
    }
    return texts;
}

QStringList CalculatorWindow::inputTexts() const {
    QStringList texts = fieldTexts();
    for (const auto& buttons : m_form.selectorButtons) {
        texts << QString::number(checkedIndex(buttons));
    }
    return texts;
}

std::size_t CalculatorWindow::developmentIndex() const {
    return checkedIndex(m_form.developmentButtons);
}

void CalculatorWindow::focusFirstField() {
    m_form.fields.at(core::fieldIndex(definition(), definition().tabOrder.front()).value())
        ->setFocus(Qt::OtherFocusReason);
}

QString CalculatorWindow::schemePicture() const {
    const auto& d = definition();
    return q(d.developments.empty() ? d.window.schemePicture
                                    : d.developments[developmentIndex()].schemePicture);
}

void CalculatorWindow::setOutputs(std::optional<core::CalculationOutputs> outputs) {
    m_outputs = std::move(outputs);
    for (QPushButton* button : m_form.outputs.all()) {
        button->setEnabled(m_outputs.has_value());
    }
}

void CalculatorWindow::Disable_Przyciski() {
    m_form.resultsMemo->clear();
    setOutputs(std::nullopt);
    const auto& d = definition();
    QPushButton* scheme = m_form.schemeButton;
    scheme->setText(q(d.developments.empty()
                          ? d.window.schemeButtonCaption
                          : d.developments[developmentIndex()].schemeButtonCaption));
    // As wide as its caption needs, whatever the font.
    scheme->setMinimumWidth(std::max(kSchemeButtonWidth, scheme->sizeHint().width()));
}

void CalculatorWindow::Button1Click() {
    const core::FieldReading reading = core::readFields(definition(), toStdStrings(inputTexts()));
    // Setting a field's text runs the inputs-changed action, as typing would.
    for (const std::size_t index : reading.notNumbers) {
        m_form.fields[index]->setText(QStringLiteral("0"));
    }
    const QString date = io::reportDateText(m_context.today());
    core::CalculationResult result =
        m_calculator.calculate(reading, developmentIndex(), date.toStdString());

    if (result.status == core::CalculationResult::Status::Calculated) {
        QStringList lines;
        for (const auto& line : result.outputs->report.resultLines()) {
            lines << q(line);
        }
        m_form.resultsMemo->setPlainText(lines.join(u'\n'));
        setOutputs(std::move(result.outputs));
    } else {
        setOutputs(std::nullopt);
        for (const auto& message : result.messages) {
            if (message.kind == core::MessageKind::Warning) {
                m_context.prompts.warning(this, q(message.text));
            } else {
                m_context.prompts.error(this, q(message.text));
            }
        }
    }
    moveCaretToStart(m_form.resultsMemo);
}

void CalculatorWindow::saveOutput(render::OutputKind kind, const core::TemplateSettings& settings) {
    if (!hasResultsReady()) {
        return;
    }
    const render::OutputSource source{definition(), *m_outputs, settings};
    if (const auto problem = render::outputProblem(kind, source)) {
        const QString what = kind == render::OutputKind::CncDxf
                                 ? QStringLiteral("Nie moge przygotowac pliku DXF dla CNC : ")
                                 : QStringLiteral("Nie moge przygotowac szablonu : ");
        m_context.prompts.error(this, what + *problem);
        return;
    }
    saveThroughDialog(m_context.prompts, this, render::fileFilter(kind),
                      render::initialFileName(kind, definition()), m_lastNames[kind],
                      [&](const QString& path) -> std::optional<QString> {
                          const render::OutputFile file = render::makeOutputFile(kind, source);
                          if (file.problem) {
                              return file.problem;
                          }
                          return io::writeFileAtomically(path, file.bytes);
                      });
}

void CalculatorWindow::ZapiszWynikiClick() {
    saveOutput(render::OutputKind::Txt);
}

void CalculatorWindow::ZapiszPlikDXF() {
    saveOutput(render::OutputKind::Dxf);
}

void CalculatorWindow::ZapiszDXFCNC() {
    saveOutput(render::OutputKind::CncDxf);
}

void CalculatorWindow::DrukujWynikiClick() {
    if (!hasResultsReady()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!m_context.prompts.printDialog(this, printer)) {
        return;
    }
    if (!printReport(printer, q(definition().printJobTitle), q(definition().printHeading),
                     m_outputs->report)) {
        m_context.prompts.error(this, QStringLiteral("Nie moge wydrukowac wynikow"));
    }
}

void CalculatorWindow::ZobaczRysunekClick() {
    if (!hasResultsReady()) {
        return;
    }
    DrawingPreview* preview = m_context.outputWindows.preview(definition().window);
    preview->setDrawing(core::previewOf(m_outputs->pattern));
    m_context.prompts.runModal(*preview);
}

void CalculatorWindow::DrukujSzablonClick() {
    if (!hasResultsReady()) {
        return;
    }
    if (!m_templateSettings) {
        m_templateSettings = io::loadTemplateCorrection(m_context.savedInputsDirectory);
    }
    const auto choice =
        m_context.prompts.templateDialog(this, *m_templateSettings, m_outputs->pattern);
    if (!choice) {
        return;
    }
    m_templateSettings = choice->settings;
    if (!io::saveTemplateCorrection(m_context.savedInputsDirectory, choice->settings)) {
        m_context.prompts.warning(this, QStringLiteral("Nie moge zapisac do pliku"));
    }
    if (choice->action == TemplateChoice::Action::SavePdf) {
        saveOutput(render::OutputKind::TemplatePdf, choice->settings);
    } else {
        printTemplate(m_context.prompts, this, definition(), *m_outputs, choice->settings);
    }
}

void CalculatorWindow::SchematWynikowClick() {
    m_context.prompts.runModal(*m_context.outputWindows.scheme());
}

void CalculatorWindow::paintEvent(QPaintEvent* event) {
    // Once, at the first paint: a file that appears later must not overwrite what was typed.
    if (!m_inputsLoaded) {
        m_inputsLoaded = true;
        loadSavedInputs();
    }
    QWidget::paintEvent(event);
}

void CalculatorWindow::loadSavedInputs() {
    const io::SavedInputs saved(m_context.savedInputsDirectory,
                                q(definition().savedInputsFileName));
    const std::size_t fieldCount = m_form.fields.size();
    const auto texts = saved.load(static_cast<int>(fieldCount + m_form.selectorButtons.size()));
    if (!texts) {
        return;
    }
    for (std::size_t i = 0; i < fieldCount; ++i) {
        m_form.fields[i]->setText((*texts)[static_cast<qsizetype>(i)]);
    }
    // A file from before the selectors has "0" for them: their first choices.
    const core::FieldReading reading = core::readFields(definition(), toStdStrings(*texts));
    for (std::size_t k = 0; k < m_form.selectorButtons.size(); ++k) {
        m_form.selectorButtons[k][reading.choices[k]]->setChecked(true);
    }
}

void CalculatorWindow::saveInputs() {
    const io::SavedInputs saved(m_context.savedInputsDirectory,
                                q(definition().savedInputsFileName));
    if (!saved.save(inputTexts())) {
        m_context.prompts.warning(this, QStringLiteral("Nie moge zapisac do pliku"));
    }
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    saveInputs();
    event->accept();
}

} // namespace blachorys::gui
