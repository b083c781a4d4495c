#include "common/io/outputfiles.h"

#include "common/io/atomicfile.h"
#include "common/io/windows1250.h"

namespace blachorys::io {

QByteArray reportFileBytes(const core::PointReport& report) {
    return linesToWindows1250(report.allLines());
}

QByteArray dxfFileBytes(const std::vector<core::DxfLine>& lines) {
    return toWindows1250(QString::fromStdString(core::DxfTemplateWriter::documentText(lines)));
}

std::optional<QString> writeReportFile(const QString& path, const core::PointReport& report) {
    return writeFileAtomically(path, reportFileBytes(report));
}

std::optional<QString> writeDxfFile(const QString& path, const std::vector<core::DxfLine>& lines) {
    return writeFileAtomically(path, dxfFileBytes(lines));
}

} // namespace blachorys::io
