#pragma once

#include "common/core/calculator/pointreport.h"
#include "common/core/sheets/dxftemplatewriter.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace blachorys::io {

/** The bytes of the TXT file: the whole report in Windows-1250, CR LF after every line. */
QByteArray reportFileBytes(const core::PointReport& report);

/** The bytes of the DXF file. */
QByteArray dxfFileBytes(const std::vector<core::DxfLine>& lines);

/** The whole report (header, results, footer) as a TXT file; returns the failure, if any. */
std::optional<QString> writeReportFile(const QString& path, const core::PointReport& report);

/** The template DXF; returns the failure, if any. */
std::optional<QString> writeDxfFile(const QString& path, const std::vector<core::DxfLine>& lines);

} // namespace blachorys::io
