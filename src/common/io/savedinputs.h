#pragma once

#include "common/core/calculator/calculatordefinition.h"

#include <QIODevice>
#include <QString>

#include <optional>

namespace blachorys::io {

/** Bytes of a saved line that loading keeps: a name, "=" and a text of 20 characters fit. */
inline constexpr int kSavedLineBytes = 64;

/**
 * A calculator's file of its inputs' texts (`core::savedInputLines`): the fields' texts one
 * per line, then the later fields and the choices by name; Windows-1250, CR LF, nothing else.
 */
class SavedInputs {
public:
    SavedInputs(QString directory, QString fileName);

    QString path() const;

    /** Writes the inputs atomically; false when the file could not be written. */
    bool save(const core::CalculatorDefinition& definition,
              const core::CalculatorInputs& inputs) const;

    /**
     * The inputs the file holds, as `core::inputsFromSavedLines` reads them; nothing when there
     * is no file. The file is untrusted: any bytes, however long a line, are read safely in
     * bounded memory.
     */
    std::optional<core::CalculatorInputs> load(const core::CalculatorDefinition& definition) const;

private:
    QString m_directory;
    QString m_fileName;
};

/**
 * The inputs of a saved-input file's bytes, as `SavedInputs::load` reads them. Only the first
 * few kilobytes are read, whatever the size of the file.
 */
core::CalculatorInputs readSavedInputs(QIODevice& device,
                                       const core::CalculatorDefinition& definition);

/**
 * Where saved inputs live: the executable's directory when it can be written, otherwise the
 * per-user application data directory (an installed program). Reading uses the same place.
 */
QString savedInputsDirectory();

} // namespace blachorys::io
