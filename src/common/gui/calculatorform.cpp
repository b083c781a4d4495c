#include "common/gui/calculatorform.h"

#include "common/gui/fieldscolumn.h"
#include "common/gui/hintrouter.h"
#include "common/gui/makerlabel.h"
#include "common/gui/memolines.h"
#include "common/gui/numericlineedit.h"
#include "common/gui/pictures.h"
#include "common/gui/resultsbox.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
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
/** Margins and spacing of the window's layouts, pixels. */
constexpr int kMargin = 4;
/** The most fields the designed windows stack at their designed spacing. */
constexpr std::size_t kFieldsAtDesignedSpacing = 12;
/** The fewest whole lines the results memo shows, however small the window. */
constexpr int kLeastMemoLines = 2;

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

/** The desktop's fixed font, asked for as fixed pitch: the memo's columns line up in no other. */
QFont memoFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

/** A field is 65 pixels wide, or as wide as a long number needs in its font. */
int fieldWidth(const QFont& font) {
    return std::max(kFieldWidth, QFontMetrics(font).horizontalAdvance(QStringLiteral("-88888.88")) +
                                     kFieldPadding);
}

class FormBuilder {
public:
    FormBuilder(QWidget& window, const core::CalculatorDefinition& definition, HintRouter& hints,
                Prompts& prompts)
        : m_window(window), m_definition(definition), m_hints(hints), m_prompts(prompts) {}

