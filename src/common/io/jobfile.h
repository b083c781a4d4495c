#pragma once

#include "common/core/job/job.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace blachorys::io {

/** The layout of the job files this program writes; a later one it refuses to read. */
inline constexpr int kJobFileVersion = 1;
/** A job file is read only up to this size: a hundred entries take some 100 kB. */
inline constexpr qint64 kLargestJobFileBytes = 1024 * 1024;

/**
 * The job as a JSON text a person can read and diff: its version, name, plate, material per
 * thickness and gap, and each entry with its calculator, mark, count, developments by key and
 * inputs as the calculator's saved-input lines (`core::savedInputLines`). An entry of a
 * calculator `lookup` does not know is written without inputs.
 */
QByteArray jobFileBytes(const core::Job& job, const core::CalculatorLookup& lookup);

/** A job read from a file, or why it is refused (Polish, for the window and the command line). */
struct JobReading {
    std::optional<core::Job> job;
    QString problem;
};

/**
 * The job of a job file's bytes. The file is untrusted: one of a later version, one that is not
 * whole JSON, or one whose values are of the wrong kind, out of range or too many (an unknown
 * calculator, a count beyond any job, inputs that are not the calculator's saved-input lines
 * exactly) is refused, in bounded time and memory.
 */
JobReading readJobFile(const QByteArray& bytes, const core::CalculatorLookup& lookup);

/** The job of the file at `path`, read as `readJobFile` does; refused when it cannot be read. */
JobReading loadJobFile(const QString& path, const core::CalculatorLookup& lookup);

/** Writes the job atomically (`writeFileAtomically`); returns the failure, if any. */
std::optional<QString> saveJobFile(const QString& path, const core::Job& job,
                                   const core::CalculatorLookup& lookup);

} // namespace blachorys::io
