#include "support/fakeprompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPrinter>
#include <QUrl>

#include <gtest/gtest.h>

namespace blachorys::test {

void FakePrompts::warning(QWidget*, const QString& text) {
    m_prompts.push_back({Prompt::Kind::Warning, text, {}, {}});
}

void FakePrompts::error(QWidget*, const QString& text) {
    m_prompts.push_back({Prompt::Kind::Error, text, {}, {}});
}

bool FakePrompts::askYesNo(QWidget*, const QString& text) {
    m_prompts.push_back({Prompt::Kind::YesNo, text, {}, {}});
    if (m_yesNo.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = m_yesNo.front();
    m_yesNo.pop_front();
    return answer;
}

std::optional<gui::FileChoice> FakePrompts::saveFileName(QWidget*, const QString& filter,
                                                         const QString& initialName,
                                                         int initialFilter) {
    m_prompts.push_back({Prompt::Kind::SaveFile, {}, filter, initialName});
    m_prompts.back().initialFilter = initialFilter;
    if (m_saveFiles.empty()) {
        ADD_FAILURE() << "unexpected save dialog, filter " << filter.toStdString();
        return std::nullopt;
    }
    const SaveAnswer answer = m_saveFiles.front();
    m_saveFiles.pop_front();
    m_prompts.back().chosenFilter = answer.filterIndex;
    const auto filters = filter.count(u'|') / 2 + 1;
    EXPECT_LT(answer.filterIndex, filters) << "no such filter in " << filter.toStdString();
    if (answer.afterwards) {
        answer.afterwards();
    }
    if (!answer.chosen) {
        return std::nullopt;
    }
    return gui::FileChoice{answer.path, answer.filterIndex};
}

std::optional<QString> FakePrompts::openFileName(QWidget*, const QString& filter,
                                                 const QString& initialName) {
    m_prompts.push_back({Prompt::Kind::OpenFile, {}, filter, initialName});
    if (m_openFiles.empty()) {
        ADD_FAILURE() << "unexpected open dialog, filter " << filter.toStdString();
        return std::nullopt;
    }
    const bool chosen = m_openFiles.front().has_value();
    const QString answer = m_openFiles.front().value_or(QString());
    m_openFiles.pop_front();
    return chosen ? std::optional<QString>(answer) : std::nullopt;
}

std::optional<QString> FakePrompts::folderName(QWidget*, const QString& initialFolder) {
    m_prompts.push_back({Prompt::Kind::Folder, {}, {}, initialFolder});
    if (m_folders.empty()) {
        ADD_FAILURE() << "unexpected folder dialog";
        return std::nullopt;
    }
    const bool chosen = m_folders.front().has_value();
    const QString answer = m_folders.front().value_or(QString());
    m_folders.pop_front();
    return chosen ? std::optional<QString>(answer) : std::nullopt;
}

bool FakePrompts::printDialog(QWidget*, QPrinter& printer, int pageCount) {
    m_prompts.push_back({Prompt::Kind::Print, {}, {}, {}, pageCount});
    if (m_prints.empty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    }
    const PrintAnswer answer = m_prints.front();
    m_prints.pop_front();
    if (!answer.pdfPath) {
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*answer.pdfPath);
    if (answer.first > 0) {
        EXPECT_GT(pageCount, 0) << "a page range chosen where the dialog offers none";
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(answer.first, answer.last);
    }
    return true;
}

void FakePrompts::openUrl(const QUrl& url) {
    m_prompts.push_back({Prompt::Kind::OpenUrl, url.toString(), {}, {}});
}

std::optional<core::PlateTexts> FakePrompts::plateDialog(QWidget*, const core::PlateTexts&) {
    m_prompts.push_back({Prompt::Kind::Plate, {}, {}, {}});
    if (m_plates.empty()) {
        ADD_FAILURE() << "unexpected plate dialog";
        return std::nullopt;
    }
    auto answer = m_plates.front();
    m_plates.pop_front();
    return answer;
}

std::optional<core::EdgeTexts> FakePrompts::edgeDialog(QWidget*, const core::EdgeTexts&) {
    m_prompts.push_back({Prompt::Kind::Edge, {}, {}, {}});
    if (m_edges.empty()) {
        ADD_FAILURE() << "unexpected edge dialog";
        return std::nullopt;
    }
    auto answer = m_edges.front();
    m_edges.pop_front();
    return answer;
}

std::optional<gui::TemplateChoice>
FakePrompts::templateDialog(QWidget*, const core::TemplateSettings& initial, const core::Pattern&) {
    m_prompts.push_back({Prompt::Kind::Template, {}, {}, {}});
    m_lastTemplateSettings = initial;
    if (m_templates.empty()) {
        ADD_FAILURE() << "unexpected template dialog";
        return std::nullopt;
    }
    auto answer = m_templates.front();
    m_templates.pop_front();
    return answer;
}

void FakePrompts::runModal(QDialog& dialog) {
    m_prompts.push_back({Prompt::Kind::Modal, dialog.objectName(), {}, {}});
    dialog.show();
    QCoreApplication::processEvents();
    if (m_modal) {
        m_modal(dialog);
    }
    dialog.hide();
}

QStringList FakePrompts::texts(Prompt::Kind kind) const {
    QStringList result;
    for (const auto& prompt : m_prompts) {
        if (prompt.kind == kind) {
            result << prompt.text;
        }
    }
    return result;
}

} // namespace blachorys::test
