#include "common/gui/jobwindow.h"

#include "common/core/base/numbertext.h"
#include "common/core/job/jobgroups.h"
#include "common/gui/filesaving.h"
#include "common/gui/prompts.h"
#include "common/io/atomicfile.h"
#include "common/io/reportdate.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace blachorys::gui {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

const char* const kNestingFilter = "Rozkrój - DXF R2000|*.dxf|Rozkrój - DXF R12 (starsze "
                                   "sterowniki)|*.dxf|Rozkrój - PDF|*.pdf";

QTableWidgetItem* cell(const QString& text, bool editable) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(editable ? item->flags() | Qt::ItemIsEditable
                            : item->flags() & ~Qt::ItemIsEditable);
    return item;
}

/** "mniejsza, wieksza": the developments an entry cuts, by key; empty without a choice. */
QString developmentKeys(const core::JobEntry& entry, const core::CalculatorDefinition& definition) {
    QStringList keys;
    for (const std::size_t d : entry.developments) {
        if (d < definition.developments.size()) {
            keys << q(definition.developments[d].key);
        }
    }
    return keys.join(QStringLiteral(", "));
}

/** The developments of typed keys, ascending; nothing for a key the calculator has not. */
std::optional<std::vector<std::size_t>>
developmentsOf(const QString& text, const core::CalculatorDefinition& definition) {
    std::vector<std::size_t> indices;
    for (const QString& key : text.split(u',', Qt::SkipEmptyParts)) {
        const auto index = core::developmentIndex(definition, key.trimmed().toStdString());
        if (!index || key.trimmed().isEmpty()) {
            return std::nullopt;
        }
        indices.push_back(*index);
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* made = new QPushButton(QString::fromUtf8(caption), parent);
    made->setObjectName(QString::fromUtf8(name));
    return made;
}

} // namespace

JobWindow::JobWindow(const GuiContext& context, const core::CalculatorLookup& lookup,
                     QWidget* parent)
    : QWidget(parent), m_context(context), m_lookup(lookup) {
    setObjectName(QStringLiteral("TZlecenie"));
    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Zlecenie"), this));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("NazwaZlecenia"));
    m_name->setMaxLength(static_cast<int>(core::kLongestJobName));
    nameRow->addWidget(m_name, 1);
    auto* plate = button(this, "ArkuszZlecenia", "Arkusz");
    nameRow->addWidget(plate);
    layout->addLayout(nameRow);

    m_table = new QTableWidget(0, Columns, this);
    m_table->setObjectName(QStringLiteral("TabelaZlecenia"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Oznaczenie"), QStringLiteral("Kalkulator"),
                                        QStringLiteral("Rozwinięcia"), QStringLiteral("Wymiary"),
                                        QStringLiteral("t [mm]"), QStringLiteral("Szt."),
                                        QStringLiteral("Masa [kg]")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("MasaZlecenia"));
    layout->addWidget(m_total);

    auto* entryRow = new QHBoxLayout;
    auto* remove = button(this, "UsunPozycje", "Usuń pozycję");
    auto* reopen = button(this, "OtworzPozycje", "Otwórz w kalkulatorze");
    entryRow->addWidget(remove);
    entryRow->addWidget(reopen);
    entryRow->addStretch(1);
    auto* report = button(this, "ZapiszRaportZlecenia", "Zapisz raport - TXT");
    auto* nesting = button(this, "RozkrojZlecenia", "Rozkrój na arkuszach");
    auto* cnc = button(this, "CncZlecenia", "DXF dla CNC do folderu");
    entryRow->addWidget(report);
    entryRow->addWidget(nesting);
    entryRow->addWidget(cnc);
    layout->addLayout(entryRow);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusZlecenia"));
    layout->addWidget(m_status);

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& name) {
        m_job.name = name.toStdString();
        m_outputs.job.name = m_job.name;
        m_modified = true;
        updateTitle();
    });
    connect(plate, &QPushButton::clicked, this, &JobWindow::ArkuszZleceniaClick);
    connect(m_table, &QTableWidget::itemChanged, this, &JobWindow::cellEdited);
    connect(remove, &QPushButton::clicked, this, &JobWindow::UsunPozycjeClick);
    connect(reopen, &QPushButton::clicked, this, &JobWindow::OtworzPozycjeClick);
    connect(report, &QPushButton::clicked, this, &JobWindow::ZapiszRaportClick);
    connect(nesting, &QPushButton::clicked, this, &JobWindow::RozkrojZleceniaClick);
    connect(cnc, &QPushButton::clicked, this, &JobWindow::CncZleceniaClick);
    setJob({"Nowe zlecenie", {}, {}, {}}, {});
}

void JobWindow::setJob(core::Job job, QString path) {
    m_job = std::move(job);
    m_path = std::move(path);
    m_modified = false;
    m_outputs =
        render::jobOutputsOf(m_job, m_lookup, io::reportDateText(m_context.today()).toStdString());
    refill();
}

