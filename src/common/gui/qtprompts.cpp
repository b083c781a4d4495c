#include "common/gui/qtprompts.h"

#include "common/gui/edgegroup.h"
#include "common/gui/hintrouter.h"
#include "common/gui/plategroup.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "common/gui/templatedialog.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include <algorithm>

namespace blachorys::gui {
namespace {

/** "Plik tekstowy - TXT|*.txt" in the file dialog's own form, "Plik tekstowy - TXT (*.txt)". */
/** A group of texts in a dialog of its own, opened with `initial`; nothing when cancelled. */
template <typename Group, typename Texts>
std::optional<Texts> groupDialog(QWidget* parent, const QString& title, const Texts& initial) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    HintRouter hints;
    auto* group = new Group(hints, &dialog);
    group->setTexts(initial);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(group);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return group->texts();
}

QStringList dialogFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    }
    return filters;
}

} // namespace

void QtPrompts::warning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Ostrzeżenie"), text, QMessageBox::Ok);
}

void QtPrompts::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Błąd"), text, QMessageBox::Ok);
}

bool QtPrompts::askYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::information(parent, QStringLiteral("Informacja"), text,
                                    QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No) == QMessageBox::Yes;
}

std::optional<FileChoice> QtPrompts::saveFileName(QWidget* parent, const QString& filter,
                                                  const QString& initialName, int initialFilter) {
    const QStringList filters = dialogFilters(filter);
    QString chosenFilter = filters.value(initialFilter, filters.value(0));
    // The overwrite question is the program's own, so the dialog must not ask it too.
    const QString name = QFileDialog::getSaveFileName(
        parent, QString(), initialName, filters.join(QStringLiteral(";;")), &chosenFilter,
        QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return FileChoice{name,
                      static_cast<int>(std::max<qsizetype>(0, filters.indexOf(chosenFilter)))};
}

std::optional<QString> QtPrompts::openFileName(QWidget* parent, const QString& filter,
                                               const QString& initialName) {
    const QString name = QFileDialog::getOpenFileName(
        parent, QString(), initialName, dialogFilters(filter).join(QStringLiteral(";;")));
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QString> QtPrompts::folderName(QWidget* parent, const QString& initialFolder) {
    const QString name = QFileDialog::getExistingDirectory(parent, QString(), initialFolder);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

bool QtPrompts::printDialog(QWidget* parent, QPrinter& printer, int pageCount) {
    QPrintDialog dialog(&printer, parent);
    // The program prints the chosen pages itself, so the dialog offers them by their numbers.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pageCount > 0);
    if (pageCount > 0) {
        dialog.setMinMax(1, pageCount);
        printer.setFromTo(1, pageCount);
    }
    return dialog.exec() == QDialog::Accepted;
}

void QtPrompts::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

std::optional<TemplateChoice> QtPrompts::templateDialog(QWidget* parent,
                                                        const core::TemplateSettings& initial,
                                                        const core::Pattern& pattern) {
    TemplateDialog dialog(initial, pattern, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

std::optional<core::PlateTexts> QtPrompts::plateDialog(QWidget* parent,
                                                       const core::PlateTexts& initial) {
    return groupDialog<PlateGroup>(parent, QStringLiteral("Arkusz i materiał"), initial);
}

std::optional<core::EdgeTexts> QtPrompts::edgeDialog(QWidget* parent,
                                                     const core::EdgeTexts& initial) {
    return groupDialog<EdgeGroup>(parent, QStringLiteral("Przygotowanie krawędzi"), initial);
}

void QtPrompts::runModal(QDialog& dialog) {
    dialog.exec();
}

} // namespace blachorys::gui
