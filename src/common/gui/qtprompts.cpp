#include "common/gui/qtprompts.h"

#include "common/gui/templatedialog.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace blachorys::gui {
namespace {

/** "Plik tekstowy - TXT|*.txt" in the file dialog's own form, "Plik tekstowy - TXT (*.txt)". */
QString dialogFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    }
    return filters.join(QStringLiteral(";;"));
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

std::optional<QString> QtPrompts::saveFileName(QWidget* parent, const QString& filter,
                                               const QString& initialName) {
    // The overwrite question is the program's own, so the dialog must not ask it too.
    const QString name =
        QFileDialog::getSaveFileName(parent, QString(), initialName, dialogFilter(filter), nullptr,
                                     QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty()) {
        return std::nullopt;
    }
    return name;
}

bool QtPrompts::printDialog(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrompts::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

std::optional<TemplateChoice> QtPrompts::templateDialog(QWidget* parent,
                                                        const core::TemplateSettings& initial) {
    TemplateDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.choice();
}

void QtPrompts::runModal(QDialog& dialog) {
    dialog.exec();
}

} // namespace blachorys::gui