bool JobWindow::openJob(core::Job job, QString path) {
    render::JobOutputs outputs =
        render::jobOutputsOf(job, m_lookup, io::reportDateText(m_context.today()).toStdString());
    if (!outputs.calculation.ok()) {
        m_context.prompts.error(this, QStringLiteral("Nie mozna otworzyc zlecenia : ") +
                                          q(outputs.calculation.problems.front()));
        return false;
    }
    m_job = std::move(job);
    m_outputs = std::move(outputs);
    m_path = std::move(path);
    m_modified = false;
    refill();
    return true;
}

void JobWindow::markSaved(QString path) {
    m_path = std::move(path);
    m_modified = false;
    m_status->setText(QStringLiteral("Zapisano: ") + QDir::toNativeSeparators(m_path));
    updateTitle();
}

bool JobWindow::tryJob(core::Job candidate) {
    render::JobOutputs outputs = render::jobOutputsOf(
        candidate, m_lookup, io::reportDateText(m_context.today()).toStdString());
    if (!outputs.calculation.ok()) {
        m_context.prompts.warning(this, QStringLiteral("Zlecenie bez zmian : ") +
                                            q(outputs.calculation.problems.front()));
        refill();
        return false;
    }
    m_job = std::move(candidate);
    m_outputs = std::move(outputs);
    m_modified = true;
    refill();
    return true;
}

bool JobWindow::addEntry(const core::Calculator& calculator, const core::CalculatorInputs& inputs,
                         const core::EdgeTexts& edge) {
    core::Job candidate = m_job;
    core::JobEntry entry = core::newEntry(calculator, core::nextMark(m_job));
    entry.inputs = inputs;
    entry.edge = edge;
    candidate.entries.push_back(std::move(entry));
    return tryJob(std::move(candidate));
}

int JobWindow::currentEntry() const {
    const int row = m_table->currentRow();
    return row >= 0 && static_cast<std::size_t>(row) < m_job.entries.size() ? row : -1;
}

void JobWindow::cellEdited(QTableWidgetItem* item) {
    const auto row = static_cast<std::size_t>(item->row());
    if (row >= m_job.entries.size()) {
        return;
    }
    core::Job candidate = m_job;
    core::JobEntry& entry = candidate.entries[row];
    const QString text = item->text().trimmed();
    if (item->column() == Mark) {
        entry.mark = text.toStdString();
    } else if (item->column() == Count) {
        bool ok = false;
        entry.count = text.toInt(&ok);
        if (!ok) {
            entry.count = 0;
        }
    } else if (item->column() == Developments) {
        const core::Calculator* calculator = m_lookup(entry.calculator);
        const auto developments =
            calculator != nullptr ? developmentsOf(text, calculator->definition()) : std::nullopt;
        if (!developments) {
            m_context.prompts.warning(this, QStringLiteral("Nieznane rozwiniecie : ") + text);
            refill();
            return;
        }
        entry.developments = *developments;
    } else {
        return;
    }
    // Checked as a job file's entry is: the mark, the count and what is cut.
    tryJob(std::move(candidate));
}

void JobWindow::refill() {
    const QSignalBlocker blocker(m_table);
    const int current = m_table->currentRow();
    m_name->setText(q(m_job.name));
    const std::vector<core::JobEntrySummary> summaries =
        m_outputs.calculation.ok() ? core::entrySummaries(m_job, m_outputs.calculation)
                                   : std::vector<core::JobEntrySummary>(m_job.entries.size());
    m_table->setRowCount(static_cast<int>(m_job.entries.size()));
    for (std::size_t e = 0; e < m_job.entries.size(); ++e) {
        const core::JobEntry& entry = m_job.entries[e];
        const core::Calculator* calculator = m_lookup(entry.calculator);
        const bool choice = calculator != nullptr && !calculator->definition().developments.empty();
        const auto row = static_cast<int>(e);
        m_table->setItem(row, Mark, cell(q(entry.mark), true));
        m_table->setItem(row, CalculatorKey,
                         cell(calculator != nullptr ? q(calculator->definition().window.caption)
                                                    : q(entry.calculator),
                              false));
        m_table->setItem(
            row, Developments,
            cell(choice ? developmentKeys(entry, calculator->definition()) : QString(), choice));
        m_table->setItem(row, Sizes, cell(q(summaries[e].sizes), false));
        m_table->setItem(row, Thickness, cell(q(summaries[e].thickness), false));
        m_table->setItem(row, Count, cell(QString::number(entry.count), true));
        m_table->setItem(row, Mass, cell(q(core::formatFixed(summaries[e].massKg, 2)), false));
    }
    m_table->resizeColumnsToContents();
    if (current >= 0 && current < m_table->rowCount()) {
        m_table->setCurrentCell(current, 0);
    }
    m_total->setText(QStringLiteral("Arkusz ") + q(m_job.plate.plate) + QStringLiteral(" , ") +
                     q(m_job.plate.material) + QStringLiteral(" , masa calkowita : ") +
                     q(core::formatFixed(core::jobMass(m_outputs.groups), 2)) +
                     QStringLiteral(" kg"));
    updateTitle();
}

