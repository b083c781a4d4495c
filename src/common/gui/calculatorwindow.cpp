#include "common/gui/calculatorwindow.h"

#include "common/core/fieldreading.h"
#include "common/core/numbertext.h"
#include "common/gui/drawingpreview.h"
#include "common/gui/filesaving.h"
#include "common/gui/hintrouter.h"
#include "common/gui/makerlabel.h"
#include "common/gui/numericlineedit.h"
#include "common/gui/outputwindows.h"
#include "common/gui/prompts.h"
#include "common/gui/reportprinter.h"
#include "common/gui/templateoutput.h"
#include "common/gui/twynikischemat.h"
#include "common/io/atomicfile.h"
#include "common/io/outputfiles.h"
#include "common/io/reportdate.h"
#include "common/io/savedinputs.h"
#include "common/io/templatecorrection.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QSvgWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace blachorys::gui {
namespace {

constexpr int kFieldWidth = 65;
constexpr int kFieldFontPixels = 13;
/** The desktop's usual font, 9 points at 96 dots per inch, in pixels. */
constexpr double kUsualDesktopFontPixels = 12.0;
/** Frame and margins of a line edit round its text. */
constexpr int kFieldPadding = 12;
constexpr QSize kNoteSize(181, 211);
constexpr int kSchemeButtonWidth = 257;
/** Margins and spacing of the window's layouts, pixels. */
constexpr int kMargin = 4;

const QString kTxtFilter = QStringLiteral("Plik tekstowy - TXT|*.txt");
const QString kDxfFilter = QStringLiteral("Plik rysunku -  DXF|*.dxf");
const QString kPdfFilter = QStringLiteral("Plik PDF|*.pdf");
const QString kInitialMemoLine = QStringLiteral("Wyniki - lista punktów");

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

/**
 * Bold sans serif, a little larger than the desktop's font: 13 pixels where the desktop's font
 * is the usual 12, and growing with it (a larger font, or more dots per inch).
 */
QFont fieldFont(const QWidget& widget) {
    QFont font = widget.font();
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    const int desktopPixels = QFontInfo(widget.font()).pixelSize();
    font.setPixelSize(std::max(
        kFieldFontPixels,
        static_cast<int>(std::lround(desktopPixels * kFieldFontPixels / kUsualDesktopFontPixels))));
    font.setBold(true);
    return font;
}

/** A field is 65 pixels wide, or as wide as a long number needs in its font. */
int fieldWidth(const QFont& font) {
    return std::max(kFieldWidth, QFontMetrics(font).horizontalAdvance(QStringLiteral("-88888.88")) +
                                     kFieldPadding);
}

void moveCaretToStart(QPlainTextEdit* memo) {
    memo->moveCursor(QTextCursor::Start);
    memo->ensureCursorVisible();
}

} // namespace

CalculatorWindow::CalculatorWindow(const core::Calculator& calculator, const GuiContext& context,
                                   QWidget* parent)
    : QWidget(parent), m_calculator(calculator), m_context(context) {
    const auto& window = definition().window;
    setObjectName(q(window.formName));
    setWindowTitle(q(window.caption));

    // Everything but the status bar scrolls: with large fonts, or a screen too small for the
    // main window, every control stays within reach.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("Zawartosc"));
    auto* top = new QHBoxLayout(content);
    // Tight, as the designed window is: at the usual font it all fits without scrolling.
    top->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    top->setSpacing(kMargin);
    auto* left = new QVBoxLayout;
    left->addWidget(buildFieldsColumn());
    left->addWidget(buildResultsBox(), 1);
    top->addLayout(left, 1);
    top->addWidget(buildPictureColumn());
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Przewijanie"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(q(window.components.statusBar));
    m_statusBar->setSizeGripEnabled(false);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(scroll, 1);
    root->addWidget(m_statusBar);

    chainTabOrder();
    m_context.hints.addTarget(m_statusBar);
    // The window opens with the outputs disabled and the scheme button titled.
    Disable_Przyciski();
    m_resultsMemo->setPlainText(kInitialMemoLine);
}

const core::CalculatorDefinition& CalculatorWindow::definition() const {
    return m_calculator.definition();
}

void CalculatorWindow::chainTabOrder() {
    // The selector, the fields in the window's tab order, then "Licz".
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    };
    for (QRadioButton* button : m_developmentButtons) {
        chain(button);
    }
    for (const std::string& name : definition().tabOrder) {
        chain(m_fields.at(core::fieldIndex(definition(), name).value()));
    }
    chain(m_calculateButton);
}

