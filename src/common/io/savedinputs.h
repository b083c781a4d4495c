#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <optional>

namespace blachorys::io {

/** Characters of a saved line that loading keeps. */
inline constexpr int kSavedInputCharacters = 20;

/**
 * The per-calculator file of raw field texts: one line per edit field in the window's
 * creation order, Windows-1250, CR LF, nothing else.
 */
class SavedInputs {
public:
    SavedInputs(QString directory, QString fileName);

    QString path() const;

    /** Writes the texts atomically; false when the file could not be written. */
    bool save(const QStringList& fieldTexts) const;

    /**
     * Reads `fieldCount` texts, each cut to its first 20 characters; a text that is not a real
     * number, or a missing line, gives "0". Nothing when there is no file. The file is
     * untrusted: any bytes, however long a line, are read safely in bounded memory.
     */
    std::optional<QStringList> load(int fieldCount) const;

private:
    QString m_directory;
    QString m_fileName;
};

/**
 * The texts of `fieldCount` fields from a saved-input file's bytes, as `SavedInputs::load`
 * reads them. Only the first few kilobytes are read, whatever the size of the file.
 */
QStringList readSavedInputs(QIODevice& device, int fieldCount);

/**
 * Where saved inputs live: the executable's directory when it can be written, otherwise the
 * per-user application data directory (an installed program). Reading uses the same place.
 */
QString savedInputsDirectory();

} // namespace blachorys::io
