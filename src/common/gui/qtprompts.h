#pragma once

#include "common/gui/prompts.h"

namespace blachorys::gui {

/** The desktop's own boxes and dialogs. */
class QtPrompts final : public Prompts {
public:
    void warning(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    std::optional<FileChoice> saveFileName(QWidget* parent, const QString& filter,
                                           const QString& initialName,
                                           int initialFilter = 0) override;
    bool printDialog(QWidget* parent, QPrinter& printer, int pageCount = 0) override;
    void openUrl(const QUrl& url) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& filter,
                                        const QString& initialName) override;
    std::optional<QString> folderName(QWidget* parent, const QString& initialFolder) override;
    std::optional<TemplateChoice> templateDialog(QWidget* parent,
                                                 const core::TemplateSettings& initial,
                                                 const core::Pattern& pattern) override;
    std::optional<core::EdgeTexts> edgeDialog(QWidget* parent,
                                              const core::EdgeTexts& initial) override;
    std::optional<core::PlateTexts> plateDialog(QWidget* parent,
                                                const core::PlateTexts& initial) override;
    void runModal(QDialog& dialog) override;
};

} // namespace blachorys::gui
