#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace blachorys::io {

/**
 * Replaces the file at `path` with `bytes` in one step: the bytes go to a temporary file
 * beside it, which takes the old file's place only once everything is written. A failure
 * leaves any earlier file as it was. Where `path` is a device, a FIFO or a socket, the bytes
 * are written to it directly, so that no special file is ever replaced by a regular one.
 * Returns the failure's description, or nothing.
 */
std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace blachorys::io