    CalculatorForm build() {
        // Everything but the status bar scrolls: with large fonts, or a screen too small for
        // the main window, every control stays within reach.
        auto* content = new QWidget;
        content->setObjectName(QStringLiteral("Zawartosc"));
        auto* top = new QHBoxLayout(content);
        // Tight, as the designed window is: at the usual font it all fits without scrolling.
        top->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
        top->setSpacing(kMargin);
        auto* left = new QVBoxLayout;
        FieldsColumn* fields = fieldsColumn();
        ResultsBox* results = resultsBox();
        // Where the results box has the width to stand its buttons beside the memo, the fields
        // take two columns, and the memo the height one column of them took.
        QObject::connect(results, &ResultsBox::buttonsBesideChanged, fields,
                         &FieldsColumn::setWide);
        left->addWidget(fields);
        left->addWidget(results, 1);
        top->addLayout(left, 1);
        top->addWidget(pictureColumn());
        auto* scroll = new QScrollArea(&m_window);
        scroll->setObjectName(QStringLiteral("Przewijanie"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        m_form.contents = content;

        m_form.statusBar = new QStatusBar(&m_window);
        m_form.statusBar->setObjectName(q(m_definition.window.components.statusBar));
        m_form.statusBar->setSizeGripEnabled(false);
        // A widget of the bar, not a message: a hint shown over it hides it only while shown.
        m_form.lastSave = new QLabel(m_form.statusBar);
        m_form.lastSave->setObjectName(QStringLiteral("OstatniZapis"));
        m_form.statusBar->addWidget(m_form.lastSave, 1);
        m_hints.addTarget(m_form.statusBar);

        auto* root = new QVBoxLayout(&m_window);
        root->setContentsMargins(0, 0, 0, 0);
        root->setSpacing(0);
        root->addWidget(scroll, 1);
        root->addWidget(m_form.statusBar);
        chainTabOrder();
        return m_form;
    }

private:
    FieldsColumn* fieldsColumn() {
        const auto& d = m_definition;
        auto* group = new QButtonGroup(&m_window);
        std::vector<QWidget*> developments;
        for (const auto& development : d.developments) {
            auto* button = new QRadioButton(q(development.caption));
            button->setObjectName(q(development.objectName));
            group->addButton(button);
            m_form.developmentButtons.push_back(button);
            developments.push_back(button);
        }
        if (!m_form.developmentButtons.empty()) {
            m_form.developmentButtons.front()->setChecked(true);
        }

        for (const auto& field : d.fields) {
            auto* edit = new NumericLineEdit(field.filter);
            edit->setObjectName(QStringLiteral("Edit_") + q(field.name));
            edit->setText(q(field.defaultText));
            edit->setFont(fieldFont(m_window));
            edit->setFixedWidth(fieldWidth(edit->font()));
            m_hints.attach(edit, q(field.hint));
            m_form.fields.push_back(edit);
        }
        // Rows follow the tab order, so the fields read top to bottom as the Tab key walks them.
        std::vector<FieldsColumn::Row> rows;
        for (const std::string& name : d.tabOrder) {
            const std::size_t index = core::fieldIndex(d, name).value();
            auto* label = new QLabel(q(d.fields[index].label));
            label->setBuddy(m_form.fields[index]);
            rows.push_back({label, m_form.fields[index], new QLabel(q(d.fields[index].unit))});
        }

        auto* note = new QPlainTextEdit;
        note->setObjectName(q(d.window.components.noteMemo));
        note->setReadOnly(true);
        note->setFixedSize(kNoteSize);
        note->setFrameShape(QFrame::NoFrame);
        note->setBackgroundRole(QPalette::Window);
        note->viewport()->setBackgroundRole(QPalette::Window);
        QSizePolicy keepPlace = note->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true);
        note->setSizePolicy(keepPlace);
        note->hide();
        m_form.noteMemo = note;

        m_form.calculateButton = new QPushButton(QStringLiteral("Licz"));
        m_form.calculateButton->setObjectName(q(d.window.components.calculateButton));
        // Enter in a field calculates, as a default button would.
        for (NumericLineEdit* field : m_form.fields) {
            QObject::connect(field, &QLineEdit::returnPressed, m_form.calculateButton,
                             &QPushButton::click);
        }
        m_form.plateButton = new QPushButton(QStringLiteral("Arkusz"));
        m_form.plateButton->setObjectName(QStringLiteral("ButtonArkusz"));
        m_hints.attach(m_form.plateButton,
                       QStringLiteral("Arkusz i materiał|Arkusz, materiał i odstęp elementów "
                                      "do zestawienia materiału i rozkroju"));
        m_form.addToJobButton = new QPushButton(QStringLiteral("Dodaj do zlecenia"));
        m_form.addToJobButton->setObjectName(QStringLiteral("ButtonDodajDoZlecenia"));
        m_hints.attach(m_form.addToJobButton,
                       QStringLiteral("Dodaj do zlecenia|Dodaj te dane jako pozycje otwartego "
                                      "zlecenia (oba elementy zlacza)"));

        std::vector<QWidget*> buttons{m_form.calculateButton, m_form.plateButton};
        if (d.weldedCut) {
            m_form.edgeButton = new QPushButton(QStringLiteral("Krawędź"));
            m_form.edgeButton->setObjectName(QStringLiteral("ButtonKrawedz"));
            m_hints.attach(m_form.edgeButton,
                           QStringLiteral("Przygotowanie krawędzi|Krawędź spawana: prosta, "
                                          "dopasowana do drugiej części lub pod spoinę (ukos w "
                                          "każdym punkcie)"));
            buttons.push_back(m_form.edgeButton);
        }
        buttons.push_back(m_form.addToJobButton);
        // A window of more fields than the designed ones held packs their rows closer, so that
        // it still fits the designed window at the usual font.
        return new FieldsColumn(std::move(developments), std::move(rows), note, std::move(buttons),
                                d.fields.size() > kFieldsAtDesignedSpacing, &m_window);
    }

    /**
     * One titled group of radio buttons per selector, one above the other, its choices side
     * by side, the first one checked: under the picture, where the window has room for them.
     */
    QVBoxLayout* selectorGroups(QWidget* column) {
        auto* stack = new QVBoxLayout;
        stack->setSpacing(0);
        for (const auto& selector : m_definition.selectors) {
            auto* box = new QGroupBox(q(selector.caption), column);
            box->setFlat(true);
            m_hints.attach(box, q(selector.hint));
            auto* choices = new QHBoxLayout(box);
            choices->setContentsMargins(0, 0, 0, 0);
            choices->setSpacing(0);
            std::vector<QRadioButton*> buttons;
            for (const auto& choice : selector.choices) {
                auto* button = new QRadioButton(q(choice.caption), box);
                button->setObjectName(q(choice.objectName));
                m_hints.attach(button, q(selector.hint));
                choices->addWidget(button);
                buttons.push_back(button);
            }
            buttons.front()->setChecked(true);
            m_form.selectorButtons.push_back(std::move(buttons));
            m_form.selectorBoxes.push_back(box);
            stack->addWidget(box);
        }
        return stack;
    }

    ResultsBox* resultsBox() {
        const auto& components = m_definition.window.components;
        const QString prefix = q(components.outputPrefix);

        auto* memo = new QPlainTextEdit;
        memo->setObjectName(q(components.resultsMemo));
        memo->setReadOnly(true);
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setFont(memoFont());
        // It grows with the room it is given; the designed window's thirteen fields leave it
        // two lines of a tall fixed font.
        memo->setMinimumHeight(memoHeightForLines(*memo, kLeastMemoLines));
        m_form.resultsMemo = memo;

        std::vector<QPushButton*> buttons;
        for (const render::OutputRow& row : render::outputRows()) {
            if (!row.hasButton()) {
                continue;
            }
            auto* b = new QPushButton(QString::fromUtf8(row.caption));
            b->setObjectName(prefix + QString::fromLatin1(row.buttonName));
            if (row.tooltip != nullptr) {
                m_hints.attach(b, QString::fromUtf8(row.tooltip));
            }
            buttons.push_back(b);
            m_form.outputs.push_back({&row, b});
        }
        auto* box = new ResultsBox(QStringLiteral("Wyniki"), memo, std::move(buttons), &m_window);
        box->setObjectName(prefix + QStringLiteral("Wyniki"));
        return box;
    }

    QWidget* pictureColumn() {
        const auto& window = m_definition.window;
        auto* column = new QWidget(&m_window);
        auto* layout = new QVBoxLayout(column);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(kMargin);

        auto* picture =
            makePictureWidget(q(window.jointPicture),
                              QSize(window.jointPictureWidth, window.jointPictureHeight), column);
        picture->setObjectName(QStringLiteral("Image1"));
        layout->addWidget(picture, 0, Qt::AlignHCenter);

        m_form.schemeButton = new QPushButton(column);
        m_form.schemeButton->setObjectName(q(window.components.schemeButton));
        m_form.schemeButton->setMinimumWidth(kSchemeButtonWidth);
        layout->addWidget(m_form.schemeButton, 0, Qt::AlignHCenter);
        if (!m_definition.selectors.empty()) {
            layout->addLayout(selectorGroups(column));
        }
        layout->addStretch(1);

        auto* web = new MakerLabel(MakerLabel::Target::WebPage, m_prompts, column);
        web->setObjectName(QStringLiteral("Label19"));
        auto* email = new MakerLabel(MakerLabel::Target::Email, m_prompts, column);
        email->setObjectName(QStringLiteral("Label20"));
        layout->addWidget(web, 0, Qt::AlignHCenter);
        layout->addWidget(email, 0, Qt::AlignHCenter);
        return column;
    }

    /** The development selector, the fields in the window's tab order, the other selectors,
     * then "Licz". */
    void chainTabOrder() {
        QWidget* previous = nullptr;
        auto chain = [&previous](QWidget* next) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, next);
            }
            previous = next;
        };
        for (QRadioButton* button : m_form.developmentButtons) {
            chain(button);
        }
        for (const std::string& name : m_definition.tabOrder) {
            chain(m_form.fields.at(core::fieldIndex(m_definition, name).value()));
        }
        for (const auto& buttons : m_form.selectorButtons) {
            for (QRadioButton* button : buttons) {
                chain(button);
            }
        }
        chain(m_form.calculateButton);
        chain(m_form.plateButton);
        if (m_form.edgeButton != nullptr) {
            chain(m_form.edgeButton);
        }
    }

    QWidget& m_window;
    const core::CalculatorDefinition& m_definition;
    HintRouter& m_hints;
    Prompts& m_prompts;
    CalculatorForm m_form;
};

} // namespace

CalculatorForm buildCalculatorForm(QWidget& window, const core::CalculatorDefinition& definition,
                                   HintRouter& hints, Prompts& prompts) {
    return FormBuilder(window, definition, hints, prompts).build();
}

} // namespace blachorys::gui
