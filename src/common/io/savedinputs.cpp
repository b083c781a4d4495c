#include "common/io/savedinputs.h"

#include "common/core/calculator/savedinputformat.h"
#include "common/io/atomicfile.h"
#include "common/io/platformfiles.h"
#include "common/io/windows1250.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace blachorys::io {
namespace {

constexpr qint64 kReadChunk = 4 * 1024;
/** Bytes read beyond what the fields keep: room for long lines and stray blank lines. */
constexpr qint64 kReadMargin = 4 * 1024;

/**
 * Reads lines ended by LF, CR LF or a lone CR, keeping at most `keep` bytes of each and
 * skipping the rest. It reads no more than `budget` bytes in all: what lies beyond counts as
 * the end of the file, so a huge file costs no more time than a small one.
 */
class LimitedLineReader {
public:
    LimitedLineReader(QIODevice& device, int keep, qint64 budget)
        : m_device(device), m_keep(keep), m_budget(budget) {}

    std::optional<QByteArray> next() {
        QByteArray line;
        bool sawAnything = false;
        while (true) {
            if (m_at == m_buffer.size() && !refill()) {
                return sawAnything ? std::optional<QByteArray>(line) : std::nullopt;
            }
            sawAnything = true;
            const char c = m_buffer[m_at++];
            if (c == '\n') {
                return line;
            }
            if (c == '\r') {
                if ((m_at < m_buffer.size() || refill()) && m_buffer[m_at] == '\n') {
                    ++m_at;
                }
                return line;
            }
            if (line.size() < m_keep) {
                line.append(c);
            }
        }
    }

private:
    bool refill() {
        m_buffer = m_device.read(std::min(kReadChunk, m_budget));
        m_budget -= m_buffer.size();
        m_at = 0;
        return !m_buffer.isEmpty();
    }

    QIODevice& m_device;
    int m_keep;
    qint64 m_budget;
    QByteArray m_buffer;
    qsizetype m_at = 0;
};

} // namespace

SavedInputs::SavedInputs(QString directory, QString fileName)
    : m_directory(std::move(directory)), m_fileName(std::move(fileName)) {}

QString SavedInputs::path() const {
    return QDir(m_directory).filePath(m_fileName);
}

bool SavedInputs::save(const core::CalculatorDefinition& definition,
                       const core::CalculatorInputs& inputs) const {
    QString text;
    for (const std::string& line : core::savedInputLines(definition, inputs)) {
        text += QString::fromStdString(line);
        text += QStringLiteral("\r\n");
    }
    if (!QDir().mkpath(m_directory)) {
        return false;
    }
    return !writeFileAtomically(path(), toWindows1250(text)).has_value();
}

std::optional<core::CalculatorInputs>
SavedInputs::load(const core::CalculatorDefinition& definition) const {
    QFile file(path());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return readSavedInputs(file, definition);
}

core::CalculatorInputs readSavedInputs(QIODevice& device,
                                       const core::CalculatorDefinition& definition) {
    // One byte is one character in Windows-1250; each line is its text and CR LF.
    const auto lineCount = static_cast<qint64>(core::savedLineCount(definition));
    const qint64 budget = lineCount * (kSavedLineBytes + 2) + kReadMargin;
    LimitedLineReader reader(device, kSavedLineBytes, budget);
    std::vector<std::string> lines;
    for (qint64 i = 0; i < lineCount; ++i) {
        const auto line = reader.next();
        if (!line) {
            break;
        }
        lines.push_back(fromWindows1250(*line).toStdString());
    }
    return core::inputsFromSavedLines(definition, lines);
}

QString savedInputsDirectory() {
    const QString programDirectory = QCoreApplication::applicationDirPath();
    if (canCreateFilesIn(programDirectory)) {
        return programDirectory;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

} // namespace blachorys::io
