#pragma once

#include "common/core/calculator/edgetexts.h"
#include "common/core/calculator/platetexts.h"
#include "common/core/sheets/templatesettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace blachorys::io {

/** The menu offers this many of the job files last used. */
inline constexpr qsizetype kRecentJobs = 4;

/** The file beside the saved inputs that keeps what the program remembers of its windows. */
inline constexpr const char* kProgramSettingsFileName = "blachorys.ini";

/**
 * What the program remembers between runs besides the inputs and the printer's correction: the
 * main window's place and size, whether the information window greets every return, the folder
 * the last file was saved in and the filter each kind's dialog last chose, the template's paper,
 * orientation and overlap. An INI file in `directory`; what it lacks, or holds out of range, reads
 * as the first run's value. A file that cannot be written is not an error: the next run starts as
 * the first did.
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

    /**
     * The folder the last file of any kind was saved in, so that the files of one job go
     * together; empty the first time.
     */
    QString lastSaveFolder() const;
    void setLastSaveFolder(const QString& folder);

    /** The save dialog's filter last chosen for a kind of file ("nesting-dxf"); 0 the first time.
     */
    int lastFilter(const QString& kind) const;
    void setLastFilter(const QString& kind, int filterIndex);

    /** `settings` with the paper, orientation and overlap last chosen. */
    core::TemplateSettings templateLayout(core::TemplateSettings settings) const;
    /** Remembers the paper, orientation and overlap of `settings`. */
    void setTemplateLayout(const core::TemplateSettings& settings);

    /**
     * The plate, material, parts and gap last used in the calculator window of `windowKey`;
     * the first run's when they were never kept, or no longer read.
     */
    core::PlateTexts plateTexts(const QString& windowKey) const;
    void setPlateTexts(const QString& windowKey, const core::PlateTexts& texts);
    /** The edge preparation last used in the window of `windowKey`; the defaults at first. */
    core::EdgeTexts edgeTexts(const QString& windowKey) const;
    void setEdgeTexts(const QString& windowKey, const core::EdgeTexts& texts);

    /** The job files last opened or saved, the latest first, at most kRecentJobs. */
    QStringList recentJobs() const;
    /** Puts `path` first among the recent jobs. */
    void addRecentJob(const QString& path);

    QString path() const { return m_path; }

private:
    QString m_path;
};

} // namespace blachorys::io
