#pragma once

#include "common/core/dxftemplatewriter.h"
#include "common/core/pointreport.h"

#include <QString>

#include <optional>
#include <vector>

namespace blachorys::io {

/** The whole report (header, results, footer) as a TXT file; returns the failure, if any. */
std::optional<QString> writeReportFile(const QString& path, const core::PointReport& report);

/** The template DXF; returns the failure, if any. */
std::optional<QString> writeDxfFile(const QString& path, const std::vector<core::DxfLine>& lines);

} // namespace blachorys::io
