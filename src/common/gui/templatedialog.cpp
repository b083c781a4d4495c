#include "common/gui/templatedialog.h"

#include "common/core/sheets/templatewording.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace blachorys::gui {
namespace {

/** The sheets a template takes depend on its lines, not on how they are inked. */
const core::LineStyles kNoInks;

QDoubleSpinBox* spinBox(QWidget* parent, const QString& name, double minimum, double maximum,
                        double value, const QString& suffix) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setRange(minimum, maximum);
    box->setSingleStep(minimum >= 1.0 ? 0.1 : 1.0);
    box->setSuffix(suffix);
    box->setValue(value);
    return box;
}

} // namespace

TemplateDialog::TemplateDialog(const core::TemplateSettings& initial, const core::Pattern& pattern,
                               QWidget* parent)
    : QDialog(parent), m_pattern(pattern) {
    setObjectName(QStringLiteral("SzablonDialog"));
    setWindowTitle(QStringLiteral("Drukuj szablon 1:1"));

    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("SzablonPapier"));
    for (const core::Paper& paper : core::kPapers) {
        m_paper->addItem(QString::fromLatin1(paper.name), static_cast<int>(paper.size));
    }
    m_paper->setCurrentIndex(m_paper->findData(static_cast<int>(initial.paper)));

    m_orientation = new QComboBox(this);
    m_orientation->setObjectName(QStringLiteral("SzablonOrientacja"));
    m_orientation->addItem(QStringLiteral("automatycznie (mniej stron)"),
                           static_cast<int>(core::PageOrientation::Automatic));
    m_orientation->addItem(QStringLiteral("pionowo"),
                           static_cast<int>(core::PageOrientation::Portrait));
    m_orientation->addItem(QStringLiteral("poziomo"),
                           static_cast<int>(core::PageOrientation::Landscape));
    m_orientation->setCurrentIndex(m_orientation->findData(static_cast<int>(initial.orientation)));

    m_overlap = spinBox(this, QStringLiteral("SzablonZakladka"), 0.0, core::kMaxOverlapMm,
                        initial.overlapMm, QStringLiteral(" mm"));
    m_overlap->setSingleStep(1.0);
    m_scaleX = spinBox(this, QStringLiteral("SzablonSkalaX"), core::kMinScalePercent,
                       core::kMaxScalePercent, initial.scaleXPercent, QStringLiteral(" %"));
    m_scaleY = spinBox(this, QStringLiteral("SzablonSkalaY"), core::kMinScalePercent,
                       core::kMaxScalePercent, initial.scaleYPercent, QStringLiteral(" %"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Papier:"), m_paper);
    form->addRow(QStringLiteral("Orientacja:"), m_orientation);
    form->addRow(QStringLiteral("Zakładka między stronami:"), m_overlap);
    form->addRow(QStringLiteral("Korekta skali drukarki X:"), m_scaleX);
    form->addRow(QStringLiteral("Korekta skali drukarki Y:"), m_scaleY);

    m_sheets = new QLabel(this);
    m_sheets->setObjectName(QStringLiteral("SzablonArkusze"));
    m_sheets->setWordWrap(true);
    form->addRow(QStringLiteral("Szablon zajmie:"), m_sheets);
    showSheets();
    for (QComboBox* box : {m_paper, m_orientation}) {
        connect(box, &QComboBox::currentIndexChanged, this, &TemplateDialog::showSheets);
    }
    for (QDoubleSpinBox* box : {m_overlap, m_scaleX, m_scaleY}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &TemplateDialog::showSheets);
    }

    auto* note = new QLabel(
        QStringLiteral("Szablon w skali 1:1, podzielony na strony. Po wydruku zmierz paski "
                       "kontrolne 100 mm; jeśli drukarka zmienia skalę, wpisz korektę "
                       "(np. 101.0 %, gdy pasek ma 99 mm)."),
        this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print =
        buttons->addButton(QStringLiteral("Drukuj..."), QDialogButtonBox::AcceptRole);
    print->setObjectName(QStringLiteral("SzablonDrukuj"));
    QPushButton* pdf =
        buttons->addButton(QStringLiteral("Zapisz PDF"), QDialogButtonBox::AcceptRole);
    pdf->setObjectName(QStringLiteral("SzablonZapiszPdf"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("SzablonAnuluj"));
    connect(print, &QPushButton::clicked, this, [this] {
        m_action = TemplateChoice::Action::Print;
        accept();
    });
    connect(pdf, &QPushButton::clicked, this, [this] {
        m_action = TemplateChoice::Action::SavePdf;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void TemplateDialog::showSheets() {
    // Planned as for a PDF file: a printer with wider unprintable edges may need more sheets.
    const core::TemplatePlanning planning =
        core::planTemplate(m_pattern, kNoInks, choice().settings, 0.0);
    m_sheets->setText(planning.plan ? QString::fromStdString(core::sheetSummary(*planning.plan))
                                    : QStringLiteral("Nie moge przygotowac szablonu : ") +
                                          QString::fromStdString(planning.problem));
}

TemplateChoice TemplateDialog::choice() const {
    TemplateChoice choice;
    choice.settings.paper = static_cast<core::PaperSize>(m_paper->currentData().toInt());
    choice.settings.orientation =
        static_cast<core::PageOrientation>(m_orientation->currentData().toInt());
    choice.settings.overlapMm = m_overlap->value();
    choice.settings.scaleXPercent = m_scaleX->value();
    choice.settings.scaleYPercent = m_scaleY->value();
    choice.action = m_action;
    return choice;
}

} // namespace blachorys::gui
