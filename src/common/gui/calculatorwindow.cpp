#include "common/gui/calculatorwindow.h"

#include "common/core/calculator/edgeoutputs.h"
#include "common/core/calculator/edgetexts.h"
#include "common/core/calculator/outputdrawings.h"
#include "common/core/calculator/plateoutputs.h"
#include "common/core/calculator/platetexts.h"
#include "common/core/plate/cutparts.h"
#include "common/gui/drawingpreview.h"
#include "common/gui/fieldnotes.h"
#include "common/gui/filesaving.h"
#include "common/gui/numericlineedit.h"
#include "common/gui/outputwindows.h"
#include "common/gui/prompts.h"
#include "common/gui/reportprinter.h"
#include "common/gui/templateoutput.h"
#include "common/gui/twynikischemat.h"
#include "common/gui/viewwindow.h"
#include "common/io/atomicfile.h"
#include "common/io/programsettings.h"
#include "common/io/reportdate.h"
#include "common/io/savedinputs.h"
#include "common/io/templatecorrection.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextCursor>

#include <algorithm>

namespace blachorys::gui {
namespace {

const QString kInitialMemoLine = QStringLiteral("Wyniki - lista punktów");

QString q(const std::string& text) {
    return QString::fromStdString(text);
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
        connect(field, &QLineEdit::textChanged, this, &CalculatorWindow::enableActiveSelectors);
    }
    enableActiveSelectors();
    new FieldNotes(
        definition(), m_form.fields, *m_form.noteMemo, [this] { return developmentIndex(); }, this);
    connect(m_form.plateButton, &QPushButton::clicked, this, &CalculatorWindow::ArkuszClick);
    showPlateTexts();
    if (m_form.edgeButton != nullptr) {
        connect(m_form.edgeButton, &QPushButton::clicked, this, &CalculatorWindow::KrawedzClick);
        showEdgeTexts();
    }
    m_form.addToJobButton->setVisible(static_cast<bool>(m_context.addToJob));
    connect(m_form.addToJobButton, &QPushButton::clicked, this,
            &CalculatorWindow::DodajDoZleceniaClick);
    connect(m_form.calculateButton, &QPushButton::clicked, this, &CalculatorWindow::Button1Click);
    for (const OutputButton& output : m_form.outputs) {
        const render::OutputRow* row = output.row;
        connect(output.button, &QPushButton::clicked, this, [this, row] { runOutput(*row); });
    }
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

core::CalculatorInputs CalculatorWindow::inputs() const {
    core::CalculatorInputs inputs;
    for (const NumericLineEdit* field : m_form.fields) {
        inputs.fieldTexts.push_back(field->text().toStdString());
    }
    for (const auto& buttons : m_form.selectorButtons) {
        inputs.choices.push_back(checkedIndex(buttons));
    }
    return inputs;
}

void CalculatorWindow::setInputs(const core::CalculatorInputs& inputs, std::size_t development,
                                 const core::EdgeTexts& edge) {
    // The saved inputs are read at the first paint; these take their place.
    m_inputsLoaded = true;
    for (std::size_t i = 0; i < m_form.fields.size() && i < inputs.fieldTexts.size(); ++i) {
        m_form.fields[i]->setText(q(inputs.fieldTexts[i]));
    }
    for (std::size_t k = 0; k < m_form.selectorButtons.size() && k < inputs.choices.size(); ++k) {
        if (inputs.choices[k] < m_form.selectorButtons[k].size()) {
            m_form.selectorButtons[k][inputs.choices[k]]->setChecked(true);
        }
    }
    if (development < m_form.developmentButtons.size()) {
        m_form.developmentButtons[development]->setChecked(true);
    }
    if (definition().weldedCut) {
        m_edgeTexts = edge;
        showEdgeTexts();
    }
    enableActiveSelectors();
    Disable_Przyciski();
}

void CalculatorWindow::DodajDoZleceniaClick() {
    if (m_context.addToJob) {
        m_context.addToJob(m_calculator, inputs(), m_edgeTexts);
    }
}

std::size_t CalculatorWindow::developmentIndex() const {
    return checkedIndex(m_form.developmentButtons);
}

void CalculatorWindow::focusFirstField() {
    m_form.fields.at(core::fieldIndex(definition(), definition().tabOrder.front()).value())
        ->setFocus(Qt::OtherFocusReason);
}

QSize CalculatorWindow::neededSize() const {
    const QSize contents = m_form.contents->minimumSizeHint();
    return {contents.width(), contents.height() + m_form.statusBar->sizeHint().height()};
}

QString CalculatorWindow::schemePicture() const {
    const auto& d = definition();
    return q(d.developments.empty() ? d.window.schemePicture
                                    : d.developments[developmentIndex()].schemePicture);
}

void CalculatorWindow::setOutputs(std::optional<core::CalculationOutputs> outputs) {
    m_outputs = std::move(outputs);
    for (const OutputButton& output : m_form.outputs) {
        // An open view stays within reach while the inputs differ: it says so itself.
        const bool view =
            output.row->action == render::OutputAction::ShowView && m_viewWindow != nullptr;
        output.button->setEnabled(m_outputs.has_value() || view);
    }
    // An open view follows the calculation, keeping its turn.
    if (m_viewWindow != nullptr) {
        if (!m_outputs) {
            m_viewWindow->markOutdated();
        } else if (m_viewWindow->isVisible()) {
            m_viewWindow->showJoint(*m_outputs);
        }
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

void CalculatorWindow::enableActiveSelectors() {
    const std::vector<bool> active =
        core::activeSelectors(definition(), core::readFields(definition(), inputs()));
    for (std::size_t k = 0; k < active.size(); ++k) {
        m_form.selectorBoxes[k]->setEnabled(active[k]);
    }
}

void CalculatorWindow::Button1Click() {
    const core::FieldReading reading = core::readFields(definition(), inputs());
    // Setting a field's text runs the inputs-changed action, as typing would.
    for (const std::size_t index : reading.notNumbers) {
        m_form.fields[index]->setText(QStringLiteral("0"));
    }
    const core::PlateReading plate = core::readPlateTexts(m_plateTexts);
    if (!plate.settings) {
        setOutputs(std::nullopt);
        m_context.prompts.warning(this, q(plate.problem));
        return;
    }
    const core::EdgeReading edge = core::readEdgeTexts(m_edgeTexts);
    if (!edge.settings) {
        setOutputs(std::nullopt);
        m_context.prompts.warning(this, q(edge.problem));
        return;
    }
    const QString date = io::reportDateText(m_context.today());
    core::CalculationResult result = core::forThePlate(
        core::withPreparedEdges(
            m_calculator.calculate(reading, developmentIndex(), date.toStdString()),
            *edge.settings),
        *plate.settings);

    if (result.status == core::CalculationResult::Status::Calculated) {
        m_plate = *plate.settings;
        showReport(*result.outputs);
        setOutputs(std::move(result.outputs));
    } else {
        setOutputs(std::nullopt);
        // One refusal is one box: the messages of a kind one under another, as the command
        // line prints them.
        for (const core::MessageKind kind :
             {core::MessageKind::Warning, core::MessageKind::Error}) {
            QStringList texts;
            for (const auto& message : result.messages) {
                if (message.kind == kind) {
                    texts << q(message.text);
                }
            }
            if (texts.isEmpty()) {
                continue;
            }
            if (kind == core::MessageKind::Warning) {
                m_context.prompts.warning(this, texts.join(u'\n'));
            } else {
                m_context.prompts.error(this, texts.join(u'\n'));
            }
        }
    }
    moveCaretToStart(m_form.resultsMemo);
}

void CalculatorWindow::showReport(const core::CalculationOutputs& outputs) {
    QStringList lines;
    for (const auto& line : outputs.report.memoLines()) {
        lines << q(line);
    }
    m_form.resultsMemo->setPlainText(lines.join(u'\n'));
}

void CalculatorWindow::runOutput(const render::OutputRow& row) {
    if (!hasResultsReady()) {
        if (row.action == render::OutputAction::ShowView && m_viewWindow != nullptr) {
            m_viewWindow->markOutdated();
            raiseView();
        }
        return;
    }
    switch (row.action) {
    case render::OutputAction::SaveFile:
        saveOutput(row);
        return;
    case render::OutputAction::PrintReport:
        printResults();
        return;
    case render::OutputAction::ShowPreview:
        showPreview();
        return;
    case render::OutputAction::TemplateDialog:
        templateDialog(row);
        return;
    case render::OutputAction::ShowView:
        showView();
        return;
    }
}

QString CalculatorWindow::offeredPath(const render::OutputRow& row, int filterIndex) const {
    const QString name = row.initialName(definition(), developmentIndex());
    const auto last = m_lastNames.find({row.kind, name});
    if (last != m_lastNames.end()) {
        return last->second;
    }
    return withDefaultSuffix(QDir(lastSaveFolder(m_context.savedInputsDirectory)).filePath(name),
                             render::dialogFilter(row, &definition()), filterIndex);
}

void CalculatorWindow::saveOutput(const render::OutputRow& row,
                                  const core::TemplateSettings& settings) {
    // Made once, before the dialog, as the filter it opens with (the one last chosen) makes
    // it: a file that cannot be made is said so at once. Another file or release chosen in the
    // dialog makes it again.
    const std::vector<render::OfferedFile> offered = render::offeredFiles(row, &definition());
    io::ProgramSettings remembered(m_context.savedInputsDirectory);
    const QString settingsKey = QString::fromLatin1(row.settingsKey);
    int initialFilter = remembered.lastFilter(settingsKey);
    if (initialFilter >= static_cast<int>(offered.size())) {
        initialFilter = 0;
    }
    // A file offered beside the button's own that these outputs cannot make (a bevel not
    // prepared) does not keep the button's own from being saved.
    if (initialFilter != 0) {
        const render::OfferedFile& last = offered.at(static_cast<std::size_t>(initialFilter));
        if (last.row != &row &&
            last.row->make({definition(), *m_outputs, settings, last.filter->dxfVersion, m_plate})
                .problem) {
            initialFilter = 0;
        }
    }
    const render::OfferedFile& initial = offered.at(static_cast<std::size_t>(initialFilter));
    const render::OutputRow* made = initial.row;
    render::OutputSource source{definition(), *m_outputs, settings, initial.filter->dxfVersion,
                                m_plate};
    render::OutputFile file = made->make(source);
    if (file.problem) {
        m_context.prompts.error(this, QString::fromUtf8(row.windowProblem != nullptr
                                                            ? row.windowProblem
                                                            : "Nie moge przygotowac pliku : ") +
                                          *file.problem);
        return;
    }
    const auto outcome = saveThroughDialog(
        m_context.prompts, this, render::dialogFilter(row, &definition()),
        offeredPath(row, initialFilter),
        [&](const QString& path, int filterIndex) -> std::optional<QString> {
            const render::OfferedFile& chosen = offered.at(static_cast<std::size_t>(filterIndex));
            const cnc::DxfVersion version = chosen.filter->dxfVersion;
            if (chosen.row != made || version != source.dxfVersion) {
                made = chosen.row;
                source.dxfVersion = version;
                file = made->make(source);
                if (file.problem) {
                    return *file.problem;
                }
            }
            return io::writeFileAtomically(path, file.bytes);
        },
        initialFilter);
    if (!outcome) {
        return;
    }
    m_lastNames[{row.kind, row.initialName(definition(), developmentIndex())}] = outcome->path;
    if (outcome->written) {
        remembered.setLastSaveFolder(QFileInfo(outcome->path).absolutePath());
        remembered.setLastFilter(settingsKey, outcome->filterIndex);
        m_form.lastSave->setText(QStringLiteral("Zapisano: ") +
                                 QDir::toNativeSeparators(outcome->path));
    }
}

void CalculatorWindow::ZapiszWynikiClick() {
    runOutput(render::outputRow(render::OutputKind::Txt));
}

void CalculatorWindow::ZapiszPlikDXF() {
    runOutput(render::outputRow(render::OutputKind::Dxf));
}

void CalculatorWindow::ZapiszDXFCNC() {
    runOutput(render::outputRow(render::OutputKind::CncDxf));
}

void CalculatorWindow::DrukujWynikiClick() {
    runOutput(render::outputRow(render::OutputKind::Print));
}

void CalculatorWindow::ZobaczRysunekClick() {
    runOutput(render::outputRow(render::OutputKind::Preview));
}

void CalculatorWindow::DrukujSzablonClick() {
    runOutput(render::outputRow(render::OutputKind::TemplatePdf));
}

void CalculatorWindow::Widok3DClick() {
    runOutput(render::outputRow(render::OutputKind::View3d));
}

void CalculatorWindow::showView() {
    if (m_viewWindow == nullptr) {
        m_viewWindow =
            new ViewWindow(m_context.prompts, definition(), m_context.savedInputsDirectory, this);
        m_viewWindow->resize(1024, 720);
    }
    m_viewWindow->showJoint(*m_outputs);
    raiseView();
}

void CalculatorWindow::raiseView() {
    m_viewWindow->show();
    m_viewWindow->raise();
    m_viewWindow->activateWindow();
}

void CalculatorWindow::printResults() {
    QPrinter printer(QPrinter::HighResolution);
    if (!m_context.prompts.printDialog(this, printer)) {
        return;
    }
    if (!printReport(printer, q(definition().printJobTitle), q(definition().printHeading),
                     m_outputs->report)) {
        m_context.prompts.error(this, QStringLiteral("Nie moge wydrukowac wynikow"));
    }
}

void CalculatorWindow::showPreview() {
    DrawingPreview* preview = m_context.outputWindows.preview(definition().window);
    preview->setDrawing(core::previewOf(*m_outputs));
    m_context.prompts.runModal(*preview);
}

void CalculatorWindow::templateDialog(const render::OutputRow& row) {
    // What was chosen last, in any calculator and any run: the paper, orientation and overlap
    // in the program's settings, the printer's correction in its own file.
    io::ProgramSettings remembered(m_context.savedInputsDirectory);
    const core::TemplateSettings initial =
        remembered.templateLayout(io::loadTemplateCorrection(m_context.savedInputsDirectory));
    const auto choice =
        m_context.prompts.templateDialog(this, initial, core::patternToCut(*m_outputs));
    if (!choice) {
        return;
    }
    remembered.setTemplateLayout(choice->settings);
    if (!io::saveTemplateCorrection(m_context.savedInputsDirectory, choice->settings)) {
        m_context.prompts.warning(this, QStringLiteral("Nie moge zapisac do pliku"));
    }
    if (choice->action == TemplateChoice::Action::SavePdf) {
        saveOutput(row, choice->settings);
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
        loadPlateTexts();
        if (definition().weldedCut) {
            m_edgeTexts = io::ProgramSettings(m_context.savedInputsDirectory)
                              .edgeTexts(q(core::nameKey(definition())));
            showEdgeTexts();
        }
    }
    QWidget::paintEvent(event);
}

void CalculatorWindow::loadSavedInputs() {
    const io::SavedInputs saved(m_context.savedInputsDirectory,
                                q(definition().savedInputsFileName));
    const auto loaded = saved.load(definition());
    if (!loaded) {
        return;
    }
    for (std::size_t i = 0; i < m_form.fields.size(); ++i) {
        m_form.fields[i]->setText(q(loaded->fieldTexts[i]));
    }
    for (std::size_t k = 0; k < m_form.selectorButtons.size(); ++k) {
        m_form.selectorButtons[k][loaded->choices[k]]->setChecked(true);
    }
}

void CalculatorWindow::loadPlateTexts() {
    m_plateTexts = io::ProgramSettings(m_context.savedInputsDirectory)
                       .plateTexts(q(core::nameKey(definition())));
    showPlateTexts();
}

void CalculatorWindow::showPlateTexts() {
    m_form.plateButton->setToolTip(q("Arkusz " + m_plateTexts.plate + " , " +
                                     m_plateTexts.material + " , odstęp " + m_plateTexts.gap +
                                     " mm , Podział na części: " + m_plateTexts.parts));
}

void CalculatorWindow::setPlateTexts(const core::PlateTexts& texts) {
    if (texts == m_plateTexts) {
        return;
    }
    m_plateTexts = texts;
    showPlateTexts();
    // The calculation stands: only what is cut from the plate is made again for the new one.
    const core::PlateReading plate = core::readPlateTexts(m_plateTexts);
    if (!m_outputs || !plate.settings || core::partsProblem(*m_outputs, plate.settings->parts)) {
        Disable_Przyciski();
        return;
    }
    m_plate = *plate.settings;
    core::replated(*m_outputs, m_plate);
    showReport(*m_outputs);
    moveCaretToStart(m_form.resultsMemo);
}

void CalculatorWindow::ArkuszClick() {
    const auto chosen = m_context.prompts.plateDialog(this, m_plateTexts);
    if (!chosen) {
        return;
    }
    const core::PlateReading reading = core::readPlateTexts(*chosen);
    if (!reading.settings) {
        m_context.prompts.warning(this, q(reading.problem));
        return;
    }
    if (m_outputs) {
        if (const auto problem = core::partsProblem(*m_outputs, reading.settings->parts)) {
            m_context.prompts.warning(this, q("Podział na części: " + *problem));
            return;
        }
    }
    setPlateTexts(*chosen);
}

void CalculatorWindow::showEdgeTexts() {
    std::string text = "Przygotowanie krawędzi: " + core::edgeChoiceWords(m_edgeTexts.choice);
    if (m_edgeTexts.choice == core::EdgeChoice::Groove) {
        text += " , kąt rowka " + m_edgeTexts.grooveAngle + "° , c " + m_edgeTexts.rootFace +
                " mm , b " + m_edgeTexts.rootGap + " mm";
    }
    m_form.edgeButton->setToolTip(q(text));
}

void CalculatorWindow::KrawedzClick() {
    const auto chosen = m_context.prompts.edgeDialog(this, m_edgeTexts);
    if (!chosen || *chosen == m_edgeTexts) {
        return;
    }
    const core::EdgeReading reading = core::readEdgeTexts(*chosen);
    if (!reading.settings) {
        m_context.prompts.warning(this, q(reading.problem));
        return;
    }
    m_edgeTexts = *chosen;
    showEdgeTexts();
    // The edge is part of what is calculated: a calculation shown is made again with it.
    if (m_outputs) {
        Button1Click();
    }
}

void CalculatorWindow::saveInputs() {
    const io::SavedInputs saved(m_context.savedInputsDirectory,
                                q(definition().savedInputsFileName));
    if (!saved.save(definition(), inputs())) {
        m_context.prompts.warning(this, QStringLiteral("Nie moge zapisac do pliku"));
    }
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    saveInputs();
    io::ProgramSettings(m_context.savedInputsDirectory)
        .setPlateTexts(q(core::nameKey(definition())), plateTexts());
    if (definition().weldedCut) {
        io::ProgramSettings(m_context.savedInputsDirectory)
            .setEdgeTexts(q(core::nameKey(definition())), m_edgeTexts);
    }
    event->accept();
}

} // namespace blachorys::gui