QWidget* CalculatorWindow::buildFieldsColumn() {
    const auto& d = definition();
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kMargin);

    auto* group = new QButtonGroup(column);
    for (const auto& development : d.developments) {
        auto* button = new QRadioButton(q(development.caption), column);
        button->setObjectName(q(development.objectName));
        group->addButton(button);
        m_developmentButtons.push_back(button);
        layout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, &CalculatorWindow::Disable_Przyciski);
    }
    if (!m_developmentButtons.empty()) {
        m_developmentButtons.front()->setChecked(true);
    }

    m_fields.resize(d.fields.size());
    for (std::size_t index = 0; index < d.fields.size(); ++index) {
        const auto& field = d.fields[index];
        auto* edit = new NumericLineEdit(field.filter, column);
        edit->setObjectName(QStringLiteral("Edit_") + q(field.name));
        edit->setText(q(field.defaultText));
        edit->setFont(fieldFont(*this));
        edit->setFixedWidth(fieldWidth(edit->font()));
        m_context.hints.attach(edit, q(field.hint));
        if (field.note) {
            edit->installEventFilter(this);
        }
        connect(edit, &QLineEdit::textChanged, this, &CalculatorWindow::Disable_Przyciski);
        m_fields[index] = edit;
    }
    // Rows follow the tab order, so the fields read top to bottom as the Tab key walks them.
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(kMargin);
    int row = 0;
    for (const std::string& name : d.tabOrder) {
        const std::size_t index = core::fieldIndex(d, name).value();
        auto* label = new QLabel(q(d.fields[index].label), column);
        label->setBuddy(m_fields[index]);
        grid->addWidget(label, row, 0, Qt::AlignRight);
        grid->addWidget(m_fields[index], row, 1);
        grid->addWidget(new QLabel(q(d.fields[index].unit), column), row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);

    m_noteMemo = new QPlainTextEdit(column);
    m_noteMemo->setObjectName(q(d.window.components.noteMemo));
    m_noteMemo->setReadOnly(true);
    m_noteMemo->setFixedSize(kNoteSize);
    m_noteMemo->setFrameShape(QFrame::NoFrame);
    m_noteMemo->setBackgroundRole(QPalette::Window);
    m_noteMemo->viewport()->setBackgroundRole(QPalette::Window);
    QSizePolicy keepPlace = m_noteMemo->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_noteMemo->setSizePolicy(keepPlace);
    m_noteMemo->hide();
    if (d.window.noteStyle == core::NoteStyle::Fixed) {
        // One text for every field that shows it, written once.
        for (const auto& field : d.fields) {
            if (field.note) {
                for (const auto& line : field.note->linesPerDevelopment.front()) {
                    m_noteMemo->appendPlainText(q(line));
                }
                break;
            }
        }
    }

    m_calculateButton = new QPushButton(QStringLiteral("Licz"), column);
    m_calculateButton->setObjectName(q(d.window.components.calculateButton));
    connect(m_calculateButton, &QPushButton::clicked, this, &CalculatorWindow::Button1Click);
    // Enter in a field calculates, as a default button would.
    for (NumericLineEdit* field : m_fields) {
        connect(field, &QLineEdit::returnPressed, m_calculateButton, &QPushButton::click);
    }

    auto* noteColumn = new QVBoxLayout;
    noteColumn->addWidget(m_noteMemo);
    noteColumn->addStretch(1);
    noteColumn->addWidget(m_calculateButton, 0, Qt::AlignLeft);

    auto* fieldsAndNote = new QHBoxLayout;
    fieldsAndNote->addLayout(grid);
    fieldsAndNote->addLayout(noteColumn);
    fieldsAndNote->addStretch(1);
    layout->addLayout(fieldsAndNote);
    return column;
}

