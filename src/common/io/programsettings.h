#pragma once

#include "common/core/templatesettings.h"

#include <QByteArray>
#include <QString>

namespace blachorys::io {

/** The file beside the saved inputs that keeps what the program remembers of its windows. */
inline constexpr const char* kProgramSettingsFileName = "blachorys.ini";

/**
 * What the program remembers between runs besides the inputs and the printer's correction: the
 * main window's place and size, whether the information window greets every return, the folder
 * each kind of file was last saved in, the template's paper, orientation and overlap. An INI
 * file in `directory`; what it lacks, or holds out of range, reads as the first run's value.
 * A file that cannot be written is not an error: the next run starts as the first did.
 */
class ProgramSettings {
public:
    explicit ProgramSettings(const QString& directory);

    /** The main window's geometry as Qt saves it; empty the first time. */
    QByteArray mainWindowGeometry() const;
    void setMainWindowGeometry(const QByteArray& geometry);

    /** Whether the information window comes back whenever the program is activated again. */
    bool showInfoOnReturn() const;
    void setShowInfoOnReturn(bool show);

    /** The folder a kind of file ("txt") was last saved in; empty the first time. */
    QString lastFolder(const QString& kind) const;
    void setLastFolder(const QString& kind, const QString& folder);

    /** `settings` with the paper, orientation and overlap last chosen. */
    core::TemplateSettings templateLayout(core::TemplateSettings settings) const;
    /** Remembers the paper, orientation and overlap of `settings`. */
    void setTemplateLayout(const core::TemplateSettings& settings);

    QString path() const { return m_path; }

private:
    QString m_path;
};

} // namespace blachorys::io
