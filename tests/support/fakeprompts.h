#pragma once

#include "common/gui/prompts.h"
#include "support/qtprinters.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace blachorys::test {

/** What a window asked of the user. */
struct Prompt {
    enum class Kind {
        Warning,
        Error,
        YesNo,
        SaveFile,
        Print,
        OpenUrl,
        Modal,
        Template,
        Plate,
        Edge,
        OpenFile,
        Folder
    };
    Kind kind;
    QString text;          ///< message, URL, or the window's object name for Modal
    QString filter;        ///< SaveFile only
    QString initialName;   ///< SaveFile only
    int pageCount = 0;     ///< Print only: the pages a range could be chosen from, 0 for none
    int chosenFilter = 0;  ///< SaveFile only: the filter the answer chose, 0 for the first
    int initialFilter = 0; ///< SaveFile only: the filter the dialog opened with
};

/**
 * Records every prompt and answers from queues the test fills. A question or dialog with no
 * queued answer fails the test (instead of blocking) and is answered No / cancelled.
 */
class FakePrompts final : public gui::Prompts {
public:
    void warning(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    std::optional<gui::FileChoice> saveFileName(QWidget* parent, const QString& filter,
                                                const QString& initialName,
                                                int initialFilter = 0) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& filter,
                                        const QString& initialName) override;
    std::optional<QString> folderName(QWidget* parent, const QString& initialFolder) override;
    bool printDialog(QWidget* parent, QPrinter& printer, int pageCount = 0) override;
    void openUrl(const QUrl& url) override;
    std::optional<gui::TemplateChoice> templateDialog(QWidget* parent,
                                                      const core::TemplateSettings& initial,
                                                      const core::Pattern& pattern) override;
    std::optional<core::PlateTexts> plateDialog(QWidget* parent,
                                                const core::PlateTexts& initial) override;
    std::optional<core::EdgeTexts> edgeDialog(QWidget* parent,
                                              const core::EdgeTexts& initial) override;
    void runModal(QDialog& dialog) override;
    /** The next edge dialog closes with these texts; nothing means it is cancelled. */
    void answerEdge(std::optional<core::EdgeTexts> texts) { m_edges.push_back(std::move(texts)); }
    /** The next plate dialog closes with these texts; nothing means it is cancelled. */
    void answerPlate(std::optional<core::PlateTexts> texts) {
        m_plates.push_back(std::move(texts));
    }

    void answerYesNo(bool yes) { m_yesNo.push_back(yes); }
    /**
     * The next save dialog returns `path`; `afterwards` runs once it has answered (a directory
     * removed meanwhile, say).
     */
    void answerSaveFile(const QString& path, std::function<void()> afterwards = {}) {
        m_saveFiles.push_back({true, path, 0, std::move(afterwards)});
    }
    /** The next save dialog returns `path` with its filter `filterIndex` chosen. */
    void answerSaveFileWithFilter(const QString& path, int filterIndex,
                                  std::function<void()> afterwards = {}) {
        m_saveFiles.push_back({true, path, filterIndex, std::move(afterwards)});
    }
    void cancelSaveFile() { m_saveFiles.push_back({false, {}, 0, {}}); }
    /** The next open dialog returns `path`; nothing cancels it. */
    void answerOpenFile(std::optional<QString> path) { m_openFiles.push_back(std::move(path)); }
    /** The next folder dialog returns `path`; nothing cancels it. */
    void answerFolder(std::optional<QString> path) { m_folders.push_back(std::move(path)); }
    /**
     * The next print dialog is confirmed and prints to this PDF file, the pages `first` to
     * `last` when given; nothing cancels it.
     */
    void answerPrintToPdf(std::optional<QString> pdfPath, int first = 0, int last = 0) {
        m_prints.push_back({std::move(pdfPath), first, last});
    }
    /** The next template dialog closes with this choice; nothing means it is cancelled. */
    void answerTemplate(std::optional<gui::TemplateChoice> choice) {
        m_templates.push_back(std::move(choice));
    }
    /** The settings the last template dialog opened with. */
    const core::TemplateSettings& lastTemplateSettings() const { return m_lastTemplateSettings; }
    /** Called with the dialog while it is shown modally (it is then hidden again). */
    void onModal(std::function<void(QDialog&)> action) { m_modal = std::move(action); }

    const std::vector<Prompt>& prompts() const { return m_prompts; }
    /** Texts of the prompts of one kind, in order. */
    QStringList texts(Prompt::Kind kind) const;
    void clear() { m_prompts.clear(); }

private:
    std::vector<Prompt> m_prompts;
    std::deque<bool> m_yesNo;
    struct SaveAnswer {
        bool chosen = false;
        QString path;
        int filterIndex = 0;
        std::function<void()> afterwards;
    };
    std::deque<SaveAnswer> m_saveFiles;
    std::deque<std::optional<QString>> m_openFiles;
    std::deque<std::optional<QString>> m_folders;
    struct PrintAnswer {
        std::optional<QString> pdfPath;
        int first = 0;
        int last = 0;
    };
    std::deque<PrintAnswer> m_prints;
    std::deque<std::optional<gui::TemplateChoice>> m_templates;
    std::deque<std::optional<core::PlateTexts>> m_plates;
    std::deque<std::optional<core::EdgeTexts>> m_edges;
    core::TemplateSettings m_lastTemplateSettings;
    std::function<void(QDialog&)> m_modal;
};

} // namespace blachorys::test