QGroupBox* CalculatorWindow::buildResultsBox() {
    const auto& components = definition().window.components;
    const QString prefix = q(components.outputPrefix);
    auto* box = new QGroupBox(QStringLiteral("Wyniki"), this);
    box->setObjectName(prefix + QStringLiteral("Wyniki"));

    m_resultsMemo = new QPlainTextEdit(box);
    m_resultsMemo->setObjectName(q(components.resultsMemo));
    m_resultsMemo->setReadOnly(true);
    m_resultsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_resultsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_resultsMemo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // A few lines at the least; it grows with the room it is given.
    m_resultsMemo->setMinimumHeight(4 * m_resultsMemo->fontMetrics().lineSpacing());

    auto makeButton = [&](const QString& name, const QString& caption,
                          void (CalculatorWindow::*slot)()) {
        auto* button = new QPushButton(caption, box);
        button->setObjectName(prefix + name);
        connect(button, &QPushButton::clicked, this, slot);
        m_outputButtons.push_back(button);
        return button;
    };
    QPushButton* saveTxt =
        makeButton(QStringLiteral("ZapiszWyniki"), QStringLiteral("Zapisz Wyniki - TXT"),
                   &CalculatorWindow::ZapiszWynikiClick);
    QPushButton* saveDxf =
        makeButton(QStringLiteral("ZapiszRysunek"), QStringLiteral("Zapisz rysunek-DXF"),
                   &CalculatorWindow::ZapiszPlikDXF);
    QPushButton* print = makeButton(QStringLiteral("DrukujWyniki"), QStringLiteral("Drukuj Wyniki"),
                                    &CalculatorWindow::DrukujWynikiClick);
    QPushButton* preview =
        makeButton(QStringLiteral("ZobaczRysunek"), QStringLiteral("Zobacz rysunek"),
                   &CalculatorWindow::ZobaczRysunekClick);
    QPushButton* fullScale =
        makeButton(QStringLiteral("DrukujSzablon"), QStringLiteral("Drukuj szablon 1:1"),
                   &CalculatorWindow::DrukujSzablonClick);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(kMargin);
    buttons->addWidget(saveTxt, 0, 0);
    buttons->addWidget(saveDxf, 0, 1);
    buttons->addWidget(print, 1, 0);
    buttons->addWidget(preview, 1, 1);
    buttons->addWidget(fullScale, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kMargin);
    layout->addWidget(m_resultsMemo, 1);
    layout->addLayout(buttons);
    return box;
}

QWidget* CalculatorWindow::buildPictureColumn() {
    const auto& window = definition().window;
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kMargin);

    auto* picture = new QSvgWidget(q(window.jointPicture), column);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setFixedSize(window.jointPictureWidth, window.jointPictureHeight);
    layout->addWidget(picture, 0, Qt::AlignHCenter);

    m_schemeButton = new QPushButton(column);
    m_schemeButton->setObjectName(q(window.components.schemeButton));
    m_schemeButton->setMinimumWidth(kSchemeButtonWidth);
    connect(m_schemeButton, &QPushButton::clicked, this, &CalculatorWindow::SchematWynikowClick);
    layout->addWidget(m_schemeButton, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    auto* web = new MakerLabel(MakerLabel::Target::WebPage, m_context.prompts, column);
    web->setObjectName(QStringLiteral("Label19"));
    auto* email = new MakerLabel(MakerLabel::Target::Email, m_context.prompts, column);
    email->setObjectName(QStringLiteral("Label20"));
    layout->addWidget(web, 0, Qt::AlignHCenter);
    layout->addWidget(email, 0, Qt::AlignHCenter);
    return column;
}

QStringList CalculatorWindow::fieldTexts() const {
    QStringList texts;
    for (const NumericLineEdit* field : m_fields) {
        texts << field->text();
    }
    return texts;
}

std::size_t CalculatorWindow::developmentIndex() const {
    for (std::size_t i = 0; i < m_developmentButtons.size(); ++i) {
        if (m_developmentButtons[i]->isChecked()) {
            return i;
        }
    }
    return 0;
}

void CalculatorWindow::focusFirstField() {
    m_fields.at(core::fieldIndex(definition(), definition().tabOrder.front()).value())
        ->setFocus(Qt::OtherFocusReason);
}

QString CalculatorWindow::schemePicture() const {
    const auto& d = definition();
    return q(d.developments.empty() ? d.window.schemePicture
                                    : d.developments[developmentIndex()].schemePicture);
}

void CalculatorWindow::setOutputs(std::optional<core::CalculationOutputs> outputs) {
    m_outputs = std::move(outputs);
    for (QPushButton* button : m_outputButtons) {
        button->setEnabled(m_outputs.has_value());
    }
}

void CalculatorWindow::Disable_Przyciski() {
    m_resultsMemo->clear();
    setOutputs(std::nullopt);
    const auto& d = definition();
    m_schemeButton->setText(q(d.developments.empty()
                                  ? d.window.schemeButtonCaption
                                  : d.developments[developmentIndex()].schemeButtonCaption));
    // As wide as its caption needs, whatever the font.
    m_schemeButton->setMinimumWidth(
        std::max(kSchemeButtonWidth, m_schemeButton->sizeHint().width()));
}

