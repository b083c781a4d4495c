#pragma once

#include "common/core/calculator/edgetexts.h"
#include "common/core/calculator/platetexts.h"
#include "common/core/sheets/templateplan.h"

#include <QString>

#include <optional>

class QDialog;
class QPrinter;
class QUrl;
class QWidget;

namespace blachorys::gui {

/** What a save dialog chose: the name as typed and which of its filters was chosen. */
struct FileChoice {
    QString name;
    int filterIndex = 0; ///< 0 for the first filter
};

/** What the template dialog chose: the settings, then printing or a PDF file. */
struct TemplateChoice {
    enum class Action { Print, SavePdf };
    core::TemplateSettings settings;
    Action action = Action::Print;
};

/**
 * Every modal interaction of the windows goes through here: the program uses QtPrompts,
 * tests a fake that records each prompt and answers as told.
 */
class Prompts {
public:
    virtual ~Prompts() = default;

    /** A warning box with one OK button. */
    virtual void warning(QWidget* parent, const QString& text) = 0;
    /** An error box with one OK button. */
    virtual void error(QWidget* parent, const QString& text) = 0;
    /** An information box with Yes and No; true only for Yes. */
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    /**
     * The file-save dialog, opened at `initialName` (its folder and name) with the filters of
     * `filter` ("caption|*.ext|caption|*.ext"), the one of index `initialFilter` chosen;
     * nothing when cancelled. The name is as typed.
     */
    virtual std::optional<FileChoice> saveFileName(QWidget* parent, const QString& filter,
                                                   const QString& initialName,
                                                   int initialFilter = 0) = 0;
    /**
     * The file-open dialog, opened at `initialName` with the filters of `filter`; nothing when
     * cancelled.
     */
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& filter,
                                                const QString& initialName) = 0;
    /** The folder dialog, opened at `initialFolder`; nothing when cancelled. */
    virtual std::optional<QString> folderName(QWidget* parent, const QString& initialFolder) = 0;
    /**
     * The print dialog for `printer`; true when the user confirms. A document of `pageCount`
     * pages (more than 0) lets a range of them be chosen, which the printer then holds.
     */
    virtual bool printDialog(QWidget* parent, QPrinter& printer, int pageCount = 0) = 0;
    /** Hands an address (web page or "mailto:") to the desktop; failures are not reported. */
    virtual void openUrl(const QUrl& url) = 0;
    /**
     * The full-scale template's dialog, opened with `initial`, showing the sheets `pattern`
     * takes; nothing when cancelled.
     */
    virtual std::optional<TemplateChoice> templateDialog(QWidget* parent,
                                                         const core::TemplateSettings& initial,
                                                         const core::Pattern& pattern) = 0;
    /** The plate, material and gap of a window's job, opened with `initial`; nothing when
     * cancelled. */
    virtual std::optional<core::PlateTexts> plateDialog(QWidget* parent,
                                                        const core::PlateTexts& initial) = 0;
    /** How a welded cut's edge is prepared, opened with `initial`; nothing when cancelled. */
    virtual std::optional<core::EdgeTexts> edgeDialog(QWidget* parent,
                                                      const core::EdgeTexts& initial) = 0;
    /** Shows a window modally and returns when it is closed. */
    virtual void runModal(QDialog& dialog) = 0;
};

} // namespace blachorys::gui