void JobWindow::updateTitle() {
    const QString file =
        m_path.isEmpty() ? QString() : QStringLiteral(" - ") + QDir::toNativeSeparators(m_path);
    setWindowTitle(QStringLiteral("Zlecenie : ") + q(m_job.name) + file +
                   (m_modified ? QStringLiteral(" *") : QString()));
    emit titleChanged();
}

void JobWindow::closeEvent(QCloseEvent* event) {
    if (m_modified && !m_context.prompts.askYesNo(
                          this, QStringLiteral("Zlecenie ma niezapisane zmiany. Porzucić je?"))) {
        event->ignore();
        return;
    }
    // Let go once: closing the window again, as the program does on its way out, asks no more.
    m_modified = false;
    event->accept();
}

void JobWindow::UsunPozycjeClick() {
    const int entry = currentEntry();
    if (entry < 0) {
        return;
    }
    core::Job candidate = m_job;
    candidate.entries.erase(candidate.entries.begin() + entry);
    tryJob(std::move(candidate));
}

void JobWindow::OtworzPozycjeClick() {
    const int entry = currentEntry();
    if (entry >= 0) {
        emit reopenRequested(entry);
    }
}

void JobWindow::ArkuszZleceniaClick() {
    const auto texts = m_context.prompts.plateDialog(this, m_job.plate);
    if (!texts) {
        return;
    }
    core::Job candidate = m_job;
    candidate.plate = *texts;
    tryJob(std::move(candidate));
}

bool JobWindow::outputsReady() {
    if (m_job.entries.empty()) {
        m_context.prompts.error(this, QStringLiteral("Zlecenie nie ma pozycji"));
        return false;
    }
    return m_outputs.calculation.ok();
}

void JobWindow::saveFile(const QString& filter, const QString& name,
                         const std::function<render::OutputFile(int filterIndex)>& make) {
    if (!outputsReady()) {
        return;
    }
    const QString folder =
        m_path.isEmpty() ? m_context.savedInputsDirectory : QFileInfo(m_path).absolutePath();
    const auto outcome =
        saveThroughDialog(m_context.prompts, this, filter, QDir(folder).filePath(name),
                          [&make](const QString& path, int filterIndex) -> std::optional<QString> {
                              const render::OutputFile file = make(filterIndex);
                              if (file.problem) {
                                  return file.problem;
                              }
                              return io::writeFileAtomically(path, file.bytes);
                          });
    if (outcome && outcome->written) {
        m_status->setText(QStringLiteral("Zapisano: ") + QDir::toNativeSeparators(outcome->path));
    }
}

void JobWindow::ZapiszRaportClick() {
    saveFile(QStringLiteral("Plik tekstowy - TXT|*.txt"), QStringLiteral("zlecenie.txt"),
             [this](int) { return render::jobReportFile(m_outputs); });
}

void JobWindow::RozkrojZleceniaClick() {
    saveFile(QString::fromUtf8(kNestingFilter), QStringLiteral("zlecenie_rozkroj.dxf"),
             [this](int filterIndex) {
                 return filterIndex == 2
                            ? render::jobNestingPdfFile(m_outputs)
                            : render::jobNestingDxfFile(m_outputs, filterIndex == 1
                                                                       ? cnc::DxfVersion::R12
                                                                       : cnc::DxfVersion::R2000);
             });
}

void JobWindow::CncZleceniaClick() {
    if (!outputsReady()) {
        return;
    }
    const auto folder = m_context.prompts.folderName(
        this, m_path.isEmpty() ? m_context.savedInputsDirectory : QFileInfo(m_path).absolutePath());
    if (!folder) {
        return;
    }
    int written = 0;
    for (const render::NamedFile& file : render::jobCncFiles(m_outputs, cnc::DxfVersion::R2000)) {
        const QString path = QDir(*folder).filePath(file.name);
        const auto failure =
            file.file.problem ? file.file.problem : io::writeFileAtomically(path, file.file.bytes);
        if (failure) {
            m_context.prompts.error(this, QStringLiteral("Nie moge zapisac pliku ") +
                                              QDir::toNativeSeparators(path) +
                                              QStringLiteral(" : ") + *failure);
            return;
        }
        ++written;
    }
    m_status->setText(QStringLiteral("Zapisano: ") + QString::number(written) +
                      QStringLiteral(" plikow DXF w ") + QDir::toNativeSeparators(*folder));
}

} // namespace blachorys::gui