void CalculatorWindow::Button1Click() {
    // Setting a field's text runs the inputs-changed action, as typing would.
    for (NumericLineEdit* field : m_fields) {
        if (!core::parseReal(field->text().toStdString())) {
            field->setText(QStringLiteral("0"));
        }
    }
    std::vector<std::string> texts;
    for (const QString& text : fieldTexts()) {
        texts.push_back(text.toStdString());
    }
    const QString date = io::reportDateText(m_context.today());
    core::CalculationResult result =
        m_calculator.calculate(texts, developmentIndex(), date.toStdString());

    if (result.status == core::CalculationResult::Status::Calculated) {
        QStringList lines;
        for (const auto& line : result.outputs->report.resultLines) {
            lines << q(line);
        }
        m_resultsMemo->setPlainText(lines.join(u'\n'));
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
    moveCaretToStart(m_resultsMemo);
}

void CalculatorWindow::ZapiszWynikiClick() {
    if (!hasResultsReady()) {
        return;
    }
    saveThroughDialog(
        m_context.prompts, this, kTxtFilter, q(definition().txtFileName), m_lastTxtName,
        [this](const QString& path) { return io::writeReportFile(path, m_outputs->report); });
}

void CalculatorWindow::ZapiszPlikDXF() {
    if (!hasResultsReady()) {
        return;
    }
    saveThroughDialog(
        m_context.prompts, this, kDxfFilter, q(definition().dxfFileName), m_lastDxfName,
        [this](const QString& path) { return io::writeDxfFile(path, m_outputs->dxfLines); });
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
    preview->setDrawing(m_outputs->preview);
    m_context.prompts.runModal(*preview);
}

void CalculatorWindow::DrukujSzablonClick() {
    if (!hasResultsReady()) {
        return;
    }
    if (!m_templateSettings) {
        m_templateSettings = io::loadTemplateCorrection(m_context.savedInputsDirectory);
    }
    const auto choice = m_context.prompts.templateDialog(this, *m_templateSettings);
    if (!choice) {
        return;
    }
    m_templateSettings = choice->settings;
    if (!io::saveTemplateCorrection(m_context.savedInputsDirectory, choice->settings)) {
        m_context.prompts.warning(this, QStringLiteral("Nie moge zapisac do pliku"));
    }
    if (choice->action == TemplateChoice::Action::SavePdf) {
        saveTemplatePdf(choice->settings);
    } else {
        printTemplate(m_context.prompts, this, definition(), *m_outputs, choice->settings);
    }
}

void CalculatorWindow::saveTemplatePdf(const core::TemplateSettings& settings) {
    const auto plan = planTemplatePdf(m_context.prompts, this, *m_outputs, settings);
    if (!plan) {
        return;
    }
    QString initialName = q(definition().dxfFileName);
    initialName = initialName.left(initialName.lastIndexOf(u'.')) + QStringLiteral("_szablon.pdf");
    saveThroughDialog(m_context.prompts, this, kPdfFilter, initialName, m_lastPdfName,
                      [&](const QString& path) -> std::optional<QString> {
                          const QByteArray bytes =
                              templatePdfBytes(*plan, definition(), *m_outputs);
                          if (bytes.isEmpty()) {
                              return QStringLiteral("nie udalo sie narysowac szablonu");
                          }
                          return io::writeFileAtomically(path, bytes);
                      });
}

void CalculatorWindow::SchematWynikowClick() {
    m_context.prompts.runModal(*m_context.outputWindows.scheme());
}

void CalculatorWindow::showNote(std::size_t fieldIndex) {
    const auto style = definition().window.noteStyle;
    if (style != core::NoteStyle::Fixed) {
        const auto& note = *definition().fields[fieldIndex].note;
        const auto& lines = note.linesPerDevelopment[std::min(developmentIndex(),
                                                              note.linesPerDevelopment.size() - 1)];
        m_noteMemo->clear();
        for (const auto& line : lines) {
            m_noteMemo->appendPlainText(q(line));
        }
    }
    m_noteMemo->show();
    if (style == core::NoteStyle::Refilled) {
        moveCaretToStart(m_noteMemo);
    }
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i] == watched) {
                if (event->type() == QEvent::FocusIn) {
                    showNote(i);
                } else {
                    m_noteMemo->hide();
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
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
    const auto texts = saved.load(static_cast<int>(m_fields.size()));
    if (!texts) {
        return;
    }
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i]->setText((*texts)[static_cast<qsizetype>(i)]);
    }
}

void CalculatorWindow::saveInputs() {
    const io::SavedInputs saved(m_context.savedInputsDirectory,
                                q(definition().savedInputsFileName));
    if (!saved.save(fieldTexts())) {
        m_context.prompts.warning(this, QStringLiteral("Nie moge zapisac do pliku"));
    }
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    saveInputs();
    event->accept();
}

} // namespace blachorys::gui
