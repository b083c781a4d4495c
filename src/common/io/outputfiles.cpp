#include "common/io/outputfiles.h"

#include "common/io/atomicfile.h"
#include "common/io/windows1250.h"

namespace blachorys::io {

std::optional<QString> writeReportFile(const QString& path, const core::PointReport& report) {
    return writeFileAtomically(path, linesToWindows1250(report.allLines()));
}

std::optional<QString> writeDxfFile(const QString& path, const std::vector<core::DxfLine>& lines) {
    const std::string text = core::DxfTemplateWriter::documentText(lines);
    return writeFileAtomically(path, toWindows1250(QString::fromStdString(text)));
}

} // namespace blachorys::io
